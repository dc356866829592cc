#include "ui/dialogs/doses_config_dialog.h"

#include "core/settings_file.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/settings_location.h"
#include "platform/tab_strip.h"
#include "platform/twips.h"
#include "ui/dialogs/doses_entry_checks.h"
#include "ui/dialogs/doses_layout.h"
#include "ui/dialogs/doses_messages.h"
#include "ui/dialogs/doses_widgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

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

struct DosesConfigDialog::Widgets : DosesWidgets {
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
      w_(new Widgets) {
    setObjectName(QStringLiteral("frmDosesConfigDialog"));
    setWindowTitle(QStringLiteral("Configure Dosages"));
    setFont(platform::designFont(false));
    buildDosesWidgets(this, *w_);
    nameBoxes();

    connect(w_->mealtime, &QComboBox::currentIndexChanged, this,
            &DosesConfigDialog::Mealtime_Click);
    connect(w_->tbsOptions, &platform::TabStrip::clicked, this,
            &DosesConfigDialog::tbsOptions_Click);
    connect(w_->cmdOK, &QPushButton::clicked, this, &DosesConfigDialog::cmdOK_Click);
    connect(w_->cmdCancel, &QPushButton::clicked, this, &DosesConfigDialog::cmdCancel_Click);
    connect(w_->cmdApply, &QPushButton::clicked, this, &DosesConfigDialog::cmdApply_Click);

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
    if (auto *caption = findChild<QLabel *>(QStringLiteral("Label1_46"))) {
        caption->setBuddy(w_->mealtime);
        w_->mealtime->setAccessibleName(caption->text());
    }
}

void DosesConfigDialog::Form_Load() {
    using namespace doses_layout;
    fitOuterSize();
    const QScreen *screen = QGuiApplication::primaryScreen();
    const QPoint screenOrigin = screen ? screen->geometry().topLeft() : QPoint();
    setGeometry(QRect(screenOrigin + platform::twipsPoint(kClientLeft, kClientTop), size()));

    QGroupBox *carbPage = w_->frameDosages[2];
    carbPage->resize(carbPage->width(), platform::twipsToPixels(kCarbPageHeight));

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

    // Page 0 comes into view the way every page switch brings a page, so the other two pages
    // are disabled from the start and Tab cannot lead into boxes out of sight.
    w_->tbsOptions->setSelectedIndex(1);
    w_->tbsOptions->setFocus();
}

void DosesConfigDialog::loadSelectedPeriod() {
    if (w_->mealtime->currentIndex() < 0)
        return;
    const QString period = w_->mealtime->currentText();
    const norvalis::FileResult loaded = norvalis::LoadSettings(
        norvalis::SharedDoseSettings(), kDosages, period.toStdString(), settingsPath());
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

void DosesConfigDialog::tbsOptions_Click() {
    using namespace doses_layout;
    platform::TabStrip *tabs = w_->tbsOptions;
    for (int i = 0; i < tabs->Tabs().Count(); ++i) {
        QGroupBox *page = w_->frameDosages.at(i);
        const bool selected = i == tabs->SelectedItem().Index() - 1;
        const int left = selected ? kPageInViewLeft : kPageOutOfViewLeft;
        page->move(platform::twipsToPixels(left), page->y());
        page->setEnabled(selected);
        // Out of sight is out of the accessibility tree too.
        page->setVisible(selected);
    }
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
            platform::TabStrip *tabs = w_->tbsOptions;
            const int count = tabs->Tabs().Count();
            const int current = tabs->SelectedItem().Index() - 1;
            tabs->setSelectedIndex((current + (back ? count - 1 : 1)) % count + 1);
        }
    }
    return QDialog::event(event);
}

void DosesConfigDialog::focusBox(int page, QWidget *box) {
    w_->tbsOptions->setSelectedIndex(page + 1);
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

bool DosesConfigDialog::confirmDroppedRows(const doses_boxes::BoxTexts &texts) {
    const std::vector<doses_checks::DroppedRows> dropped = doses_checks::droppedRows(texts);
    if (dropped.empty())
        return true;
    using Button = QMessageBox::StandardButton;
    const Button answer = doses_messages::ask(
        this, doses_messages::droppedRows(dropped),
        {{Button::Yes, QStringLiteral("&Remove")}, {Button::No, QStringLiteral("&Go back")}});
    if (answer == Button::Yes)
        return true;
    const doses_checks::DroppedRows &first = dropped.front();
    focusBox(static_cast<int>(first.page), w_->box(first.page, first.gapBox));
    return false;
}

bool DosesConfigDialog::store(int index) {
    const QString path = platform::settingsFilePath();
    if (index < 0) {
        platform::messageBox(this, doses_messages::noPeriods(path));
        return false;
    }
    const doses_boxes::BoxTexts texts = boxTexts();
    if (refuseUnreadableBox(texts) || !confirmDroppedRows(texts))
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
    norvalis::FileResult saved;
    if (recreate)
        saved = norvalis::SaveSettings(rebuilt, kPeriodList, period.toStdString(), settingsPath());
    if (saved.ok)
        saved = norvalis::SaveSettings(rebuilt, kDosages, period.toStdString(), settingsPath());
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
    fitOuterSize();
}

void DosesConfigDialog::moveEvent(QMoveEvent *event) {
    QDialog::moveEvent(event);
    if (isVisible())
        fitOuterSize();
}
