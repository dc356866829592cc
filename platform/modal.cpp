#include "platform/modal.h"

#include <QDialog>

namespace platform {

void showModal(QDialog *dialog, QWidget *owner) {
    if (!dialog)
        return;
    // The owner is the dialog's parent window: it stays on top of it and out of the taskbar.
    if (owner && dialog->parentWidget() != owner)
        dialog->setParent(owner, dialog->windowFlags());
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->exec();
}

} // namespace platform
