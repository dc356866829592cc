#include "report/document/report_pages.h"

#include "core/number_text.h"
#include "logbook/entry_kind.h"
#include "report/document/page_kit.h"
#include "report/document/report_charts.h"
#include "report/stats/report_format.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace report {

namespace {

using Page = std::function<void(PageKit &)>;
using norvalis::GlucoseUnits;

constexpr double kFooterSpace = 20;
const QString kDateFormat = QStringLiteral("yyyy-MM-dd");

QString qs(const std::string &text) {
    return QString::fromStdString(text);
}

QString numberText(double value) {
    return qs(norvalis::NumberText(value));
}

QString unitsText(const ReportData &data) {
    return qs(std::string(norvalis::GlucoseUnitsText(data.request.units)));
}

QString glucose(const ReportData &data, std::optional<double> value) {
    const QString shown = qs(GlucoseText(value, data.request.units));
    return shown.isEmpty() ? QStringLiteral("—") : shown + QLatin1Char(' ') + unitsText(data);
}

QString percent(std::optional<double> value) {
    const QString shown = qs(PercentText(value));
    return shown.isEmpty() ? QStringLiteral("—") : shown + QStringLiteral(" %");
}

QString perDay(double value, const QString &unit) {
    const QString figure = qs(FixedText(value, 1));
    return unit.isEmpty() ? figure : figure + QLatin1Char(' ') + unit;
}

QString bandCaption(Band band, const ReportData &data) {
    const BandLimits limits = FixedBandLimits(data.request.units);
    // The fixed limits as clinics write them (3.0 mmol/L); the target as the person set it.
    const QString veryLow = qs(GlucoseText(limits.veryLowBelow, data.request.units));
    const QString veryHigh = qs(GlucoseText(limits.veryHighAbove, data.request.units));
    const QString low = numberText(data.request.target.low);
    const QString high = numberText(data.request.target.high);
    switch (band) {
    case Band::VeryLow:
        return QStringLiteral("Very low (below %1)").arg(veryLow);
    case Band::Low:
        return QStringLiteral("Low (%1 to below %2)").arg(veryLow, low);
    case Band::InRange:
        return QStringLiteral("In range (%1 to %2)").arg(low, high);
    case Band::High:
        return QStringLiteral("High (above %1 to %2)").arg(high, veryHigh);
    case Band::VeryHigh:
        return QStringLiteral("Very high (above %1)").arg(veryHigh);
    }
    return {};
}

QString readingsCount(int count) {
    return count == 1 ? QStringLiteral("1 reading") : QStringLiteral("%1 readings").arg(count);
}

// Gives the top of what follows it.
double heading(PageKit &kit, double y, const QString &text) {
    return y + kit.text(QRectF(kit.area().left(), y, kit.area().width(), 0), text, 12, true) + 4;
}

// Label and value rows, like a small form.
double figureRows(PageKit &kit, double y, const std::vector<std::pair<QString, QString>> &rows,
                  double labelWidth = 230) {
    const QRectF area = kit.area();
    for (const auto &[label, value] : rows) {
        kit.text(QRectF(area.left(), y, labelWidth, 0), label, 9);
        kit.text(QRectF(area.left() + labelWidth, y, area.width() - labelWidth, 0), value, 9, true);
        y += 13;
    }
    return y;
}

void summaryPage(PageKit &kit, const ReportData &data) {
    const QRectF area = kit.area();
    const ReportStatistics &stats = data.stats;
    double y = area.top();
    y += kit.text(QRectF(area.left(), y, area.width(), 0), QStringLiteral("Norvalis Report"), 18,
                  true) +
         4;
    if (!data.request.name.trimmed().isEmpty())
        y += kit.text(QRectF(area.left(), y, area.width(), 0),
                      QStringLiteral("Name: %1").arg(data.request.name.trimmed()), 10);
    y += kit.text(
        QRectF(area.left(), y, area.width(), 0),
        QStringLiteral("Range: %1 to %2 (%3 days)")
            .arg(data.request.from.toString(kDateFormat), data.request.to.toString(kDateFormat))
            .arg(stats.days),
        10);
    y += kit.text(QRectF(area.left(), y, area.width(), 0),
                  QStringLiteral("Generated: %1")
                      .arg(data.generated.toString(QStringLiteral("yyyy-MM-dd HH:mm"))),
                  10);
    y += 6;
    y += kit.paragraph(QRectF(area.left(), y, area.width(), 0), disclaimerText(), 9, true) + 6;
    if (data.entries.isEmpty())
        y += kit.text(QRectF(area.left(), y, area.width(), 0),
                      noEntriesText(data.request.from, data.request.to), 10) +
             6;

    y += 6;
    y = heading(kit, y, QStringLiteral("Readings"));
    const ReadingFigures &r = stats.readings;
    y = figureRows(kit, y,
                   {{QStringLiteral("Readings"), QString::number(r.readings)},
                    {QStringLiteral("Readings per day"), perDay(stats.readingsPerDay, QString())},
                    {QStringLiteral("Mean"), glucose(data, r.mean)},
                    {QStringLiteral("Standard deviation"), glucose(data, r.sd)},
                    {QStringLiteral("Coefficient of variation"), percent(r.cv)}});

    y += 10;
    y = heading(kit, y, QStringLiteral("Share of readings (%1)").arg(unitsText(data)));
    drawBandBar(kit, QRectF(area.left(), y, area.width(), 16), r);
    y += 22;
    for (auto it = kBands.rbegin(); it != kBands.rend(); ++it) {
        const Band band = *it;
        kit.fill(QRectF(area.left(), y + 2, 8, 8), bandColour(band));
        kit.text(QRectF(area.left() + 14, y, 220, 0), bandCaption(band, data), 9);
        kit.text(QRectF(area.left() + 230, y, 80, 0), percent(r.percent(band)), 9, true,
                 Qt::AlignRight);
        kit.text(QRectF(area.left() + 320, y, 120, 0), readingsCount(r.count(band)), 9);
        y += 13;
    }
    y += 2;
    y += kit.text(QRectF(area.left(), y, area.width(), 0),
                  QStringLiteral("Readings in the low bands: %1 very low, %2 low")
                      .arg(r.count(Band::VeryLow))
                      .arg(r.count(Band::Low)),
                  9, true);

    y += 10;
    y = heading(kit, y, QStringLiteral("Insulin and carbohydrate"));
    const QString units = QStringLiteral("units per day");
    y = figureRows(
        kit, y,
        {{QStringLiteral("Rapid-acting taken"), perDay(stats.rapidPerDay, units)},
         {QStringLiteral("   of it worked out for correction"),
          perDay(stats.correctionPerDay, units)},
         {QStringLiteral("   for carbohydrate"), perDay(stats.carbDosePerDay, units)},
         {QStringLiteral("   for weighting"), perDay(stats.weightingPerDay, units)},
         {QStringLiteral("Long-acting taken"), perDay(stats.longPerDay, units)},
         {QStringLiteral("Carbohydrate"), perDay(stats.carbsPerDay, QStringLiteral("g per day"))}});
    y += 4;
    y += kit.paragraph(
        QRectF(area.left(), y, area.width(), 0),
        QStringLiteral("The split is of the figures worked out with each rapid-acting "
                       "entry; what was taken may differ from their sum."),
        8);
    y += 10;
    kit.paragraph(QRectF(area.left(), y, area.width(), 0),
                  QStringLiteral("No estimated A1c or GMI: both are defined on the mean of "
                                 "continuous sensor readings, which a logbook of readings "
                                 "does not give."),
                  9);
}

std::vector<TableColumn> periodColumns() {
    return {{QStringLiteral("Period"), 3},
            {QStringLiteral("Readings"), 1.3, Qt::AlignRight},
            {QStringLiteral("Mean"), 1.6, Qt::AlignRight},
            {QStringLiteral("Lowest"), 1.6, Qt::AlignRight},
            {QStringLiteral("Highest"), 1.6, Qt::AlignRight},
            {QStringLiteral("In range"), 1.4, Qt::AlignRight},
            {QStringLiteral("Units per day"), 1.8, Qt::AlignRight}};
}

QStringList periodRow(const ReportData &data, const PeriodFigures &p) {
    return {qs(p.period),
            QString::number(p.readings.readings),
            glucose(data, p.readings.mean),
            glucose(data, p.readings.lowest),
            glucose(data, p.readings.highest),
            percent(p.readings.percent(Band::InRange)),
            qs(FixedText(p.takenPerDay, 1))};
}

constexpr double kChartHeight = 215;

void periodsTablePart(PageKit &kit, double &y, const ReportData &data, std::size_t first,
                      std::size_t count, bool first_page) {
    const QRectF area = kit.area();
    y = heading(kit, y,
                first_page ? QStringLiteral("By period") : QStringLiteral("By period (continued)"));
    std::vector<QStringList> rows;
    for (std::size_t i = first; i < first + count; ++i)
        rows.push_back(periodRow(data, data.stats.periods[i]));
    if (rows.empty())
        rows.push_back({QStringLiteral("No periods in the settings file or the entries")});
    y += drawTable(kit, QRectF(area.left(), y, area.width(), 0), periodColumns(), rows) + 14;
}

void chartsPart(PageKit &kit, double y, const ReportData &data) {
    const QRectF area = kit.area();
    y = heading(kit, y, QStringLiteral("Readings by time of day (%1)").arg(unitsText(data)));
    drawModalDay(kit, QRectF(area.left(), y, area.width(), kChartHeight), data);
    y += kChartHeight + 4;
    kit.text(QRectF(area.left(), y, area.width(), 0),
             QStringLiteral("Shaded: the target range. Dashed: the limits of the bands."), 7, false,
             Qt::AlignLeft, QColor(90, 90, 90));
    y += 16;
    y = heading(kit, y, QStringLiteral("Day by day"));
    drawDayByDay(kit, QRectF(area.left(), y, area.width(), kChartHeight), data);
    y += kChartHeight + 4;
    kit.text(QRectF(area.left(), y, area.width(), 0),
             QStringLiteral("Line and points: readings (left axis, %1). Bars: units taken "
                            "(right axis).")
                 .arg(unitsText(data)),
             7, false, Qt::AlignLeft, QColor(90, 90, 90));
}

// "level,dose" as two cells, each as the file holds it.
QStringList levelAndDose(const std::string &entry) {
    const QString text = qs(entry);
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma < 0)
        return {text, QString()};
    return {text.left(comma), text.mid(comma + 1)};
}

