// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <vector>

class QDialog;
class QWidget;

namespace platform {

// One line of a report: how serious it is, where, and what it means.
struct ReportLine {
    bool serious = false;
    QString place;
    QString text;
};

// A modal window that lists what a check found: either a report to read,
// or a question whether to go on writing all the same. Tests replace it with
// a scripted stand-in.
class ReportWindow {
public:
    enum class Answer { GoBack, WriteAnyway };

    virtual ~ReportWindow() = default;
    virtual Answer askWhetherToWrite(QWidget* parent, const QString& heading, const std::vector<ReportLine>& lines) = 0;
    virtual void showReport(QWidget* parent, const QString& heading, const std::vector<ReportLine>& lines) = 0;
};

class QtReportWindow final : public ReportWindow {
public:
    Answer askWhetherToWrite(QWidget* parent, const QString& heading, const std::vector<ReportLine>& lines) override;
    void showReport(QWidget* parent, const QString& heading, const std::vector<ReportLine>& lines) override;
};

// The window itself, for QtReportWindow and for the tests of its keys.
// With a question, "Go back" is the default and Escape means "Go back".
QDialog* buildReportWindow(QWidget* parent, const QString& heading, const std::vector<ReportLine>& lines,
                           bool asksWhetherToWrite);

} // namespace platform
