#include "ui/about/about_box.h"

#include "platform/app_info.h"
#include "platform/fonts.h"
#include "platform/settings_location.h"
#include "platform/twips.h"
#include "resources/app_icon.h"
#include "resources/version_record.h"
#include "ui/about/about_layout.h"
#include "ui/widget_table/widget_builder.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

namespace {

QString versionRecordText() {
    namespace record = norvalis::version_record;
    return QStringLiteral("%1 version %2 (file version %3)")
        .arg(QString::fromUtf8(record::kProductName),
             QString::fromUtf8(record::kProductVersionText),
             QString::fromUtf8(record::kFileVersion));
}

} // namespace

AboutBox::AboutBox(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(about_layout::kCaption));
    setFont(platform::designFont());
    setFixedSize(platform::twipsSize(about_layout::kClientWidth, about_layout::kClientHeight));
    setAccessibleDescription(versionRecordText());
    const widget_table::BuiltWidgets widgets =
        widget_table::buildWidgets(about_layout::kWidgets, this);
    widgets.get<QLabel>(QStringLiteral("picIcon"))
        ->setPixmap(applicationIcon().pixmap(QSize(32, 32)));

    auto *ok = widgets.get<QPushButton>(QStringLiteral("cmdOK"));
    // The default button takes Enter from anywhere; QDialog gives Escape to reject(), which
    // closes the box just as the button does.
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    Form_Load();
}

QString AboutBox::settingsFileCaption() {
    return QStringLiteral("Settings file: %1")
        .arg(QDir::toNativeSeparators(platform::settingsFilePath()));
}

QString AboutBox::versionCaption(const platform::Version &version) {
    return QStringLiteral("Version %1.%2.%3")
        .arg(version.major)
        .arg(version.minor)
        .arg(version.revision);
}

void AboutBox::Form_Load() {
    findChild<QLabel *>(QStringLiteral("lblVersion"))
        ->setText(versionCaption(platform::applicationVersion()));
    findChild<QLabel *>(QStringLiteral("lblTitle"))->setText(platform::applicationTitle());
    findChild<QLabel *>(QStringLiteral("lblSettingsFile"))->setText(settingsFileCaption());
}

void AboutBox::showEvent(QShowEvent *event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        centreOverOwner();
}

void AboutBox::centreOverOwner() {
    const QWidget *owner = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect available = (owner ? owner->screen() : screen())->availableGeometry();
    QRect placed(QPoint(), size());
    placed.moveCenter(owner ? owner->geometry().center() : available.center());
    // An owner hanging over the screen's edge must not take the box off screen with it.
    placed.moveLeft(std::clamp(placed.left(), available.left(),
                               std::max(available.left(), available.right() + 1 - placed.width())));
    placed.moveTop(std::clamp(placed.top(), available.top(),
                              std::max(available.top(), available.bottom() + 1 - placed.height())));
    setGeometry(placed);
}
