#pragma once

#include "platform/app_info.h"
#include "platform/registry.h"

#include <QDialog>

class QShowEvent;

// "About Norvalis" (object name frmAbout). Construction runs its load procedure (title and
// version); it deletes itself when closed, so each opening starts afresh.
class AboutBox : public QDialog {
    Q_OBJECT

public:
    explicit AboutBox(QWidget *owner);

    // Reads the value SubKeyRef of the key KeyName under KeyRoot into KeyVal: a text as it is
    // stored up to its first zero character, a 32-bit number as "&h" and its upper-case
    // hexadecimal digits. Any other type leaves KeyVal as it was. A key or value that cannot
    // be read empties KeyVal and gives false.
    static bool GetKeyValue(platform::registry::KeyHandle KeyRoot, const QString &KeyName,
                            const QString &SubKeyRef, QString &KeyVal);

    // The version line: "Version major.minor.revision".
    static QString versionCaption(const platform::Version &version);
    // "Settings file: PATH", naming the file the program reads and stores.
    static QString settingsFileCaption();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void centreOverOwner();
};
