#include "ui/readable_colour/readable_colour.h"

#include <algorithm>
#include <cmath>

namespace readable_colour {

namespace {
double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

QPalette::ColorRole textRoleOn(QPalette::ColorRole background) {
    switch (background) {
    case QPalette::Base:
    case QPalette::AlternateBase:
        return QPalette::Text;
    case QPalette::Button:
        return QPalette::ButtonText;
    case QPalette::Highlight:
        return QPalette::HighlightedText;
    default:
        return QPalette::WindowText;
    }
}
} // namespace

double relativeLuminance(const QColor &colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

double contrastRatio(const QColor &a, const QColor &b) {
    const double first = relativeLuminance(a);
    const double second = relativeLuminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

bool isLight(const QColor &background) {
    return contrastRatio(background, Qt::black) > contrastRatio(background, Qt::white);
}

QColor readableText(const QColor &design, const QPalette &palette, QPalette::ColorRole background) {
    const QColor behind = palette.color(background);
    if (isLight(behind) || contrastRatio(design, behind) >= kLeastTextContrast)
        return design;
    const QColor link = palette.color(QPalette::Link);
    if (contrastRatio(link, behind) >= kLeastTextContrast)
        return link;
    return palette.color(textRoleOn(background));
}

} // namespace readable_colour
