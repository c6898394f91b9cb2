// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/ChoiceWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace platform {

QDialog* buildChoiceWindow(QWidget* parent, const QString& title, const QString& heading, const QStringList& lines)
{
    auto* window = new QDialog(parent);
    window->setObjectName(QStringLiteral("choiceWindow"));
    window->setWindowTitle(title);
    auto* layout = new QVBoxLayout(window);

    auto* label = new QLabel(heading, window);
    label->setWordWrap(true);
    layout->addWidget(label);

    auto* list = new QListWidget(window);
    list->setObjectName(QStringLiteral("choices"));
    list->addItems(lines);
    list->setCurrentRow(0);
    label->setBuddy(list);
    layout->addWidget(list);
    QObject::connect(list, &QListWidget::itemDoubleClicked, window, &QDialog::accept);

    auto* buttons = new QDialogButtonBox(window);
    QPushButton* open = buttons->addButton(QStringLiteral("&Open"), QDialogButtonBox::AcceptRole);
    open->setObjectName(QStringLiteral("open"));
    open->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, window, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::reject);
    layout->addWidget(buttons);
    list->setFocus();
    window->resize(560, 300);
    return window;
}

std::optional<int> QtChoiceWindow::choose(QWidget* parent, const QString& title, const QString& heading,
                                          const QStringList& lines)
{
    QDialog* window = buildChoiceWindow(parent, title, heading, lines);
    const bool accepted = window->exec() == QDialog::Accepted;
    const int row = window->findChild<QListWidget*>(QStringLiteral("choices"))->currentRow();
    delete window;
    if (!accepted || row < 0)
        return std::nullopt;
    return row;
}

} // namespace platform
