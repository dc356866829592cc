#include "platform/fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace platform {

namespace {
// Narrow sans-serif faces first: the layouts were drawn for a small bitmap font, and wide
// faces would cut captions off.
QString designFamily() {
    static const QString family = [] {
        const QStringList preferred = {
            QStringLiteral("MS Sans Serif"),   QStringLiteral("Microsoft Sans Serif"),
            QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
            QStringLiteral("Nimbus Sans"),     QStringLiteral("FreeSans"),
            QStringLiteral("DejaVu Sans")};
        const QStringList installed = QFontDatabase::families();
        for (const QString &name : preferred) {
            if (installed.contains(name, Qt::CaseInsensitive))
                return name;
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}
} // namespace

QFont designFont(bool bold) {
    QFont font(designFamily());
    font.setPointSizeF(8.25);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

} // namespace platform
