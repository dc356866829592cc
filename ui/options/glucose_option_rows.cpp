#include "ui/options/glucose_option_rows.h"

#include "core/dose_options.h"
#include "core/glucose_options.h"
#include "ui/number_input/typed_number.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

QLineEdit *addTargetBox(QFormLayout *form, const char *caption, const char *objectName,
                        const char *spoken, QWidget *parent) {
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setAccessibleName(QString::fromLatin1(spoken));
    edit->setAccessibleDescription(QStringLiteral("Empty uses the default of the units"));
    auto *label = new QLabel(QString::fromLatin1(caption), parent);
    label->setBuddy(edit);
    form->addRow(label, edit);
    return edit;
}

QString text(const std::string &value) {
    return QString::fromStdString(value);
}

} // namespace

GlucoseOptionRows::GlucoseOptionRows(QFormLayout *form, QWidget *parent) {
    units_ = new QComboBox(parent);
    units_->setObjectName(QStringLiteral("GlucoseUnits"));
    units_->setAccessibleName(QStringLiteral("Glucose units"));
    units_->addItem(QStringLiteral("(not set)"), QString());
    for (const auto units : {norvalis::GlucoseUnits::MgPerDl, norvalis::GlucoseUnits::MmolPerL}) {
        const QString name = text(std::string(norvalis::GlucoseUnitsText(units)));
        units_->addItem(name, name);
    }
    auto *label = new QLabel(QStringLiteral("&Glucose units:"), parent);
    label->setBuddy(units_);
    form->addRow(label, units_);
    low_ = addTargetBox(form, "Target &low:", "TargetLow", "Target low", parent);
    high_ = addTargetBox(form, "Target &high:", "TargetHigh", "Target high", parent);
}

void GlucoseOptionRows::fill(const norvalis::IniDocument &file) {
    const std::optional<norvalis::GlucoseUnits> units = norvalis::ParseGlucoseUnits(
        file.Value(norvalis::kOptionsSection, norvalis::kGlucoseUnitsKey));
    units_->setCurrentIndex(
        units ? units_->findData(text(std::string(norvalis::GlucoseUnitsText(*units)))) : 0);
    // Shown as stored, so a value the report ignores is there to be corrected.
    low_->setText(text(file.Value(norvalis::kOptionsSection, norvalis::kTargetLowKey)));
    high_->setText(text(file.Value(norvalis::kOptionsSection, norvalis::kTargetHighKey)));
}

QString GlucoseOptionRows::refusal() {
    // "3,9" would be stored as 3: said first, as for every box that takes a number.
    for (QLineEdit *box : {low_, high_}) {
        const QString misread = number_input::refusalOf(box->accessibleName(), box->text());
        if (!misread.isEmpty()) {
            box->setFocus();
            box->selectAll();
            return misread;
        }
    }
    const std::optional<norvalis::TargetRangeProblem> problem =
        norvalis::CheckTargetRange(low_->text().toStdString(), high_->text().toStdString());
    if (!problem)
        return {};
    QLineEdit *wrong = low_;
    QString why;
    switch (*problem) {
    case norvalis::TargetRangeProblem::LowNoNumber:
        why = QStringLiteral("\"Target low\" must start with a number, or be empty for the "
                             "default.");
        break;
    case norvalis::TargetRangeProblem::LowNotPositive:
        why = QStringLiteral("\"Target low\" must be above 0, or empty for the default.");
        break;
    case norvalis::TargetRangeProblem::HighNoNumber:
        wrong = high_;
        why = QStringLiteral("\"Target high\" must start with a number, or be empty for the "
                             "default.");
        break;
    case norvalis::TargetRangeProblem::HighNotPositive:
        wrong = high_;
        why = QStringLiteral("\"Target high\" must be above 0, or empty for the default.");
        break;
    case norvalis::TargetRangeProblem::LowNotBelowHigh:
        why = QStringLiteral("\"Target low\" must be below \"Target high\".");
        break;
    case norvalis::TargetRangeProblem::TooLarge:
        wrong = norvalis::ReadOptionText(low_->text().toStdString()).kind ==
                        norvalis::OptionTextKind::OutOfRange
                    ? low_
                    : high_;
        why = QStringLiteral("The target range holds too large a number.");
        break;
    }
    wrong->setFocus();
    wrong->selectAll();
    return why;
}

QString GlucoseOptionRows::store(norvalis::IniDocument &file) const {
    const std::pair<std::string_view, std::string> values[] = {
        {norvalis::kGlucoseUnitsKey, units_->currentData().toString().toStdString()},
        {norvalis::kTargetLowKey, norvalis::ReadOptionText(low_->text().toStdString()).stored},
        {norvalis::kTargetHighKey, norvalis::ReadOptionText(high_->text().toStdString()).stored}};
    for (const auto &[key, value] : values) {
        if (value.empty()) {
            file.RemoveKey(norvalis::kOptionsSection, key);
            continue;
        }
        const norvalis::IniDocument::EditResult set =
            file.SetValue(norvalis::kOptionsSection, key, value);
        if (!set.ok)
            return text(set.error);
    }
    return {};
}
