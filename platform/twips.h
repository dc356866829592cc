#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace platform {

// Layouts are designed in twips: 15 twips make one pixel at 96 dpi. Qt's device-independent
// pixels carry the same sizes to other screen scales.
inline constexpr int kTwipsPerPixel = 15;

int twipsToPixels(double twips);
double pixelsToTwips(int pixels);
QRect twipsRect(int left, int top, int width, int height);
QSize twipsSize(int width, int height);
QPoint twipsPoint(int x, int y);

} // namespace platform
