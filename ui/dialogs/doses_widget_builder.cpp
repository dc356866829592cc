#include "platform/fonts.h"
#include "platform/tab_order.h"
#include "platform/tab_strip.h"
#include "platform/twips.h"
#include "ui/dialogs/doses_layout.h"
#include "ui/dialogs/doses_widgets.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using namespace doses_layout;

QString objectNameOf(const LayoutRow &item) {
    const QString name = QString::fromLatin1(item.name);
    return item.index == kNoIndex ? name : name + QLatin1Char('_') + QString::number(item.index);
}

Qt::Alignment alignmentOf(Align align) {
    switch (align) {
    case Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Centre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QFont fontOf(FontRole role, const QDialog *dialog) {
    switch (role) {
    case FontRole::Bold:
        return platform::designFont(true);
    case FontRole::Regular:
        return platform::designFont(false);
    case FontRole::DialogFont:
        break;
    }
    return dialog->font();
}

QWidget *createWidget(const LayoutRow &item, QWidget *parent) {
    const QString text = QString::fromLatin1(item.text);
    switch (item.kind) {
    case Kind::Label: {
        // Captions sit at the top of their place and wrap at word ends, as the long
        // carbohydrate heading needs.
        auto *label = new QLabel(text, parent);
        label->setAlignment((alignmentOf(item.align) & Qt::AlignHorizontal_Mask) | Qt::AlignTop);
        label->setWordWrap(true);
        return label;
    }
    case Kind::PeriodSelector:
        return new QComboBox(parent); // not editable: the user can only pick
    case Kind::TabStrip: {
        auto *strip = new platform::TabStrip(parent);
        for (const char *caption : kTabCaptions)
            strip->addTab(QString::fromLatin1(caption));
        return strip;
    }
    case Kind::Page:
        return new QGroupBox(parent);
    case Kind::Box: {
        auto *box = new QLineEdit(parent);
        box->setAlignment(alignmentOf(item.align));
        return box;
    }
    case Kind::Button: {
        auto *button = new QPushButton(text, parent);
        // Enter presses no button of this dialog, not even the one with the focus.
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    }
    return nullptr;
}

void applyColour(QWidget *widget, const std::optional<Rgb> &colour) {
    if (!colour)
        return;
    const QColor qColour(colour->red, colour->green, colour->blue);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, qColour);
    palette.setColor(QPalette::Text, qColour);
    widget->setPalette(palette);
}

void remember(const LayoutRow &item, QWidget *widget, DosesWidgets &w) {
    const auto is = [&item](const char *name) { return std::strcmp(item.name, name) == 0; };
    if (is("Mealtime"))
        w.mealtime = static_cast<QComboBox *>(widget);
    else if (is("tbsOptions"))
        w.tbsOptions = static_cast<platform::TabStrip *>(widget);
    else if (is("frameDosages"))
        w.frameDosages.at(item.index) = static_cast<QGroupBox *>(widget);
    else if (is("INPUT_BS"))
        w.inputBs.at(item.index) = static_cast<QLineEdit *>(widget);
    else if (is("INPUT_CW"))
        w.inputCw.at(item.index) = static_cast<QLineEdit *>(widget);
    else if (is("INPUT_CD"))
        w.inputCd.at(item.index) = static_cast<QLineEdit *>(widget);
    else if (is("cmdApply"))
        w.cmdApply = static_cast<QPushButton *>(widget);
    else if (is("cmdOK"))
        w.cmdOK = static_cast<QPushButton *>(widget);
    else if (is("cmdCancel"))
        w.cmdCancel = static_cast<QPushButton *>(widget);
}

} // namespace

void buildDosesWidgets(QDialog *dialog, DosesWidgets &widgets) {
    platform::TabStops focusOrder;
    for (const LayoutRow &item : kLayout) {
        QWidget *parent = item.page == kOnDialog
                              ? static_cast<QWidget *>(dialog)
                              : static_cast<QWidget *>(widgets.frameDosages.at(item.page));
        QWidget *widget = createWidget(item, parent);
        widget->setObjectName(objectNameOf(item));
        if (item.index != kNoIndex)
            widget->setProperty("index", item.index);
        widget->setGeometry(platform::twipsRect(item.left, item.top, item.width, item.height));
        widget->setFont(fontOf(item.font, dialog));
        applyColour(widget, item.colour);
        if (!item.visible)
            widget->hide();
        if (item.tabIndex == kNoFocus && item.kind == Kind::Box)
            widget->setFocusPolicy(Qt::NoFocus);
        if (item.tabIndex != kNoFocus)
            focusOrder.emplace_back(item.tabIndex, widget);
        remember(item, widget, widgets);
    }

    platform::chainTabOrder(focusOrder);
}
