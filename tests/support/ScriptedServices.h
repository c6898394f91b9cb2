// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Services.h"
#include "support/Testing.h"

#include <memory>
#include <vector>

// Records every message box instead of showing it.
struct RecordingMessageBox final : platform::MessageBox {
    QStringList prompts;
    QList<int> styles;
    QStringList titles;
    void show(QWidget*, const QString& prompt, int style, const QString& title) override
    {
        prompts << prompt;
        styles << style;
        titles << title;
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

// The services with every modal piece scripted.
struct ScriptedServices {
    std::shared_ptr<RecordingMessageBox> messages = std::make_shared<RecordingMessageBox>();
    std::shared_ptr<ScriptedSaveDialog> dialog = std::make_shared<ScriptedSaveDialog>();
    std::shared_ptr<ScriptedProcessStarter> processes = std::make_shared<ScriptedProcessStarter>();
    platform::Services services() const
    {
        return {.messageBox = messages, .saveDialog = dialog, .locations = {}, .processStarter = processes,
                .stepReached = {}};
    }
};
