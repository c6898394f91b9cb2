// SPDX-License-Identifier: GPL-3.0-or-later
#include "bots/Form2.h"

#include "platform/system/ProgramName.h"
#include "platform/widgets/ListDoubleClick.h"
#include "ui_Form2.h"

#include <QStringList>

namespace bots {

namespace {

// The most bots one arena may name; the refusal message quotes the number.
constexpr int maxChosenBots = 16;

// The row of a list's selected entry, or -1. The current row is no guide:
// a list has a current row without a selection as soon as it takes focus.
int selectedRow(const QListWidget* list)
{
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.front());
}

} // namespace

Form2::Form2(QWidget* parent, BotsReceiver confirmBots, std::shared_ptr<platform::MessageBox> messageBox,
             QStringList catalogue)
    : platform::ModalForm(parent),
      ui(std::make_unique<Ui::Form2>()),
      confirmBots(std::move(confirmBots)),
      messageBox(std::move(messageBox)),
      catalogue(std::move(catalogue))
{
    ui->setupUi(this);
    finishClassicSetup();

    connect(ui->label1, &QPushButton::clicked, this, &Form2::Label1_Click);
    new platform::ListDoubleClick(ui->botlist, [this] { botlist_dblClick(); });
    connect(ui->label2, &QPushButton::clicked, this, &Form2::Label2_Click);
    new platform::ListDoubleClick(ui->addedbots, [this] { addedbots_dblClick(); });
    connect(ui->label3, &QPushButton::clicked, this, &Form2::Label3_Click);
    connect(ui->label4, &QPushButton::clicked, this, &Form2::Label4_Click);
    connect(ui->label5, &QPushButton::clicked, this, &Form2::Label5_Click);

    // The window is built afresh for every opening, so this is its load.
    Form_Load();
}

Form2::~Form2() = default;

void Form2::Form_Load()
{
    ui->botlist->addItems(catalogue);
}

void Form2::Label1_Click()
{
    const int row = selectedRow(ui->botlist);
    if (row < 0)
        return;
    if (ui->addedbots->count() >= maxChosenBots) {
        messageBox->show(this, QStringLiteral("Sorry, this program allows only 16 bots."), platform::Exclamation,
                         platform::programName);
        return;
    }
    // The catalogue keeps its selection, so Add again adds the same bot again.
    ui->addedbots->addItem(ui->botlist->item(row)->text());
}

void Form2::botlist_dblClick()
{
    Label1_Click();
}

void Form2::Label2_Click()
{
    const int row = selectedRow(ui->addedbots);
    if (row < 0)
        return;
    delete ui->addedbots->takeItem(row);
    // The list moves its selection onto a neighbour of the removed entry; a
    // second Remove would then take out a bot the user never picked. No
    // current row means no selection either.
    ui->addedbots->setCurrentRow(-1);
}

void Form2::addedbots_dblClick()
{
    Label2_Click();
}

void Form2::Label3_Click()
{
    ui->addedbots->clear();
}

void Form2::Label4_Click()
{
    close();
}

void Form2::Label5_Click()
{
    QStringList chosen;
    for (int row = 0; row < ui->addedbots->count(); ++row)
        chosen << ui->addedbots->item(row)->text();
    confirmBots(chosen.join(QLatin1Char(' ')));
    close();
}

} // namespace bots
