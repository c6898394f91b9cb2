// SPDX-License-Identifier: GPL-3.0-or-later
// The Create command of the main window: checks the fields, asks for a file
// name and delivers the arena file by the chosen route.
#include "editor/ArenaText.h"
#include "editor/BlockEdit.h"
#include "editor/CheckReport.h"
#include "editor/Form1.h"
#include "editor/OutputRoutes.h"
#include "editor/SpaceTrim.h"
#include "editor/Typelist.h"
#include "editor/pk3/Pk3Route.h"
#include "gamecheck/GameCheck.h"
#include "gamecheck/ShownName.h"
#include "platform/system/ChecksumCache.h"
#include "platform/system/FileReplacement.h"
#include "platform/system/ProgramName.h"
#include "ui_Form1.h"

#include <QDir>
#include <QFileInfo>

namespace editor {

namespace {

bool sameFile(const QString& one, const QString& other)
{
    const QString canonical = QFileInfo(one).canonicalFilePath();
    return !canonical.isEmpty() && canonical == QFileInfo(other).canonicalFilePath();
}

} // namespace

void Form1::Command4_Click()
{
    const OutputRoute* route = routeOfCheckedFields();
    if (!route || !fileNameChosen(*route) || !gameReadsItOrAuthorGoesOn(*route))
        return;
    if (route == &pk3Route)
        addToArchive();
    else
        saveArenaFile();
}

// The fields' checks, in their fixed order; only the first that fails is
// told. Gives the chosen route once all pass.
const OutputRoute* Form1::routeOfCheckedFields()
{
    if (!fieldsAreFilledIn())
        return nullptr;
    const OutputRoute* route = ui->aArena->isChecked() ? &saveRoute : ui->aPk3->isChecked() ? &pk3Route : nullptr;
    if (!route) {
        refuse(QStringLiteral("Please select a method of Creating your .Arena File"));
        return nullptr;
    }
    return valuesFitOnTheirLines() ? route : nullptr;
}

bool Form1::fieldsAreFilledIn()
{
    if (trimSpaces(ui->longname->text()).isEmpty())
        return refuse(QStringLiteral("Please enter a map title."));
    ui->filename->setText(trimSpaces(ui->filename->text()));
    if (ui->filename->text().isEmpty())
        return refuse(QStringLiteral("You must enter a map filename."));
    typelist = typeValue();
    if (typelist.isEmpty())
        return refuse(QStringLiteral("Please select at least one game type."));
    return true;
}

// Each value sits on a line of its own in the file; a pasted line break
// would split it.
bool Form1::valuesFitOnTheirLines()
{
    for (const auto& [field, name] : {std::pair{ui->longname, "map title"}, std::pair{ui->filename, "map file name"},
                                      std::pair{ui->fraglimit, "frag limit"}}) {
        if (field->text().contains(QLatin1Char('\n')) || field->text().contains(QLatin1Char('\r')))
            return refuse(QStringLiteral("The %1 holds a line break, which an .arena file cannot take. Please remove it.")
                              .arg(QLatin1String(name)));
    }
    return true;
}

// Offers the opened file, on its route, or else the name the route last
// used; false when the user cancels.
bool Form1::fileNameChosen(const OutputRoute& route)
{
    const bool openedOnThisRoute = opened && opened->archive == (&route == &pk3Route);
    dl1.FileName = openedOnThisRoute ? opened->path : rememberedName(route);
    dl1.CancelError = true;
    dl1.Flags = platform::CommonDialog::HideReadOnly;
    dl1.Filter = QString::fromLatin1(route.filter);
    dl1.DialogTitle = QString::fromLatin1(route.dialogTitle);
    return dl1.ShowSave() == platform::CommonDialog::Outcome::NameChosen;
}

bool Form1::gameReadsItOrAuthorGoesOn(const OutputRoute& route)
{
    const ArenaValues values = arenaValues();
    const bool backInPlace = writesBack(route);
    gamecheck::Findings findings;
    if (&route == &pk3Route) {
        const ArchiveTarget target = archiveTarget(backInPlace ? &*opened : nullptr, values);
        // An archive that cannot be read is the route's to report, together
        // with what becomes of it; its arena alone is still checked here.
        platform::ChecksumCache checksums(platform::ChecksumCache::userCachePath());
        const gamecheck::CheckResult archive =
            gamecheck::checkArenaToAdd(target.text, dl1.FileName, target.entry, &checksums, gameLocations());
        checksums.save();
        findings = archive.readable ? archive.findings
                                    : gamecheck::checkArenaToSave(target.text, dl1.FileName, gameLocations());
        // An entry that the arena takes the place of will be gone.
        std::erase_if(findings, [&](const gamecheck::Finding& finding) {
            return !target.replaced.isEmpty() && finding.entry == gamecheck::shownName(target.replaced);
        });
    } else {
        findings = gamecheck::checkArenaToSave(backInPlace ? withBlockReplaced(*opened, values) : arenaText(values),
                                               dl1.FileName, gameLocations());
    }
    // Advice never interrupts Create: only what the game would lose does.
    std::erase_if(findings, [](const gamecheck::Finding& finding) {
        return finding.severity != gamecheck::Severity::Error;
    });
    if (findings.empty())
        return true;
    const QString heading = QStringLiteral("The game will drop, hide or misread something in this arena file. "
                                           "Write it anyway, or go back and change it?");
    return services.reportWindow->askWhetherToWrite(this, heading, reportLines(findings))
           == platform::ReportWindow::Answer::WriteAnyway;
}

// Whether Create writes the arena back into the file it was opened from.
bool Form1::writesBack(const OutputRoute& route) const
{
    return opened && opened->block >= 0 && opened->archive == (&route == &pk3Route) && sameFile(dl1.FileName, opened->path);
}

// Only the file as it was opened may take the arena back: another
// program may have changed it meanwhile.
bool Form1::unchangedSinceOpened()
{
    const gamecheck::FileToEdit file = gamecheck::readToEdit(opened->path);
    const bool unchanged = std::any_of(file.arenaFiles.begin(), file.arenaFiles.end(), [&](const gamecheck::ArenaFile& now) {
        return now.entry == opened->entry && !now.tooLarge && now.text == opened->fileText;
    });
    if (!unchanged) {
        refuse(QStringLiteral("%1 has changed since it was opened, so the arena was not written back into it. "
                              "Nothing was written. Open the file again to edit what it holds now.")
                   .arg(QDir::toNativeSeparators(opened->path)));
    }
    return unchanged;
}

void Form1::addToArchive()
{
    const ArenaValues values = arenaValues();
    const bool backInPlace = writesBack(pk3Route);
    if (backInPlace && !unchangedSinceOpened())
        return;
    const ArchiveTarget target = archiveTarget(backInPlace ? &*opened : nullptr, values);
    // A new arena for one of the archive's maps is, once added, the arena
    // that is open.
    const bool newArenaOfThisArchive = opened && opened->block < 0 && sameFile(dl1.FileName, opened->path);
    if (Pk3Route(services, this).run(dl1.FileName, values, target) && (backInPlace || newArenaOfThisArchive)) {
        const qsizetype blockSize = blockWritten(values).size();
        opened->entry = target.entry;
        opened->block = std::max(opened->block, 0);
        reopenAfterWriting(dl1.FileName, blockSize);
    }
}

void Form1::saveArenaFile()
{
    const QString path = dl1.FileName;
    const bool backInPlace = writesBack(saveRoute);
    if (backInPlace && !unchangedSinceOpened())
        return;
    const platform::FileWriteResult result = platform::replaceFileContent(
        path, backInPlace ? withBlockReplaced(*opened, arenaValues()) : arenaText(arenaValues()), services.stepReached);
    if (!result.written) {
        const QString left = result.keptCopy.isEmpty()
                                 ? QStringLiteral("Nothing was written.")
                                 : QStringLiteral("The file may now hold part of the new text. A complete copy of what "
                                                  "it held before is kept in\n%1\nOpen the file in Mapwright to put "
                                                  "that copy back.")
                                       .arg(result.keptCopy);
        services.messageBox->show(this,
                                  QStringLiteral("The .arena file could not be saved as\n%1\n\n%2\n\n%3")
                                      .arg(path, result.reason, left),
                                  platform::Exclamation, platform::programName);
        return;
    }
    rememberName(saveRoute, path);
    if (backInPlace)
        reopenAfterWriting(path, blockWritten(arenaValues()).size());
}

// The block as Create writes it: the opened one with the values written
// into it, or a new one in Mapwright's layout.
QByteArray Form1::blockWritten(const ArenaValues& values) const
{
    return opened && opened->block >= 0 ? editedBlock(opened->fileText, opened->reading, values) : arenaBlock(values);
}

std::vector<int> Form1::typeselectValues() const
{
    std::vector<int> values(typeselect.size());
    for (std::size_t index = 0; index < typeselect.size(); ++index) {
        switch (typeselect[index]->checkState()) {
        case Qt::Checked:
            values[index] = 1;
            break;
        case Qt::PartiallyChecked:
            values[index] = 2;
            break;
        case Qt::Unchecked:
            values[index] = 0;
            break;
        }
    }
    return values;
}

// The type words of the ticked boxes, and those the opened arena kept; the
// opened value exactly as it was while the boxes show it.
QString Form1::typeValue() const
{
    const std::vector<int> boxes = typeselectValues();
    const QString ticked = buildTypelist(boxes, gameChoice.game());
    if (!opened)
        return ticked;
    if (std::equal(boxes.begin(), boxes.end(), opened->fields.types.begin(), opened->fields.types.end(),
                   [](int box, bool wasTicked) { return (box == 1) == wasTicked; }))
        return opened->fields.type;
    QStringList words = opened->fields.kept.typeWords;
    if (!ticked.isEmpty())
        words.prepend(ticked);
    return words.join(QLatin1Char(' '));
}

ArenaValues Form1::arenaValues() const
{
    ArenaValues values{ui->filename->text(), ui->bots->text(), ui->longname->text(), ui->fraglimit->text(), typelist};
    if (!opened)
        return values;
    const KeptValues& kept = opened->fields.kept;
    if (kept.bots)
        values.bots = *kept.bots;
    if (kept.fraglimit)
        values.fraglimit = *kept.fraglimit;
    values.otherKeys = kept.keys;
    const std::pair<const char*, const QString*> written[] = {
        {"bots", &values.bots}, {"longname", &values.longname}, {"fraglimit", &values.fraglimit}, {"type", &values.type}};
    for (const auto& [key, value] : written) {
        if (value->isEmpty() && opened->fields.absentKeys.contains(QLatin1String(key)))
            values.leftOut << QLatin1String(key);
    }
    return values;
}

void Form1::reopenAfterWriting(const QString& path, qsizetype blockSize)
{
    // The arena written starts where the one opened did: the bytes before it
    // are as they were. Where the game reads it otherwise now (a '"' typed
    // into a field), nothing is open any more: its bytes are not one block.
    const gamecheck::FileToEdit file = gamecheck::readToEdit(path);
    for (const ArenaChoice& choice : arenaChoices(file, gameChoice.offer())) {
        if (!choice.isNewArena() && choice.block == opened->block && file.arenaFiles[choice.file].entry == opened->entry) {
            OpenedArena written = openedArena(opened->path, file, choice);
            if (written.reading.begin != opened->reading.begin || written.reading.end - written.reading.begin != blockSize)
                break;
            opened = std::move(written);
            showOpened();
            return;
        }
    }
    forgetOpened();
}

bool Form1::refuse(const QString& message)
{
    services.messageBox->show(this, message, platform::Exclamation, platform::programName);
    return false;
}

} // namespace editor
