#include "tests/support/test_environment.h"

#include "core/dose_settings.h"
#include "platform/app_info.h"
#include "platform/settings_location.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QMessageBox>
#include <QSettings>

namespace testsupport {

namespace {
QString userStoreKey(const QString &key) {
    return QStringLiteral("Settings/") + key;
}
} // namespace

ModalWatchdog::ModalWatchdog() {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::check);
    timer_.start();
}

void ModalWatchdog::check() {
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || allowed_.contains(modal->objectName()))
        return;
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        SeenMessageBox seen{
            box->windowTitle(), box->text(), box->icon() == QMessageBox::Information, {}};
        for (const QAbstractButton *button : box->buttons())
            seen.buttons << button->text();
        const bool asked = !answers_.isEmpty();
        QAbstractButton *answer = asked ? box->button(answers_.takeFirst()) : nullptr;
        if (asked && !answer)
            seen.title.prepend(QStringLiteral("unanswerable: "));
        seen_.append(seen);
        if (answer)
            answer->click();
        else
            box->done(QMessageBox::Ok);
    } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        seen_.append({QStringLiteral("unexpected modal: ") + dialog->windowTitle(), QString()});
        dialog->reject();
    } else {
        // Any other modal window would block the test as surely: close it too, so a failed
        // row ends as a failure and the rows after it still run.
        seen_.append({QStringLiteral("unexpected modal: ") + modal->windowTitle(), QString()});
        modal->close();
    }
}

TestEnvironment::TestEnvironment() : watchdog_(std::make_unique<ModalWatchdog>()) {
    platform::setSettingsDirectoryOverride(dir_.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path() + "/user");
    norvalis::SharedDoseSettings() = norvalis::DoseSettings{};
}

TestEnvironment::~TestEnvironment() {
    platform::setSettingsDirectoryOverride(QString());
}

QString TestEnvironment::settingsFilePath() const {
    return platform::settingsFilePath();
}

void TestEnvironment::writeSettingsFile(const QByteArray &bytes) const {
    QFile file(settingsFilePath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test settings file");
}

QByteArray TestEnvironment::readSettingsFile() const {
    QFile file(settingsFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString TestEnvironment::userSetting(const QString &key) const {
    const QString app = platform::applicationTitle();
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, app, app);
    const QVariant value = store.value(userStoreKey(key));
    return value.isValid() ? value.toString() : QString();
}

void TestEnvironment::setUserSetting(const QString &key, const QString &value) const {
    const QString app = platform::applicationTitle();
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, app, app);
    store.setValue(userStoreKey(key), value);
    store.sync();
}

void whenIdle(std::function<void()> fn) {
    QTimer::singleShot(0, qApp, std::move(fn));
}

} // namespace testsupport
