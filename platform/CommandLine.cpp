// SPDX-FileCopyrightText: 2026 The Cambrivo developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLine.h"

#include "ui/BuildInfo.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

[[noreturn]] void finish(const QString &text, FILE *stream, int status)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::exit(status);
}

} // namespace

Command ParseCommandLine(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));

    QCommandLineParser parser;
    parser.setApplicationDescription(buildinfo::description());
    // The parser's own help option would offer --help-all, the toolkit's options, which only
    // an application object can list.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    const QCommandLineOption toggle(
            QStringLiteral("toggle"),
            QStringLiteral("Hide the running strip, or show it again where it was; start one "
                           "if none runs."));
    parser.addOption(toggle);
    // The toolkit's own options, which the application object takes from the same command
    // line, are accepted as any Qt program accepts them, in their single-dash form too.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                             "geometry", "style", "stylesheet", "name", "title"}) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char *name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }

    const bool understood = parser.parse(arguments);
    QString mistake = parser.errorText();
    if (understood && !parser.positionalArguments().isEmpty())
        mistake = QStringLiteral("Unexpected argument '%1'.")
                          .arg(parser.positionalArguments().constFirst());
    if (!mistake.isEmpty())
        finish(QStringLiteral("cambrivo: %1 Try 'cambrivo --help'.\n").arg(mistake), stderr, 2);
    if (parser.isSet(help)) {
        // Without an application object the parser knows no program name.
        finish(parser.helpText().replace(QStringLiteral("<executable_name>"),
                                         QStringLiteral("cambrivo")),
               stdout, EXIT_SUCCESS);
    }
    if (parser.isSet(version))
        finish(QStringLiteral("cambrivo %1\n").arg(buildinfo::version()), stdout, EXIT_SUCCESS);
    return parser.isSet(toggle) ? Command::Toggle : Command::Show;
}

} // namespace platform
