#pragma once

#include <QByteArray>
#include <QTest>
#include <QWidget>

namespace fixture {

// The worked example: Breakfast (10 g a unit, correction 140,1 / 180,2 / 220,3, weighting
// 60,1 / 100,2), Lunch (12 g a unit, correction 150,1) and Supper (no tables).
inline QByteArray breakfastLunchSupper() {
    return "[Period]\nP_1=Breakfast\nP_2=Lunch\nP_3=Supper\n\n"
           "[Breakfast]\nCD_1=10\nBS_1=140,1\nBS_2=180,2\nBS_3=220,3\nCW_1=60,1\nCW_2=100,2\n\n"
           "[Lunch]\nCD_1=12\nBS_1=150,1\n";
}

// Periods "Period 1" .. "Period <count>"; period i covers 10 + i grams a unit.
inline QByteArray numberedPeriods(int count) {
    QByteArray periods = "[Period]\n";
    QByteArray tables;
    for (int i = 1; i <= count; ++i) {
        const QByteArray n = QByteArray::number(i);
        periods += "P_" + n + "=Period " + n + "\n";
        tables += "[Period " + n + "]\nCD_1=" + QByteArray::number(10 + i) + "\n";
    }
    return periods + "\n" + tables;
}

template <typename T> T *child(const QWidget &window, const char *objectName) {
    T *found = window.findChild<T *>(QString::fromLatin1(objectName));
    if (!found)
        qFatal("no widget named %s", objectName);
    return found;
}

// Shows the window and waits until it has the keyboard focus, as a user's window would.
inline bool showActive(QWidget &window) {
    window.show();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace fixture
