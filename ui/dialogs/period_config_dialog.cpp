#include "ui/dialogs/period_config_dialog.h"

#include "platform/fonts.h"
#include "platform/tab_order.h"
#include "platform/twips.h"
#include "ui/dialogs/period_dialog_layout.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <vector>

namespace {

using period_dialog_layout::Kind;
using period_dialog_layout::WidgetRow;

QWidget *createWidget(const WidgetRow &row, QWidget *parent) {
    const QString text = QString::fromUtf8(row.text);
    switch (row.kind) {
    case Kind::PushButton: {
        auto *button = new QPushButton(text, parent);
        // Neither button is the dialog's default: QDialog would otherwise make the first one
        // default when shown, and Enter in a box would press it.
        button->setAutoDefault(false);
        return button;
    }
    case Kind::TextBox:
        return new QLineEdit(text, parent);
    }
    return nullptr;
}

void buildLayout(QDialog *dialog) {
    platform::TabStops focusOrder;
    for (const WidgetRow &row : period_dialog_layout::kWidgets) {
        QWidget *widget = createWidget(row, dialog);
        widget->setObjectName(QString::fromUtf8(row.name));
        widget->setGeometry(platform::twipsRect(row.left, row.top, row.width, row.height));
        focusOrder.emplace_back(row.tabIndex, widget);
    }
    platform::chainTabOrder(focusOrder)->setFocus();
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
    buildLayout(this);

    // A fixed place on the owner's screen, not centred: placing it here also keeps QDialog
    // from centring it when shown.
    const QScreen *screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QPoint origin = screen ? screen->geometry().topLeft() : QPoint();
    setFixedSize(platform::twipsSize(layout::kClientWidth, layout::kClientHeight));
    setGeometry(
        QRect(origin + platform::twipsPoint(layout::kClientLeft, layout::kClientTop), size()));
}

void PeriodConfigDialog::keyPressEvent(QKeyEvent *event) {
    // Enter and Escape have no dialog-wide meaning here; QDialog would press a default button
    // or reject. Enter on a focused button still presses that button.
    const bool enter = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
                       (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (enter) {
        if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
            button->click();
        event->accept();
        return;
    }
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
