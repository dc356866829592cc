#pragma once

// What the dosages dialog tests share: settings files, reading back what was stored, and
// finding and filling the dialog's widgets by object name.

#include "core/settings_file.h"
#include "tests/support/test_environment.h"
#include "ui/dialogs/doses_config_dialog.h"
#include "ui/dialogs/doses_layout.h"
#include "ui/widget_table/widget_builder.h"

#include <QtTest>
#include <QtWidgets>

namespace dialogtest {

inline const QByteArray kLunch = "[Lunch]\nCD_1=12\nBS_1=150,1\n";
inline QByteArray breakfastWith(const QByteArray &section) {
    return "[Period]\nP_1=Breakfast\nP_2=Lunch\n\n[Breakfast]\n" + section + "\n" + kLunch;
}
// Breakfast's grams per unit are 20: the calculation uses the last entry.
inline const QByteArray kStored =
    breakfastWith("CD_1=10\nCD_2=20\nBS_1=140,1\nBS_2=180,2\nCW_1=60,1\n");

// A fresh scratch settings file and shared tables for each test, the dialog under test, and
// finding and filling its widgets by object name.
class DialogFixture {
protected:
    std::unique_ptr<testsupport::TestEnvironment> env_;
    QPointer<DosesConfigDialog> d_; // watched, not owned: Cancel and the close box destroy it

    void startFixture() { env_ = std::make_unique<testsupport::TestEnvironment>(); }
    void endFixture() {
        delete d_.data();
        env_.reset();
    }
    // Writes the settings file, reads the period list as start-up does, and builds a dialog.
    DosesConfigDialog *open(const QByteArray &ini = kStored, QWidget *owner = nullptr) {
        env_->writeSettingsFile(ini);
        norvalis::LoadSettings(norvalis::SharedDoseSettings(), "periods", "",
                               env_->settingsFilePath().toStdString());
        return reopen(owner);
    }
    DosesConfigDialog *reopen(QWidget *owner = nullptr) {
        delete d_.data();
        return d_ = new DosesConfigDialog(owner);
    }
    // Shown and active, so that key presses and the focus behave as for a person.
    bool openShown(const QByteArray &ini = kStored) {
        open(ini)->show();
        return QTest::qWaitForWindowActive(d_);
    }

    // "correction / weighting / carbohydrate", entries joined by '|'; one left beyond the
    // count is marked '!'.
    static QString tablesOf(const norvalis::DoseSettings &s) {
        const auto list = [](const norvalis::TextTable &table, int count) {
            QStringList entries;
            for (int i = 1; i <= 12; ++i)
                if (i <= count || !table[i].empty())
                    entries << QString::fromStdString(table[i]) + (i > count ? "!" : "");
            return entries.join('|');
        };
        return list(s.CorrectionTable, s.Counts.CorrectionCount) + " / " +
               list(s.WeightingTable, s.Counts.WeightingCount) + " / " +
               list(s.CarbDoseTable, s.Counts.CarbDoseCount);
    }
    // The tables of a period as the settings file holds them now, and as the program shares them.
    QString stored(const char *period) const {
        norvalis::DoseSettings s;
        norvalis::LoadSettings(s, "dosages", period, env_->settingsFilePath().toStdString());
        return tablesOf(s);
    }
    static QString shared() { return tablesOf(norvalis::SharedDoseSettings()); }

    template <typename T = QWidget> static T *child(const QWidget *d, const QString &name) {
        if (T *found = d->findChild<T *>(name))
            return found;
        qFatal("no widget named %s", qPrintable(name));
    }
    static QString text(QWidget *d, const char *box) { return child<QLineEdit>(d, box)->text(); }
    static void click(QWidget *d, const char *b) { QTest::mouseClick(child(d, b), Qt::LeftButton); }

    // Tabs are counted from 1, as the captions stand: 1 Blood Sugar, 2 Weighting, 3 Carbohydrate.
    static void selectTab(QWidget *d, int tab) {
        child<QTabBar>(d, "tbsOptions")->setCurrentIndex(tab - 1);
    }
    static int selectedTab(QWidget *d) {
        return child<QTabBar>(d, "tbsOptions")->currentIndex() + 1;
    }

    // Box texts are written "INPUT_BS_1=5;INPUT_BS_13=1.5", in the order given.
    static void type(QWidget *d, const QString &list) {
        for (const QString &item : list.split(';', Qt::SkipEmptyParts))
            child<QLineEdit>(d, item.section('=', 0, 0))->setText(item.section('=', 1));
    }
    // The boxes that hold text, in the same notation, in the layout table's order.
    static QString filledBoxes(QWidget *d) {
        QStringList filled;
        for (const widget_table::WidgetRow &row : doses_layout::kLayout) {
            const auto *box = d->findChild<QLineEdit *>(widget_table::objectNameOf(row));
            if (box && !box->text().isEmpty())
                filled << box->objectName() + '=' + box->text();
        }
        return filled.join(';');
    }
    // The widget that holds the dialog's focus, which it has whenever the dialog is active.
    static QString focusName(const QWidget *d) {
        return d->focusWidget() ? d->focusWidget()->objectName() : QString();
    }
};

} // namespace dialogtest
