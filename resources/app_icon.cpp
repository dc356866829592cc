#include "resources/app_icon.h"

#include <QImageReader>
#include <QPixmap>
#include <QString>

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        QImageReader reader(
            QStringLiteral(":/icons/hicolor/%1x%1/apps/org.norvalis.Norvalis.png").arg(size),
            "png");
        // Read as PNG, the files' known format: sniffing the contents (as QIcon::addFile does)
        // loads every image format plugin, Qt SVG among them, at start-up.
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
