#include "ui/dialogs/doses_config_dialog.h"

#include "core/settings_file.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/settings_location.h"
#include "platform/twips.h"
#include "ui/dialogs/doses_entry_checks.h"
#include "ui/dialogs/doses_layout.h"
#include "ui/dialogs/doses_messages.h"
#include "ui/widget_table/widget_builder.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>

namespace {

using doses_checks::Page;

constexpr const char *kDosages = "dosages";
constexpr const char *kPeriodList = "period";

template <std::size_t N>
void showTexts(const std::array<std::string, N> &texts, const std::array<QLineEdit *, N> &boxes) {
    for (std::size_t i = 1; i < N; ++i)
        boxes[i]->setText(QString::fromStdString(texts[i]));
}

template <std::size_t N>
void readTexts(const std::array<QLineEdit *, N> &boxes, std::array<std::string, N> &texts) {
    for (std::size_t i = 1; i < N; ++i)
        texts[i] = boxes[i]->text().toStdString();
}

std::string settingsPath() {
    return QFile::encodeName(platform::settingsFilePath()).toStdString();
}

} // namespace

// The widgets the handlers work on, found by their object names once the table is built.
struct DosesConfigDialog::Widgets {
    explicit Widgets(const widget_table::BuiltWidgets &built)
        : mealtime(built.get<QComboBox>(QStringLiteral("Mealtime"))),
          periodCaption(built.get<QLabel>(QStringLiteral("Label1_46"))),
          tbsOptions(built.get<QTabBar>(QStringLiteral("tbsOptions"))),
          pages(built.get<QStackedWidget>(QStringLiteral("frameDosagesStack"))),
          cmdApply(built.get<QPushButton>(QStringLiteral("cmdApply"))),
          cmdOK(built.get<QPushButton>(QStringLiteral("cmdOK"))),
          cmdCancel(built.get<QPushButton>(QStringLiteral("cmdCancel"))) {
        const auto boxes = [&built](auto &group, const char *name) {
            for (std::size_t i = 1; i < group.size(); ++i)
                group[i] = built.get<QLineEdit>(QStringLiteral("%1_%2").arg(name).arg(i));
        };
        boxes(inputBs, "INPUT_BS");
        boxes(inputCw, "INPUT_CW");
        boxes(inputCd, "INPUT_CD");
    }

    QComboBox *mealtime;
    QLabel *periodCaption;
    QTabBar *tbsOptions;
    QStackedWidget *pages; // frameDosages_0..2, one in view
    std::array<QLineEdit *, doses_boxes::kTableBoxes + 1> inputBs{}; // 1..24
    std::array<QLineEdit *, doses_boxes::kTableBoxes + 1> inputCw{}; // 1..24
    std::array<QLineEdit *, doses_boxes::kRows + 1> inputCd{};       // 1..12
    QPushButton *cmdApply;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;

    QLineEdit *box(Page page, int index) const {
        switch (page) {
        case Page::BloodSugar:
            return inputBs.at(index);
        case Page::Weighting:
            return inputCw.at(index);
        case Page::Carbohydrate:
            break;
        }
        return inputCd.at(index);
    }
};

