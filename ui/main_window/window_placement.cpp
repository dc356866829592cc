#include "ui/main_window/window_placement.h"

#include "platform/app_info.h"
#include "platform/twips.h"
#include "platform/user_settings_store.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace mainwindow {

namespace {
const QString kSection = QStringLiteral("Settings");
const QString kLeftKey = QStringLiteral("MainLeft");
const QString kTopKey = QStringLiteral("MainTop");
const QString kWidthKey = QStringLiteral("MainWidth");
const QString kHeightKey = QStringLiteral("MainHeight");

// Far beyond any desktop (100 000 pixels), near enough that pixel arithmetic cannot overflow.
constexpr float kFarthestTwips = 100000.0f * platform::kTwipsPerPixel;

std::optional<float> readCoordinate(const QString &key, float fallback, bool isSize) {
    const QString text =
        platform::readUserSetting(platform::applicationTitle(), kSection, key, twipsText(fallback));
    const std::optional<float> value = parseTwips(text);
    if (!value || std::fabs(*value) > kFarthestTwips || (isSize && *value <= 0.0f))
        return fallback;
    return value;
}

int pixels(float twips) {
    return platform::twipsToPixels(twips);
}

float twipsOf(int pixels) {
    return static_cast<float>(platform::pixelsToTwips(pixels));
}
} // namespace

std::optional<float> parseTwips(const QString &text) {
    const QByteArray bytes = text.trimmed().toLatin1();
    float value = 0.0f;
    const char *end = bytes.constData() + bytes.size();
    const auto [stop, error] =
        std::from_chars(bytes.constData(), end, value, std::chars_format::general);
    if (bytes.isEmpty() || error != std::errc() || stop != end) {
        bool ok = false;
        value = QLocale::system().toFloat(text.trimmed(), &ok);
        if (!ok)
            return std::nullopt;
    }
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

QString twipsText(float value) {
    if (value == 0.0f)
        value = 0.0f; // no "-0"
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

Placement readStoredPlacement() {
    const Placement d = kDefaultPlacement;
    return {*readCoordinate(kLeftKey, d.left, false), *readCoordinate(kTopKey, d.top, false),
            *readCoordinate(kWidthKey, d.width, true), *readCoordinate(kHeightKey, d.height, true)};
}

void writeStoredPlacement(const Placement &placement) {
    const QString app = platform::applicationTitle();
    platform::writeUserSetting(app, kSection, kLeftKey, twipsText(placement.left));
    platform::writeUserSetting(app, kSection, kTopKey, twipsText(placement.top));
    platform::writeUserSetting(app, kSection, kWidthKey, twipsText(placement.width));
    platform::writeUserSetting(app, kSection, kHeightKey, twipsText(placement.height));
}

QRect keptOnScreen(const QRect &frame, const QList<QRect> &screens, const QRect &primaryArea) {
    for (const QRect &screen : screens) {
        if (screen.intersects(frame))
            return frame;
    }
    if (primaryArea.isEmpty())
        return frame;
    // Clamp the top-left corner so that as much of the frame as fits lies in the area.
    const int left =
        std::clamp(frame.left(), primaryArea.left(),
                   std::max(primaryArea.left(), primaryArea.right() + 1 - frame.width()));
    const int top =
        std::clamp(frame.top(), primaryArea.top(),
                   std::max(primaryArea.top(), primaryArea.bottom() + 1 - frame.height()));
    return QRect(QPoint(left, top), frame.size());
}

PlacementKeeper::PlacementKeeper(QWidget *window) : QObject(window), window_(window) {
    window_->installEventFilter(this);
}

void PlacementKeeper::restore() {
    Placement twips = readStoredPlacement();
    const QRect asked(pixels(twips.left), pixels(twips.top), pixels(twips.width),
                      pixels(twips.height));

    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->geometry());
    const QScreen *primary = QGuiApplication::primaryScreen();
    const QRect frame =
        keptOnScreen(asked, screens, primary ? primary->availableGeometry() : QRect());
    // Brought back into sight: the next save stores where the window really is.
    if (frame.left() != asked.left())
        twips.left = twipsOf(frame.left());
    if (frame.top() != asked.top())
        twips.top = twipsOf(frame.top());
    apply(frame, twips);
}

void PlacementKeeper::apply(const QRect &frame, const Placement &twips) {
    // A top-level widget's position is that of its frame; its size is that of its client area.
    const QMargins margins = frameMargins();
    window_->move(frame.topLeft());
    window_->resize(frame.size().shrunkBy(margins));
    applied_ = Applied{twips, frame, window_->frameGeometry().topLeft(), window_->size(), margins};
}

Placement PlacementKeeper::current() const {
    const QRect frame = window_->frameGeometry();
    Placement now{twipsOf(frame.left()), twipsOf(frame.top()), twipsOf(frame.width()),
                  twipsOf(frame.height())};
    if (!applied_)
        return now;
    // Position and size are kept apart: moving the window must not round its stored size.
    if (frame.topLeft() == applied_->framePos) {
        now.left = applied_->twips.left;
        now.top = applied_->twips.top;
    }
    if (window_->size() == applied_->clientSize) {
        now.width = applied_->twips.width;
        now.height = applied_->twips.height;
    }
    return now;
}

QMargins PlacementKeeper::frameMargins() const {
    const QWindow *handle = window_->windowHandle();
    return handle ? handle->frameMargins() : QMargins();
}

void PlacementKeeper::followWindowSystem() {
    if (!applied_)
        return;
    // Some window systems tell the frame's size only once the window is on screen: until the
    // user resizes the window, fit the client area to the frame asked for.
    const QMargins margins = frameMargins();
    const bool framed = margins != applied_->margins && window_->size() == applied_->clientSize;
    if (framed) {
        applied_->margins = margins;
        window_->resize(applied_->frame.size().shrunkBy(margins));
    }
    // Where the window system itself puts the window on its way to the screen counts as the
    // place asked for: the user can move it only after it is drawn.
    if (framed || !drawn_) {
        applied_->framePos = window_->frameGeometry().topLeft();
        applied_->clientSize = window_->size();
    }
}

bool PlacementKeeper::eventFilter(QObject *watched, QEvent *event) {
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            followWindowSystem();
            break;
        case QEvent::Paint:
            followWindowSystem();
            drawn_ = true;
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace mainwindow
