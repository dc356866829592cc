#include "ui/log_window/log_chart.h"

#include "ui/log_window/log_chart_style.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QEvent>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>

namespace {
// Pixels: wide enough to see, narrow enough for doses a few hours apart.
constexpr int kBarWidth = 6;
constexpr qsizetype kMostMarkers = 500;
// Ticks of the time axis: no more than its labels have room for, side by side.
constexpr int kFewestTicks = 2;
constexpr int kMostTicks = 7;

QDateTimeAxis *timeAxisOf(QChart *chart) {
    const QList<QAbstractAxis *> axes = chart->axes(Qt::Horizontal);
    return axes.isEmpty() ? nullptr : qobject_cast<QDateTimeAxis *>(axes.constFirst());
}
} // namespace

LogChart::LogChart(QWidget *parent) : QChartView(parent) {
    setObjectName(QStringLiteral("logChart"));
    setRenderHint(QPainter::Antialiasing);
    setAccessibleName(QStringLiteral("Chart of blood sugar and doses taken"));
    setMinimumHeight(220);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    setEntries({});
}

void LogChart::showEmpty(bool empty) {
    chart()->legend()->setVisible(!empty);
    setAccessibleDescription(empty ? QStringLiteral("No entries") : QString());
    if (!empty) {
        delete empty_;
        empty_ = nullptr;
        return;
    }
    if (!empty_) {
        empty_ = new QGraphicsSimpleTextItem(QStringLiteral("No entries"));
        scene()->addItem(empty_);
        empty_->setZValue(1);
    }
    restyle();
}

void LogChart::placeEmptyText() {
    if (!empty_)
        return;
    const QRectF area = chart()->geometry();
    const QRectF text = empty_->boundingRect();
    empty_->setPos(area.center() - QPointF(text.width() / 2, text.height() / 2));
}

void LogChart::restyle() {
    styleChart(chart(), palette(), font());
    setBackgroundBrush(palette().brush(QPalette::Base));
    if (empty_) {
        empty_->setBrush(palette().brush(QPalette::PlaceholderText));
        empty_->setFont(font());
        placeEmptyText();
    }
    fitTimeTicks();
}

void LogChart::fitTimeTicks() {
    QDateTimeAxis *time = timeAxisOf(chart());
    if (!time)
        return;
    const QFontMetrics metrics(time->labelsFont());
    // The widest a label of this format gets: a two-digit day, the widest month.
    const QString widest = QDateTime(QDate(2026, 5, 28), QTime(23, 58)).toString(time->format());
    const int room =
        metrics.horizontalAdvance(widest) + metrics.horizontalAdvance(QLatin1Char('M'));
    const qreal width = chart()->plotArea().width();
    const int ticks = room > 0 ? int(width / room) + 1 : kMostTicks;
    time->setTickCount(std::clamp(ticks, kFewestTicks, kMostTicks));
}

void LogChart::changeEvent(QEvent *event) {
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        restyle();
    QChartView::changeEvent(event);
}

void LogChart::resizeEvent(QResizeEvent *event) {
    QChartView::resizeEvent(event);
    placeEmptyText();
    fitTimeTicks();
}

