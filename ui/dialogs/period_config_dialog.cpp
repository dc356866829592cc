#include "ui/dialogs/period_config_dialog.h"

#include "core/dose_settings.h"
#include "core/ini_document.h"
#include "core/settings_file.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/settings_location.h"
#include "platform/twips.h"
#include "ui/dialogs/period_dialog_layout.h"
#include "ui/widget_table/widget_builder.h"

#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace {

std::string settingsPath() {
    return QFile::encodeName(platform::settingsFilePath()).toStdString();
}

QString boxName(int index) {
    return QStringLiteral("INPUT_PERIOD_%1").arg(index);
}

} // namespace

PeriodConfigDialog::PeriodConfigDialog(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
    namespace layout = period_dialog_layout;
    setObjectName(QStringLiteral("frmPeriodConfigDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(layout::kCaption));
    setFont(platform::designFont());
    widget_table::buildWidgets(layout::kWidgets, this);

    // A fixed place on the owner's screen, not centred: placing it here also keeps QDialog
    // from centring it when shown.
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    setFixedSize(platform::twipsSize(layout::kClientWidth, layout::kClientHeight));
    setGeometry(
        QRect(origin + platform::twipsPoint(layout::kClientLeft, layout::kClientTop), size()));

    for (int i = 1; i <= periods::kBoxes; ++i) {
        auto *box = findChild<QLineEdit *>(boxName(i));
        box->setAccessibleName(QStringLiteral("Period %1").arg(i));
        boxes_ << box;
    }
    // The dialog is for typing names: it opens with the focus in the first box.
    boxes_.first()->setFocus();
    // Enter in a box presses OK; Enter on a focused button presses that button; Escape and
    // the close box cancel (QDialog's own rules).
    auto *ok = findChild<QPushButton *>(QStringLiteral("OKButton"));
    auto *cancel = findChild<QPushButton *>(QStringLiteral("CancelButton"));
    ok->setAutoDefault(true);
    cancel->setAutoDefault(true);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PeriodConfigDialog::OKButton_Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    fillBoxes();
}

void PeriodConfigDialog::fillBoxes() {
    // Read afresh: the file may have changed since the main window read it.
    norvalis::DoseSettings settings;
    const norvalis::FileResult read =
        norvalis::LoadSettings(settings, "periods", {}, settingsPath(), &readAs_);
    opened_.clear();
    const int count = std::clamp(settings.Counts.PeriodCount, 0, periods::kBoxes);
    for (int i = 0; i < periods::kBoxes; ++i) {
        const QString name =
            i < count ? QString::fromStdString(settings.PeriodList[std::size_t(i) + 1]) : QString();
        boxes_[i]->setText(name);
        opened_ << name;
    }
    if (!read.ok)
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("The settings file could not be read:\n\n%1\n\n%2")
                .arg(platform::settingsFilePath(), QString::fromStdString(read.error)));
}

QStringList PeriodConfigDialog::boxTexts() const {
    QStringList texts;
    for (const QLineEdit *box : boxes_)
        texts << box->text();
    return texts;
}

void PeriodConfigDialog::refuse(int box, const QString &message) {
    QMessageBox::warning(this, windowTitle(), message + QStringLiteral("\n\nNothing was saved."));
    QLineEdit *culprit = boxes_.value(box - 1);
    if (culprit) {
        culprit->setFocus();
        culprit->selectAll();
    }
}

bool PeriodConfigDialog::confirmRenames(QList<periods::Rename> &renames) {
    std::string bytes;
    norvalis::ReadWholeFile(settingsPath(), bytes);
    const std::vector<norvalis::IniDocument::Section> sections =
        norvalis::IniDocument(std::move(bytes)).Sections();
    for (auto rename = renames.begin(); rename != renames.end();) {
        const bool taken = std::any_of(sections.begin(), sections.end(), [&](const auto &section) {
            return periods::sameName(QString::fromStdString(section.name), rename->to);
        });
        if (!taken) {
            ++rename;
            continue;
        }
        QMessageBox question(QMessageBox::Question, windowTitle(),
                             QStringLiteral("The settings file already holds tables for \"%1\".\n\n"
                                            "Use the tables of \"%1\" (the tables of \"%2\" stay "
                                            "in the file, unused), or cancel?")
                                 .arg(rename->to, rename->from),
                             QMessageBox::Cancel, this);
        question.setObjectName(QStringLiteral("renameQuestion"));
        QPushButton *use = question.addButton(
            QStringLiteral("Use the Tables of \"%1\"").arg(rename->to), QMessageBox::AcceptRole);
        question.setDefaultButton(QMessageBox::Cancel);
        question.exec();
        if (question.clickedButton() != use)
            return false;
        rename = renames.erase(rename);
    }
    return true;
}

void PeriodConfigDialog::OKButton_Click() {
    std::variant<periods::Plan, periods::Refusal> outcome =
        periods::planPeriods(opened_, boxTexts(), norvalis::SettingsFileEncoding(settingsPath()));
    if (const auto *refusal = std::get_if<periods::Refusal>(&outcome)) {
        refuse(refusal->box, refusal->message);
        return;
    }
    periods::Plan &plan = std::get<periods::Plan>(outcome);
    if (!confirmRenames(plan.renames))
        return;

    norvalis::DoseSettings settings;
    settings.Counts.PeriodCount = int(plan.names.size());
    for (qsizetype i = 0; i < plan.names.size(); ++i)
        settings.PeriodList[std::size_t(i) + 1] = plan.names[i].toStdString();
    std::vector<norvalis::SectionRename> renames;
    for (const periods::Rename &rename : plan.renames)
        renames.push_back({rename.from.toStdString(), rename.to.toStdString()});
    norvalis::StoreGuard guard;
    guard.readAs = readAs_; // a period added elsewhere meanwhile is not dropped unasked
    guard.keptPeriods.assign(settings.PeriodList.begin() + 1,
                             settings.PeriodList.begin() + 1 + settings.Counts.PeriodCount);
    const auto save = [&] {
        return platform::storeSettingsFile([&](const std::string &file) {
            return norvalis::SavePeriods(settings, renames, file, guard);
        });
    };
    norvalis::FileResult saved = save();
    if (saved.changedSinceRead) {
        switch (platform::askAboutChangedFile(this, QStringLiteral("the periods"),
                                              platform::settingsFilePath())) {
        case platform::ChangedFileChoice::Reload:
            fillBoxes();
            return;
        case platform::ChangedFileChoice::Cancel:
            return;
        case platform::ChangedFileChoice::StoreAnyway:
            guard.readAs.reset();
            saved = save();
            break;
        }
    }
    if (!saved.ok) {
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("The periods were not saved to %1.\n\n%2")
                .arg(platform::settingsFilePath(), QString::fromStdString(saved.error)));
        return;
    }
    emit periodsStored(plan.renames);
    accept();
}
