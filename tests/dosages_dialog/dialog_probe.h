#pragma once

#include "core/settings_file.h"
#include "platform/tab_strip.h"
#include "platform/twips.h"
#include "tests/support/test_environment.h"
#include "ui/dialogs/doses_config_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

// Reaches the dialog's widgets by their object names, and sets up the settings file.
namespace probe {

inline QString indexed(const char *name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

template <typename T = QWidget> T *child(const QWidget *dialog, const QString &name) {
    T *found = dialog->findChild<T *>(name);
    if (!found)
        qFatal("no widget named %s", qPrintable(name));
    return found;
}

inline QLineEdit *box(const QWidget *d, const QString &name) {
    return child<QLineEdit>(d, name);
}
inline QGroupBox *page(const QWidget *d, int i) {
    return child<QGroupBox>(d, indexed("frameDosages", i));
}
inline platform::TabStrip *tabs(const QWidget *d) {
    return child<platform::TabStrip>(d, QStringLiteral("tbsOptions"));
}
inline QComboBox *mealtime(const QWidget *d) {
    return child<QComboBox>(d, QStringLiteral("Mealtime"));
}
inline QPushButton *button(const QWidget *d, const char *name) {
    return child<QPushButton>(d, QString::fromLatin1(name));
}

// The layout name of the focused widget: the tab strip's bar stands for the strip.
inline QString focusName() {
    const QWidget *focused = QApplication::focusWidget();
    if (!focused)
        return QStringLiteral("(none)");
    if (qobject_cast<const QTabBar *>(focused) && focused->parentWidget())
        return focused->parentWidget()->objectName();
    return focused->objectName();
}

// Boxes and their texts written as "INPUT_BS_1=5;INPUT_BS_13=1.5".
inline QList<QPair<QString, QString>> boxTexts(const QString &list) {
    QList<QPair<QString, QString>> boxes;
    for (const QString &item : list.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        boxes.append({item.left(eq), item.mid(eq + 1)});
    }
    return boxes;
}

inline void type(const QWidget *d, const QString &list) {
    for (const auto &[name, text] : boxTexts(list))
        box(d, name)->setText(text);
}

// The dialog under test. It may destroy itself (Cancel, close box), so it is watched rather
// than owned; whatever is left at the end of the test goes.
class Dialog {
public:
    explicit Dialog(DosesConfigDialog *dialog) : dialog_(dialog) {}
    ~Dialog() { delete dialog_.data(); }
    Dialog(const Dialog &) = delete;
    Dialog &operator=(const Dialog &) = delete;
    DosesConfigDialog *get() const { return dialog_.data(); }
    bool destroyed() const {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return dialog_.isNull();
    }

private:
    QPointer<DosesConfigDialog> dialog_;
};

// Writes the settings file and reads the period list the way the main window's start-up does.
inline void loadPeriods(const testsupport::TestEnvironment &env, const QByteArray &ini) {
    env.writeSettingsFile(ini);
    norvalis::LoadSettings(norvalis::SharedDoseSettings(), "periods", "",
                           env.settingsFilePath().toStdString());
}

inline const QByteArray kThreePeriods = "[Period]\nP_1=Breakfast\nP_2=Lunch\nP_3=Supper\n\n"
                                        "[Breakfast]\nCD_1=10\nCD_2=20\nBS_1=140,1\nBS_2=180,2\n"
                                        "BS_3=220,3\nCW_1=60,1\nCW_2=100,2\n\n"
                                        "[Lunch]\nCD_1=12\nBS_1=150,1\n";

// Shows the dialog (not modally) with the keyboard focus, for real key presses.
inline bool showActive(QWidget *dialog) {
    dialog->show();
    dialog->activateWindow();
    return QTest::qWaitForWindowActive(dialog);
}

} // namespace probe