void LogChart::setEntries(const QList<logbook::LogEntry> &entries) {
    QChart *chart = this->chart();
    chart->removeAllSeries();
    // The chart gives a removed axis back to its caller.
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    // Axes over nothing would start at 1970; a sentence says more.
    showEmpty(entries.isEmpty());
    if (entries.isEmpty())
        return;

    auto *readings = new QLineSeries;
    readings->setName(QStringLiteral("Blood sugar"));
    auto *points = new QScatterSeries; // a lone reading still shows
    points->setMarkerSize(6);
    auto *doses = new QLineSeries;
    doses->setName(QStringLiteral("Dose taken"));
    // Long-acting doses stand apart: they are not meal or correction doses.
    auto *longDoses = new QLineSeries;
    longDoses->setName(QStringLiteral("Long-acting dose"));
    double highestReading = 0;
    double highestDose = 0;
    qint64 first = 0;
    qint64 last = 0;
    QList<QPointF> readingPoints;
    QList<QPointF> barPoints;
    QList<QPointF> longBarPoints;
    readingPoints.reserve(entries.size());
    barPoints.reserve(entries.size() * 3);
    // Entries come newest first; the series run forward in time.
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        const qint64 at = it->takenAt.toMSecsSinceEpoch();
        if (readingPoints.isEmpty())
            first = at;
        last = at;
        readingPoints.append(QPointF(double(at), it->bloodSugar));
        highestReading = std::max(highestReading, it->bloodSugar);
        highestDose = std::max(highestDose, it->taken);
        // Each dose is a thick upright stroke from the base line: a bar on a time axis, which
        // Qt's bar series (category axes only) cannot give, and quick with thousands. A
        // reading only is a point with no bar.
        if (it->kind == logbook::EntryKind::Reading)
            continue;
        QList<QPointF> &bars = it->kind == logbook::EntryKind::Long ? longBarPoints : barPoints;
        bars.append(QPointF(double(at), 0));
        bars.append(QPointF(double(at), it->taken));
        bars.append(QPointF(double(at), 0));
    }
    readings->replace(readingPoints);
    // Markers show single readings among few; among thousands the line says it all, faster.
    if (readingPoints.size() <= kMostMarkers)
        points->replace(readingPoints);
    doses->replace(barPoints);
    longDoses->replace(longBarPoints);
    // Smooth edges cost more than they add once the strokes crowd together.
    setRenderHint(QPainter::Antialiasing, readingPoints.size() <= kMostMarkers);

    chart->addSeries(doses);
    chart->addSeries(longDoses);
    chart->addSeries(readings);
    chart->addSeries(points);
    // After adding: the chart's theme sets every series' pen as it is added.
    QPen bar(QColor(70, 130, 180, 170));
    bar.setWidth(kBarWidth);
    bar.setCapStyle(Qt::FlatCap);
    doses->setPen(bar);
    // Purple: apart from the rapid doses' blue and the readings' orange line.
    bar.setColor(QColor(128, 80, 160, 170));
    longDoses->setPen(bar);
    chart->legend()->markers(points).constFirst()->setVisible(false);

    auto *time = new QDateTimeAxis;
    const qint64 margin = std::max<qint64>((last - first) / 20, 60 * 60 * 1000);
    // Over a few days the ticks fall within the same days: with dates alone they would repeat
    // one date, so the time of day goes beside it.
    const bool fewDays = last - first + 2 * margin <= 3 * 24 * 60 * 60 * 1000LL;
    time->setFormat(fewDays ? QStringLiteral("dd MMM HH:mm") : QStringLiteral("dd MMM"));
    time->setTitleText(QStringLiteral("Date"));
    time->setRange(QDateTime::fromMSecsSinceEpoch(first - margin),
                   QDateTime::fromMSecsSinceEpoch(last + margin));
    auto *sugar = new QValueAxis;
    sugar->setTitleText(QStringLiteral("Reading"));
    sugar->setRange(0, highestReading > 0 ? highestReading * 1.1 : 10);
    sugar->applyNiceNumbers();
    // "150" rather than "150.0": narrow labels leave the plot its room at a large font.
    sugar->setLabelFormat(QStringLiteral("%g"));
    auto *units = new QValueAxis;
    units->setTitleText(QStringLiteral("Units"));
    units->setRange(0, highestDose > 0 ? highestDose * 1.1 : 10);
    units->applyNiceNumbers();
    units->setLabelFormat(QStringLiteral("%g"));
    chart->addAxis(time, Qt::AlignBottom);
    chart->addAxis(sugar, Qt::AlignLeft);
    chart->addAxis(units, Qt::AlignRight);
    for (QAbstractSeries *series :
         {static_cast<QAbstractSeries *>(readings), static_cast<QAbstractSeries *>(points)}) {
        series->attachAxis(time);
        series->attachAxis(sugar);
    }
    for (QLineSeries *series : {doses, longDoses}) {
        series->attachAxis(time);
        series->attachAxis(units);
    }
    restyle();
}
