#include "support/ScriptedServices.h"

#include <gtest/gtest.h>

namespace testing_support {

void RecordingMessageBox::show(QWidget*, const QString& prompt, int style, const QString& title)
{
    shown.push_back({prompt, style, title});
}

QStringList RecordingMessageBox::prompts() const
{
    QStringList result;
    for (const ShownMessage& message : shown)
        result << message.prompt;
    return result;
}

std::optional<QString> ScriptedSaveDialog::askForSavePath(QWidget*, const platform::SaveDialogRequest& request)
{
    requests.push_back(request);
    if (answers.empty()) {
        ADD_FAILURE() << "a save dialog was shown that the test did not expect";
        return std::nullopt;
    }
    const Answer next = answers.front();
    answers.pop_front();
    if (next.cancel)
        return std::nullopt;
    return next.path;
}

bool ScriptedProcessStarter::startDetached(const QString& program, const QStringList& arguments)
{
    attempts.push_back({program, arguments});
    return !missing.contains(program);
}

QStringList ScriptedProcessStarter::programsTried() const
{
    QStringList result;
    for (const Attempt& attempt : attempts)
        result << attempt.program;
    return result;
}

platform::Services ScriptedServices::services() const
{
    platform::Services result;
    result.messageBox = messages;
    result.saveDialog = dialog;
    result.processStarter = processes;
    return result;
}

} // namespace testing_support