struct Block {
    double height;
    Page paint; // draws at the y given through the kit's top
};

std::vector<QStringList> pairRows(const std::vector<std::string> &entries) {
    std::vector<QStringList> rows;
    for (const std::string &entry : entries)
        rows.push_back(levelAndDose(entry));
    if (rows.empty())
        rows.push_back({QStringLiteral("(none)"), QString()});
    return rows;
}

double periodBlockHeight(const PeriodTables &period) {
    const std::size_t rows =
        std::max<std::size_t>({period.correction.size(), period.weighting.size(), 1});
    return 16 + 14 + 12 + tableHeight(rows) + 14;
}

void paintPeriodBlock(PageKit &kit, double y, const PeriodTables &period) {
    const QRectF area = kit.area();
    y += kit.text(QRectF(area.left(), y, area.width(), 0), qs(period.period), 10, true) + 2;
    y += kit.text(
        QRectF(area.left(), y, area.width(), 0),
        QStringLiteral("Grams per unit: %1")
            .arg(period.gramsPerUnit.empty() ? QStringLiteral("(none)") : qs(period.gramsPerUnit)),
        9);
    const double half = (area.width() - 16) / 2;
    kit.text(QRectF(area.left(), y, half, 0), QStringLiteral("Correction (level → dose)"), 8, true);
    kit.text(QRectF(area.left() + half + 16, y, half, 0),
             QStringLiteral("Weighting (carbohydrate → dose)"), 8, true);
    y += 12;
    const std::vector<TableColumn> columns = {{QStringLiteral("Level"), 1},
                                              {QStringLiteral("Dose"), 1}};
    drawTable(kit, QRectF(area.left(), y, half, 0), columns, pairRows(period.correction));
    drawTable(kit, QRectF(area.left() + half + 16, y, half, 0),
              {{QStringLiteral("Carbohydrate"), 1}, {QStringLiteral("Dose"), 1}},
              pairRows(period.weighting));
}

