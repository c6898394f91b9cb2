// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs/Services.h"
#include "support/Testing.h"

#include <memory>
#include <vector>

// Records every message box instead of showing it, and answers each
// question with the next scripted answer; one the test did not expect fails
// it, and is answered No.
struct RecordingMessageBox final : platform::MessageBox {
    QStringList prompts;
    QList<int> styles;
    QStringList titles;
    QStringList questions;
    QList<bool> answers;
    void show(QWidget*, const QString& prompt, int style, const QString& title) override
    {
        prompts << prompt;
        styles << style;
        titles << title;
    }
    bool ask(QWidget*, const QString& question, const QString& title) override
    {
        questions << question;
        titles << title;
        EXPECT_FALSE(answers.isEmpty()) << "a question the test did not expect: " << question.toStdString();
        return !answers.isEmpty() && answers.takeFirst();
    }
};

// Answers each save dialog with the next scripted answer: a path, or a null
// string for Cancel. Records what every dialog was asked to show.
struct ScriptedSaveDialog final : platform::SaveDialogBackend {
    std::vector<platform::SaveDialogRequest> requests;
    QStringList answers;
    std::optional<QString> askForSavePath(QWidget*, const platform::SaveDialogRequest& request) override
    {
        requests.push_back(request);
        EXPECT_FALSE(answers.isEmpty()) << "a save dialog was shown that the test did not expect";
        const QString next = answers.isEmpty() ? QString() : answers.takeFirst();
        return next.isNull() ? std::nullopt : std::optional(next);
    }
};

// Records every program the code tries to start, instead of starting it.
// Programs named in `missing` cannot be started; all others start.
struct ScriptedProcessStarter final : platform::ProcessStarter {
    QStringList missing;
    QStringList programs;
    QList<QStringList> arguments;
    bool startDetached(const QString& program, const QStringList& given) override
    {
        programs << program;
        arguments << given;
        return !missing.contains(program);
    }
};

// Answers each open dialog, for a file or a folder, with the next scripted
// path, or Cancel when the script has none left.
struct ScriptedOpenDialog final : platform::OpenDialogBackend {
    QStringList answers;
    std::optional<QString> askForOpenPath(QWidget*, const QString&, const QString&) override
    {
        return answers.isEmpty() ? std::nullopt : std::optional(answers.takeFirst());
    }
    std::optional<QString> askForFolder(QWidget*, const QString&) override
    {
        return answers.isEmpty() ? std::nullopt : std::optional(answers.takeFirst());
    }
};

// Records every report window instead of showing it, and answers the ones
// that ask with the next scripted answer, or with `answerToAll` where a test
// is about what comes after. A question the test did not expect fails it,
// and is answered "Go back".
struct ScriptedReportWindow final : platform::ReportWindow {
    struct Shown {
        bool asked;
        QString heading;
        std::vector<platform::ReportLine> lines;
    };
    std::vector<Shown> shown;
    QList<Answer> answers;
    std::optional<Answer> answerToAll;
    Answer askWhetherToWrite(QWidget*, const QString& heading, const std::vector<platform::ReportLine>& lines) override
    {
        shown.push_back({true, heading, lines});
        if (answerToAll)
            return *answerToAll;
        EXPECT_FALSE(answers.isEmpty()) << "the game check asked a question the test did not expect: "
                                        << heading.toStdString();
        return answers.isEmpty() ? Answer::GoBack : answers.takeFirst();
    }
    void showReport(QWidget*, const QString& heading, const std::vector<platform::ReportLine>& lines) override
    {
        shown.push_back({false, heading, lines});
    }
};

// Answers each chooser with the next scripted row, or Cancel for -1 or when
// the script has none left. Records the lines and pictures every chooser showed.
struct ScriptedChoiceWindow final : platform::ChoiceWindow {
    QList<QStringList> shown;
    QList<std::vector<QImage>> pictures;
    QList<int> answers;
    std::optional<int> choose(QWidget*, const QString&, const QString&, const QStringList& lines,
                              const std::vector<QImage>& given) override
    {
        shown << lines;
        pictures << given;
        const int next = answers.isEmpty() ? -1 : answers.takeFirst();
        return next < 0 ? std::nullopt : std::optional(next);
    }
};

// The services with every modal piece scripted.
struct ScriptedServices {
    std::shared_ptr<RecordingMessageBox> messages = std::make_shared<RecordingMessageBox>();
    std::shared_ptr<ScriptedSaveDialog> dialog = std::make_shared<ScriptedSaveDialog>();
    std::shared_ptr<ScriptedProcessStarter> processes = std::make_shared<ScriptedProcessStarter>();
    std::shared_ptr<ScriptedOpenDialog> openDialog = std::make_shared<ScriptedOpenDialog>();
    std::shared_ptr<ScriptedReportWindow> report = std::make_shared<ScriptedReportWindow>();
    std::shared_ptr<ScriptedChoiceWindow> chooser = std::make_shared<ScriptedChoiceWindow>();
    platform::Services services() const
    {
        return {.messageBox = messages, .saveDialog = dialog, .locations = {}, .processStarter = processes,
                .openDialog = openDialog, .reportWindow = report, .choiceWindow = chooser, .stepReached = {}};
    }
};
