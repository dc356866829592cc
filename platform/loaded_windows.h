#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

namespace platform {

// The program's loaded windows in load order, as the shutdown sequence walks them. A window
// is added when it is created (loaded) and drops out of the list when it is destroyed
// (unloaded); hiding keeps it loaded.
class LoadedWindows {
public:
    static void add(QWidget *window);
    static QList<QWidget *> list();
    // Closes and destroys a window (the deferred delete runs before control returns to the
    // event loop's next iteration); the list forgets it at once.
    static void unload(QWidget *window);
};

// A single-instance window that is created afresh from its layout when it is referenced
// after being unloaded. Factory runs the window's construction and load procedure.
template <typename Window> class WindowSlot {
public:
    template <typename Factory> Window *get(Factory &&create) {
        if (!window_) {
            window_ = create();
            LoadedWindows::add(window_);
        }
        return window_;
    }
    Window *peek() const { return window_; }
    bool isLoaded() const { return !window_.isNull(); }

private:
    QPointer<Window> window_;
};

} // namespace platform
