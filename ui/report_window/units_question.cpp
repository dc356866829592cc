#include "ui/report_window/units_question.h"

#include "core/file_access.h"
#include "core/ini_document.h"
#include "platform/message_box.h"
#include "platform/settings_location.h"

#include <QFile>
#include <QIcon>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString unitsName(norvalis::GlucoseUnits units) {
    return QString::fromStdString(std::string(norvalis::GlucoseUnitsText(units)));
}

} // namespace

std::optional<norvalis::GlucoseUnits> reportUnits(QWidget *parent, const QString &settingsPath) {
    const std::string path = QFile::encodeName(settingsPath).toStdString();
    std::string bytes;
    if (norvalis::ReadWholeFile(path, bytes).ok) {
        const norvalis::GlucoseOptions stored =
            norvalis::ReadGlucoseOptions(norvalis::IniDocument(std::move(bytes)));
        if (stored.units)
            return stored.units;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("Norvalis Report"),
                    QStringLiteral("Which units are your blood sugar readings in?\n\nThe answer "
                                   "is kept in the settings file; Options… changes it."),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setObjectName(QStringLiteral("unitsQuestion"));
    // The two answers are units, not yes and no: no tick or cross on them.
    for (const auto &[button, units] :
         {std::pair{QMessageBox::Yes, norvalis::GlucoseUnits::MgPerDl},
          std::pair{QMessageBox::No, norvalis::GlucoseUnits::MmolPerL}}) {
        box.button(button)->setText(unitsName(units));
        box.button(button)->setIcon(QIcon());
    }
    const int answer = box.exec();
    if (answer != QMessageBox::Yes && answer != QMessageBox::No)
        return std::nullopt;
    const auto units = answer == QMessageBox::Yes ? norvalis::GlucoseUnits::MgPerDl
                                                  : norvalis::GlucoseUnits::MmolPerL;
    // The program's own settings file goes through its store, which makes a per-user file's
    // private folder on first use; a file named by the caller is written where it is.
    const auto store = [units](const std::string &target) {
        return norvalis::StoreGlucoseUnits(target, units);
    };
    const norvalis::FileResult saved = settingsPath == platform::settingsFilePath()
                                           ? platform::storeSettingsFile(store)
                                           : store(path);
    if (!saved.ok)
        platform::messageBox(parent, QStringLiteral("The units were not saved; the report uses "
                                                    "them this time.\n\nFile: %1\nReason: %2")
                                         .arg(settingsPath, QString::fromStdString(saved.error)));
    return units;
}
