#include "resources/app_icon.h"

#include "platform/deferred_icon.h"

#include <QImageReader>
#include <QPixmap>
#include <QString>

namespace {

QIcon readApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        QImageReader reader(
            QStringLiteral(":/icons/hicolor/%1x%1/apps/org.norvalis.Norvalis.png").arg(size),
            "png");
        // Read as PNG, the files' known format: sniffing the contents (as QIcon::addFile does)
        // loads every image format plugin, Qt SVG among them.
        reader.setAutoDetectImageFormat(false);
        const QImage image = reader.read();
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

} // namespace

QIcon applicationIcon() {
    // Decoded when the window system or a window first asks for it. An X11 window manager gets
    // every size as the window is shown; larger sizes cost start-up time for pictures that title
    // bars and switchers do not draw.
    return platform::deferredIcon(readApplicationIcon, true);
}