DosesConfigDialog::DosesConfigDialog(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      w_(nullptr) {
    setObjectName(QStringLiteral("frmDosesConfigDialog"));
    setWindowTitle(QStringLiteral("Configure Dosages"));
    setFont(platform::designFont(false));
    w_ = new Widgets(widget_table::buildWidgets(doses_layout::kLayout, this));
    nameBoxes();

    connect(w_->mealtime, &QComboBox::currentIndexChanged, this,
            &DosesConfigDialog::Mealtime_Click);
    connect(w_->tbsOptions, &QTabBar::currentChanged, this, &DosesConfigDialog::tbsOptions_Click);
    connect(w_->cmdOK, &QPushButton::clicked, this, &DosesConfigDialog::cmdOK_Click);
    connect(w_->cmdCancel, &QPushButton::clicked, this, &DosesConfigDialog::cmdCancel_Click);
    connect(w_->cmdApply, &QPushButton::clicked, this, &DosesConfigDialog::cmdApply_Click);
    // Enter in a box presses OK, as in every dialog; Enter on a focused button presses that one.
    for (QPushButton *button : {w_->cmdApply, w_->cmdOK, w_->cmdCancel})
        button->setAutoDefault(true);
    w_->cmdOK->setDefault(true);

    Form_Load();
}

DosesConfigDialog::~DosesConfigDialog() {
    delete w_;
}

QComboBox *DosesConfigDialog::mealtime() const {
    return w_->mealtime;
}

void DosesConfigDialog::nameBoxes() {
    // Twelve rows of two look-alike boxes: a screen reader must say which one has the focus.
    for (int box = 1; box <= doses_boxes::kTableBoxes; ++box) {
        w_->inputBs[box]->setAccessibleName(doses_messages::boxPlace(Page::BloodSugar, box));
        w_->inputCw[box]->setAccessibleName(doses_messages::boxPlace(Page::Weighting, box));
    }
    w_->inputCd[1]->setAccessibleName(doses_messages::boxPlace(Page::Carbohydrate, 1));
    w_->periodCaption->setBuddy(w_->mealtime);
}

void DosesConfigDialog::Form_Load() {
    using namespace doses_layout;
    fitOuterSize();
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QPoint screenOrigin = screen ? screen->geometry().topLeft() : QPoint();
    setGeometry(QRect(screenOrigin + platform::twipsPoint(kClientLeft, kClientTop), size()));

    const norvalis::DoseSettings &settings = norvalis::SharedDoseSettings();
    {
        // Filling the list selects nothing: the choice below is what loads the first period.
        const QSignalBlocker quiet(w_->mealtime);
        for (int i = 1; i <= settings.Counts.PeriodCount; ++i)
            w_->mealtime->addItem(QString::fromStdString(settings.PeriodList[i]));
        w_->mealtime->setCurrentIndex(-1);
    }
    w_->mealtime->setCurrentIndex(0);
    loadSelectedPeriod();
    Populate();

    w_->tbsOptions->setCurrentIndex(0);
    w_->pages->setCurrentIndex(0);
    w_->tbsOptions->setFocus();
}

void DosesConfigDialog::loadSelectedPeriod() {
    if (w_->mealtime->currentIndex() < 0)
        return;
    const QString period = w_->mealtime->currentText();
    const norvalis::FileResult loaded = norvalis::LoadSettings(
        norvalis::SharedDoseSettings(), kDosages, period.toStdString(), settingsPath(), &readAs_);
    if (!loaded.ok && isVisible()) {
        platform::messageBox(this,
                             doses_messages::loadFailed(period, platform::settingsFilePath(),
                                                        QString::fromStdString(loaded.error)));
    }
}

void DosesConfigDialog::Mealtime_Click() {
    const int chosen = w_->mealtime->currentIndex();
    if (chosen != shownPeriod_ && shownPeriod_ >= 0 && hasUnsavedEdits()) {
        using Button = QMessageBox::StandardButton;
        const Button answer =
            doses_messages::ask(this,
                                doses_messages::unsavedEdits(w_->mealtime->itemText(shownPeriod_),
                                                             w_->mealtime->itemText(chosen)),
                                {{Button::Save, {}}, {Button::Discard, {}}, {Button::Cancel, {}}});
        const bool goOn =
            answer == Button::Discard || (answer == Button::Save && store(shownPeriod_));
        if (!goOn) {
            // The edits stay, and so does the period they belong to.
            const QSignalBlocker quiet(w_->mealtime);
            w_->mealtime->setCurrentIndex(shownPeriod_);
            return;
        }
    }
    loadSelectedPeriod();
    Populate();
}

void DosesConfigDialog::Populate() {
    // Without a period nothing was loaded for this dialog: it shows empty tables.
    const norvalis::DoseSettings none;
    shownPeriod_ = w_->mealtime->currentIndex();
    const norvalis::DoseSettings &tables = shownPeriod_ < 0 ? none : norvalis::SharedDoseSettings();
    const doses_boxes::BoxTexts texts = doses_boxes::boxTextsFromTables(tables);
    showTexts(texts.correction, w_->inputBs);
    showTexts(texts.weighting, w_->inputCw);
    for (int slot = 1; slot <= doses_boxes::kRows; ++slot) {
        QLineEdit *box = w_->inputCd.at(doses_boxes::carbBoxOfSlot(slot, texts.carbSlot));
        box->setText(QString::fromStdString(texts.carb.at(slot)));
    }
    shown_.carbSlot = texts.carbSlot;
    shown_ = boxTexts();
}

doses_boxes::BoxTexts DosesConfigDialog::boxTexts() const {
    doses_boxes::BoxTexts texts;
    readTexts(w_->inputBs, texts.correction);
    readTexts(w_->inputCw, texts.weighting);
    texts.carbSlot = shown_.carbSlot;
    for (int slot = 1; slot <= doses_boxes::kRows; ++slot) {
        const QLineEdit *box = w_->inputCd.at(doses_boxes::carbBoxOfSlot(slot, texts.carbSlot));
        texts.carb.at(slot) = box->text().toStdString();
    }
    return texts;
}

bool DosesConfigDialog::hasUnsavedEdits() const {
    return !(boxTexts() == shown_);
}

void DosesConfigDialog::tbsOptions_Click(int tab) {
    // The stack shows one page at a time and hides the others, so Tab and assistive tools
    // reach only the boxes in view.
    w_->pages->setCurrentIndex(tab);
}

bool DosesConfigDialog::event(QEvent *event) {
    // Every key press reaches the dialog first as a shortcut override, passed up from the
    // focused widget when it does not want the key itself, so Ctrl+Tab switches pages
    // wherever the focus is. The key itself goes on unchanged; Alt makes no difference.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && key->modifiers() & Qt::ControlModifier) {
            const bool back = key->key() == Qt::Key_Backtab || key->modifiers() & Qt::ShiftModifier;
            QTabBar *tabs = w_->tbsOptions;
            const int count = tabs->count();
            tabs->setCurrentIndex((tabs->currentIndex() + (back ? count - 1 : 1)) % count);
        }
    }
    return QDialog::event(event);
}

