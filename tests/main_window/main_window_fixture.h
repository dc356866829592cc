#pragma once

// What every main-window test program shares: a fresh environment and window per test, and
// short ways to reach its widgets.

#include "tests/support/test_environment.h"
#include "ui/main_window/main_window.h"

#include <QLabel>
#include <QTest>
#include <memory>
#include <optional>

namespace mainwindowtest {

// Breakfast: 10 g a unit, correction 140,1 / 180,2, weighting 60,1. Lunch: 12 g a unit.
inline const QByteArray kMeals = "[Period]\nP_1=Breakfast\nP_2=Lunch\n\n[Breakfast]\nCD_1=10\n"
                                 "BS_1=140,1\nBS_2=180,2\nCW_1=60,1\n\n[Lunch]\nCD_1=12\n";

inline QString rate(const QString &grams) {
    return QStringLiteral("1 Unit Insulin per %1 grms Carbohydrate").arg(grams);
}

class Fixture : public QObject {
protected:
    std::optional<testsupport::TestEnvironment> env_;
    std::unique_ptr<MainWindow> window_;

    // Call from the test's init() and cleanup() slots.
    void begin() { env_.emplace(); }
    void end() {
        window_.reset();
        env_.reset();
    }

    // A fresh main window over this settings file (none when null), shown and active.
    bool open(const QByteArray &file = kMeals) {
        if (!file.isNull())
            env_->writeSettingsFile(file);
        window_.reset(new MainWindow);
        window_->show();
        // Generous: on a busy machine the window manager under Xvfb may take seconds to
        // activate the window; the wait ends as soon as it is active.
        return QTest::qWaitForWindowActive(window_.get(), 30000);
    }
    template <typename T = QWidget> T *find(const char *name) const {
        return window_->findChild<T *>(name);
    }
    QString text(const char *label) const { return find<QLabel>(label)->text(); }
};

} // namespace mainwindowtest
