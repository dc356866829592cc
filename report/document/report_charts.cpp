#include "report/document/report_charts.h"

#include "report/stats/report_format.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace report {

namespace {

constexpr double kAxisFont = 7;
const QColor kAxis(90, 90, 90);
const QColor kGrid(215, 215, 215);
const QColor kReading(30, 70, 150);
// Opaque: PDF/A-1 allows no transparency, so a see-through colour would print solid.
const QColor kDose(150, 185, 215);
const QColor kTarget(222, 240, 224);

// A round step for about `count` ticks over span.
double niceStep(double span, int count) {
    const double raw = span / std::max(count, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (raw <= factor * magnitude)
            return factor * magnitude;
    return 10 * magnitude;
}

double highestReading(const ReportData &data) {
    double highest = 0;
    for (const logbook::LogEntry &entry : data.entries)
        highest = std::max(highest, entry.bloodSugar);
    return highest;
}

// The glucose axis reaches past the very-high limit so every threshold line is visible.
double glucoseTop(const ReportData &data) {
    const double limit =
        std::max(FixedBandLimits(data.request.units).veryHighAbove, data.request.target.high);
    const double top = std::max(highestReading(data), limit) * 1.08;
    const double step = niceStep(top, 5);
    return std::ceil(top / step) * step;
}

struct Plot {
    QRectF frame; // points
    double yTop;

    double y(double value) const { return frame.bottom() - frame.height() * value / yTop; }
};

// The frame, the left axis' ticks and grid; returns the plot for placing values.
Plot drawGlucoseFrame(PageKit &kit, const QRectF &rect, const ReportData &data,
                      double rightAxisWidth) {
    const QRectF frame = rect.adjusted(34, 4, -rightAxisWidth, -16);
    const Plot plot{frame, glucoseTop(data)};
    const double step = niceStep(plot.yTop, 5);
    const bool whole = data.request.units == norvalis::GlucoseUnits::MgPerDl || step >= 1;
    for (double v = 0; v <= plot.yTop + 1e-9; v += step) {
        kit.line({frame.left(), plot.y(v)}, {frame.right(), plot.y(v)}, kGrid, 0.4);
        kit.text(QRectF(rect.left(), plot.y(v) - 5, 30, 10),
                 QString::fromStdString(FixedText(v, whole ? 0 : 1)), kAxisFont, false,
                 Qt::AlignRight, kAxis);
    }
    // Target band, then the bands' limits as lines.
    const norvalis::TargetRange &target = data.request.target;
    kit.fill(QRectF(QPointF(frame.left(), plot.y(std::min(target.high, plot.yTop))),
                    QPointF(frame.right(), plot.y(target.low))),
             kTarget);
    const BandLimits limits = FixedBandLimits(data.request.units);
    const std::pair<double, QColor> lines[] = {{limits.veryLowBelow, bandColour(Band::VeryLow)},
                                               {target.low, bandColour(Band::InRange)},
                                               {target.high, bandColour(Band::InRange)},
                                               {limits.veryHighAbove, bandColour(Band::VeryHigh)}};
    for (const auto &[value, colour] : lines) {
        if (value < plot.yTop)
            kit.line({frame.left(), plot.y(value)}, {frame.right(), plot.y(value)}, colour, 0.8,
                     Qt::DashLine);
    }
    kit.painter().setPen(QPen(kAxis, kit.px(0.6)));
    kit.painter().setBrush(Qt::NoBrush);
    kit.painter().drawRect(kit.px(frame));
    return plot;
}

void drawPoints(PageKit &kit, const QList<QPointF> &points) {
    QPainter &painter = kit.painter();
    painter.setPen(Qt::NoPen);
    painter.setBrush(kReading);
    const double r = kit.px(1.3);
    for (const QPointF &p : points)
        painter.drawEllipse(QPointF(kit.px(p.x()), kit.px(p.y())), r, r);
    painter.setBrush(Qt::NoBrush);
}

} // namespace

QColor bandColour(Band band) {
    switch (band) {
    case Band::VeryLow:
        return {140, 20, 20};
    case Band::Low:
        return {225, 70, 60};
    case Band::InRange:
        return {58, 154, 74};
    case Band::High:
        return {240, 180, 0};
    case Band::VeryHigh:
        return {230, 110, 0};
    }
    return Qt::gray;
}

void drawBandBar(PageKit &kit, const QRectF &rect, const ReadingFigures &figures) {
    if (figures.readings == 0) {
        kit.fill(rect, QColor(230, 230, 230));
        kit.text(rect, QStringLiteral("No readings"), 8, false, Qt::AlignCenter);
        return;
    }
    double x = rect.left();
    for (const Band band : kBands) {
        const double width = rect.width() * figures.percent(band).value_or(0) / 100;
        kit.fill(QRectF(x, rect.top(), width, rect.height()), bandColour(band));
        x += width;
    }
}

void drawModalDay(PageKit &kit, const QRectF &rect, const ReportData &data) {
    const Plot plot = drawGlucoseFrame(kit, rect, data, 4);
    const QRectF &frame = plot.frame;
    for (int hour = 0; hour <= 24; hour += 3) {
        const double x = frame.left() + frame.width() * hour / 24;
        kit.line({x, frame.bottom()}, {x, frame.bottom() + 2}, kAxis, 0.5);
        kit.text(QRectF(x - 15, frame.bottom() + 3, 30, 10),
                 QStringLiteral("%1:00").arg(hour, 2, 10, QLatin1Char('0')), kAxisFont, false,
                 Qt::AlignHCenter, kAxis);
    }
    QList<QPointF> points;
    points.reserve(data.entries.size());
    for (const logbook::LogEntry &entry : data.entries) {
        if (!(entry.bloodSugar > 0))
            continue;
        const QTime time = entry.takenAt.toLocalTime().time();
        const double x = frame.left() + frame.width() * time.msecsSinceStartOfDay() / 86400000.0;
        points.append(QPointF(x, plot.y(std::min(entry.bloodSugar, plot.yTop))));
    }
    drawPoints(kit, points);
}

void drawDayByDay(PageKit &kit, const QRectF &rect, const ReportData &data) {
    const Plot plot = drawGlucoseFrame(kit, rect, data, 30);
    const QRectF &frame = plot.frame;
    const qint64 start = data.request.from.startOfDay().toMSecsSinceEpoch();
    const qint64 end = data.request.to.addDays(1).startOfDay().toMSecsSinceEpoch();
    const auto xOf = [&](qint64 at) {
        return frame.left() +
               frame.width() * double(at - start) / double(std::max<qint64>(end - start, 1));
    };
    const int days = rangeDays(data.request.from, data.request.to);
    const int dayStep = std::max(1, int(niceStep(days, 7)));
    for (int d = 0; d <= days; d += dayStep) {
        const QDate day = data.request.from.addDays(d);
        const double x = xOf(day.startOfDay().toMSecsSinceEpoch());
        kit.line({x, frame.bottom()}, {x, frame.bottom() + 2}, kAxis, 0.5);
        if (d < days)
            kit.text(QRectF(x - 20, frame.bottom() + 3, 40, 10),
                     day.toString(QStringLiteral("dd MMM")), kAxisFont, false, Qt::AlignHCenter,
                     kAxis);
    }
    double highestDose = 0;
    for (const logbook::LogEntry &entry : data.entries)
        highestDose = std::max(highestDose, entry.taken);
    const double doseStep = niceStep(highestDose > 0 ? highestDose * 1.1 : 10, 4);
    const double doseTop =
        std::ceil((highestDose > 0 ? highestDose * 1.1 : 10) / doseStep) * doseStep;
    const auto yDose = [&](double units) {
        return frame.bottom() - frame.height() * units / doseTop;
    };
    for (double v = 0; v <= doseTop + 1e-9; v += doseStep)
        kit.text(QRectF(frame.right() + 3, yDose(v) - 5, 26, 10),
                 QString::fromStdString(FixedText(v, std::floor(doseStep) != doseStep ? 1 : 0)),
                 kAxisFont, false, Qt::AlignLeft, kDose.darker(150));

    // Doses as upright strokes from the base line, readings as a line with points.
    QPainter &painter = kit.painter();
    QPen bar(kDose, kit.px(std::clamp(frame.width() / std::max<qsizetype>(data.entries.size(), 1),
                                      0.5, 2.0)));
    bar.setCapStyle(Qt::FlatCap);
    painter.setPen(bar);
    QPainterPath readings;
    QList<QPointF> points;
    for (const logbook::LogEntry &entry : data.entries) {
        const double x = xOf(entry.takenAt.toMSecsSinceEpoch());
        if (entry.taken > 0)
            painter.drawLine(QPointF(kit.px(x), kit.px(frame.bottom())),
                             QPointF(kit.px(x), kit.px(yDose(entry.taken))));
        if (entry.bloodSugar > 0) {
            const QPointF p(x, plot.y(std::min(entry.bloodSugar, plot.yTop)));
            const QPointF device(kit.px(p.x()), kit.px(p.y()));
            if (points.isEmpty())
                readings.moveTo(device);
            else
                readings.lineTo(device);
            points.append(p);
        }
    }
    painter.setPen(QPen(kReading, kit.px(0.7)));
    painter.drawPath(readings);
    if (points.size() <= 500)
        drawPoints(kit, points);
}

} // namespace report