QString setting(const std::string &value) {
    return value.empty() ? QStringLiteral("not set") : qs(value);
}

std::vector<Block> tableBlocks(const ReportData &data) {
    std::vector<Block> blocks;
    const FileTables &tables = data.tables;
    blocks.push_back({4 * 13 + 12, [&tables](PageKit &kit) {
                          const QRectF area = kit.area();
                          figureRows(kit, area.top(),
                                     {{QStringLiteral("Pen step"), setting(tables.penStep)},
                                      {QStringLiteral("Maximum dose"), setting(tables.maxDose)},
                                      {QStringLiteral("Low limit"), setting(tables.lowBelow)}},
                                     140);
                      }});
    if (tables.periods.empty())
        blocks.push_back({20, [](PageKit &kit) {
                              kit.text(kit.area(),
                                       QStringLiteral("The settings file lists no "
                                                      "periods."),
                                       9);
                          }});
    for (const PeriodTables &period : tables.periods)
        blocks.push_back({periodBlockHeight(period), [&period](PageKit &kit) {
                              paintPeriodBlock(kit, kit.area().top(), period);
                          }});
    return blocks;
}

// Weights that fit "2026-12-07", "Reading only" and each bold header in an A4 or Letter width.
std::vector<TableColumn> entryColumns() {
    return {{QStringLiteral("Date"), 1.85},
            {QStringLiteral("Time"), 1.05},
            {QStringLiteral("Kind"), 2.3},
            {QStringLiteral("Period"), 1.6},
            {QStringLiteral("Reading"), 1.45, Qt::AlignRight},
            {QStringLiteral("Carbs"), 1.15, Qt::AlignRight},
            {QStringLiteral("Corr."), 1.0, Qt::AlignRight},
            {QStringLiteral("Carb d."), 1.3, Qt::AlignRight},
            {QStringLiteral("Weight."), 1.45, Qt::AlignRight},
            {QStringLiteral("Total"), 1.0, Qt::AlignRight},
            {QStringLiteral("Taken"), 1.15, Qt::AlignRight},
            {QStringLiteral("Note"), 2.6, Qt::AlignLeft, true}};
}

