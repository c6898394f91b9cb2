// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs/MessageBox.h"
#include "platform/widgets/ModalForm.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace Ui {
class Form2;
}

namespace bots {

// The bot selection window: the user picks up to 16 bots from the
// catalogue (the game's own roster, or Quake 3's 32 stock bots), and OK
// hands the picks over as one space-separated line. The window never sees
// what was picked before; every opening starts empty.
// The controls keep their design names: botlist holds the stock bots and
// addedbots the chosen ones; the buttons label1 to label5 are Add, Remove,
// Clear, Cancel and OK.
class Form2 : public platform::ModalForm {
    Q_OBJECT

public:
    // Receives the bots text when the user confirms; it is never called on
    // Cancel or on closing the window.
    using BotsReceiver = std::function<void(const QString& botsText)>;

    Form2(QWidget* parent, BotsReceiver confirmBots, std::shared_ptr<platform::MessageBox> messageBox,
          QStringList catalogue);
    ~Form2() override;

    void Form_Load();
    void Label1_Click();
    void botlist_dblClick();
    void Label2_Click();
    void addedbots_dblClick();
    void Label3_Click();
    void Label4_Click();
    void Label5_Click();

private:
    std::unique_ptr<Ui::Form2> ui;
    BotsReceiver confirmBots;
    std::shared_ptr<platform::MessageBox> messageBox;
    QStringList catalogue;
};

} // namespace bots
