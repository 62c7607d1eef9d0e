#include "print/sheet_painter.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "document/print_sheet.h"

namespace tarvos::print {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Sizes in points.
constexpr qreal kHeaderPt = 7.5;
constexpr qreal kCoverTitlePt = 20;
constexpr qreal kCoverPt = 11;
constexpr qreal kHeadingPt = 12;
constexpr qreal kFramePt = 9;
constexpr qreal kLinePt = 8;
constexpr qreal kTablePt = 8.5;
constexpr qreal kSmallestTablePt = 5.5;
constexpr qreal kColumnGapPt = 18;

const QColor kGrey(0x80, 0x80, 0x80);
const QColor kRule(0xA0, 0xA0, 0xA0);
const QColor kShade(0xEE, 0xEE, 0xEE);
const QColor kOutOfBand(0xFF, 0x00, 0x00);

// One thing to draw: a text in a box (wrapped), a line of text from a point on its baseline,
// a filled box or a rule along the box's top.
struct Op {
    enum Kind { Text, Line, Fill, Rule } kind = Text;
    QRectF rect;
    QString text;
    QFont font;
    int flags = 0;
    QColor color = Qt::black;
};
using Page = std::vector<Op>;

// Lays the sheet out into pages first (the header needs the page count), in device units.
class Layout {
  public:
    Layout(const PrintSheet& sheet, const QPaintDevice& device, QSizeF area)
        : sheet_(sheet), device_(device), area_(area), unit_(device.logicalDpiY() / 72.0) {
        top_ = pt(kHeaderPt) * 1.6 + pt(10);
    }

    std::vector<Page> run() {
        if (sheet_.content.cover) cover();
        if (sheet_.content.channels) channels();
        if (sheet_.content.settings) settings();
        if (pages_.empty()) newPage();
        return std::move(pages_);
    }

    qreal pt(qreal points) const { return points * unit_; }

  private:
    QFont font(qreal points, bool bold = false) const {
        return SheetFont(sheet_.language, points, bold);
    }
    QFontMetricsF metrics(const QFont& f) const { return QFontMetricsF(f, &device_); }
    Page& page() { return pages_.back(); }
    void text(QRectF rect, const QString& s, const QFont& f, int flags, QColor color = Qt::black) {
        page().push_back({Op::Text, rect, s, f, flags, color});
    }
    // A line of text on a baseline, placed left, centred or right in [x, x + width]. Texts
    // beside each other share their baseline whatever fonts their characters come from, so
    // a reader of the PDF finds them on one line.
    void place(qreal x, qreal width, qreal baseline, const QString& s, const QFont& f,
               Qt::Alignment align, QColor color = Qt::black) {
        const qreal advance = metrics(f).horizontalAdvance(s);
        const qreal left = (align & Qt::AlignRight)     ? x + width - advance
                           : (align & Qt::AlignHCenter) ? x + (width - advance) / 2
                                                        : x;
        page().push_back({Op::Line, QRectF(left, baseline, advance, 0), s, f, 0, color});
    }
    // The baseline that centres a line of f in a box of height at top.
    qreal baselineIn(qreal top, qreal height, const QFont& f) const {
        const QFontMetricsF m = metrics(f);
        return top + (height + m.ascent() - m.descent()) / 2;
    }
    void fill(QRectF rect, QColor color) { page().push_back({Op::Fill, rect, {}, {}, 0, color}); }
    void rule(qreal x, qreal y, qreal width) {
        page().push_back({Op::Rule, QRectF(x, y, width, 0), {}, {}, 0, kRule});
    }

    // --- The flow: a page, a number of columns, the column in use and the height used -----
    void newPage() {
        pages_.emplace_back();
        y_ = top_;
        columnTop_ = top_;
        column_ = 0;
    }
    void columns(int n) {
        columns_ = n;
        column_ = 0;
        columnTop_ = y_;
    }
    qreal columnWidth() const {
        return (area_.width() - (columns_ - 1) * pt(kColumnGapPt)) / columns_;
    }
    qreal columnX() const { return column_ * (columnWidth() + pt(kColumnGapPt)); }
    bool fits(qreal height) const { return y_ + height <= area_.height(); }
    void nextColumn() {
        if (column_ + 1 < columns_) {
            ++column_;
            y_ = columnTop_;
            return;
        }
        newPage();
        columnTop_ = y_;
    }
    void need(qreal height) {
        if (fits(height)) return;
        nextColumn();
        // A frame that goes on in the next column or page is named again at its top.
        if (!frameTitle_.isEmpty()) frameTitle();
    }
    void frameTitle() {
        const QFont title = font(kFramePt, true);
        // On the baseline of a line of the other column beside it.
        place(columnX(), columnWidth(), baselineIn(y_, pitch_, font(kLinePt)), frameTitle_, title,
              Qt::AlignLeft);
        y_ += pitch_;
        rule(columnX(), y_ - pt(1), columnWidth());
    }
    void heading(const std::string& title) {
        const QFont f = font(kHeadingPt, true);
        const qreal h = metrics(f).height();
        text(QRectF(columnX(), y_, columnWidth(), h), Q(title), f,
             Qt::AlignLeft | Qt::AlignVCenter);
        y_ += h + pt(6);
    }

