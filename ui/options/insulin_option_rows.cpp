#include "ui/options/insulin_option_rows.h"

#include "core/dose_options.h"
#include "core/ini_document.h"
#include "core/insulin_options.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit *addBox(QFormLayout *form, const char *caption, const char *name, const char *objectName,
                  const char *description, QWidget *parent) {
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setAccessibleName(QString::fromLatin1(name));
    edit->setAccessibleDescription(QString::fromLatin1(description));
    auto *label = new QLabel(QString::fromLatin1(caption), parent);
    label->setBuddy(edit);
    form->addRow(label, edit);
    return edit;
}

QString fromStd(const std::string &text) {
    return QString::fromStdString(text);
}

void refuseIn(QLineEdit *edit) {
    edit->setFocus();
    edit->selectAll();
}

} // namespace

InsulinOptionRows::InsulinOptionRows(QFormLayout *form, QWidget *parent) {
    curve_ = new QComboBox(parent);
    curve_->setObjectName(QStringLiteral("InsulinCurve"));
    curve_->setAccessibleName(QStringLiteral("Insulin curve"));
    for (const norvalis::InsulinCurve curve :
         {norvalis::InsulinCurve::Rapid, norvalis::InsulinCurve::UltraRapid})
        curve_->addItem(fromStd(std::string(norvalis::CurveName(curve))), int(curve));
    auto *curveLabel = new QLabel(QStringLiteral("Insulin &curve:"), parent);
    curveLabel->setBuddy(curve_);
    form->addRow(curveLabel, curve_);
    hours_ = addBox(form, "Insulin &hours (5 to 8):", "Insulin hours", "InsulinHours",
                    "How long rapid insulin acts; empty means 6", parent);
    lowBelow_ = addBox(form, "&Low below:", "Low below", "LowBelow",
                       "Readings below this are lows; empty turns the warning off", parent);
}

void InsulinOptionRows::fill(const norvalis::IniDocument &file) {
    const norvalis::InsulinCurve curve =
        norvalis::CurveFromName(file.Value(norvalis::kOptionsSection, norvalis::kInsulinCurveKey))
            .value_or(norvalis::InsulinCurve::Rapid);
    curve_->setCurrentIndex(curve_->findData(int(curve)));
    // Shown as read, so a value the program ignores is there to be corrected.
    hours_->setText(fromStd(file.Value(norvalis::kOptionsSection, norvalis::kInsulinHoursKey)));
    lowBelow_->setText(fromStd(file.Value(norvalis::kOptionsSection, norvalis::kLowBelowKey)));
}

QString InsulinOptionRows::store(norvalis::IniDocument &file, QString &editError) {
    const norvalis::OptionText hours = norvalis::ReadInsulinHoursText(hours_->text().toStdString());
    if (hours.kind != norvalis::OptionTextKind::Off &&
        hours.kind != norvalis::OptionTextKind::Number) {
        refuseIn(hours_);
        return QStringLiteral("\"Insulin hours\" must be a number of hours from 5 to 8, or "
                              "empty for 6.");
    }
    const norvalis::OptionText low = norvalis::ReadOptionText(lowBelow_->text().toStdString());
    if (low.kind != norvalis::OptionTextKind::Off && low.kind != norvalis::OptionTextKind::Number) {
        refuseIn(lowBelow_);
        return low.kind == norvalis::OptionTextKind::NoNumber
                   ? QStringLiteral("\"Low below\" must start with a number, or be empty to "
                                    "turn it off.")
                   : QStringLiteral("\"Low below\" must be a number above 0, or empty to turn "
                                    "it off.");
    }
    const auto set = [&](std::string_view key, const std::string &value) {
        const norvalis::IniDocument::EditResult edited =
            file.SetValue(norvalis::kOptionsSection, key, value);
        if (!edited.ok && editError.isEmpty())
            editError = fromStd(edited.error);
    };
    const auto curve = norvalis::InsulinCurve(curve_->currentData().toInt());
    // The default curve is written only where the file already names one, so a file that
    // never had the key keeps its lines as they were.
    if (curve != norvalis::InsulinCurve::Rapid ||
        !file.Value(norvalis::kOptionsSection, norvalis::kInsulinCurveKey).empty())
        set(norvalis::kInsulinCurveKey, std::string(norvalis::CurveName(curve)));
    for (const auto &[key, read] :
         {std::pair{norvalis::kInsulinHoursKey, hours}, std::pair{norvalis::kLowBelowKey, low}}) {
        if (read.kind == norvalis::OptionTextKind::Off)
            file.RemoveKey(norvalis::kOptionsSection, key);
        else
            set(key, read.stored);
    }
    return {};
}
