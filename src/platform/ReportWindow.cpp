// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ReportWindow.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace platform {

QDialog* buildReportWindow(QWidget* parent, const QString& heading, const std::vector<ReportLine>& lines,
                           bool asksWhetherToWrite)
{
    auto* window = new QDialog(parent);
    window->setObjectName(QStringLiteral("reportWindow"));
    window->setWindowTitle(QStringLiteral("What the game will read"));
    auto* layout = new QVBoxLayout(window);

    auto* label = new QLabel(heading, window);
    label->setObjectName(QStringLiteral("heading"));
    label->setWordWrap(true);
    layout->addWidget(label);

    auto* list = new QTreeWidget(window);
    list->setObjectName(QStringLiteral("findings"));
    list->setHeaderLabels({QStringLiteral("Severity"), QStringLiteral("Where"), QStringLiteral("What the game will do")});
    list->setRootIsDecorated(false);
    list->setWordWrap(true);
    list->setAlternatingRowColors(true);
    list->header()->setStretchLastSection(true);
    label->setBuddy(list);
    const QIcon errorIcon = QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical);
    const QIcon adviceIcon = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation);
    for (const ReportLine& line : lines) {
        // The severity is spelt out, not only shown by the icon, so that it
        // reaches screen readers and those who cannot tell the icons apart.
        auto* item = new QTreeWidgetItem(
            list, {line.serious ? QStringLiteral("Error") : QStringLiteral("Advice"), line.place, line.text});
        item->setIcon(0, line.serious ? errorIcon : adviceIcon);
        item->setToolTip(2, line.text);
    }
    list->resizeColumnToContents(0);
    list->setColumnWidth(1, 220);
    layout->addWidget(list);

    auto* buttons = new QDialogButtonBox(window);
    if (asksWhetherToWrite) {
        QPushButton* writeAnyway = buttons->addButton(QStringLiteral("&Write anyway"), QDialogButtonBox::AcceptRole);
        writeAnyway->setObjectName(QStringLiteral("writeAnyway"));
        QPushButton* goBack = buttons->addButton(QStringLiteral("&Go back"), QDialogButtonBox::RejectRole);
        goBack->setObjectName(QStringLiteral("goBack"));
        goBack->setDefault(true);
        goBack->setFocus();
    } else {
        buttons->addButton(QDialogButtonBox::Close)->setObjectName(QStringLiteral("close"));
    }
    QObject::connect(buttons, &QDialogButtonBox::accepted, window, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::reject);
    layout->addWidget(buttons);
    window->resize(760, 360);
    return window;
}

ReportWindow::Answer QtReportWindow::askWhetherToWrite(QWidget* parent, const QString& heading,
                                                      const std::vector<ReportLine>& lines)
{
    QDialog* window = buildReportWindow(parent, heading, lines, true);
    const int result = window->exec();
    delete window;
    return result == QDialog::Accepted ? Answer::WriteAnyway : Answer::GoBack;
}

void QtReportWindow::showReport(QWidget* parent, const QString& heading, const std::vector<ReportLine>& lines)
{
    QDialog* window = buildReportWindow(parent, heading, lines, false);
    window->exec();
    delete window;
}

} // namespace platform
