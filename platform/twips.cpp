#include "platform/twips.h"

#include <cmath>

namespace platform {

int twipsToPixels(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

double pixelsToTwips(int pixels) {
    return static_cast<double>(pixels) * kTwipsPerPixel;
}

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsPoint(left, top), twipsSize(width, height));
}

QSize twipsSize(int width, int height) {
    return QSize(twipsToPixels(width), twipsToPixels(height));
}

QPoint twipsPoint(int x, int y) {
    return QPoint(twipsToPixels(x), twipsToPixels(y));
}

} // namespace platform
