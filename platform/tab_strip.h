#pragma once

#include <QString>
#include <QWidget>

class QFrame;
class QTabBar;

namespace platform {

class TabStrip;

// One tab of a TabStrip, addressed by its 1-based position.
class Tab {
public:
    int Index() const { return index_; }
    QString Caption() const;

private:
    friend class TabStrip;
    friend class TabCollection;
    Tab(const TabStrip *strip, int index) : strip_(strip), index_(index) {}
    const TabStrip *strip_;
    int index_;
};

// The strip's tabs: Count() and 1-based access.
class TabCollection {
public:
    int Count() const;
    Tab Item(int index) const;
    Tab operator()(int index) const { return Item(index); }

private:
    friend class TabStrip;
    explicit TabCollection(const TabStrip *strip) : strip_(strip) {}
    const TabStrip *strip_;
};

// A row of tabs over a framed pane. The pages themselves are the owner's widgets laid over
// the pane; the strip only says which tab is selected. clicked() is raised for every choice,
// by the user or by code, also when the chosen tab is already selected, so the owner can
// always bring the matching page into view.
class TabStrip : public QWidget {
    Q_OBJECT

public:
    explicit TabStrip(QWidget *parent = nullptr);

    void addTab(const QString &caption);

    TabCollection Tabs() const { return TabCollection(this); }
    // The selected tab; Index() is 0 while the strip has no tabs.
    Tab SelectedItem() const;
    void setSelectedItem(const Tab &tab);
    // Selects the tab at a 1-based position; a position outside 1..Count() is ignored.
    void setSelectedIndex(int index);

    QTabBar *tabBar() const { return bar_; }

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class Tab;
    friend class TabCollection;
    void placeChildren();

    QTabBar *bar_;
    QFrame *pane_;
};

} // namespace platform
