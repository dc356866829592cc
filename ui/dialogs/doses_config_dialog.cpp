#include "ui/dialogs/doses_config_dialog.h"

#include "core/settings_file.h"
#include "platform/fonts.h"
#include "platform/message_box.h"
#include "platform/settings_location.h"
#include "platform/tab_strip.h"
#include "platform/twips.h"
#include "ui/dialogs/doses_layout.h"
#include "ui/dialogs/doses_messages.h"
#include "ui/dialogs/doses_widgets.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

namespace {

constexpr const char *kDosages = "dosages";
constexpr int kKeyTab = 9;
constexpr int kShiftMask = 1;
constexpr int kCtrlMask = 2;
constexpr int kAltMask = 4;

int modifierMask(const QKeyEvent *key) {
    int mask = 0;
    if (key->modifiers() & Qt::ShiftModifier || key->key() == Qt::Key_Backtab)
        mask |= kShiftMask;
    if (key->modifiers() & Qt::ControlModifier)
        mask |= kCtrlMask;
    if (key->modifiers() & Qt::AltModifier)
        mask |= kAltMask;
    return mask;
}

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

} // namespace

struct DosesConfigDialog::Widgets : DosesWidgets {};

DosesConfigDialog::DosesConfigDialog(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      w_(new Widgets) {
    setObjectName(QStringLiteral("frmDosesConfigDialog"));
    setWindowTitle(QStringLiteral("Configure Dosages"));
    setFont(platform::designFont(false));
    buildDosesWidgets(this, *w_);

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
    const QString path = platform::settingsFilePath();
    const norvalis::FileResult loaded = norvalis::LoadSettings(
        norvalis::SharedDoseSettings(), kDosages, period.toStdString(), path.toStdString());
    if (!loaded.ok && isVisible()) {
        platform::messageBox(
            this, doses_messages::loadFailed(period, path, QString::fromStdString(loaded.error)));
    }
}

void DosesConfigDialog::Mealtime_Click() {
    loadSelectedPeriod();
    Populate();
}

void DosesConfigDialog::Populate() {
    // Without a period nothing was loaded for this dialog: it shows empty tables.
    const norvalis::DoseSettings none;
    const norvalis::DoseSettings &shown =
        w_->mealtime->currentIndex() < 0 ? none : norvalis::SharedDoseSettings();
    const doses_boxes::BoxTexts texts = doses_boxes::boxTextsFromTables(shown);
    showTexts(texts.correction, w_->inputBs);
    showTexts(texts.weighting, w_->inputCw);
    showTexts(texts.carb, w_->inputCd);
}

std::optional<std::string> DosesConfigDialog::Reconfigure(norvalis::DoseSettings &settings) const {
    doses_boxes::BoxTexts texts;
    readTexts(w_->inputBs, texts.correction);
    readTexts(w_->inputCw, texts.weighting);
    readTexts(w_->inputCd, texts.carb);
    return doses_boxes::tablesFromBoxTexts(texts, settings);
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
    }
}

void DosesConfigDialog::handleDialogKey(int keyCode, int shift) {
    platform::TabStrip *tabs = w_->tbsOptions;
    const int current = tabs->SelectedItem().Index();
    const int count = tabs->Tabs().Count();
    if (keyCode == kKeyTab && (shift & 3) == kCtrlMask) {
        tabs->setSelectedItem(current == count ? tabs->Tabs()(1) : tabs->Tabs()(current + 1));
    } else if (keyCode == kKeyTab && (shift & 3) == (kCtrlMask | kShiftMask)) {
        tabs->setSelectedItem(current == 1 ? tabs->Tabs()(count) : tabs->Tabs()(current - 1));
    }
}

bool DosesConfigDialog::event(QEvent *event) {
    // Every key press reaches the dialog first as a shortcut override, passed up from the
    // focused widget when it does not want the key itself, so Ctrl+Tab switches pages
    // wherever the focus is. The key itself goes on unchanged.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            handleDialogKey(kKeyTab, modifierMask(key));
    }
    return QDialog::event(event);
}

void DosesConfigDialog::cmdOK_Click() {
    const QString path = platform::settingsFilePath();
    if (w_->mealtime->currentIndex() < 0) {
        platform::messageBox(this, doses_messages::noPeriods(path));
        return;
    }
    const QString period = w_->mealtime->currentText();
    // The tables are rebuilt aside and take effect only once they are on disk, so a failed save
    // leaves the program as it was and the user's entries in the boxes.
    norvalis::DoseSettings rebuilt = norvalis::SharedDoseSettings();
    const std::optional<std::string> caption = Reconfigure(rebuilt);
    const norvalis::FileResult saved =
        norvalis::SaveSettings(rebuilt, kDosages, period.toStdString(), path.toStdString());
    if (!saved.ok) {
        platform::messageBox(
            this, doses_messages::saveFailed(period, path, QString::fromStdString(saved.error)));
        return;
    }
    norvalis::SharedDoseSettings() = rebuilt;
    if (caption)
        emit weightingCaptionChanged(QString::fromStdString(*caption));
    hide();
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

void DosesConfigDialog::cmdApply_Click() {
    platform::messageBox(this, QString::fromLatin1(doses_messages::kApply), platform::kOkOnly);
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
