#include "resources/app_icon.h"

#include <QString>

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(
            QStringLiteral(":/icons/hicolor/%1x%1/apps/org.norvalis.Norvalis.png").arg(size),
            QSize(size, size));
    return icon;
}
