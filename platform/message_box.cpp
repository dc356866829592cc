#include "platform/message_box.h"

#include "platform/app_info.h"

#include <QMessageBox>

namespace platform {

void messageBox(QWidget *parent, const QString &text, int style, const QString &title) {
    QMessageBox box(parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setWindowTitle(title.isEmpty() ? applicationTitle() : title);
    box.setText(text);
    box.setIcon((style & kInformation) ? QMessageBox::Information : QMessageBox::NoIcon);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

} // namespace platform