void DosesConfigDialog::focusBox(int page, QWidget *box) {
    w_->tbsOptions->setCurrentIndex(page);
    box->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(box))
        edit->selectAll();
}

bool DosesConfigDialog::refuseUnreadableBox(const doses_boxes::BoxTexts &texts) {
    const std::optional<doses_checks::Refusal> refusal = doses_checks::firstRefusal(texts);
    if (!refusal)
        return false;
    QLineEdit *box = w_->box(refusal->page, refusal->box);
    platform::messageBox(this, doses_messages::refused(*refusal, box->text()));
    focusBox(static_cast<int>(refusal->page), box);
    return true;
}

bool DosesConfigDialog::askGoOnOrGoBack(const QString &question, const QString &goOn, Page page,
                                        int box) {
    using Button = QMessageBox::StandardButton;
    const Button answer = doses_messages::ask(
        this, question, {{Button::Yes, goOn}, {Button::No, QStringLiteral("&Go back")}});
    if (answer == Button::Yes)
        return true;
    focusBox(static_cast<int>(page), w_->box(page, box));
    return false;
}

bool DosesConfigDialog::confirmDroppedRows(const doses_boxes::BoxTexts &texts) {
    const std::vector<doses_checks::DroppedRows> dropped = doses_checks::droppedRows(texts);
    return dropped.empty() ||
           askGoOnOrGoBack(doses_messages::droppedRows(dropped), QStringLiteral("&Remove"),
                           dropped.front().page, dropped.front().gapBox);
}

bool DosesConfigDialog::confirmFallingLevels(const doses_boxes::BoxTexts &texts) {
    const std::vector<doses_checks::FallingLevels> falling = doses_checks::fallingLevels(texts);
    return falling.empty() ||
           askGoOnOrGoBack(doses_messages::fallingLevels(falling), QStringLiteral("&Store anyway"),
                           falling.front().page, falling.front().rows.front());
}

