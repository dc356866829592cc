// What the program sets up before its first window: the style and the application icon. A
// main window with a menu bar and the icon loads no image format plugin (each costs start-up
// time, Qt SVG among them), and every icon still looks as the wrapped style draws it.

#include "resources/app_icon.h"
#include "startup_style.h"

#include <QApplication>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QStyleFactory>
#include <QTest>

namespace {

bool imageFormatPluginLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/imageformats/");
}

} // namespace

class StartupStyleTest : public QObject {
    Q_OBJECT
    QString baseKey_;

private slots:
    void initTestCase() {
        baseKey_ = QApplication::style()->name();
        QApplication::setStyle(new StartupStyle(baseKey_));
    }

    // Runs first: any icon drawn later in this program loads the plugins.
    void firstWindowLoadsNoImagePlugin() {
        if (!QFile::exists(QStringLiteral("/proc/self/maps")))
            QSKIP("no /proc/self/maps on this system");
        QApplication::setWindowIcon(applicationIcon());
        QMainWindow window;
        window.menuBar()->addMenu(QStringLiteral("&File"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!imageFormatPluginLoaded());
    }

    void appIconOffersEverySize() {
        const QIcon icon = applicationIcon();
        for (const QSize size : {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)}) {
            QVERIFY(icon.availableSizes().contains(size));
            QCOMPARE(icon.pixmap(size).size(), size);
        }
    }

    void iconsLookAsTheWrappedStyleDrawsThem_data() {
        QTest::addColumn<int>("which");
        // clang-format off
        QTest::newRow("menu bar overflow, horizontal") << int(QStyle::SP_ToolBarHorizontalExtensionButton);
        QTest::newRow("menu bar overflow, vertical") << int(QStyle::SP_ToolBarVerticalExtensionButton);
        // clang-format on
        QTest::newRow("message box warning") << int(QStyle::SP_MessageBoxWarning);
    }
    void iconsLookAsTheWrappedStyleDrawsThem() {
        QFETCH(int, which);
        const auto pixmap = static_cast<QStyle::StandardPixmap>(which);
        std::unique_ptr<QStyle> base(QStyleFactory::create(baseKey_));
        QVERIFY(base);
        const QIcon expected = base->standardIcon(pixmap);
        const QIcon shown = QApplication::style()->standardIcon(pixmap);
        QCOMPARE(shown.isNull(), expected.isNull());
        for (const QSize size : {QSize(16, 16), QSize(32, 32)})
            QCOMPARE(shown.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32),
                     expected.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32));
    }
};

QTEST_MAIN(StartupStyleTest)
#include "startup_style_test.moc"
