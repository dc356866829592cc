#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

namespace report {

// Drawing on a page in points (1/72 inch) whatever the device's resolution, so a PDF, a
// printer and the preview get the same layout.
class PageKit {
public:
    PageKit(QPainter &painter, double dotsPerInch, const QRectF &pagePoints);

    QPainter &painter() { return painter_; }
    double px(double points) const { return points * scale_; }
    QRectF px(const QRectF &points) const;
    // The printable area in points, inside the margins.
    const QRectF &area() const { return area_; }
    // The same page with its area starting lower down, for a block drawn at its own top.
    PageKit below(double top) const {
        PageKit kit = *this;
        kit.area_.setTop(top);
        return kit;
    }

    QFont font(double pointSize, bool bold = false) const;
    // One line of text at the top of rect (points); gives the height it took.
    double text(const QRectF &rect, const QString &text, double pointSize, bool bold = false,
                Qt::Alignment align = Qt::AlignLeft, const QColor &colour = Qt::black);
    // Wrapped text in the width of rect; gives the height it took.
    double paragraph(const QRectF &rect, const QString &text, double pointSize, bool bold = false);
    // Wrapped text in rect, cut at its bottom; gives the height the whole text would need.
    double wrapped(const QRectF &rect, const QString &text, double pointSize, bool draw);
    void fill(const QRectF &rect, const QColor &colour);
    void line(QPointF from, QPointF to, const QColor &colour, double width = 0.5,
              Qt::PenStyle style = Qt::SolidLine);

private:
    QPainter &painter_;
    double scale_;
    QRectF area_;
};

// A table of text cells: columns share the width by their weights.
struct TableColumn {
    QString title;
    double weight;
    Qt::Alignment align = Qt::AlignLeft;
    bool wraps = false; // a long text goes on over more lines instead of being cut
};

inline constexpr double kTableFont = 8;
inline constexpr double kRowHeight = 12.5;

// Draws the header and rows from the top of bounds, in its width; gives the height used.
double drawTable(PageKit &kit, const QRectF &bounds, const std::vector<TableColumn> &columns,
                 const std::vector<QStringList> &rows);
// The height of one row in that width: one line, or more where a wrapping cell needs them
// (at most kMostLines, which fit any page).
double rowHeight(PageKit &kit, double width, const std::vector<TableColumn> &columns,
                 const QStringList &row);
inline constexpr int kMostLines = 12;
inline double tableHeight(std::size_t rows) {
    return kRowHeight * double(rows + 1);
}

} // namespace report
