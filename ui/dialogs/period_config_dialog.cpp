#include "ui/dialogs/period_config_dialog.h"

#include "platform/fonts.h"
#include "platform/twips.h"
#include "ui/dialogs/period_dialog_layout.h"
#include "ui/widget_table/widget_builder.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

PeriodConfigDialog::PeriodConfigDialog(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                         Qt::MSWindowsFixedSizeDialogHint) {
    namespace layout = period_dialog_layout;
    setObjectName(QStringLiteral("frmPeriodConfigDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(layout::kCaption));
    setFont(platform::designFont());
    widget_table::buildWidgets(layout::kWidgets, this).firstTabStop->setFocus();

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