    // --- Cover ------------------------------------------------------------------------------
    void cover() {
        newPage();
        const QFont title = font(kCoverTitlePt, true);
        const qreal th = metrics(title).height();
        y_ = area_.height() * 0.22;
        text(QRectF(0, y_, area_.width(), th), Q(sheet_.coverTitle), title, Qt::AlignHCenter);
        y_ += th + pt(28);
        const QFont caption = font(kCoverPt, true), value = font(kCoverPt);
        const QFontMetricsF cm = metrics(caption);
        qreal captionWidth = 0;
        for (const SheetLine& l : sheet_.cover)
            captionWidth = std::max(captionWidth, cm.horizontalAdvance(Q(l.caption)));
        const qreal x = area_.width() * 0.12, gap = pt(16), lineHeight = cm.height() * 1.7;
        for (const SheetLine& l : sheet_.cover) {
            const qreal baseline = baselineIn(y_, lineHeight, value);
            place(x, captionWidth, baseline, Q(l.caption), caption, Qt::AlignLeft);
            place(x + captionWidth + gap, 0, baseline, Q(l.value), value, Qt::AlignLeft);
            y_ += lineHeight;
        }
    }

    // --- Channel information ---------------------------------------------------------------
    void channels() {
        if (pages_.empty() || sheet_.content.cover) newPage();
        columns(1);
        heading(sheet_.channelsTitle);
        table(sheet_.channels, kTablePt);
        y_ += pt(4);
        line(sheet_.channelsInUse, font(kLinePt + 1, true), font(kLinePt + 1), false);
        y_ += pt(14);
    }

    // A table in the column: widths from the sheet's, widened to the widest text of each
    // column; when the column is too narrow for them, the font shrinks until they fit. Rows
    // that do not fit go on in the next column or page, under the header again.
    void table(const SheetTable& t, qreal points, qreal pitch = 0) {
        const size_t n = t.header.size();
        if (n == 0) return;
        const qreal available = columnWidth();
        std::vector<qreal> widths;
        for (;;) {
            widths = columnWidths(t, points, available);
            const qreal total = std::accumulate(widths.begin(), widths.end(), 0.0);
            if (total <= available * 1.0001 || points <= kSmallestTablePt) break;
            points = std::max(kSmallestTablePt, points * available / total * 0.98);
        }
        const qreal total = std::accumulate(widths.begin(), widths.end(), 0.0);
        for (qreal& w : widths) w *= available / total;  // fill the column
        const QFont body = font(points), head = font(points, true);
        const qreal rowHeight = pitch > 0 ? pitch : metrics(body).height() * 1.45;

        auto header = [&] {
            const qreal x0 = columnX();
            fill(QRectF(x0, y_, available, rowHeight), kShade);
            qreal x = x0;
            const qreal baseline = baselineIn(y_, rowHeight, head);
            for (size_t c = 0; c < n; ++c) {
                place(x, widths[c], baseline, Q(t.header[c]), head, Qt::AlignHCenter);
                x += widths[c];
            }
            rule(x0, y_, available);
            y_ += rowHeight;
            rule(x0, y_, available);
        };
        need(rowHeight * 2);
        header();
        for (const auto& row : t.rows) {
            if (!fits(rowHeight)) {
                need(rowHeight);
                header();
            }
            qreal x = columnX();
            const qreal baseline = baselineIn(y_, rowHeight, body);
            for (size_t c = 0; c < n && c < row.size(); ++c) {
                place(x, widths[c], baseline, Q(row[c].text), body, Qt::AlignHCenter,
                      row[c].outOfBand ? kOutOfBand : QColor(Qt::black));
                x += widths[c];
            }
            y_ += rowHeight;
            rule(columnX(), y_, available);
        }
    }

