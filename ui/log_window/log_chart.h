#pragma once

#include "logbook/log_entry.h"

#include <QChartView>
#include <QList>

class QGraphicsSimpleTextItem;

// Blood sugar readings over time as a line on the left axis, and the doses taken as bars on a
// right-hand axis, both over one time axis. With no entries it says so instead of drawing
// empty axes. Colours and font follow the palette and the desktop's font.
class LogChart : public QChartView {
    Q_OBJECT

public:
    explicit LogChart(QWidget *parent = nullptr);
    void setEntries(const QList<logbook::LogEntry> &entries);

    // The text shown in place of the axes, or nullptr.
    const QGraphicsSimpleTextItem *emptyText() const { return empty_; }

protected:
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void showEmpty(bool empty);
    void placeEmptyText();
    void restyle();
    void fitTimeTicks();

    QGraphicsSimpleTextItem *empty_ = nullptr;
};
