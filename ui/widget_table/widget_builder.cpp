#include "ui/widget_table/widget_builder.h"

#include "platform/fonts.h"
#include "platform/tab_order.h"
#include "platform/twips.h"
#include "ui/readable_colour/readable_colour.h"
#include "ui/widget_table/whole_caption_tip.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyleFactory>
#include <QTabBar>

namespace widget_table {

namespace {

Q_LOGGING_CATEGORY(lcWidgetTable, "norvalis.widgettable")

// Pixels kept clear between a caption and the widget it names when the caption reaches into
// the widget's place.
constexpr int kCaptionGap = 4;

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// With the style's usual padding the captions of a tab row laid out in twips would not fit,
// so tabs get a narrower margin around their captions.
class CompactTabStyle : public QProxyStyle {
public:
    explicit CompactTabStyle(QObject *owner)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {
        setParent(owner);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override {
        if (metric == PM_TabBarTabHSpace)
            return 12;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

// Draws a group frame's title in the frame's own colour. A palette on the frame would recolour
// every widget inside it, and a style sheet would have every one of them styled anew, which
// costs the window's start-up more than the rest of its styling.
class FrameTitleStyle : public QProxyStyle {
public:
    FrameTitleStyle(Colour colour, QObject *owner)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), colour_(colour) {
        setParent(owner);
    }

    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette,
                      bool enabled, const QString &text,
                      QPalette::ColorRole textRole) const override {
        const QColor design = colour_.source == Colour::Source::Highlight
                                  ? palette.color(QPalette::Highlight)
                                  : QColor(colour_.rgb);
        // Drawn over the window behind the frame.
        const QColor colour = readable_colour::readableText(design, palette, QPalette::Window);
        // Some styles pass the colour in the painter's pen, others as a palette role.
        QPalette titled = palette;
        if (textRole != QPalette::NoRole)
            titled.setColor(textRole, colour);
        painter->save();
        painter->setPen(colour);
        QProxyStyle::drawItemText(painter, rect, flags, titled, enabled, text, textRole);
        painter->restore();
    }

private:
    Colour colour_;
};

Qt::Alignment alignmentOf(Align align) {
    switch (align) {
    case Align::Left:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Centre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::TopLeft:
        return Qt::AlignLeft | Qt::AlignTop;
    case Align::TopRight:
        return Qt::AlignRight | Qt::AlignTop;
    case Align::TopCentre:
        return Qt::AlignHCenter | Qt::AlignTop;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// Made without its text: the text is laid out again with every font change, so it is given
// once the widget has its own font (see giveText).
QWidget *createWidget(const WidgetRow &row, QWidget *parent) {
    switch (row.kind) {
    case Kind::GroupFrame:
        return new QGroupBox(parent);
    case Kind::Label: {
        auto *label = new QLabel(parent);
        // Captions are rewritten at run time from the settings file; never read them as markup.
        label->setTextFormat(Qt::PlainText);
        label->setAlignment(alignmentOf(row.align));
        label->setWordWrap(row.wraps);
        return label;
    }
    case Kind::TextBox: {
        auto *box = new QLineEdit(parent);
        box->setAlignment(alignmentOf(row.align));
        return box;
    }
    case Kind::DropDownList: {
        auto *list = new QComboBox(parent);
        list->setEditable(false);
        return list;
    }
    case Kind::PushButton: {
        auto *button = new QPushButton(parent);
        // Enter presses no button merely because it has the focus or is the first one; a
        // window that has a default button makes it so itself.
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    }
    case Kind::Picture: {
        auto *picture = new QLabel(parent);
        picture->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
        picture->setAlignment(alignmentOf(row.align));
        picture->setAutoFillBackground(true);
        return picture;
    }
    case Kind::Line: {
        auto *line = new QWidget(parent);
        line->setAutoFillBackground(true);
        line->setAttribute(Qt::WA_TransparentForMouseEvents);
        return line;
    }
    case Kind::TabBar: {
        auto *bar = new QTabBar(parent);
        // The tabs stand in a fixed place laid out for a small face: whole captions side by
        // side, no scrolling, no elision, and the pane under them draws the base line.
        bar->setStyle(new CompactTabStyle(bar));
        bar->setDrawBase(false);
        bar->setExpanding(false);
        bar->setElideMode(Qt::ElideNone);
        bar->setUsesScrollButtons(false);
        return bar;
    }
    case Kind::TabPane: {
        auto *pane = new QFrame(parent);
        pane->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
        return pane;
    }
    case Kind::Stack:
        return new QStackedWidget(parent);
    }
    return new QWidget(parent);
}

void giveText(QWidget *widget, const WidgetRow &row) {
    const QString text = toQString(row.text);
    switch (row.kind) {
    case Kind::GroupFrame:
        static_cast<QGroupBox *>(widget)->setTitle(text);
        return;
    case Kind::Label:
        static_cast<QLabel *>(widget)->setText(text);
        return;
    case Kind::TextBox:
        static_cast<QLineEdit *>(widget)->setText(text);
        return;
    case Kind::PushButton:
        static_cast<QPushButton *>(widget)->setText(text);
        return;
    case Kind::TabBar:
        for (const QString &caption : text.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            static_cast<QTabBar *>(widget)->addTab(caption);
        return;
    case Kind::DropDownList:
    case Kind::Picture:
    case Kind::Line:
    case Kind::TabPane:
    case Kind::Stack:
        return;
    }
}

QRect placeOf(const WidgetRow &row) {
    if (row.kind != Kind::Line)
        return platform::twipsRect(row.left, row.top, row.width, row.height);
    // Both ends are rounded, so that lines drawn to the same point end on the same pixel.
    const int left = platform::twipsToPixels(row.left);
    const int right = platform::twipsToPixels(row.left + row.width);
    return QRect(left, platform::twipsToPixels(row.top), right - left,
                 platform::twipsToPixels(row.height));
}

void applyFont(QWidget *widget, const WidgetRow &row, const QWidget *root) {
    switch (row.font) {
    case FontRole::Regular:
        widget->setFont(platform::designFont(false));
        return;
    case FontRole::Bold:
        widget->setFont(platform::designFont(true));
        return;
    case FontRole::WindowFont:
        // Straight on the window the font is inherited. Inside a frame it must not be the
        // frame's own, not even in the parts the window's font leaves to its parent.
        if (widget->parentWidget() != root) {
            QFont font = root->font();
            font.setResolveMask(QFont::AllPropertiesResolved);
            widget->setFont(font);
        }
        return;
    }
}

// Gives a label or box its design colour, or the palette's where that would not be readable
// on the background behind it (the window behind a label, the base of a box). An invalid
// design colour stands for the palette's highlight.
void giveTextColour(QWidget *widget, const QColor &design, QPalette::ColorRole background) {
    const QWidget *parent = widget->parentWidget();
    // The background roles and the fallbacks as they are without the design colour.
    const QPalette around = parent ? parent->palette() : QApplication::palette(widget);
    const QColor wanted = design.isValid() ? design : around.color(QPalette::Highlight);
    const QColor colour = readable_colour::readableText(wanted, around, background);
    QPalette palette = widget->palette();
    if (palette.isBrushSet(QPalette::Active, QPalette::WindowText) &&
        palette.color(QPalette::WindowText) == colour && palette.color(QPalette::Text) == colour)
        return;
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

// Chooses a coloured widget's text colour again when the palette around it changes while the
// program runs (the desktop switches between light and dark).
class TextColourKeeper : public QObject {
public:
    TextColourKeeper(QWidget *widget, QColor design, QPalette::ColorRole background)
        : QObject(widget), design_(design), background_(background) {
        giveTextColour(widget, design, background);
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override {
        // The palette a window takes from the desktop reaches the widgets in it as a change
        // of their own; the new colour set here ends the round, as it is already in place.
        if (event->type() == QEvent::PaletteChange)
            giveTextColour(static_cast<QWidget *>(watched), design_, background_);
        return QObject::eventFilter(watched, event);
    }

private:
    QColor design_;
    QPalette::ColorRole background_;
};

void applyColour(QWidget *widget, const WidgetRow &row) {
    const Colour colour = row.colour;
    if (colour.source == Colour::Source::Style)
        return;
    const bool highlight = colour.source == Colour::Source::Highlight;
    if (row.kind == Kind::GroupFrame) {
        widget->setStyle(new FrameTitleStyle(colour, widget));
        return;
    }
    if (row.kind == Kind::Picture || row.kind == Kind::Line) {
        QPalette palette = widget->palette();
        palette.setColor(QPalette::Window,
                         highlight ? palette.color(QPalette::Highlight) : QColor(colour.rgb));
        widget->setPalette(palette);
        return;
    }
    new TextColourKeeper(widget, highlight ? QColor() : QColor(colour.rgb),
                         row.kind == Kind::TextBox ? QPalette::Base : QPalette::Window);
}

bool canTakeFocus(Kind kind) {
    switch (kind) {
    case Kind::TextBox:
    case Kind::DropDownList:
    case Kind::PushButton:
    case Kind::Picture:
    case Kind::TabBar:
        return true;
    case Kind::TabPane:
    case Kind::GroupFrame:
    case Kind::Label:
    case Kind::Line:
    case Kind::Stack:
        break;
    }
    return false;
}

QWidget *containerOf(const WidgetRow &row, const WidgetsByName &built, QWidget *root) {
    if (row.container.empty())
        return root;
    if (QWidget *container = built.value(toQString(row.container)))
        return container;
    // Only a table that fails isWellFormed gets here.
    qCWarning(lcWidgetTable) << "no container" << toQString(row.container) << "for"
                             << objectNameOf(row) << "; placed on the window";
    return root;
}

// A caption beside the widget it names, reaching into the widget's place (a rewritten caption
// can be long), stops short of it: what the widget shows is what the user acts on.
void keepCaptionsClear(std::span<const WidgetRow> rows, const WidgetsByName &widgets) {
    for (const WidgetRow &row : rows) {
        if (row.labelledBy.empty())
            continue;
        const QWidget *named = widgets.value(objectNameOf(row));
        QWidget *caption = widgets.value(toQString(row.labelledBy));
        if (!named || !caption || caption->parentWidget() != named->parentWidget())
            continue;
        const QRect captionPlace = caption->geometry();
        const QRect namedPlace = named->geometry();
        const bool sameLine =
            captionPlace.top() <= namedPlace.bottom() && namedPlace.top() <= captionPlace.bottom();
        const int overlap = captionPlace.right() - namedPlace.left() + 1;
        if (sameLine && captionPlace.left() < namedPlace.left() && overlap > 0)
            caption->setContentsMargins(0, 0, overlap + kCaptionGap, 0);
    }
}

} // namespace

QString objectNameOf(const WidgetRow &row) {
    const QString name = toQString(row.name);
    return row.index == kNoIndex ? name : name + QLatin1Char('_') + QString::number(row.index);
}

BuiltWidgets buildWidgets(std::span<const WidgetRow> rows, QWidget *root) {
    BuiltWidgets built;
    platform::TabStops focusChain;

    for (const WidgetRow &row : rows) {
        QWidget *container = containerOf(row, built.byName, root);
        QWidget *widget = createWidget(row, container);
        widget->setObjectName(objectNameOf(row));
        if (row.index != kNoIndex)
            widget->setProperty("index", row.index);
        widget->setGeometry(placeOf(row));
        if (auto *stack = qobject_cast<QStackedWidget *>(container)) {
            // A page takes the stack's place, a short one only its own height of it.
            widget->setMaximumSize(widget->size());
            stack->addWidget(widget);
        }
        applyFont(widget, row, root);
        giveText(widget, row);
        applyColour(widget, row);
        if (canTakeFocus(row.kind) && row.tabIndex != kNoTabStop) {
            // A picture takes the focus by Tab only, never by a click.
            if (row.kind == Kind::Picture)
                widget->setFocusPolicy(Qt::TabFocus);
            focusChain.emplace_back(row.tabIndex, widget);
        } else {
            widget->setFocusPolicy(Qt::NoFocus);
        }
        if (!row.visible)
            widget->hide();
        built.byName.insert(widget->objectName(), widget);
    }

    keepCaptionsClear(rows, built.byName);
    built.firstTabStop = platform::chainTabOrder(std::move(focusChain));
    updateAccessibleNames(rows, built.byName);
    return built;
}

void updateAccessibleNames(std::span<const WidgetRow> rows, const WidgetsByName &widgets) {
    for (const WidgetRow &row : rows) {
        if (row.labelledBy.empty())
            continue;
        auto *label = qobject_cast<QLabel *>(widgets.value(toQString(row.labelledBy)));
        QWidget *widget = widgets.value(objectNameOf(row));
        if (!label || !widget)
            continue;
        widget->setAccessibleName(label->text());
        // A rewritten caption can be longer than its place beside the widget; the whole text
        // is then a hover away.
        showWholeCaptionWhenCut(label);
    }
}

} // namespace widget_table