    std::vector<qreal> columnWidths(const SheetTable& t, qreal points, qreal available) const {
        const QFontMetricsF body = metrics(font(points)), head = metrics(font(points, true));
        const qreal pad = pt(points * 0.8);
        const qreal relTotal = std::max(1, std::accumulate(t.widths.begin(), t.widths.end(), 0));
        std::vector<qreal> widths;
        for (size_t c = 0; c < t.header.size(); ++c) {
            qreal need = head.horizontalAdvance(Q(t.header[c]));
            for (const auto& row : t.rows)
                if (c < row.size()) need = std::max(need, body.horizontalAdvance(Q(row[c].text)));
            const qreal share = c < t.widths.size() ? t.widths[c] * available / relTotal : 0;
            widths.push_back(std::max(share * points / kTablePt, need + 2 * pad));
        }
        return widths;
    }

    // --- Radio settings ---------------------------------------------------------------------
    // The frames flow down two columns. Every row is a whole number of line pitches high, so
    // the rows of both columns share their baselines and a reader of the PDF (pdftotext too)
    // keeps each caption on one line with its value.
    void settings() {
        if (pages_.empty()) newPage();
        columns(1);
        need(pt(kHeadingPt) * 6);
        heading(sheet_.settingsTitle);
        columns(2);
        const QFont caption = font(kLinePt);
        pitch_ = metrics(caption).height() + pt(2.5);
        for (const SheetFrame& f : sheet_.frames) {
            if (f.lines.empty() && f.tables.empty()) continue;
            // A frame title stays with its first line.
            need(pitch_ * 2);
            frameTitle_ = Q(f.title);
            frameTitle();
            bool shade = false;
            for (const SheetLine& l : f.lines) {
                line(l, caption, caption, shade);
                shade = !shade;
            }
            for (const SheetTable& t : f.tables) table(t, kLinePt, pitch_);
            frameTitle_.clear();
            y_ += pitch_;  // the space before the next frame
        }
        pitch_ = 0;
    }

    // A caption on the left and its value on the right of the column, on one baseline; a
    // caption too long for the room the value leaves wraps, and so does a very long value.
    void line(const SheetLine& l, const QFont& captionFont, const QFont& valueFont, bool shade) {
        const QString caption = Q(l.caption), value = Q(l.value);
        const QFontMetricsF cm = metrics(captionFont), vm = metrics(valueFont);
        const qreal width = columnWidth(), gap = pt(8), pad = pt(2);
        const QColor color = l.enabled ? QColor(Qt::black) : kGrey;
        const qreal captionAdvance = cm.horizontalAdvance(caption);
        const qreal valueAdvance = vm.horizontalAdvance(value);
        if (captionAdvance + gap + valueAdvance <= width - 2 * pad) {
            const qreal height = pitched(std::max(cm.height(), vm.height()) + pt(2.5));
            need(height);
            const qreal x = columnX();  // the column the line goes into
            if (shade) fill(QRectF(x, y_, width, height), kShade);
            const qreal baseline = baselineIn(y_, height, valueFont);
            place(x + pad, 0, baseline, caption, captionFont, Qt::AlignLeft, color);
            place(x + pad, width - 2 * pad, baseline, value, valueFont, Qt::AlignRight, color);
            y_ += height;
            return;
        }
        // Room to spare: a PDF may set the text a little wider than the metrics say.
        const qreal valueWidth = std::min(valueAdvance * 1.05 + pt(2), width * 0.55);
        const qreal captionWidth = width - valueWidth - gap - 2 * pad;
        const int wrap = Qt::TextWordWrap;
        const qreal height = pitched(
            std::max(cm.boundingRect(QRectF(0, 0, captionWidth, 1e9), wrap, caption).height(),
                     vm.boundingRect(QRectF(0, 0, valueWidth, 1e9), wrap, value).height()) +
            pt(2.5));
        need(height);
        const qreal x = columnX();
        if (shade) fill(QRectF(x, y_, width, height), kShade);
        // Both from the top, so a wrapped caption or value starts on the line of the other.
        const qreal top = y_ + pt(1.25);
        text(QRectF(x + pad, top, captionWidth, height), caption, captionFont,
             Qt::AlignLeft | Qt::AlignTop | wrap, color);
        text(QRectF(x + width - pad - valueWidth, top, valueWidth, height), value, valueFont,
             Qt::AlignRight | Qt::AlignTop | wrap, color);
        y_ += height;
    }

