#include "ui/record_dose/record_dose_dialog.h"

#include "core/dose_options.h"
#include "core/leading_number.h"
#include "core/number_text.h"
#include "logbook/log_store.h"
#include "platform/app_info.h"
#include "platform/message_box.h"
#include "ui/number_input/typed_number.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace {

QString number(double value) {
    return QString::fromStdString(norvalis::NumberText(value));
}

double readNumber(const QString &text) {
    return norvalis::LeadingNumber(text.toStdString()).value_or(0);
}

// A shown figure with its caption; a screen reader says both ("Total: 10.5").
void addFigure(QFormLayout *form, const QString &caption, const QString &value,
               const char *objectName, QWidget *parent) {
    auto *label = new QLabel(value.isEmpty() ? QStringLiteral("(none)") : value, parent);
    label->setObjectName(QString::fromLatin1(objectName));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setAccessibleName(caption + QStringLiteral(": ") + label->text());
    form->addRow(caption + QLatin1Char(':'), label);
}

} // namespace

RecordDoseDialog::RecordDoseDialog(const DoseSnapshot &snapshot, logbook::LogStore &store,
                                   QWidget *parent)
    : QDialog(parent), snapshot_(snapshot), store_(store) {
    setObjectName(QStringLiteral("frmRecordDose"));
    setWindowTitle(QStringLiteral("Record Dose"));
    auto *form = new QFormLayout(this);
    addFigure(form, QStringLiteral("Period"), snapshot.period, "period", this);
    addFigure(form, QStringLiteral("Blood sugar"), snapshot.bloodSugarText, "bloodSugar", this);
    addFigure(form, QStringLiteral("Carbohydrate"), snapshot.carbText, "carbohydrate", this);
    addFigure(form, QStringLiteral("Total"), snapshot.totalDose, "total", this);

    taken_ = new QLineEdit(this);
    taken_->setObjectName(QStringLiteral("Taken"));
    taken_->setAccessibleName(QStringLiteral("Taken"));
    taken_->setAccessibleDescription(QStringLiteral("Units of insulin actually taken"));
    const std::optional<double> prefill = snapshot.penDose ? snapshot.penDose : snapshot.total;
    taken_->setText(prefill ? number(*prefill) : QString());
    taken_->selectAll();
    auto *takenLabel = new QLabel(QStringLiteral("&Taken (units):"), this);
    takenLabel->setBuddy(taken_);
    form->addRow(takenLabel, taken_);

    note_ = new QLineEdit(this);
    note_->setObjectName(QStringLiteral("Note"));
    note_->setAccessibleName(QStringLiteral("Note"));
    auto *noteLabel = new QLabel(QStringLiteral("&Note:"), this);
    noteLabel->setBuddy(note_);
    form->addRow(noteLabel, note_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &RecordDoseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RecordDoseDialog::reject);
    taken_->setFocus();
}

bool RecordDoseDialog::confirmAboveMaximum(double taken) {
    if (!snapshot_.maxDose)
        return true;
    const double maxDose = *snapshot_.maxDose;
    const bool totalAbove = snapshot_.total && norvalis::AboveMaximum(*snapshot_.total, maxDose);
    if (!totalAbove && !norvalis::AboveMaximum(taken, maxDose))
        return true;
    QMessageBox box(
        QMessageBox::Warning, platform::applicationTitle(),
        QStringLiteral("%1 units is above your maximum of %2 units.\n\nRecord it "
                       "anyway?")
            .arg(number(totalAbove ? std::max(taken, *snapshot_.total) : taken), number(maxDose)),
        QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QStringLiteral("confirmAboveMaximum"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void RecordDoseDialog::accept() {
    const QString takenText = taken_->text();
    const std::optional<double> taken = norvalis::NumberAtStart(takenText.toStdString());
    const QString misread = number_input::refusalOf(QStringLiteral("Taken"), takenText);
    if (!taken || !misread.isEmpty()) {
        platform::messageBox(this, !misread.isEmpty()
                                       ? QStringLiteral("Nothing was recorded. ") + misread
                                   : takenText.trimmed().isEmpty()
                                       ? QStringLiteral("Nothing was recorded: \"Taken\" is empty. "
                                                        "Type the units you took.")
                                       : QStringLiteral("Nothing was recorded: \"Taken\" does not "
                                                        "start with a number."));
        taken_->setFocus();
        taken_->selectAll();
        return;
    }
    if (!confirmAboveMaximum(*taken))
        return;

    logbook::LogEntry entry;
    entry.takenAt = QDateTime::currentDateTime();
    entry.period = snapshot_.period;
    entry.bloodSugarText = snapshot_.bloodSugarText;
    entry.bloodSugar = readNumber(snapshot_.bloodSugarText);
    entry.carbText = snapshot_.carbText;
    entry.carbs = readNumber(snapshot_.carbText);
    entry.correctionDose = snapshot_.correctionDose;
    entry.carbDose = snapshot_.carbDose;
    entry.weightingDose = snapshot_.weightingDose;
    entry.totalDose = snapshot_.totalDose;
    entry.taken = *taken;
    entry.note = note_->text();
    const logbook::LogResult stored = store_.add(entry);
    if (!stored.ok) {
        // The dialog stays open with what was typed, to try again or cancel.
        platform::messageBox(this, QStringLiteral("The dose was not recorded.\n\n") + stored.error);
        return;
    }
    emit recorded();
    QDialog::accept();
}
