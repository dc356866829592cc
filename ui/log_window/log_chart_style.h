#pragma once

#include <QFont>
#include <QPalette>

class QChart;

// Gives the chart, its axes and its legend the colours of the palette and the desktop's font,
// so it is neither a white panel on a dark desktop nor in a face of its own. Run again after
// axes are added and whenever the palette or the font changes.
void styleChart(QChart *chart, const QPalette &palette, const QFont &font);
