// SPDX-License-Identifier: GPL-3.0-or-later
// The game-type boxes of the chosen game: the window's five, and a box for
// each type the game has besides, which makes the window taller.
#include "editor/Form1.h"
#include "ui_Form1.h"

#include <QCheckBox>
#include <QLayout>

namespace editor {

namespace {

// The five boxes stand two to a row, three rows high, and leave the right
// column's third place free; the game's other types fill it and then rows
// of their own, 24 pixels apart, as the design spaces the five.
constexpr int firstRow = 16;
constexpr int rowHeight = 24;
constexpr int boxHeight = 17;
constexpr int columns[] = {16, 152};
constexpr int designRows = 3;
constexpr int widestBox = 136;

int rowsFor(std::size_t boxes)
{
    return int((boxes + 1) / 2);
}

} // namespace

void Form1::keepDesignBelowTypes()
{
    const int typesBottom = ui->Frame2->geometry().bottom();
    for (QWidget* widget : ui->Frame1->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (widget->y() > typesBottom)
            designBelowTypes.emplace_back(widget, widget->geometry());
    }
    for (QWidget* widget : ui->centralwidget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (widget != ui->Frame1)
            designBelowTypes.emplace_back(widget, widget->geometry());
    }
    designBelowTypes.emplace_back(ui->Frame1, ui->Frame1->geometry());
    designBelowTypes.emplace_back(ui->Frame2, ui->Frame2->geometry());
    designHeight = ui->centralwidget->minimumHeight();
}

void Form1::showGameTypes()
{
    while (typeselect.size() > fiveBoxes) {
        delete typeselect.back();
        typeselect.pop_back();
    }
    const game::Game& game = gameChoice.game();
    QWidget* before = ui->typeselect_3; // the last of the five in the tab order
    for (std::size_t index = fiveBoxes; index < game.types.size(); ++index) {
        // After the five: the free place in the right column, then rows below.
        const std::size_t place = index;
        auto* box = new QCheckBox(QString::fromLatin1(game.types[index].caption), ui->Frame2);
        box->setObjectName(QStringLiteral("typeselect_%1").arg(index));
        box->setFont(ui->typeselect_0->font());
        box->setGeometry(columns[place % 2], firstRow + int(place / 2) * rowHeight,
                         std::min(box->sizeHint().width(), widestBox), boxHeight);
        box->show();
        QWidget::setTabOrder(before, box);
        before = box;
        typeselect.push_back(box);
    }
    QWidget::setTabOrder(before, ui->label8);
    const int taller = std::max(0, rowsFor(game.types.size() + 1) - designRows) * rowHeight;
    for (const auto& [widget, design] : designBelowTypes) {
        if (widget == ui->Frame1 || widget == ui->Frame2)
            widget->resize(design.width(), design.height() + taller);
        else
            widget->move(design.x(), design.y() + taller);
    }
    ui->centralwidget->setFixedHeight(designHeight + taller);
    // The window keeps the size of its design, now taller or shorter.
    layout()->activate();
}

} // namespace editor
