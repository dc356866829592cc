#include "platform/loaded_windows.h"

namespace platform {

namespace {
QList<QPointer<QWidget>> &windows() {
    static QList<QPointer<QWidget>> loaded;
    return loaded;
}

void forgetDestroyed() {
    windows().removeIf([](const QPointer<QWidget> &w) { return w.isNull(); });
}
} // namespace

void LoadedWindows::add(QWidget *window) {
    forgetDestroyed();
    if (window && !windows().contains(window))
        windows().append(window);
}

QList<QWidget *> LoadedWindows::list() {
    forgetDestroyed();
    QList<QWidget *> result;
    for (const QPointer<QWidget> &w : windows())
        result.append(w.data());
    return result;
}

void LoadedWindows::unload(QWidget *window) {
    if (!window)
        return;
    windows().removeAll(window);
    window->hide();
    window->deleteLater();
}

} // namespace platform
