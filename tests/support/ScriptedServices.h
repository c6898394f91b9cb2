#pragma once

#include "platform/Services.h"
#include "support/Testing.h"

#include <deque>
#include <memory>
#include <optional>
#include <vector>

namespace testing_support {

struct ShownMessage {
    QString prompt;
    int style = 0;
    QString title;
};

// Records every message box instead of showing it.
struct RecordingMessageBox final : platform::MessageBox {
    std::vector<ShownMessage> shown;
    void show(QWidget*, const QString& prompt, int style, const QString& title) override
    {
        shown.push_back({prompt, style, title});
    }
    QStringList prompts() const
    {
        QStringList result;
        for (const ShownMessage& message : shown)
            result << message.prompt;
        return result;
    }
};

// Answers each save dialog with the next scripted answer: a path, or
// nothing for Cancel. Records what every dialog was asked to show.
struct ScriptedSaveDialog final : platform::SaveDialogBackend {
    std::vector<platform::SaveDialogRequest> requests;
    std::deque<std::optional<QString>> answers;
    void answer(const QString& path) { answers.emplace_back(path); }
    void cancel() { answers.emplace_back(); }
    std::optional<QString> askForSavePath(QWidget*, const platform::SaveDialogRequest& request) override
    {
        requests.push_back(request);
        if (answers.empty()) {
            ADD_FAILURE() << "a save dialog was shown that the test did not expect";
            return std::nullopt;
        }
        const std::optional<QString> next = answers.front();
        answers.pop_front();
        return next;
    }
};

// Records every program the code tries to start, instead of starting it.
// Programs named in `missing` cannot be started; all others start.
struct ScriptedProcessStarter final : platform::ProcessStarter {
    struct Attempt {
        QString program;
        QStringList arguments;
    };
    QStringList missing;
    std::vector<Attempt> attempts;
    bool startDetached(const QString& program, const QStringList& arguments) override
    {
        attempts.push_back({program, arguments});
        return !missing.contains(program);
    }
    QStringList programsTried() const
    {
        QStringList result;
        for (const Attempt& attempt : attempts)
            result << attempt.program;
        return result;
    }
};

// The services with every modal piece scripted.
struct ScriptedServices {
    std::shared_ptr<RecordingMessageBox> messages = std::make_shared<RecordingMessageBox>();
    std::shared_ptr<ScriptedSaveDialog> dialog = std::make_shared<ScriptedSaveDialog>();
    std::shared_ptr<ScriptedProcessStarter> processes = std::make_shared<ScriptedProcessStarter>();
    platform::Services services() const
    {
        platform::Services result;
        result.messageBox = messages;
        result.saveDialog = dialog;
        result.processStarter = processes;
        return result;
    }
};

} // namespace testing_support
