#include "platform/tab_strip.h"

#include <QApplication>
#include <QFrame>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTabBar>

namespace platform {

namespace {
// The strips were laid out for a small bitmap face: with the style's usual padding the last
// tab would not fit, so the tabs of a strip get a narrower margin around their captions.
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
} // namespace

QString Tab::Caption() const {
    return strip_->bar_->tabText(index_ - 1);
}

int TabCollection::Count() const {
    return strip_->bar_->count();
}

Tab TabCollection::Item(int index) const {
    return Tab(strip_, index);
}

TabStrip::TabStrip(QWidget *parent)
    : QWidget(parent), bar_(new QTabBar(this)), pane_(new QFrame(this)) {
    bar_->setObjectName(QStringLiteral("tabBar"));
    bar_->setStyle(new CompactTabStyle(bar_));
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    bar_->setElideMode(Qt::ElideNone);
    bar_->setUsesScrollButtons(false);
    bar_->setFocusPolicy(Qt::TabFocus);
    pane_->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    pane_->lower();
    setFocusProxy(bar_);
    setFocusPolicy(bar_->focusPolicy());

    connect(bar_, &QTabBar::currentChanged, this, [this](int index) {
        if (index >= 0)
            emit clicked();
    });
    // A press on the tab that is already selected changes nothing in the bar, so it raises
    // no currentChanged; the owner still has to hear of it.
    connect(bar_, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index == bar_->currentIndex())
            emit clicked();
    });
}

void TabStrip::addTab(const QString &caption) {
    bar_->addTab(caption);
    placeChildren();
}

Tab TabStrip::SelectedItem() const {
    return Tab(this, bar_->currentIndex() + 1);
}

void TabStrip::setSelectedItem(const Tab &tab) {
    if (tab.strip_ == this)
        setSelectedIndex(tab.index_);
}

void TabStrip::setSelectedIndex(int index) {
    if (index < 1 || index > bar_->count())
        return;
    if (index - 1 == bar_->currentIndex())
        emit clicked();
    else
        bar_->setCurrentIndex(index - 1);
}

void TabStrip::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    placeChildren();
}

void TabStrip::placeChildren() {
    const int barHeight = bar_->sizeHint().height();
    bar_->setGeometry(0, 0, width(), barHeight);
    // The pane's top edge runs just under the tabs, so the selected tab seems to open into it.
    pane_->setGeometry(0, barHeight - 1, width(), qMax(0, height() - barHeight + 1));
}

} // namespace platform
