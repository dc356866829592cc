#pragma once

#include <QColor>
#include <QPalette>

// Text colours that stay readable on the palette in use. The windows' design colours were
// chosen for a light grey window and stay exactly as they are on a light palette; on a dark
// one some of them all but vanish, and there a colour of the palette takes their place.
namespace readable_colour {

// The WCAG minimum for body text.
inline constexpr double kLeastTextContrast = 4.5;

// WCAG relative luminance, 0 for black to 1 for white.
double relativeLuminance(const QColor &colour);
// WCAG contrast ratio, 1 (none) to 21 (black on white), the same either way round.
double contrastRatio(const QColor &a, const QColor &b);

// A background on which black reads better than white: the kind the design was drawn for.
bool isLight(const QColor &background);

// The design colour on a light background, or where it reaches kLeastTextContrast on the
// palette's background role; otherwise the palette's link colour if that does, and otherwise
// the palette's own text colour for that background.
QColor readableText(const QColor &design, const QPalette &palette,
                    QPalette::ColorRole background = QPalette::Window);

} // namespace readable_colour
