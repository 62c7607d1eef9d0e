#pragma once
// Qt writes the map from a PDF font's glyphs back to text (its ToUnicode map) from the
// font's own character map, taking for each glyph the lowest code point that shows it.
// CJK fonts such as Noto Sans CJK draw a radical and the ideograph it stands for with one
// glyph, so 页 comes back from the PDF as the radical ⻚ (U+2EDA), 长 as ⻓ and 身 as the
// Kangxi radical ⾝: a reader searching the PDF for the word does not find it, and copied text
// is not the text printed.
//
// The maps are plain text in the file. Each radical in them is put back as the ideograph the
// same glyph shows, four hexadecimal digits for four, so no object of the file moves.

#include <QByteArray>
#include <QHash>
#include <QStringList>

namespace tarvos::print {

// For the radicals U+2E80..U+2FDF: the ideograph that stands for each, by its compatibility
// decomposition or else by the glyph it shares with one in the first of families that has it.
QHash<char16_t, char16_t> RadicalIdeographs(const QStringList& families);

// Puts the ideographs in place of the radicals in every ToUnicode map of pdf.
void RepairToUnicode(QByteArray& pdf, const QHash<char16_t, char16_t>& ideographs);

}  // namespace tarvos::print
