#include "platform/message_box.h"

#include "platform/app_info.h"

#include <QMessageBox>

namespace platform {

void messageBox(QWidget *parent, const QString &text) {
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.exec();
}

} // namespace platform