bool DosesConfigDialog::store(int index) {
    const QString path = platform::settingsFilePath();
    if (index < 0) {
        platform::messageBox(this, doses_messages::noPeriods(path));
        return false;
    }
    const doses_boxes::BoxTexts texts = boxTexts();
    if (refuseUnreadableBox(texts) || !confirmDroppedRows(texts) || !confirmFallingLevels(texts))
        return false;

    const QString period = w_->mealtime->itemText(index);
    // The tables are rebuilt aside and take effect only once they are on disk, so a failed save
    // leaves the program as it was and the person's entries in the boxes.
    norvalis::DoseSettings rebuilt = norvalis::SharedDoseSettings();
    doses_boxes::tablesFromBoxTexts(texts, rebuilt);

    // A file that vanished would otherwise come back with this one period and no period list.
    const bool recreate = !QFileInfo::exists(path);
    if (recreate) {
        using Button = QMessageBox::StandardButton;
        const Button answer = doses_messages::ask(this, doses_messages::fileGone(path),
                                                  {{Button::Yes, QStringLiteral("&Create")},
                                                   {Button::No, QStringLiteral("&Don't create")}});
        if (answer != Button::Yes)
            return false;
    }
    norvalis::StoreGuard guard;
    // A file that is gone was just asked about; otherwise the file must be as it was read.
    if (!recreate)
        guard.readAs = readAs_;
    for (int i = 0; i < w_->mealtime->count(); ++i)
        guard.keptPeriods.push_back(w_->mealtime->itemText(i).toStdString());
    norvalis::FileResult saved = storeTables(rebuilt, period, recreate, guard);
    if (saved.changedSinceRead && guard.readAs) {
        switch (platform::askAboutChangedFile(
            this, QStringLiteral("the dosages of \"%1\"").arg(period), path)) {
        case platform::ChangedFileChoice::Reload: {
            // The boxes show the period whose edits were dropped, as the file now has it.
            const QSignalBlocker quiet(w_->mealtime);
            w_->mealtime->setCurrentIndex(index);
            loadSelectedPeriod();
            Populate();
            return false;
        }
        case platform::ChangedFileChoice::Cancel:
            return false;
        case platform::ChangedFileChoice::StoreAnyway:
            guard.readAs.reset();
            saved = storeTables(rebuilt, period, recreate, guard);
            break;
        }
    }
    if (!saved.ok) {
        platform::messageBox(
            this, doses_messages::saveFailed(period, path, QString::fromStdString(saved.error)));
        return false;
    }
    norvalis::SharedDoseSettings() = rebuilt;
    // The boxes now show what is stored: numbers normalised, removed rows gone.
    Populate();
    emit tablesStored();
    return true;
}

norvalis::FileResult DosesConfigDialog::storeTables(const norvalis::DoseSettings &rebuilt,
                                                    const QString &period, bool recreate,
                                                    norvalis::StoreGuard &guard) {
    guard.stored = &readAs_;
    return platform::storeSettingsFile([&](const std::string &file) {
        if (recreate) {
            const norvalis::FileResult listed =
                norvalis::SaveSettings(rebuilt, kPeriodList, period.toStdString(), file, guard);
            if (!listed.ok)
                return listed;
            guard.readAs = readAs_; // the second write follows the first, not anyone else's
        }
        return norvalis::SaveSettings(rebuilt, kDosages, period.toStdString(), file, guard);
    });
}

void DosesConfigDialog::cmdOK_Click() {
    if (store(w_->mealtime->currentIndex()))
        hide();
}

void DosesConfigDialog::cmdApply_Click() {
    store(w_->mealtime->currentIndex());
}

void DosesConfigDialog::cmdCancel_Click() {
    close();
}

void DosesConfigDialog::reject() {
    close();
}

void DosesConfigDialog::closeEvent(QCloseEvent *event) {
    // Closing unloads the dialog: the next use builds it afresh from its layout.
    setAttribute(Qt::WA_DeleteOnClose);
    event->accept();
}

void DosesConfigDialog::fitOuterSize() {
    // The size is that of the outer window; the window system's frame is known only once the
    // window is on screen, so the client area is fitted again then.
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize client =
        platform::twipsSize(doses_layout::kDialogWidth, doses_layout::kDialogHeight) - frame;
    if (client != size() || minimumSize() != maximumSize())
        setFixedSize(client);
}

void DosesConfigDialog::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    // A hidden dialog keeps the boxes as last stored; shown again after someone else wrote the
    // file, it shows what the file holds now. A file that cannot be read would only empty them.
    if (shownPeriod_ >= 0 && !hasUnsavedEdits()) {
        const norvalis::FileFingerprint now = norvalis::CurrentFingerprint(settingsPath());
        if (now.readable && now != readAs_) {
            loadSelectedPeriod();
            Populate();
        }
    }
    fitOuterSize();
}

void DosesConfigDialog::moveEvent(QMoveEvent *event) {
    QDialog::moveEvent(event);
    if (isVisible())
        fitOuterSize();
}
