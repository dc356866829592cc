#include "command_line.h"

#include "platform/app_info.h"
#include "platform/settings_location.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

namespace commandline {

namespace {
// Usage error, as the command-line companion reports it.
constexpr int kUsageError = 2;

// What QApplication takes for itself; they are not the program's to refuse.
constexpr const char *kToolkitOptionsWithValue[] = {"platform",
                                                    "platformpluginpath",
                                                    "platformtheme",
                                                    "plugin",
                                                    "qwindowgeometry",
                                                    "geometry",
                                                    "qwindowtitle",
                                                    "title",
                                                    "qwindowicon",
                                                    "icon",
                                                    "session",
                                                    "style",
                                                    "stylesheet",
                                                    "display",
                                                    "name",
                                                    "qmljsdebugger",
                                                    "fontengine",
                                                    "dialogs"};
constexpr const char *kToolkitFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and end.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and end.")};

    Parser() {
        parser.setApplicationDescription(
            QStringLiteral("Works out insulin doses from your own tables in the settings "
                           "file:\n  %1")
                .arg(QDir::toNativeSeparators(platform::settingsFilePath())));
        // The toolkit's own options are written with one dash ("-style fusion").
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
        for (const char *name : kToolkitOptionsWithValue) {
            QCommandLineOption option(QString::fromLatin1(name), QString(),
                                      QStringLiteral("value"));
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(option);
        }
        for (const char *name : kToolkitFlags) {
            QCommandLineOption option(QString::fromLatin1(name));
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            parser.addOption(option);
        }
    }
};

QString versionText() {
    const platform::Version v = platform::applicationVersion();
    return QStringLiteral("%1 %2.%3.%4\n")
        .arg(platform::applicationTitle())
        .arg(v.major)
        .arg(v.minor)
        .arg(v.revision);
}

void print(FILE *stream, const QString &text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Before the application object exists the parser cannot name the program itself.
QString helpText(const Parser &p, const QStringList &arguments) {
    return p.parser.helpText().replace(QStringLiteral("<executable_name>"),
                                       QFileInfo(arguments.value(0)).fileName());
}

} // namespace

std::optional<int> handle(const QStringList &arguments) {
    Parser p;
    if (!p.parser.parse(arguments)) {
        print(stderr, p.parser.errorText() + QStringLiteral("\n\n") + helpText(p, arguments));
        return kUsageError;
    }
    if (p.parser.isSet(p.help)) {
        print(stdout, helpText(p, arguments));
        return 0;
    }
    if (p.parser.isSet(p.version)) {
        print(stdout, versionText());
        return 0;
    }
    // A file name a desktop may pass along is not an option: it is ignored.
    return std::nullopt;
}
} // namespace commandline
