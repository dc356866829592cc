#pragma once

#include "report/document/page_kit.h"
#include "report/document/report_data.h"

namespace report {

QColor bandColour(Band band);

// The five bands' shares as one bar, lowest on the left.
void drawBandBar(PageKit &kit, const QRectF &rect, const ReadingFigures &figures);
// Every reading at its time of day, the target band shaded and the band limits as lines.
void drawModalDay(PageKit &kit, const QRectF &rect, const ReportData &data);
// Readings as a line over the days of the range and the doses taken as bars, as the log
// window draws them.
void drawDayByDay(PageKit &kit, const QRectF &rect, const ReportData &data);

} // namespace report
