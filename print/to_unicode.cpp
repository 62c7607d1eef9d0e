#include "print/to_unicode.h"

#include <QFont>
#include <QMutex>
#include <QRawFont>

namespace tarvos::print {

namespace {

constexpr char16_t kFirstRadical = 0x2E80, kLastRadical = 0x2FDF;
constexpr char16_t kFirstIdeograph = 0x4E00, kLastIdeograph = 0x9FFF;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A code <XXXX> of four hex digits at pdf[at + 1 .. at + 4] turned into its ideograph.
void Rewrite(QByteArray& pdf, qsizetype at, qsizetype length,
             const QHash<char16_t, char16_t>& ideographs) {
    if (length != 4) return;
    int value = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        const int d = HexValue(pdf[at + 1 + i]);
        if (d < 0) return;
        value = value * 16 + d;
    }
    const auto it = ideographs.find(static_cast<char16_t>(value));
    if (it == ideographs.end()) return;
    const QByteArray digits = QByteArray::number(it.value(), 16).toUpper().rightJustified(4, '0');
    for (qsizetype i = 0; i < 4; ++i) pdf[at + 1 + i] = digits[i];
}

// The codes of one block between begin and end: in bfchar blocks every second code is text;
// in bfrange blocks the text follows two glyph codes, as an array of codes or as one code
// for a run (rewritten only for a run of one glyph, the others being consecutive text).
void RepairBlock(QByteArray& pdf, qsizetype from, qsizetype to, bool ranges,
                 const QHash<char16_t, char16_t>& ideographs) {
    int field = 0;  // the code's place in its entry
    bool inArray = false;
    qsizetype firstCode = 0, secondCode = 0;
    for (qsizetype i = from; i < to; ++i) {
        const char c = pdf[i];
        if (c == '[') {
            inArray = true;
        } else if (c == ']') {
            inArray = false;
            field = 0;
        } else if (c == '<') {
            const qsizetype close = pdf.indexOf('>', i);
            if (close < 0 || close > to) return;
            const qsizetype length = close - i - 1;
            if (!ranges) {
                if (field == 1) Rewrite(pdf, i, length, ideographs);
                field = 1 - field;
            } else if (inArray) {
                Rewrite(pdf, i, length, ideographs);
            } else if (field < 2) {
                (field == 0 ? firstCode : secondCode) = i;
                ++field;
            } else {
                if (pdf.mid(firstCode, 6) == pdf.mid(secondCode, 6))
                    Rewrite(pdf, i, length, ideographs);
                field = 0;
            }
            i = close;
        }
    }
}

}  // namespace

QHash<char16_t, char16_t> RadicalIdeographs(const QStringList& families) {
    static QMutex mutex;
    static QHash<QString, QHash<char16_t, char16_t>> made;
    const QMutexLocker lock(&mutex);
    const QString key = families.join('|');
    if (auto it = made.find(key); it != made.end()) return it.value();

    QHash<char16_t, char16_t> map;
    QString open;  // radicals without a decomposition to a single ideograph
    for (char16_t r = kFirstRadical; r <= kLastRadical; ++r) {
        const QString folded = QString(QChar(r)).normalized(QString::NormalizationForm_KC);
        if (folded.size() == 1 && folded[0].unicode() != r)
            map.insert(r, folded[0].unicode());
        else
            open += QChar(r);
    }
    QString ideographs;
    for (char16_t c = kFirstIdeograph; c <= kLastIdeograph; ++c) ideographs += QChar(c);
    for (const QString& family : families) {
        const QRawFont raw = QRawFont::fromFont(QFont(family));
        if (!raw.isValid() || !raw.supportsCharacter(QChar(kFirstIdeograph))) continue;
        const QList<quint32> ideographGlyphs = raw.glyphIndexesForString(ideographs);
        QHash<quint32, char16_t> byGlyph;
        for (qsizetype i = ideographGlyphs.size() - 1; i >= 0; --i)
            if (ideographGlyphs[i]) byGlyph.insert(ideographGlyphs[i], kFirstIdeograph + i);
        const QList<quint32> radicalGlyphs = raw.glyphIndexesForString(open);
        for (qsizetype i = 0; i < open.size(); ++i)
            if (auto it = byGlyph.find(radicalGlyphs[i]); radicalGlyphs[i] && it != byGlyph.end())
                map.insert(open[i].unicode(), it.value());
        break;
    }
    made.insert(key, map);
    return map;
}

void RepairToUnicode(QByteArray& pdf, const QHash<char16_t, char16_t>& ideographs) {
    qsizetype at = 0;
    while ((at = pdf.indexOf("/CMapName /Adobe-Identity-UCS", at)) >= 0) {
        const qsizetype end = pdf.indexOf("endcmap", at);
        if (end < 0) return;
        for (bool ranges : {false, true}) {
            const QByteArray begin = ranges ? "beginbfrange" : "beginbfchar";
            const QByteArray close = ranges ? "endbfrange" : "endbfchar";
            for (qsizetype b = pdf.indexOf(begin, at); b >= 0 && b < end;
                 b = pdf.indexOf(begin, b + 1)) {
                const qsizetype e = pdf.indexOf(close, b);
                if (e < 0 || e > end) break;
                RepairBlock(pdf, b + begin.size(), e, ranges, ideographs);
            }
        }
        at = end;
    }
}

}  // namespace tarvos::print
