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

double drawTable(PageKit &kit, const QRectF &bounds, const std::vector<TableColumn> &columns,
                 const std::vector<QStringList> &rows) {
    const QRectF &area = bounds;
    const double top = bounds.top();
    const double weights =
        std::accumulate(columns.begin(), columns.end(), 0.0,
                        [](double sum, const TableColumn &column) { return sum + column.weight; });
    std::vector<double> lefts;
    double x = area.left();
    for (const TableColumn &column : columns) {
        lefts.push_back(x);
        x += area.width() * column.weight / weights;
    }
    const auto cellRect = [&](std::size_t i, double y) {
        const double right = i + 1 < lefts.size() ? lefts[i + 1] : area.right();
        return QRectF(lefts[i] + 3, y, right - lefts[i] - 6, kRowHeight);
    };
    double y = top;
    kit.fill(QRectF(area.left(), y, area.width(), kRowHeight), QColor(225, 230, 238));
    for (std::size_t i = 0; i < columns.size(); ++i)
        kit.text(cellRect(i, y), columns[i].title, kTableFont - 0.5, true, columns[i].align);
    y += kRowHeight;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r % 2 == 1)
            kit.fill(QRectF(area.left(), y, area.width(), kRowHeight), QColor(245, 246, 248));
        for (std::size_t i = 0; i < columns.size() && qsizetype(i) < rows[r].size(); ++i)
            kit.text(cellRect(i, y), rows[r][qsizetype(i)], kTableFont, false, columns[i].align);
        y += kRowHeight;
    }
    kit.line({area.left(), y}, {area.right(), y}, QColor(160, 160, 160));
    return y - top;
}

} // namespace report
