#include "ui/main_window/layout_builder.h"

#include "platform/fonts.h"
#include "platform/tab_order.h"
#include "platform/twips.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>
#include <vector>

namespace mainwindow {

namespace {
// Pixels kept clear between a caption and the dose figure beside it.
constexpr int kCaptionGap = 4;

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QWidget *createWidget(const WidgetSpec &entry, QWidget *parent) {
    const QString text = toQString(entry.text);
    switch (entry.kind) {
    case WidgetKind::GroupFrame:
        return new QGroupBox(text, parent);
    case WidgetKind::Label: {
        auto *label = new QLabel(parent);
        // Captions are rewritten at run time from the settings file; never read them as markup.
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
        label->setAlignment(alignmentOf(entry.align) | Qt::AlignVCenter);
        return label;
    }
    case WidgetKind::TextBox:
        return new QLineEdit(text, parent);
    case WidgetKind::DropDownList: {
        auto *list = new QComboBox(parent);
        list->setEditable(false);
        return list;
    }
    case WidgetKind::PushButton: {
        auto *button = new QPushButton(text, parent);
        // The window has no default button: Enter presses nothing.
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    }
    return nullptr;
}

void applyColour(QWidget *widget, const WidgetSpec &entry) {
    if (entry.colour == CaptionColour::System)
        return;
    if (entry.kind == WidgetKind::GroupFrame) {
        // A palette on the frame would recolour every widget inside it; the title alone is
        // reachable through its sub-control.
        const QString colour = entry.colour == CaptionColour::Highlight ? "palette(highlight)"
                               : entry.colour == CaptionColour::Olive   ? "rgb(128, 128, 0)"
                                                                        : "rgb(192, 0, 0)";
        widget->setStyleSheet(
            QStringLiteral("QGroupBox#%1::title { color: %2; }").arg(widget->objectName(), colour));
        return;
    }
    QPalette palette = widget->palette();
    const QColor colour = entry.colour == CaptionColour::Highlight
                              ? palette.color(QPalette::Highlight)
                          : entry.colour == CaptionColour::Olive ? QColor(128, 128, 0)
                                                                 : QColor(192, 0, 0);
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

bool takesFocus(WidgetKind kind) {
    return kind == WidgetKind::TextBox || kind == WidgetKind::DropDownList ||
           kind == WidgetKind::PushButton;
}
} // namespace

QString objectNameOf(const WidgetSpec &entry) {
    const QString name = toQString(entry.name);
    return entry.index == kNoIndex ? name : name + QLatin1Char('_') + QString::number(entry.index);
}

Qt::Alignment alignmentOf(TextAlign align) {
    switch (align) {
    case TextAlign::Left:
        return Qt::AlignLeft;
    case TextAlign::Right:
        return Qt::AlignRight;
    case TextAlign::Centre:
        return Qt::AlignHCenter;
    }
    return Qt::AlignLeft;
}

QHash<QString, QWidget *> buildWidgets(QWidget *clientArea) {
    QHash<QString, QWidget *> widgets;
    platform::TabStops focusChain;

    for (const WidgetSpec &entry : kMainWindowWidgets) {
        QWidget *container =
            entry.container.empty() ? clientArea : widgets.value(toQString(entry.container));
        Q_ASSERT(container); // frames come before the widgets they hold
        QWidget *widget = createWidget(entry, container);
        widget->setObjectName(objectNameOf(entry));
        if (entry.index != kNoIndex)
            widget->setProperty("index", entry.index);
        widget->setFont(platform::designFont(entry.bold));
        widget->setGeometry(platform::twipsRect(entry.left, entry.top, entry.width, entry.height));
        applyColour(widget, entry);
        if (takesFocus(entry.kind))
            focusChain.emplace_back(entry.tabIndex, widget);
        else
            widget->setFocusPolicy(Qt::NoFocus);
        widgets.insert(widget->objectName(), widget);
    }

    // The captions beside the dose figures reach into the figures' places, and a rewritten
    // caption can be long. A dose is what the user acts on: its caption stops short of it.
    for (const WidgetSpec &entry : kMainWindowWidgets) {
        if (entry.kind != WidgetKind::Label || entry.labelledBy.empty())
            continue;
        const QWidget *value = widgets.value(objectNameOf(entry));
        QWidget *caption = widgets.value(toQString(entry.labelledBy));
        const int overlap = caption->geometry().right() - value->geometry().left() + 1;
        if (overlap > 0)
            caption->setContentsMargins(0, 0, overlap + kCaptionGap, 0);
    }

    platform::chainTabOrder(focusChain);

    updateAccessibleNames(widgets);
    return widgets;
}

void updateAccessibleNames(const QHash<QString, QWidget *> &widgets) {
    for (const WidgetSpec &entry : kMainWindowWidgets) {
        if (entry.labelledBy.empty())
            continue;
        auto *label = qobject_cast<QLabel *>(widgets.value(toQString(entry.labelledBy)));
        QWidget *widget = widgets.value(objectNameOf(entry));
        if (!label || !widget)
            continue;
        widget->setAccessibleName(label->text());
        // A rewritten caption can be longer than its place beside the figure; the whole text
        // is then a hover away.
        const bool cut =
            label->fontMetrics().horizontalAdvance(label->text()) > label->contentsRect().width();
        label->setToolTip(cut ? label->text() : QString());
    }
}

QHash<MenuCommand, QAction *> buildMenu(QMenuBar *menuBar) {
    QHash<MenuCommand, QAction *> commands;
    QHash<QString, QMenu *> menus;
    for (const MenuSpec &entry : kMainMenu) {
        const QString name = toQString(entry.name);
        QAction *action = nullptr;
        if (entry.menu.empty()) {
            QMenu *menu = menuBar->addMenu(toQString(entry.caption));
            menu->setObjectName(name);
            menus.insert(name, menu);
            action = menu->menuAction();
        } else {
            QMenu *menu = menus.value(toQString(entry.menu));
            Q_ASSERT(menu); // a title comes before its items
            action = menu->addAction(toQString(entry.caption));
        }
        action->setObjectName(name);
        if (entry.index != kNoIndex)
            action->setProperty("index", entry.index);
        action->setEnabled(entry.enabled);
        if (entry.command != MenuCommand::None)
            commands.insert(entry.command, action);
    }
    return commands;
}

} // namespace mainwindow
