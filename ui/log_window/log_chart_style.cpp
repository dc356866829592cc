#include "ui/log_window/log_chart_style.h"

#include <QAbstractAxis>
#include <QChart>
#include <QLegend>

void styleChart(QChart *chart, const QPalette &palette, const QFont &font) {
    const QColor text = palette.color(QPalette::Text);
    // Between text and background: the grid stays behind the lines it measures.
    const QColor grid = palette.color(QPalette::Mid);
    chart->setBackgroundBrush(palette.brush(QPalette::Base));
    chart->setBackgroundPen(Qt::NoPen);
    chart->setPlotAreaBackgroundVisible(false);
    chart->setTitleBrush(text);
    chart->setTitleFont(font);
    chart->legend()->setLabelColor(text);
    chart->legend()->setFont(font);
    for (QAbstractAxis *axis : chart->axes()) {
        axis->setLabelsBrush(text);
        axis->setLabelsFont(font);
        axis->setTitleBrush(text);
        axis->setTitleFont(font);
        axis->setLinePenColor(grid);
        axis->setGridLineColor(grid);
        axis->setMinorGridLineColor(grid);
    }
}
