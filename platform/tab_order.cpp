#include "platform/tab_order.h"

#include <QWidget>
#include <algorithm>

namespace platform {

QWidget *chainTabOrder(TabStops stops) {
    std::stable_sort(stops.begin(), stops.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1].second, stops[i].second);
    return stops.empty() ? nullptr : stops.front().second;
}

} // namespace platform
