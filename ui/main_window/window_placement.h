#pragma once

#include <QList>
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

class QWidget;

namespace mainwindow {

// The outer window's left, top, width and height in twips, as the per-user store keeps them.
struct Placement {
    float left;
    float top;
    float width;
    float height;
    bool operator==(const Placement &) const = default;
};

inline constexpr Placement kDefaultPlacement{1000.0f, 1000.0f, 6500.0f, 6500.0f};

// A stored value read as a number of twips: the shortest form that twipsText writes, or the
// user's own locale's form. nullopt when the text is not a finite number.
std::optional<float> parseTwips(const QString &text);

// The shortest text that reads back as the same single-precision value ("1000", "1012.5").
QString twipsText(float value);

// The stored placement; a key that is missing or does not hold a usable number gives its
// default (a size must be positive, and no value may lie beyond any screen's reach).
Placement readStoredPlacement();
void writeStoredPlacement(const Placement &placement);

// A frame that lies entirely off every screen, moved the least distance into the given area
// of the primary screen at the same size; any other frame unchanged.
QRect keptOnScreen(const QRect &frame, const QList<QRect> &screens, const QRect &primaryArea);

// Places a top-level window from the store and tells what to store at the end of the run.
// While the user has not moved or resized the window, it is the placement that was read, so
// twips-to-pixel rounding never creeps into the stored values run after run.
class PlacementKeeper : public QObject {
public:
    explicit PlacementKeeper(QWidget *window);

    // Reads the stored placement and applies it to the window's frame.
    void restore();
    // The window's current placement in twips.
    Placement current() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply(const QRect &frame, const Placement &twips);
    QMargins frameMargins() const;
    void followWindowSystem();

    struct Applied {
        Placement twips;  // what to store while the window stays where it was put
        QRect frame;      // the frame asked for, in pixels
        QPoint framePos;  // where the frame is, as the window system reported it then
        QSize clientSize; // the client size that was set for that frame
        QMargins margins; // the frame margins known when it was set
    };

    QWidget *window_;
    std::optional<Applied> applied_;
    bool drawn_ = false;
};

} // namespace mainwindow
