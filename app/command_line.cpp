#include "command_line.h"

#include "platform/app_info.h"

#include <QCommandLineParser>
#include <cstdio>

namespace commandline {

namespace {
// Usage error, as the command-line companion reports it.
constexpr int kUsageError = 2;

struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Show this help and end.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and end.")};

    Parser() {
        parser.setApplicationDescription(
            QStringLiteral("Works out insulin doses from your own tables in Norvalis.ini "
                           "beside the program."));
        parser.addOption(help);
        parser.addOption(version);
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

std::optional<int> handle(const QStringList &arguments) {
    Parser p;
    if (!p.parser.parse(arguments)) {
        print(stderr, p.parser.errorText() + QStringLiteral("\n\n") + p.parser.helpText());
        return kUsageError;
    }
    if (p.parser.isSet(p.help)) {
        print(stdout, p.parser.helpText());
        return 0;
    }
    if (p.parser.isSet(p.version)) {
        print(stdout, versionText());
        return 0;
    }
    // A file name a desktop may pass along is not an option: it is ignored.
    return std::nullopt;
}
} // namespace

std::optional<int> handleBeforeStart(const QStringList &arguments) {
    // Only --help and --version are answered here, wherever they stand among the others.
    QStringList known{arguments.value(0)};
    for (const QString &argument : arguments.mid(1)) {
        if (argument == "-h" || argument == "--help" || argument == "-v" || argument == "--version")
            known << argument;
    }
    return known.size() > 1 ? handle(known) : std::nullopt;
}

std::optional<int> handleAfterToolkit(const QStringList &arguments) {
    return handle(arguments);
}

} // namespace commandline
