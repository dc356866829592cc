#include "report/document/page_kit.h"

#include <QFontMetricsF>
#include <QTextOption>
#include <numeric>

namespace report {

namespace {
// The family every page uses; DejaVu Sans covers the symbols and is embedded in the PDF.
const QString kFamily = QStringLiteral("DejaVu Sans");
constexpr double kMargin = 42; // points, about 15 mm
} // namespace

PageKit::PageKit(QPainter &painter, double dotsPerInch, const QRectF &pagePoints)
    : painter_(painter), scale_(dotsPerInch / 72.0),
      area_(pagePoints.adjusted(kMargin, kMargin, -kMargin, -kMargin)) {}

QRectF PageKit::px(const QRectF &points) const {
    return {points.x() * scale_, points.y() * scale_, points.width() * scale_,
            points.height() * scale_};
}

QFont PageKit::font(double pointSize, bool bold) const {
    QFont font(kFamily);
    // Sized in the device's pixels: a point size would follow the device's own idea of DPI.
    font.setPixelSize(std::max(1, int(px(pointSize) + 0.5)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferOutline);
    // Any letter spacing turns ligatures off: "ffi" as one glyph would read back as "ﬃ", and
    // a search of the PDF for "Coefficient" would not find it.
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.0 / 64);
    return font;
}

double PageKit::text(const QRectF &rect, const QString &text, double pointSize, bool bold,
                     Qt::Alignment align, const QColor &colour) {
    painter_.setFont(font(pointSize, bold));
    painter_.setPen(colour);
    const double height = pointSize * 1.35;
    QRectF box = px(QRectF(rect.x(), rect.y(), rect.width(), height));
    const QString shown =
        QFontMetricsF(painter_.font()).elidedText(text, Qt::ElideRight, box.width());
    painter_.drawText(box, int(align | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
    return height;
}

double PageKit::paragraph(const QRectF &rect, const QString &text, double pointSize, bool bold) {
    painter_.setFont(font(pointSize, bold));
    painter_.setPen(Qt::black);
    const QRectF box = px(QRectF(rect.x(), rect.y(), rect.width(), 10000));
    QRectF used;
    painter_.drawText(box, int(Qt::AlignLeft | Qt::AlignTop) | Qt::TextWordWrap, text, &used);
    return used.height() / scale_;
}

double PageKit::wrapped(const QRectF &rect, const QString &text, double pointSize, bool draw) {
    const QFont shown = font(pointSize);
    // At word boundaries; a word longer than the cell is cut at its edge.
    const int flags = int(Qt::AlignLeft | Qt::AlignTop) | Qt::TextWordWrap;
    const QRectF box = px(rect);
    const QRectF needed =
        QFontMetricsF(shown, painter_.device())
            .boundingRect(QRectF(box.left(), box.top(), box.width(), 1e6), flags, text);
    if (draw) {
        painter_.setFont(shown);
        painter_.setPen(Qt::black);
        painter_.save();
        painter_.setClipRect(box);
        painter_.drawText(box, flags, text);
        painter_.restore();
    }
    return needed.height() / scale_;
}

void PageKit::fill(const QRectF &rect, const QColor &colour) {
    painter_.fillRect(px(rect), colour);
}

void PageKit::line(QPointF from, QPointF to, const QColor &colour, double width,
                   Qt::PenStyle style) {
    QPen pen(colour, px(width));
    pen.setStyle(style);
    painter_.setPen(pen);
    painter_.drawLine(QPointF(px(from.x()), px(from.y())), QPointF(px(to.x()), px(to.y())));
}

namespace {

// The columns' left edges in bounds, from their weights.
std::vector<double> columnLefts(const QRectF &bounds, const std::vector<TableColumn> &columns) {
    const double weights =
        std::accumulate(columns.begin(), columns.end(), 0.0,
                        [](double sum, const TableColumn &column) { return sum + column.weight; });
    std::vector<double> lefts;
    double x = bounds.left();
    for (const TableColumn &column : columns) {
        lefts.push_back(x);
        x += bounds.width() * column.weight / weights;
    }
    return lefts;
}

QRectF cellRect(const QRectF &bounds, const std::vector<double> &lefts, std::size_t i, double y,
                double height) {
    const double right = i + 1 < lefts.size() ? lefts[i + 1] : bounds.right();
    return {lefts[i] + 3, y, right - lefts[i] - 6, height};
}

constexpr double kLinePad = 1.5; // above and below a wrapped cell's lines: one line fits a row

double measuredRow(PageKit &kit, const QRectF &bounds, const std::vector<double> &lefts,
                   const std::vector<TableColumn> &columns, const QStringList &row) {
    double height = kRowHeight;
    for (std::size_t i = 0; i < columns.size() && qsizetype(i) < row.size(); ++i) {
        if (!columns[i].wraps || row[qsizetype(i)].isEmpty())
            continue;
        const QRectF cell = cellRect(bounds, lefts, i, 0, 0);
        const double lines = kit.wrapped(cell, row[qsizetype(i)], kTableFont, false);
        const double most = kTableFont * 1.2 * kMostLines;
        height = std::max(height, std::min(lines, most) + 2 * kLinePad);
    }
    return height;
}

} // namespace

double rowHeight(PageKit &kit, double width, const std::vector<TableColumn> &columns,
                 const QStringList &row) {
    const QRectF bounds(0, 0, width, 0);
    return measuredRow(kit, bounds, columnLefts(bounds, columns), columns, row);
}

double drawTable(PageKit &kit, const QRectF &bounds, const std::vector<TableColumn> &columns,
                 const std::vector<QStringList> &rows) {
    const std::vector<double> lefts = columnLefts(bounds, columns);
    const double top = bounds.top();
    double y = top;
    kit.fill(QRectF(bounds.left(), y, bounds.width(), kRowHeight), QColor(225, 230, 238));
    for (std::size_t i = 0; i < columns.size(); ++i)
        kit.text(cellRect(bounds, lefts, i, y, kRowHeight), columns[i].title, kTableFont - 0.5,
                 true, columns[i].align);
    y += kRowHeight;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double height = measuredRow(kit, bounds, lefts, columns, rows[r]);
        if (r % 2 == 1)
            kit.fill(QRectF(bounds.left(), y, bounds.width(), height), QColor(245, 246, 248));
        for (std::size_t i = 0; i < columns.size() && qsizetype(i) < rows[r].size(); ++i) {
            const QString &cell = rows[r][qsizetype(i)];
            if (columns[i].wraps && height > kRowHeight)
                kit.wrapped(cellRect(bounds, lefts, i, y + kLinePad, height - 2 * kLinePad), cell,
                            kTableFont, true);
            else
                kit.text(cellRect(bounds, lefts, i, y, kRowHeight), cell, kTableFont, false,
                         columns[i].align);
        }
        y += height;
    }
    kit.line({bounds.left(), y}, {bounds.right(), y}, QColor(160, 160, 160));
    return y - top;
}

} // namespace report