    // A height made a whole number of line pitches while the pitch is set.
    qreal pitched(qreal height) const {
        return pitch_ > 0 ? std::ceil(height / pitch_ - 1e-6) * pitch_ : height;
    }

    const PrintSheet& sheet_;
    const QPaintDevice& device_;
    QSizeF area_;
    qreal unit_;
    qreal top_ = 0;
    std::vector<Page> pages_;
    qreal y_ = 0;
    qreal columnTop_ = 0;
    int columns_ = 1;
    int column_ = 0;
    qreal pitch_ = 0;
    QString frameTitle_;  // the frame whose lines are being laid out
};

void PageHeader(QPainter& p, const PrintSheet& sheet, QSizeF area, qreal unit, int page,
                int pages) {
    const QFont f = SheetFont(sheet.language, kHeaderPt);
    const qreal h = QFontMetricsF(f, p.device()).height();
    p.setFont(f);
    p.setPen(Qt::black);
    const QFontMetricsF m(f, p.device());
    const QString number = Q(PageNumberText(sheet.pagePattern, page, pages));
    p.drawText(QPointF(0, m.ascent()), Q(sheet.fileName));
    p.drawText(QPointF(area.width() - m.horizontalAdvance(number), m.ascent()), number);
    p.setPen(QPen(kRule, 0.6 * unit));
    p.drawLine(QPointF(0, h + 3 * unit), QPointF(area.width(), h + 3 * unit));
}

void Draw(QPainter& p, const Op& op, qreal unit) {
    switch (op.kind) {
        case Op::Fill:
            p.fillRect(op.rect, op.color);
            break;
        case Op::Rule:
            p.setPen(QPen(op.color, 0.4 * unit));
            p.drawLine(op.rect.topLeft(), op.rect.topRight());
            break;
        case Op::Text:
        case Op::Line:
            if (op.text.isEmpty()) break;
            p.setFont(op.font);
            p.setPen(op.color);
            if (op.kind == Op::Line)
                p.drawText(op.rect.topLeft(), op.text);
            else
                p.drawText(op.rect, op.flags, op.text);
            break;
    }
}

}  // namespace

QStringList SheetFamilies(int language) {
    // The Latin family first, then the CJK families, the language's own before the other.
    QStringList families{"DejaVu Sans"};
    if (language == 2)
        families << "Noto Sans CJK TC"
                 << "Noto Sans CJK SC";
    else
        families << "Noto Sans CJK SC"
                 << "Noto Sans CJK TC";
    return families << "Arial"
                    << "Microsoft YaHei"
                    << "PingFang SC";
}

QFont SheetFont(int language, qreal points, bool bold) {
    QFont f;
    f.setFamilies(SheetFamilies(language));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    // The same metrics whatever the device's resolution; no ligatures, so that "Off" is
    // copied from a PDF as the three letters, not as "O" and the ligature "ﬀ" (neither Latin
    // nor CJK text needs shaping).
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

QPageSize LocalePageSize() {
    const QLocale locale = QLocale::system();
    static const QLocale::Territory letter[] = {
        QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,
        QLocale::Philippines,  QLocale::Chile,     QLocale::Colombia,
        QLocale::Venezuela,    QLocale::Guatemala, QLocale::CostaRica};
    const bool usesLetter =
        locale.measurementSystem() == QLocale::ImperialUSSystem ||
        std::find(std::begin(letter), std::end(letter), locale.territory()) != std::end(letter);
    return QPageSize(usesLetter ? QPageSize::Letter : QPageSize::A4);
}

int PaintSheet(const PrintSheet& sheet, QPagedPaintDevice& device) {
    const QRectF paintRect = device.pageLayout().paintRectPixels(device.logicalDpiX());
    const QSizeF area = paintRect.size();
    Layout layout(sheet, device, area);
    const std::vector<Page> pages = layout.run();
    const qreal unit = layout.pt(1);

    QPainter p;
    if (!p.begin(&device)) return 0;
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            p.end();
            return 0;
        }
        PageHeader(p, sheet, area, unit, static_cast<int>(i) + 1, static_cast<int>(pages.size()));
        for (const Op& op : pages[i]) Draw(p, op, unit);
    }
    return p.end() ? static_cast<int>(pages.size()) : 0;
}

}  // namespace tarvos::print
