#pragma once

#include <QProxyStyle>

// The application's style, unchanged except that the tool-bar extension arrows are read on
// their first paint. The menu bar asks for them as it is made, and reading them then sniffs
// the image files, which loads every image format plugin (Qt SVG among them) before the first
// window is shown, although the arrows show only when the menu bar overflows.
class StartupStyle : public QProxyStyle {
    Q_OBJECT

public:
    // key: the style to wrap, by name (QStyle::name()).
    explicit StartupStyle(const QString &key);

    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