QStringList entryRow(const logbook::LogEntry &e) {
    const QDateTime local = e.takenAt.toLocalTime();
    return {local.toString(kDateFormat),
            local.toString(QStringLiteral("HH:mm")),
            logbook::kindCaption(e.kind),
            e.period,
            e.bloodSugar > 0 ? numberText(e.bloodSugar) : QString(),
            e.carbs != 0 ? numberText(e.carbs) : QString(),
            e.correctionDose,
            e.carbDose,
            e.weightingDose,
            e.totalDose,
            numberText(e.taken),
            e.note.simplified()};
}

// Adds pages to the plan; the painters hold references into data, which outlives them.
class Planner {
public:
    // kit measures the rows whose notes take more than one line.
    Planner(const ReportData &data, PageKit &kit) : data_(data), kit_(kit), area_(kit.area()) {}

    std::vector<Page> plan() {
        pages_.push_back([this](PageKit &kit) { summaryPage(kit, data_); });
        planPeriods();
        planTables();
        planEntries();
        return std::move(pages_);
    }

private:
    double usable() const { return area_.height() - kFooterSpace; }

    void planPeriods() {
        const std::size_t count = data_.stats.periods.size();
        const double chartsHeight = 2 * (kChartHeight + 40);
        const int perPage = std::max(1, int((usable() - 40) / kRowHeight) - 1);
        std::size_t first = 0;
        bool firstPage = true;
        // The table, continued over pages when a log names very many periods; the charts
        // follow on the page where it ends when they fit.
        while (true) {
            const std::size_t rows = std::min<std::size_t>(count - first, std::size_t(perPage));
            const double tableSpace = 30 + tableHeight(std::max<std::size_t>(rows, 1));
            const bool last = first + rows >= count;
            const bool chartsHere = last && tableSpace + chartsHeight <= usable();
            pages_.push_back([this, first, rows, firstPage, chartsHere](PageKit &kit) {
                double y = kit.area().top();
                periodsTablePart(kit, y, data_, first, rows, firstPage);
                if (chartsHere)
                    chartsPart(kit, y, data_);
            });
            if (last) {
                if (!chartsHere)
                    pages_.push_back(
                        [this](PageKit &kit) { chartsPart(kit, kit.area().top(), data_); });
                return;
            }
            first += rows;
            firstPage = false;
        }
    }

