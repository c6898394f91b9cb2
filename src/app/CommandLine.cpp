// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"

#include "gamecheck/GameCheck.h"
#include "gamecheck/ShownName.h"

#include <QFile>
#include <QSet>

#include <sys/stat.h>

namespace app {

namespace {

const char usage[] = "Usage: mapwright [QT-OPTION...] [FILE]\n"
                     "       mapwright check [--game GAME] [--home DIR] [--base DIR] PATH...\n"
                     "\n"
                     "Without arguments, opens the arena editor; with a FILE, an .arena file or a\n"
                     ".pk3 archive, opens it in the editor.\n"
                     "\n"
                     "  check PATH...  check each .pk3 archive or .arena file as the game will read it,\n"
                     "                 or each game folder (baseq3 or a mod's) as the game loads it;\n"
                     "                 one line per finding: PATH[:ENTRY]: error|advice: sentence,\n"
                     "                 names with control characters, '\\' or '\"' quoted as C strings\n"
                     "  --game GAME    the game the paths are for: quake3, teamarena or openarena;\n"
                     "                 otherwise the folder tells (baseoa is OpenArena's, and so on)\n"
                     "  --home DIR     the game's folder in your home, if not ~/.q3a or ~/.openarena\n"
                     "  --base DIR     the folder the game is installed in, if not a usual place\n"
                     "  -h, --help     show this help and exit\n"
                     "  --version      show the version and exit\n"
                     "\n"
                     "Exit status of check: 0 when the game reads everything (advice allowed),\n"
                     "1 when it would drop, hide or misread something, 2 when a PATH cannot be read.\n"
                     "\n"
                     "See mapwright(1) for the rules checked.\n";

// Qt's own options that take a value, and those that take none; the window
// mode passes them on, so that session managers and themes keep working.
const QSet<QString> qtOptionsWithValue{"-platform", "-platformpluginpath", "-platformtheme", "-plugin",
                                       "-qwindowgeometry", "-qwindowicon", "-qwindowtitle", "-style", "-stylesheet",
                                       "-session", "-display", "-geometry", "-name", "-title"};
const QSet<QString> qtOptionsAlone{"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

// Whether the path leads to a folder, a link to one included.
bool isFolder(const QByteArray& path)
{
    struct stat status;
    return ::stat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

CommandLineRequest refuse(const QString& problem)
{
    return {CommandLineRequest::Kind::Refuse, {}, problem, {}};
}

// An option's value: the next argument, or what follows '=' in this one.
std::optional<QString> optionValue(const QStringList& arguments, qsizetype& index, const QString& option)
{
    const QString& argument = arguments[index];
    if (argument.startsWith(option + QLatin1Char('=')))
        return argument.mid(option.size() + 1);
    if (argument != option || index + 1 >= arguments.size())
        return std::nullopt;
    return arguments[++index];
}

CommandLineRequest readCheck(const QStringList& arguments, const QByteArrayList& bytes)
{
    CommandLineRequest check{CommandLineRequest::Kind::Check, {}, {}, {}};
    check.where.usualPlaces = true;
    qsizetype index = 0;
    for (; index < arguments.size() && arguments[index].startsWith(QLatin1Char('-')); ++index) {
        // "--" ends the options, for a path that starts with "-".
        if (arguments[index] == QLatin1String("--")) {
            ++index;
            break;
        }
        if (const std::optional<QString> game = optionValue(arguments, index, QStringLiteral("--game"))) {
            if (!(check.where.game = game::gameWithId(*game)))
                return refuse(QStringLiteral("check: unknown game '%1' (quake3, teamarena or openarena)").arg(*game));
        } else if (const std::optional<QString> home = optionValue(arguments, index, QStringLiteral("--home"))) {
            check.where.home = *home;
        } else if (const std::optional<QString> base = optionValue(arguments, index, QStringLiteral("--base"))) {
            check.where.install = *base;
        } else {
            return refuse(QStringLiteral("check: unknown option '%1'").arg(arguments[index]));
        }
    }
    check.paths = bytes.mid(index);
    if (check.paths.isEmpty())
        return refuse(QStringLiteral("check: no PATH given"));
    return check;
}

} // namespace

CommandLineRequest readCommandLine(int argc, char* argv[])
{
    // Paths stay the bytes they are: a name that is not UTF-8 still names its file.
    QByteArrayList bytes;
    QStringList arguments;
    for (int index = 1; index < argc; ++index) {
        bytes << QByteArray(argv[index]);
        arguments << QString::fromLocal8Bit(argv[index]);
    }
    if (arguments.isEmpty())
        return {};

    const QString& first = arguments.front();
    if (first == QLatin1String("--help") || first == QLatin1String("-h"))
        return {CommandLineRequest::Kind::ShowHelp, {}, {}, {}};
    if (first == QLatin1String("--version"))
        return {CommandLineRequest::Kind::ShowVersion, {}, {}, {}};
    if (first == QLatin1String("check"))
        return readCheck(arguments.mid(1), bytes.mid(1));
    CommandLineRequest window;
    bool optionsEnded = false;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        const QString& argument = arguments[index];
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && qtOptionsAlone.contains(argument))
            continue;
        if (!optionsEnded && qtOptionsWithValue.contains(argument) && index + 1 < arguments.size()) {
            ++index;
            continue;
        }
        if (!optionsEnded && argument.startsWith(QLatin1Char('-')))
            return refuse(QStringLiteral("unknown option '%1'").arg(argument));
        if (!window.paths.isEmpty())
            return refuse(QStringLiteral("one FILE at a time: '%1' comes after '%2'")
                              .arg(argument, QFile::decodeName(window.paths.front())));
        window.paths << bytes[index];
    }
    return window;
}

int runCheck(const QByteArrayList& paths, const game::Locations& where, std::FILE* out, std::FILE* err)
{
    bool unreadable = false;
    bool gameLosesSomething = false;
    platform::ChecksumCache checksums(platform::ChecksumCache::userCachePath());
    // Files first, all at once: archives of one folder share its reading.
    QByteArrayList files;
    std::copy_if(paths.begin(), paths.end(), std::back_inserter(files),
                 [](const QByteArray& path) { return !isFolder(path); });
    const std::vector<gamecheck::CheckResult> fileResults = gamecheck::checkFiles(files, &checksums, where);
    auto nextFile = fileResults.begin();
    for (const QByteArray& path : paths) {
        const bool folder = isFolder(path);
        const gamecheck::FolderCheckResult folderResult = folder
            ? gamecheck::checkFolder(QFile::decodeName(path), where, &checksums)
            : gamecheck::FolderCheckResult();
        const gamecheck::CheckResult result = folder
            ? gamecheck::CheckResult{folderResult.readable, folderResult.reason, folderResult.report.findings}
            : *nextFile++;
        if (!result.readable) {
            std::fflush(out); // the lines keep the order of the paths
            std::fprintf(err, "mapwright: %s: %s\n", qPrintable(gamecheck::shownName(path)),
                         qPrintable(gamecheck::withoutControls(result.reason)));
            unreadable = true;
            continue;
        }
        for (const gamecheck::Finding& finding : result.findings) {
            const bool error = finding.severity == gamecheck::Severity::Error;
            gameLosesSomething = gameLosesSomething || error;
            // The entry and the sentence come quoted where need be: one finding, one line.
            const QString file = gamecheck::shownName(finding.file);
            const QString place = finding.entry.isEmpty() ? file : file + QLatin1Char(':') + finding.entry;
            std::fprintf(out, "%s: %s: %s\n", qPrintable(place), error ? "error" : "advice",
                         qPrintable(finding.sentence));
        }
        if (folder) {
            std::fflush(out); // the summary follows its folder's findings
            // The summary, in the findings' own format.
            std::fprintf(err, "%s: summary: %s\n", qPrintable(gamecheck::shownName(path)),
                         qPrintable(gamecheck::summarySentence(folderResult.report.summary)));
        }
    }
    std::fflush(out);
    checksums.save(); // only a later check is slower without it
    return unreadable ? 2 : gameLosesSomething ? 1 : 0;
}

int answerWithoutWindow(const CommandLineRequest& request)
{
    if (request.kind == CommandLineRequest::Kind::ShowHelp) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (request.kind == CommandLineRequest::Kind::ShowVersion) {
        std::printf("mapwright %s\n", MAPWRIGHT_VERSION);
        return 0;
    }
    if (request.kind == CommandLineRequest::Kind::Check)
        return runCheck(request.paths, request.where, stdout, stderr);
    std::fprintf(stderr, "mapwright: %s\nTry 'mapwright --help' for more information.\n", qPrintable(request.problem));
    return 2;
}

} // namespace app
