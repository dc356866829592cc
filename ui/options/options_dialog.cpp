#include "ui/options/options_dialog.h"

#include "core/dose_options.h"
#include "core/file_access.h"
#include "core/ini_document.h"
#include "core/number_text.h"
#include "platform/message_box.h"
#include "platform/settings_location.h"
#include "ui/number_input/typed_number.h"
#include "ui/options/glucose_option_rows.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace {

struct OptionBox {
    std::string_view key;
    const char *caption;    // the box's label, with its access key
    const char *name;       // how messages name the box
    const char *objectName; // for tests and accessibility tools
};

constexpr OptionBox kPenStepBox = {norvalis::kPenStepKey, "Pen &step (units):", "Pen step",
                                   "PenStep"};
constexpr OptionBox kMaxDoseBox = {norvalis::kMaxDoseKey, "&Maximum dose (units):", "Maximum dose",
                                   "MaxDose"};

std::string settingsPath() {
    return QFile::encodeName(platform::settingsFilePath()).toStdString();
}

QString fromStd(const std::string &text) {
    return QString::fromStdString(text);
}

// Why a box's text cannot be stored, or an empty text when it can.
QString refusal(const OptionBox &box, const norvalis::OptionText &read) {
    const QString name = QString::fromLatin1(box.name);
    switch (read.kind) {
    case norvalis::OptionTextKind::Off:
    case norvalis::OptionTextKind::Number:
        return {};
    case norvalis::OptionTextKind::NoNumber:
        return QStringLiteral("\"%1\" must start with a number, or be empty to turn it off.")
            .arg(name);
    case norvalis::OptionTextKind::NotPositive:
        return QStringLiteral("\"%1\" must be above 0, or empty to turn it off.").arg(name);
    case norvalis::OptionTextKind::OutOfRange:
        return QStringLiteral("\"%1\" is too large a number.").arg(name);
    }
    return {};
}

QLineEdit *addBox(QFormLayout *form, const OptionBox &box, QWidget *parent) {
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(box.objectName));
    auto *label = new QLabel(QString::fromLatin1(box.caption), parent);
    label->setBuddy(edit);
    edit->setAccessibleName(QString::fromLatin1(box.name));
    edit->setAccessibleDescription(QStringLiteral("Empty turns the setting off"));
    form->addRow(label, edit);
    return edit;
}

} // namespace

OptionsDialog::OptionsDialog(QWidget *parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Options"));
    auto *form = new QFormLayout(this);
    auto *hint = new QLabel(QStringLiteral("Leave a box empty to turn its setting off."), this);
    hint->setWordWrap(true);
    form->addRow(hint);
    penStep_ = addBox(form, kPenStepBox, this);
    maxDose_ = addBox(form, kMaxDoseBox, this);
    insulin_.emplace(form, this);
    glucose_ = std::make_unique<GlucoseOptionRows>(form, this);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionsDialog::reject);
    fillFromFile();
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::fillFromFile() {
    std::string bytes;
    const norvalis::FileResult read = norvalis::ReadWholeFile(settingsPath(), bytes);
    if (!read.ok) {
        platform::messageBox(this, QStringLiteral("The settings file could not be read.\n\n"
                                                  "File: %1\nReason: %2")
                                       .arg(platform::settingsFilePath(), fromStd(read.error)));
        return;
    }
    // Shown as read, so a value the program ignores (text, 0) is there to be corrected.
    const norvalis::IniDocument file(std::move(bytes));
    penStep_->setText(fromStd(file.Value(norvalis::kOptionsSection, kPenStepBox.key)));
    maxDose_->setText(fromStd(file.Value(norvalis::kOptionsSection, kMaxDoseBox.key)));
    insulin_->fill(file);
    glucose_->fill(file);
}

void OptionsDialog::accept() {
    const std::pair<const OptionBox *, QLineEdit *> boxes[] = {{&kPenStepBox, penStep_},
                                                               {&kMaxDoseBox, maxDose_}};
    std::string bytes;
    const std::string path = settingsPath();
    norvalis::FileFingerprint readAs;
    norvalis::FileResult result = norvalis::ReadWholeFile(path, bytes, &readAs);
    norvalis::IniDocument file(std::move(bytes));
    for (const auto &[box, edit] : boxes) {
        const norvalis::OptionText read = norvalis::ReadOptionText(edit->text().toStdString());
        QString why = number_input::refusalOf(QString::fromLatin1(box->name), edit->text());
        if (why.isEmpty())
            why = refusal(*box, read);
        if (!why.isEmpty()) {
            platform::messageBox(this, QStringLiteral("Nothing was saved. ") + why);
            edit->setFocus();
            edit->selectAll();
            return;
        }
        if (read.kind == norvalis::OptionTextKind::Off) {
            file.RemoveKey(norvalis::kOptionsSection, box->key);
            continue;
        }
        const norvalis::IniDocument::EditResult set =
            file.SetValue(norvalis::kOptionsSection, box->key, read.stored);
        if (!set.ok && result.ok)
            result = {false, set.error};
    }
    QString editError;
    if (const QString why = insulin_->store(file, editError); !why.isEmpty()) {
        platform::messageBox(this, QStringLiteral("Nothing was saved. ") + why);
        return;
    }
    if (!editError.isEmpty() && result.ok)
        result = {false, editError.toStdString()};
    if (const QString why = glucose_->refusal(); !why.isEmpty()) {
        platform::messageBox(this, QStringLiteral("Nothing was saved. ") + why);
        return;
    }
    if (const QString error = glucose_->store(file); !error.isEmpty() && result.ok)
        result = {false, error.toStdString()};
    if (result.ok)
        result = platform::storeSettingsFile([&](const std::string &target) {
            return norvalis::ReplaceFileAtomically(target, file.Bytes(), {.expected = &readAs});
        });
    if (!result.ok) {
        platform::messageBox(this, QStringLiteral("The options were not saved.\n\nFile: %1\n"
                                                  "Reason: %2")
                                       .arg(platform::settingsFilePath(), fromStd(result.error)));
        return;
    }
    QDialog::accept();
}
