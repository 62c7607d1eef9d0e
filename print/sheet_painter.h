#pragma once
// Draws a printed sheet onto a paged device, a printer or a PDF writer alike: every page
// carries a header with the file name and the page number; the cover has a page of its own;
// the channel table spans the page; the function frames follow in two columns.
//
// Text is drawn as text, never as pictures, so a PDF can be searched and copied. The font is
// a family list with a Latin font first: drawn with a CJK font alone, Qt's PDF output loses
// the text of digits and Latin letters in some runs.

#include <QFont>
#include <QPageSize>
#include <QStringList>

class QPagedPaintDevice;

namespace tarvos {
struct PrintSheet;
}

namespace tarvos::print {

// The font families of a sheet in a language (1..3), in the order they are tried.
QStringList SheetFamilies(int language);
// The sheet's font in a language at a size in points.
QFont SheetFont(int language, qreal points, bool bold = false);

// A4, or Letter where the system locale's region uses it.
QPageSize LocalePageSize();

// Margins a sheet is laid out with (millimetres on every side).
inline constexpr qreal kMarginMm = 12.0;

// Draws every page of sheet, from the device's current page on; the device's page layout
// gives the paper and margins. Returns the number of pages drawn, 0 when the device could
// not be painted on.
int PaintSheet(const PrintSheet& sheet, QPagedPaintDevice& device);

}  // namespace tarvos::print
