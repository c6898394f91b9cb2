// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dialogs/ReportWindow.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
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

    // Text rather than a table: each sentence wraps whole, and the report
    // can be selected and copied into a bug report or a release note.
    auto* list = new QTextBrowser(window);
    list->setObjectName(QStringLiteral("findings"));
    list->setOpenLinks(false);
    QString html;
    for (const ReportLine& line : lines) {
        // The severity is spelt out, not shown by colour alone, so that it
        // reaches screen readers and those who cannot tell colours apart.
        html += QStringLiteral("<p><b>%1</b> &#8212; %2<br>%3</p>")
                    .arg(line.serious ? QStringLiteral("Error") : QStringLiteral("Advice"), line.place.toHtmlEscaped(),
                         line.text.toHtmlEscaped());
    }
    list->setHtml(html);
    label->setBuddy(list);
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
    window->resize(640, 400);
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
