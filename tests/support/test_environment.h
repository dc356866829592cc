#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

namespace testsupport {

// A message box the watchdog closed, as the user would have seen it.
struct SeenMessageBox {
    QString title;
    QString text;
    bool informationIcon = false;
    QStringList buttons{}; // the captions offered, in the box's order
};

// Closes every modal message box that opens while a test runs and records it, so a box can
// never block a test; any other unexpected modal window (a dialog or a plain modal widget) is
// closed too and recorded with an empty text and its window title prefixed by
// "unexpected modal: ".
class ModalWatchdog : public QObject {
public:
    ModalWatchdog();
    const QList<SeenMessageBox> &seen() const { return seen_; }
    void clear() { seen_.clear(); }
    // Windows of this object name are left alone (the dialog under test, shown modally).
    void allowModal(const QString &objectName) { allowed_.append(objectName); }
    // The next message box that asks something is answered with this button instead of being
    // closed; answers queue up in the order the boxes will come. A box without that button is
    // closed as usual and recorded with its title prefixed by "unanswerable: ".
    void answerNext(QMessageBox::StandardButton button) { answers_.append(button); }

private:
    void check();
    QTimer timer_;
    QList<SeenMessageBox> seen_;
    QStringList allowed_;
    QList<QMessageBox::StandardButton> answers_;
};

// A fresh state for one test: a scratch directory that holds Norvalis.ini (the program's
// settings file path points there) and the per-user store, and a fresh shared DoseSettings.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    QString directory() const { return dir_.path(); }
    QString settingsFilePath() const;
    // Writes Norvalis.ini with exactly these bytes.
    void writeSettingsFile(const QByteArray &bytes) const;
    QByteArray readSettingsFile() const;
    // The per-user store's value, or a null QString when it is not stored.
    QString userSetting(const QString &key) const;
    void setUserSetting(const QString &key, const QString &value) const;

    ModalWatchdog &watchdog() { return *watchdog_; }

private:
    QTemporaryDir dir_;
    std::unique_ptr<ModalWatchdog> watchdog_;
};

// Runs fn once the event loop is idle again: for acting inside a modal dialog's own loop.
void whenIdle(std::function<void()> fn);

} // namespace testsupport
