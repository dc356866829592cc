#include "ui/about/about_box.h"

#include "platform/app_info.h"
#include "platform/fonts.h"
#include "platform/tab_order.h"
#include "platform/twips.h"
#include "resources/app_icon.h"
#include "resources/version_record.h"
#include "ui/about/about_layout.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

namespace {

using about_layout::Kind;
using about_layout::WidgetRow;

void setColour(QWidget *widget, QPalette::ColorRole role, QRgb colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, QColor(colour));
    widget->setPalette(palette);
}

QRect lineRect(const WidgetRow &row) {
    const int left = platform::twipsToPixels(row.left);
    const int right = platform::twipsToPixels(row.left + row.width);
    return QRect(left, platform::twipsToPixels(row.top), right - left, row.penWidth);
}

QWidget *createWidget(const WidgetRow &row, QWidget *parent) {
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case Kind::PushButton:
        return new QPushButton(text, parent);
    case Kind::Picture: {
        auto *picture = new QLabel(parent);
        picture->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setPixmap(applicationIcon().pixmap(QSize(32, 32)));
        picture->setAutoFillBackground(true);
        picture->setFocusPolicy(Qt::TabFocus);
        if (row.colour)
            setColour(picture, QPalette::Window, *row.colour);
        return picture;
    }
    case Kind::Label: {
        auto *label = new QLabel(text, parent);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(row.wraps);
        if (row.colour)
            setColour(label, QPalette::WindowText, *row.colour);
        return label;
    }
    case Kind::Line: {
        auto *line = new QWidget(parent);
        line->setAutoFillBackground(true);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        if (row.colour)
            setColour(line, QPalette::Window, *row.colour);
        return line;
    }
    }
    return nullptr;
}

// Creates every widget of the layout table and chains the focusable ones in tab order.
void buildLayout(QDialog *dialog) {
    platform::TabStops focusOrder;
    for (const WidgetRow &row : about_layout::kWidgets) {
        QWidget *widget = createWidget(row, dialog);
        widget->setObjectName(QString::fromUtf8(row.name));
        widget->setGeometry(row.kind == Kind::Line
                                ? lineRect(row)
                                : platform::twipsRect(row.left, row.top, row.width, row.height));
        if (row.tabIndex >= 0)
            focusOrder.emplace_back(row.tabIndex, widget);
    }
    platform::chainTabOrder(focusOrder);
}

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
    buildLayout(this);

    auto *ok = findChild<QPushButton *>(QStringLiteral("cmdOK"));
    // The default button takes Enter from anywhere; QDialog gives Escape to reject(), which
    // closes the box just as the button does.
    ok->setDefault(true);
    ok->setFocus();
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    Form_Load();
}

void AboutBox::Form_Load() {
    const platform::Version version = platform::applicationVersion();
    findChild<QLabel *>(QStringLiteral("lblVersion"))
        ->setText(QStringLiteral("Version %1.%2.%3")
                      .arg(version.major)
                      .arg(version.minor)
                      .arg(version.revision));
    findChild<QLabel *>(QStringLiteral("lblTitle"))->setText(platform::applicationTitle());
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
