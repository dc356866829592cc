#include "startup_style.h"

#include "platform/deferred_icon.h"

#include <QPointer>

StartupStyle::StartupStyle(const QString &key) : QProxyStyle(key) {}

QIcon StartupStyle::standardIcon(StandardPixmap icon, const QStyleOption *option,
                                 const QWidget *widget) const {
    if (icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton) {
        return platform::deferredIcon([base = QPointer<QStyle>(baseStyle()), icon] {
            return base ? base->standardIcon(icon) : QIcon();
        });
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}
