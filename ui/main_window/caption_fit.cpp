#include "ui/main_window/caption_fit.h"

#include <QFontMetrics>
#include <QLabel>

namespace mainwindow {

QString elideAtWord(const QString &text, const QFontMetrics &metrics, int width) {
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString ellipsis(QChar(0x2026));
    qsizetype end = text.size();
    while ((end = text.lastIndexOf(QLatin1Char(' '), end - 1)) > 0) {
        QString cut = text.left(end).trimmed();
        // A word that ends in a separator reads better without it: "10 grams…", not "10,…".
        while (!cut.isEmpty() && !cut.back().isLetterOrNumber())
            cut.chop(1);
        if (!cut.isEmpty() && metrics.horizontalAdvance(cut + ellipsis) <= width)
            return cut + ellipsis;
    }
    return metrics.elidedText(text, Qt::ElideRight, width);
}

void showCaption(QLabel *label, const QString &text) {
    const QString shown = elideAtWord(text, label->fontMetrics(), label->contentsRect().width());
    const bool cut = shown != text;
    label->setText(shown);
    label->setToolTip(cut ? text : QString());
    label->setAccessibleName(cut ? text : QString());
}

} // namespace mainwindow