    void planTables() {
        blocks_ = tableBlocks(data_);
        std::vector<std::pair<std::size_t, std::size_t>> spans; // blocks [first, end) per page
        const double start = 40;                                // the heading and its note
        double y = start;
        std::size_t first = 0;
        for (std::size_t i = 0; i < blocks_.size(); ++i) {
            if (y + blocks_[i].height > usable() && i > first) {
                spans.push_back({first, i});
                first = i;
                y = start;
            }
            y += blocks_[i].height;
        }
        spans.push_back({first, blocks_.size()});
        for (std::size_t s = 0; s < spans.size(); ++s) {
            const auto [from, to] = spans[s];
            pages_.push_back([this, from, to, s](PageKit &kit) {
                const QRectF area = kit.area();
                double y = heading(kit, area.top(),
                                   s == 0 ? QStringLiteral("Dose tables")
                                          : QStringLiteral("Dose tables (continued)"));
                kit.text(QRectF(area.left(), y, area.width(), 0),
                         QStringLiteral("As the settings file holds them: what the doses are "
                                        "worked out from."),
                         8);
                y = area.top() + 40;
                for (std::size_t i = from; i < to; ++i) {
                    // Each block draws at the top of its own area.
                    PageKit shifted = kit.below(y);
                    blocks_[i].paint(shifted);
                    y += blocks_[i].height;
                }
            });
        }
    }

    void planEntries() {
        const qsizetype count = data_.entries.size();
        const std::vector<TableColumn> columns = entryColumns();
        const double room = usable() - 24 - kRowHeight; // below the heading and the header
        qsizetype first = 0;
        do {
            // As many rows as fit, at least one; a row is one line unless its note wraps.
            qsizetype end = first;
            double used = 0;
            while (end < count) {
                const logbook::LogEntry &entry = data_.entries[end];
                const double height =
                    entry.note.isEmpty() ? kRowHeight
                                         : rowHeight(kit_, area_.width(), columns, entryRow(entry));
                if (end > first && used + height > room)
                    break;
                used += height;
                ++end;
            }
            pages_.push_back([this, first, end](PageKit &kit) {
                const QRectF area = kit.area();
                double y = heading(kit, area.top(),
                                   first == 0 ? QStringLiteral("Entries, oldest first")
                                              : QStringLiteral("Entries (continued)"));
                std::vector<QStringList> cells;
                cells.reserve(std::size_t(end - first));
                for (qsizetype i = first; i < end; ++i)
                    cells.push_back(entryRow(data_.entries[i]));
                drawTable(kit, QRectF(area.left(), y, area.width(), 0), entryColumns(), cells);
                if (data_.entries.isEmpty())
                    kit.text(QRectF(area.left(), y + kRowHeight + 4, area.width(), 0),
                             noEntriesText(data_.request.from, data_.request.to), 9);
            });
            first = end;
        } while (first < count);
    }

    const ReportData &data_;
    PageKit &kit_;
    QRectF area_;
    std::vector<Page> pages_;
    std::vector<Block> blocks_;
};

void footer(PageKit &kit, int page, int pages) {
    const QRectF area = kit.area();
    const double y = area.bottom() - 10;
    kit.line({area.left(), y - 3}, {area.right(), y - 3}, QColor(180, 180, 180));
    kit.text(
        QRectF(area.left(), y, area.width(), 0),
        QStringLiteral("Norvalis %1 — not medical advice").arg(QStringLiteral(NORVALIS_VERSION)),
        7.5, false, Qt::AlignLeft, QColor(70, 70, 70));
    kit.text(QRectF(area.left(), y, area.width(), 0),
             QStringLiteral("Page %1 of %2").arg(page).arg(pages), 7.5, false, Qt::AlignRight,
             QColor(70, 70, 70));
}

} // namespace

QString disclaimerText() {
    return QStringLiteral("Not medical advice — percentages are of readings, not of time: this "
                          "is not a CGM report.");
}

QString noEntriesText(const QDate &from, const QDate &to) {
    return QStringLiteral("No entries between %1 and %2.")
        .arg(from.toString(kDateFormat), to.toString(kDateFormat));
}

bool paintReport(QPagedPaintDevice &device, const ReportData &data,
                 const ReportProgress &progress) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QSizeF size = device.pageLayout().paintRectPoints().size();
    const QRectF pagePoints(QPointF(0, 0), size);
    PageKit kit(painter, device.logicalDpiY(), pagePoints);
    Planner planner(data, kit); // the pages' painters refer to it
    const std::vector<Page> pages = planner.plan();
    const int total = int(pages.size());
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total)) {
            painter.end();
            return false;
        }
        if (i > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        pages[std::size_t(i)](kit);
        footer(kit, i + 1, total);
    }
    if (progress)
        progress(total, total);
    return painter.end();
}

QPageSize::PageSizeId localePageSize(const QLocale &locale) {
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Philippines:
    case QLocale::Chile:
    case QLocale::Colombia:
        return QPageSize::Letter;
    default:
        return QPageSize::A4;
    }
}

} // namespace report
