#include "ui/record_dose/record_dose_dialog.h"

#include "core/dose_options.h"
#include "core/insulin_options.h"
#include "core/leading_number.h"
#include "core/number_text.h"
#include "core/taken_units.h"
#include "logbook/log_store.h"
#include "logbook/repeat_guard.h"
#include "platform/app_info.h"
#include "platform/message_box.h"
#include "ui/number_input/typed_number.h"

#include <QComboBox>
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

// The choices of the Kind box, in its order.
struct KindChoice {
    logbook::EntryKind kind;
    const char *caption;
};
constexpr KindChoice kKinds[] = {
    {logbook::EntryKind::Rapid, "Rapid-acting dose"},
    {logbook::EntryKind::Long, "Long-acting dose"},
    {logbook::EntryKind::Reading, "Reading only"},
};

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

    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("Kind"));
    kind_->setAccessibleName(QStringLiteral("Kind"));
    for (const KindChoice &choice : kKinds)
        kind_->addItem(QString::fromLatin1(choice.caption), int(choice.kind));
    auto *kindLabel = new QLabel(QStringLiteral("&Kind:"), this);
    kindLabel->setBuddy(kind_);
    form->addRow(kindLabel, kind_);

    taken_ = new QLineEdit(this);
    taken_->setObjectName(QStringLiteral("Taken"));
    taken_->setAccessibleName(QStringLiteral("Taken"));
    taken_->setAccessibleDescription(QStringLiteral("Units of insulin actually taken"));
    const std::optional<double> prefill = snapshot.penDose ? snapshot.penDose : snapshot.total;
    prefill_ = prefill ? number(*prefill) : QString();
    taken_->setText(prefill_);
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

    // Another rapid dose shortly before: said here already, asked about again on OK.
    repeat_ = new QLabel(this);
    repeat_->setObjectName(QStringLiteral("repeatWarning"));
    repeat_->setTextFormat(Qt::PlainText);
    repeat_->setWordWrap(true);
    const QDateTime now = QDateTime::currentDateTime();
    QList<logbook::LogEntry> recent;
    if (store_.entries(recent, logbook::repeatWindowStart(now)).ok) {
        if (const std::optional<logbook::LogEntry> dose = logbook::recentRapidDose(recent, now))
            repeat_->setText(logbook::repeatText(*dose, now));
    }
    repeat_->setAccessibleName(repeat_->text());
    repeat_->setVisible(!repeat_->text().isEmpty());
    form->addRow(repeat_);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &RecordDoseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &RecordDoseDialog::reject);
    connect(kind_, &QComboBox::currentIndexChanged, this, &RecordDoseDialog::kindChanged);
    // Taken stays where the keyboard starts; Kind comes right after it.
    setTabOrder(taken_, kind_);
    setTabOrder(kind_, note_);
    taken_->setFocus();
}

void RecordDoseDialog::kindChanged() {
    const auto kind = logbook::EntryKind(kind_->currentData().toInt());
    taken_->setEnabled(kind != logbook::EntryKind::Reading);
    // The window's figures are for a rapid dose; a long-acting one is typed afresh.
    taken_->setText(kind == logbook::EntryKind::Rapid ? prefill_ : QString());
    repeat_->setVisible(kind == logbook::EntryKind::Rapid && !repeat_->text().isEmpty());
}

bool RecordDoseDialog::ask(const char *objectName, const QString &text) {
    QMessageBox box(QMessageBox::Warning, platform::applicationTitle(), text,
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setObjectName(QString::fromLatin1(objectName));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

// The low reading first (treating it comes before any dose), then the repeat.
bool RecordDoseDialog::confirmRapidDose() {
    const double reading = readNumber(snapshot_.bloodSugarText);
    if (snapshot_.lowBelow && norvalis::IsLowReading(reading, *snapshot_.lowBelow) &&
        !ask("confirmLowReading",
             QStringLiteral("The reading %1 is below your low limit of %2.\n\nRecord a rapid "
                            "dose anyway?")
                 .arg(number(reading), number(*snapshot_.lowBelow))))
        return false;
    // Asked again at OK: the dialog may have stood open while another dose was recorded.
    const QDateTime now = QDateTime::currentDateTime();
    QList<logbook::LogEntry> recent;
    if (!store_.entries(recent, logbook::repeatWindowStart(now)).ok)
        return true; // recording reports the logbook's failure itself
    const std::optional<logbook::LogEntry> dose = logbook::recentRapidDose(recent, now);
    return !dose || ask("confirmRepeat", logbook::repeatText(*dose, now) +
                                             QStringLiteral("\n\nRecord another dose?"));
}

bool RecordDoseDialog::confirmAboveMaximum(double taken) {
    if (!snapshot_.maxDose)
        return true;
    const double maxDose = *snapshot_.maxDose;
    const bool totalAbove = snapshot_.total && norvalis::AboveMaximum(*snapshot_.total, maxDose);
    if (!totalAbove && !norvalis::AboveMaximum(taken, maxDose))
        return true;
    return ask(
        "confirmAboveMaximum",
        QStringLiteral("%1 units is above your maximum of %2 units.\n\nRecord it "
                       "anyway?")
            .arg(number(totalAbove ? std::max(taken, *snapshot_.total) : taken), number(maxDose)));
}

void RecordDoseDialog::accept() {
    const auto kind = logbook::EntryKind(kind_->currentData().toInt());
    double taken = 0;
    if (kind != logbook::EntryKind::Reading) {
        const QString takenText = taken_->text();
        const norvalis::TakenUnits read = norvalis::ReadTakenUnits(takenText.toStdString());
        const QString misread = number_input::refusalOf(QStringLiteral("Taken"), takenText);
        if (!read.units || !misread.isEmpty()) {
            QString message = !misread.isEmpty()
                                  ? QStringLiteral("Nothing was recorded. ") + misread
                                  : QStringLiteral("Nothing was recorded: \"Taken\" %1.")
                                        .arg(QString::fromStdString(read.problem));
            if (misread.isEmpty() && takenText.trimmed().isEmpty())
                message += QStringLiteral(" Type the units you took.");
            platform::messageBox(this, message);
            taken_->setFocus();
            taken_->selectAll();
            return;
        }
        taken = *read.units;
    }
    if (kind == logbook::EntryKind::Rapid && (!confirmRapidDose() || !confirmAboveMaximum(taken)))
        return;

    logbook::LogEntry entry;
    entry.kind = kind;
    entry.takenAt = QDateTime::currentDateTime();
    entry.bloodSugarText = snapshot_.bloodSugarText;
    entry.bloodSugar = readNumber(snapshot_.bloodSugarText);
    entry.carbText = snapshot_.carbText;
    entry.carbs = readNumber(snapshot_.carbText);
    if (kind != logbook::EntryKind::Long)
        entry.period = snapshot_.period;
    if (kind == logbook::EntryKind::Rapid) {
        entry.correctionDose = snapshot_.correctionDose;
        entry.carbDose = snapshot_.carbDose;
        entry.weightingDose = snapshot_.weightingDose;
        entry.totalDose = snapshot_.totalDose;
    }
    entry.taken = taken;
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
