// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Form1.h"

#include "bots/Form2.h"
#include "editor/CheckReport.h"
#include "gamecheck/GameCheck.h"
#include "info/Form3.h"
#include "info/Form4.h"
#include "platform/dialogs/ProgressWindow.h"
#include "platform/system/ChecksumCache.h"
#include "platform/system/ProgramName.h"
#include "platform/widgets/AccessKeys.h"
#include "platform/widgets/Beep.h"
#include "platform/widgets/ClassicLook.h"
#include "platform/widgets/KeyPressHook.h"
#include "platform/widgets/ModalForm.h"
#include "platform/widgets/OptionButtons.h"
#include "ui_Form1.h"

#include <QCoreApplication>
#include <QTimer>
#include <QDir>
#include <QEventLoop>
#include <QLayout>

#include <thread>

namespace editor {

Form1::Form1(platform::Services services, QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::Form1>()),
      services(std::move(services)),
      dl1(*this->services.saveDialog, this)
{
    // The font comes first, so that no control is ever measured in the
    // default font: loading that one too would cost start-up time and memory.
    platform::applyClassicFont(this);
    ui->setupUi(this);
    platform::removeDefaultButtons(this);
    platform::widenCheckableControlsToTheirCaptions(this);
    typeselect = {ui->typeselect_0, ui->typeselect_1, ui->typeselect_2, ui->typeselect_3, ui->typeselect_4};
    keepDesignBelowTypes();

    // The window keeps the size of its design.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    showOpened();
    setAcceptDrops(true);
    ui->longname->setFocus();

    // The Help button and the Help menu both show "H"; the button gets Alt+H,
    // as the buttons' access keys are the ones a user of this window learns.
    new platform::AccessKeyPreference(ui->Command2, ui->menubar);

    new platform::KeyPressHook(ui->fraglimit, [this](std::int16_t& KeyAscii) { fraglimit_KeyPress(KeyAscii); });
    // A value typed into the box, or bots picked, take the place of what the
    // opened arena kept for them.
    connect(ui->fraglimit, &QLineEdit::textEdited, this, [this] {
        if (opened && opened->fields.kept.fraglimit) {
            opened->fields.kept.fraglimit.reset();
            showOpened();
        }
    });
    connect(ui->openmenu, &QAction::triggered, this, &Form1::openmenu_Click);
    connect(ui->recentmenu, &QMenu::aboutToShow, this, &Form1::recentmenu_AboutToShow);
    connect(ui->gamemenu, &QMenu::aboutToShow, this, &Form1::gamemenu_AboutToShow);

    connect(ui->Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(ui->Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(ui->Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
    connect(ui->label8, &QPushButton::clicked, this, &Form1::Label8_Click);
    connect(ui->clearmenu, &QAction::triggered, this, &Form1::clearmenu_Click);
    connect(ui->usemenu, &QAction::triggered, this, &Form1::usemenu_Click);
    connect(ui->creditsmenu, &QAction::triggered, this, &Form1::creditsmenu_Click);
    connect(ui->checkmenu, &QAction::triggered, this, &Form1::checkmenu_Click);
    connect(ui->checkfoldermenu, &QAction::triggered, this, &Form1::checkfoldermenu_Click);
    connect(ui->exitmenu, &QAction::triggered, this, &Form1::exitmenu_Click);
}

Form1::~Form1() = default;

void Form1::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    // The game chosen in an earlier run, once the window has been shown:
    // reading the settings and the game's folders is no part of starting.
    if (!gameRestored) {
        gameRestored = true;
        QTimer::singleShot(0, this, [this] {
            gameChoice.restore();
            showGame();
        });
    }
}

void Form1::Command1_Click()
{
    platform::showModalForm<info::Form3>(this, services.processStarter);
}

void Form1::Command2_Click()
{
    platform::showModalForm<info::Form4>(this);
}

void Form1::Command3_Click()
{
    ui->longname->setText(QString());
    ui->filename->setText(QString());
    for (QCheckBox* box : typeselect)
        box->setChecked(false);
    ui->fraglimit->setText(QStringLiteral("10"));
    ui->bots->setText(QString());
    platform::deselectOptionButton(ui->aPk3);
    platform::deselectOptionButton(ui->aArena);
    forgetOpened();
}

void Form1::Label8_Click()
{
    // The bot selection window only ever replaces the bots text, on OK; it
    // gets no way to read what the field holds.
    platform::showModalForm<bots::Form2>(
        this,
        [this](const QString& botsText) {
            ui->bots->setText(botsText);
            if (opened && opened->fields.kept.bots) {
                opened->fields.kept.bots.reset();
                showOpened();
            }
        },
        services.messageBox, gameChoice.botCatalogue());
}

void Form1::fraglimit_KeyPress(std::int16_t& KeyAscii)
{
    if (KeyAscii == 8 || KeyAscii == 46)
        return;
    if (KeyAscii >= 48 && KeyAscii <= 57)
        return;
    KeyAscii = 0;
    platform::beep();
}

void Form1::clearmenu_Click()
{
    Command3_Click();
}

void Form1::checkmenu_Click()
{
    const std::optional<QString> path = services.openDialog->askForOpenPath(
        this, QStringLiteral("Check pk3"), QStringLiteral("PK3 and .Arena Files (*.pk3 *.arena);;All Files (*)"));
    if (!path)
        return;
    const gamecheck::CheckResult result = gamecheck::checkFile(*path, nullptr, gameLocations());
    if (!result.readable) {
        services.messageBox->show(
            this, QStringLiteral("%1 could not be checked.\n\n%2").arg(QDir::toNativeSeparators(*path), result.reason),
            platform::Exclamation, platform::programName);
        return;
    }
    services.reportWindow->showReport(this, reportHeading(*path, result.findings), reportLines(result.findings));
}

void Form1::checkfoldermenu_Click()
{
    const std::optional<QString> path = services.openDialog->askForFolder(this, QStringLiteral("Check game folder"));
    if (!path)
        return;
    // A large folder takes a while: the window stays painted meanwhile.
    platform::ChecksumCache checksums(platform::ChecksumCache::userCachePath());
    gamecheck::FolderCheckResult result;
    {
        const std::unique_ptr<QObject> busy =
            platform::busyWindowOver(this, QStringLiteral("Checking %1...").arg(QDir::toNativeSeparators(*path)));
        QEventLoop loop;
        std::thread worker([&] {
            result = gamecheck::checkFolder(*path, gameLocations(), &checksums);
            QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        loop.exec();
        worker.join();
    }
    checksums.save();
    if (!result.readable) {
        services.messageBox->show(
            this, QStringLiteral("%1 could not be checked.\n\n%2").arg(QDir::toNativeSeparators(*path), result.reason),
            platform::Exclamation, platform::programName);
        return;
    }
    services.reportWindow->showReport(this, folderReportHeading(*path, result.report),
                                      reportLines(result.report.findings));
}

void Form1::gamemenu_AboutToShow()
{
    ui->gamemenu->clear();
    const std::vector<game::InstalledGame> installed = game::installedGames(services.locations.gamesRoot);
    for (const game::InstalledGame& found : installed) {
        QAction* item = ui->gamemenu->addAction(
            QStringLiteral("%1 (%2)").arg(QString::fromLatin1(found.game->name), QDir::toNativeSeparators(found.folder)));
        item->setCheckable(true);
        item->setChecked(QDir::cleanPath(found.folder) == gameChoice.folder());
        connect(item, &QAction::triggered, this, [this, folder = found.folder] {
            gameChoice.chooseFolder(folder);
            showGame();
        });
    }
    if (installed.empty())
        ui->gamemenu->addAction(QStringLiteral("(no game found installed)"))->setEnabled(false);
    ui->gamemenu->addSeparator();
    connect(ui->gamemenu->addAction(QStringLiteral("Choose game &folder...")), &QAction::triggered, this,
            &Form1::chooseGameFolder);
}

void Form1::chooseGameFolder()
{
    const std::optional<QString> path = services.openDialog->askForFolder(this, QStringLiteral("Choose game folder"));
    if (!path)
        return;
    if (!gameChoice.chooseFolder(*path)) {
        refuse(QStringLiteral("%1 is no game folder: Mapwright knows a game by its folder (baseq3, missionpack or "
                              "baseoa), by one of them beside it, or by the game's folder in your home.")
                   .arg(QDir::toNativeSeparators(*path)));
        return;
    }
    showGame();
}

// The window as the chosen game has it: its type boxes, and an opened
// arena's fields as that game reads them.
void Form1::showGame()
{
    showGameTypes();
    if (opened && opened->block >= 0) {
        opened->fields = arenaFields(opened->reading, gameChoice.offer());
        for (std::size_t index = 0; index < typeselect.size(); ++index)
            typeselect[index]->setChecked(opened->fields.types[index]);
    }
    showOpened();
}

// The checks look for the game's other folders in its usual places.
game::Locations Form1::gameLocations() const
{
    return {nullptr, {}, {}, true};
}

void Form1::usemenu_Click()
{
    Command2_Click();
}

void Form1::creditsmenu_Click()
{
    Command1_Click();
}

void Form1::exitmenu_Click()
{
    QCoreApplication::exit(0);
}

} // namespace editor
