// SPDX-License-Identifier: GPL-3.0-or-later
// File, Open and its other ways in (Open Recent, a dropped file, the command
// line): reads the file as the game check does, lets the user choose one of
// its arenas, fills the fields and shows what the check found.
#include "editor/ArenaChoices.h"
#include "editor/CheckReport.h"
#include "editor/Form1.h"
#include "editor/KeptCopyOffer.h"
#include "editor/Levelshots.h"
#include "editor/RecentFiles.h"
#include "editor/Windows1252.h"
#include "game/Limits.h"
#include "gamecheck/ShownName.h"
#include "platform/system/ProgramName.h"
#include "platform/widgets/OptionButtons.h"
#include "ui_Form1.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMimeData>

namespace editor {

namespace {

// Reads no further than this many lines of what a file could not give.
constexpr int linesShown = 8;

QString nativePath(const QString& path)
{
    return gamecheck::shownPath(QDir::toNativeSeparators(path));
}

// The errors the check found in one arena file, one sentence a line.
QStringList errorSentences(const gamecheck::FileToEdit& file, const QByteArray& entry)
{
    QStringList sentences;
    for (const gamecheck::Finding& finding : file.check.findings) {
        if (finding.severity == gamecheck::Severity::Error && finding.entry == gamecheck::shownName(entry))
            sentences << finding.sentence;
    }
    return sentences.mid(0, linesShown);
}

// What the check found at Open: about the arena opened and about the file as
// a whole, in full; about the file's other arenas, how much.
struct FindingsAtOpen {
    gamecheck::Findings shown;
    qsizetype otherErrors = 0;
    qsizetype otherAdvice = 0;
};

FindingsAtOpen findingsAtOpen(const gamecheck::FileToEdit& file, const OpenedArena& opened)
{
    QStringList arenaFiles;
    for (const gamecheck::ArenaFile& arenaFile : file.arenaFiles)
        arenaFiles << gamecheck::shownName(arenaFile.entry);
    const QString entry = gamecheck::shownName(opened.entry);
    FindingsAtOpen found;
    for (const gamecheck::Finding& finding : file.check.findings) {
        const bool otherArena = finding.entry == entry ? finding.arena >= 0 && finding.arena != opened.block
                                                       : arenaFiles.contains(finding.entry);
        if (!otherArena)
            found.shown.push_back(finding);
        else if (finding.severity == gamecheck::Severity::Error)
            ++found.otherErrors;
        else
            ++found.otherAdvice;
    }
    return found;
}

// The maps of the choices, as the game's files spell them.
QByteArrayList mapsOf(const std::vector<ArenaChoice>& choices)
{
    QByteArrayList maps;
    for (const ArenaChoice& choice : choices)
        maps << toWindows1252(choice.fields.map);
    return maps;
}

// The one local file a drag brings, if it brings exactly one.
std::optional<QString> droppedFile(const QMimeData* data)
{
    if (!data || data->urls().size() != 1 || !data->urls().front().isLocalFile())
        return std::nullopt;
    return data->urls().front().toLocalFile();
}

} // namespace

void Form1::openmenu_Click()
{
    const std::optional<QString> path = services.openDialog->askForOpenPath(
        this, QStringLiteral("Open"), QStringLiteral(".Arena and PK3 Files (*.arena *.pk3);;All Files (*)"));
    if (path)
        openFile(*path);
}

void Form1::openFile(const QString& path)
{
    if (!offerKeptCopyBack(this, services, path))
        return;
    const gamecheck::FileToEdit file = gamecheck::readToEdit(path);
    if (!file.check.readable) {
        refuse(QStringLiteral("%1 could not be opened.\n\n%2").arg(nativePath(path), file.check.reason));
        return;
    }
    // A file of a game's folder is that game's: its bots and its types.
    GameChoice gameOfFile = gameChoice.forFile(path);
    const std::vector<ArenaChoice> choices = arenaChoices(file, gameOfFile.offer());
    if (choices.empty()) {
        tellNothingToOpen(path, file);
        return;
    }
    int chosen = 0;
    if (choices.size() > 1) {
        QStringList lines;
        for (const ArenaChoice& choice : choices)
            lines << choiceLine(file, choice);
        const std::optional<int> answer = services.choiceWindow->choose(
            this, QStringLiteral("Choose an arena"),
            QStringLiteral("Which arena of %1 do you want to edit?").arg(nativePath(path)), lines,
            file.archive ? levelshotsOf(path, mapsOf(choices)) : std::vector<QImage>());
        if (!answer)
            return;
        chosen = *answer;
    }
    const ArenaChoice& choice = choices[std::size_t(chosen)];
    if (choice.fields.map.isEmpty()) {
        refuse(QStringLiteral("This arena of %1 names no map: it has no \"map\" key, or an empty one, so the game "
                              "cannot list it. Mapwright opens only an arena that names its map.")
                   .arg(nativePath(path)));
        return;
    }
    gameChoice = std::move(gameOfFile);
    gameChoice.remember();
    showChoice(path, file, choice);
}

void Form1::tellNothingToOpen(const QString& path, const gamecheck::FileToEdit& file)
{
    for (const gamecheck::ArenaFile& arenaFile : file.arenaFiles) {
        if (!arenaFile.tooLarge)
            continue;
        // The game reads none of it; what its start holds, read as a file
        // of its own, helps to find what made it so large.
        gamecheck::FileToEdit start;
        start.arenaFiles.push_back(arenaFile);
        start.arenaFiles.back().tooLarge = false;
        QStringList lines;
        for (const ArenaChoice& choice : arenaChoices(start, gameChoice.forFile(path).offer()))
            lines << choiceLine(start, choice);
        const QString limit = QLocale(QLocale::English).toString(qulonglong(game::arenaFileLimit));
        const QString read = lines.isEmpty() ? QStringLiteral("Its first %1 bytes hold no arena.").arg(limit)
                                             : QStringLiteral("Its first %1 bytes hold:\n%2")
                                                   .arg(limit, lines.mid(0, linesShown).join(QLatin1Char('\n')));
        const QString where = file.archive ? path + QLatin1Char(':') + QString::fromUtf8(arenaFile.entry) : path;
        refuse(QStringLiteral("%1 could not be opened.\n\n%2\n\n%3")
                   .arg(nativePath(where), errorSentences(file, arenaFile.entry).join(QLatin1Char('\n')), read));
        return;
    }
    if (file.archive) {
        refuse(QStringLiteral("%1 holds no arena the game reads (scripts/arenas.txt or scripts/*.arena) and no map "
                              "(maps/*.bsp), so there is nothing to open.")
                   .arg(nativePath(path)));
        return;
    }
    const QStringList why = errorSentences(file, {});
    refuse(QStringLiteral("%1 holds no arena that the game reads.%2")
               .arg(nativePath(path), why.isEmpty() ? QString() : QStringLiteral("\n\n") + why.join(QLatin1Char('\n'))));
}

void Form1::showChoice(const QString& path, const gamecheck::FileToEdit& file, const ArenaChoice& choice)
{
    Command3_Click();
    showGameTypes();
    opened = openedArena(path, file, choice);
    const ArenaFields& fields = choice.fields;
    ui->filename->setText(fields.map);
    (file.archive ? ui->aPk3 : ui->aArena)->setChecked(true);
    if (!choice.isNewArena()) {
        ui->longname->setText(fields.longname);
        for (std::size_t index = 0; index < typeselect.size(); ++index)
            typeselect[index]->setChecked(fields.types[index]);
        ui->fraglimit->setText(fields.fraglimit);
        ui->bots->setText(fields.bots);
    }
    showOpened();
    addRecentFile(path);

    // What the game will make of this arena, and of the file around it; of
    // the file's other arenas, only how much there is.
    const FindingsAtOpen found = findingsAtOpen(file, *opened);
    if (found.shown.empty() && found.otherErrors == 0)
        return;
    QString heading = found.shown.empty() ? QStringLiteral("The game will read this arena as it is: nothing was found.")
                                          : reportHeading(path, found.shown);
    if (found.otherErrors + found.otherAdvice > 0)
        heading += QStringLiteral("\n\nThe file's other arenas have %1; File, Check pk3... shows them.")
                       .arg(countOf(found.otherErrors, found.otherAdvice));
    services.reportWindow->showReport(this, heading, reportLines(found.shown));
}

void Form1::showOpened()
{
    // The game, where one is chosen, heads the line.
    const auto withGame = [this](const QString& text) {
        return gameChoice.folder().isEmpty() ? text : gameChoice.description() + QStringLiteral(" \u2014 ") + text;
    };
    if (!opened) {
        ui->statusline->setText(withGame(QStringLiteral("No file open. File, Open... edits an existing arena.")));
        ui->statusline->setToolTip(gameChoice.folder().isEmpty() ? QString() : nativePath(gameChoice.folder()));
        ui->kept->clear();
        ui->kept->hide();
        return;
    }
    const QString name = gamecheck::shownPath(QFileInfo(opened->path).fileName());
    const QString what = opened->block < 0 ? QStringLiteral("New arena for %1 in %2").arg(opened->place, name)
                         : opened->place.isEmpty() ? QStringLiteral("Open: %1").arg(name)
                                                   : QStringLiteral("Open: %1, %2").arg(name, opened->place);
    ui->statusline->setText(withGame(what));
    ui->statusline->setToolTip(nativePath(opened->path));
    const QString kept = keptLine(opened->fields.kept);
    ui->kept->setText(kept);
    ui->kept->setCursorPosition(0);
    ui->kept->setVisible(!kept.isEmpty());
}

void Form1::forgetOpened()
{
    opened.reset();
    showOpened();
}

void Form1::recentmenu_AboutToShow()
{
    ui->recentmenu->clear();
    const QStringList files = recentFiles();
    for (qsizetype index = 0; index < files.size(); ++index) {
        const QString file = files[index];
        QString label = nativePath(file);
        label.replace(QLatin1Char('&'), QStringLiteral("&&"));
        ui->recentmenu->addAction(QStringLiteral("&%1 %2").arg(index + 1).arg(label), this,
                                  [this, file] { openRecent(file); });
    }
    if (files.isEmpty())
        ui->recentmenu->addAction(QStringLiteral("(none yet)"))->setEnabled(false);
}

void Form1::openRecent(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists() && !file.isSymLink()) {
        dropRecentFile(path);
        refuse(QStringLiteral("%1 is no longer there, so it was taken off the list of recent files.").arg(nativePath(path)));
        return;
    }
    openFile(path);
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedFile(event->mimeData()))
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event)
{
    const std::optional<QString> path = droppedFile(event->mimeData());
    if (!path)
        return;
    event->acceptProposedAction();
    openFile(*path);
}

} // namespace editor
