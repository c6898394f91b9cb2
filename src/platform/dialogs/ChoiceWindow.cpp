// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/ChoiceWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

namespace {

// Every line's picture, or where a line has none, a blank of the same size,
// so that the lines' text stays aligned; false when no line has one.
bool addPictures(QListWidget* list, const std::vector<QImage>& pictures)
{
    const auto shown = std::find_if(pictures.begin(), pictures.end(), [](const QImage& one) { return !one.isNull(); });
    if (shown == pictures.end())
        return false;
    list->setIconSize(shown->size());
    QPixmap blank(shown->size());
    blank.fill(Qt::transparent);
    for (int row = 0; row < list->count() && std::size_t(row) < pictures.size(); ++row) {
        const QImage& picture = pictures[std::size_t(row)];
        list->item(row)->setIcon(picture.isNull() ? blank : QPixmap::fromImage(picture));
    }
    return true;
}

} // namespace

QDialog* buildChoiceWindow(QWidget* parent, const QString& title, const QString& heading, const QStringList& lines,
                           const std::vector<QImage>& pictures)
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
    const bool withPictures = addPictures(list, pictures);
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
    // Room for four lines with their pictures.
    window->resize(withPictures ? 720 : 560, withPictures ? 520 : 300);
    return window;
}

std::optional<int> QtChoiceWindow::choose(QWidget* parent, const QString& title, const QString& heading,
                                          const QStringList& lines, const std::vector<QImage>& pictures)
{
    QDialog* window = buildChoiceWindow(parent, title, heading, lines, pictures);
    const bool accepted = window->exec() == QDialog::Accepted;
    const int row = window->findChild<QListWidget*>(QStringLiteral("choices"))->currentRow();
    delete window;
    if (!accepted || row < 0)
        return std::nullopt;
    return row;
}

} // namespace platform
