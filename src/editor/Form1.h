// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/GameChoice.h"
#include "editor/OpenedArena.h"
#include "platform/dialogs/CommonDialog.h"
#include "platform/dialogs/Services.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;

namespace Ui {
class Form1;
}

namespace editor {

struct ArenaValues;
struct OutputRoute;

// The main window: the arena's fields, the output route and the commands.
// Every value of the arena lives in these controls and nowhere else.
// The controls keep their design names: Command1 is Credits, Command2 Help,
// Command3 Clear and Command4 Create; label8 is the "..." button that picks
// the bots; typeselect_0 to _4 are the game types (with a box more for each
// type the chosen game has besides the five); aArena and aPk3 the two
// routes; dl1 is the save dialog. kept is the line that shows what an
// opened arena holds beyond the fields, statusline the status line;
// gamemenu lists the games found installed.
class Form1 : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(platform::Services services, QWidget* parent = nullptr);
    ~Form1() override;

    void openmenu_Click();
    // Opens an arena file, or an archive's arena or map, into the fields.
    // What goes wrong is told in the window, and then nothing changes.
    void openFile(const QString& path);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Label8_Click();
    void fraglimit_KeyPress(std::int16_t& KeyAscii);
    void clearmenu_Click();
    void checkmenu_Click();
    void checkfoldermenu_Click();
    void usemenu_Click();
    void creditsmenu_Click();
    void exitmenu_Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void recentmenu_AboutToShow();
    void gamemenu_AboutToShow();
    void chooseGameFolder();
    game::Locations gameLocations() const;
    void openRecent(const QString& path);
    void tellNothingToOpen(const QString& path, const gamecheck::FileToEdit& file);
    void showChoice(const QString& path, const gamecheck::FileToEdit& file, const ArenaChoice& choice);
    void showOpened();
    void forgetOpened();
    void reopenAfterWriting(const QString& path, qsizetype blockSize);
    QByteArray blockWritten(const ArenaValues& values) const;
    bool writesBack(const OutputRoute& route) const;
    QString typeValue() const;
    std::vector<int> typeselectValues() const;
    void keepDesignBelowTypes();
    void showGameTypes();
    void showGame();
    ArenaValues arenaValues() const;
    bool refuse(const QString& message); // always false
    const OutputRoute* routeOfCheckedFields();
    bool fieldsAreFilledIn();
    bool valuesFitOnTheirLines();
    bool fileNameChosen(const OutputRoute& route);
    bool gameReadsItOrAuthorGoesOn(const OutputRoute& route);
    bool unchangedSinceOpened();
    void saveArenaFile();
    void addToArchive();

    std::unique_ptr<Ui::Form1> ui;
    // The five boxes of the design, then one for each type the chosen game has besides.
    static constexpr std::size_t fiveBoxes = 5;
    std::vector<QCheckBox*> typeselect;
    // Where the design puts what lies below the game-type boxes.
    std::vector<std::pair<QWidget*, QRect>> designBelowTypes;
    int designHeight = 0;
    platform::Services services;
    platform::CommonDialog dl1;
    QString typelist;
    std::optional<OpenedArena> opened;
    GameChoice gameChoice;
    bool gameRestored = false;
};

} // namespace editor
