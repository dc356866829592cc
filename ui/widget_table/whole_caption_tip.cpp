#include "ui/widget_table/whole_caption_tip.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QToolTip>

namespace widget_table {

namespace {

const QString kName = QStringLiteral("wholeCaptionTip");

class WholeCaptionTip : public QObject {
public:
    explicit WholeCaptionTip(QLabel *caption) : QObject(caption), caption_(caption) {
        setObjectName(kName);
        caption->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (watched != caption_ || event->type() != QEvent::ToolTip ||
            !caption_->toolTip().isEmpty())
            return false;
        const QString text = caption_->text();
        const bool cut =
            caption_->fontMetrics().horizontalAdvance(text) > caption_->contentsRect().width();
        if (cut)
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text, caption_);
        else
            QToolTip::hideText();
        return true;
    }

private:
    QLabel *caption_;
};

} // namespace

void showWholeCaptionWhenCut(QLabel *caption) {
    if (!caption->findChild<QObject *>(kName, Qt::FindDirectChildrenOnly))
        new WholeCaptionTip(caption);
}

} // namespace widget_table
