#pragma once

#include "platform/Services.h"
#include "support/QtPrinting.h"

#include <QString>
#include <QStringList>

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
class RecordingMessageBox final : public platform::MessageBox {
public:
    void show(QWidget* parent, const QString& prompt, int style, const QString& title) override;
    std::vector<ShownMessage> shown;
    QStringList prompts() const;
};

// Answers each save dialog with the next scripted answer: a path, or
// nothing for Cancel. Records what every dialog was asked to show.
class ScriptedSaveDialog final : public platform::SaveDialogBackend {
public:
    std::optional<QString> askForSavePath(QWidget* parent, const platform::SaveDialogRequest& request) override;
    void answer(const QString& path) { answers.push_back({false, path}); }
    void cancel() { answers.push_back({true, QString()}); }
    std::vector<platform::SaveDialogRequest> requests;

private:
    struct Answer {
        bool cancel;
        QString path;
    };
    std::deque<Answer> answers;
};

// Records every program the code tries to start, instead of starting it.
// Programs named in `missing` cannot be started; all others start.
class ScriptedProcessStarter final : public platform::ProcessStarter {
public:
    struct Attempt {
        QString program;
        QStringList arguments;
    };
    bool startDetached(const QString& program, const QStringList& arguments) override;
    QStringList programsTried() const;
    QStringList missing;
    std::vector<Attempt> attempts;
};

// The services with every modal piece scripted.
struct ScriptedServices {
    std::shared_ptr<RecordingMessageBox> messages = std::make_shared<RecordingMessageBox>();
    std::shared_ptr<ScriptedSaveDialog> dialog = std::make_shared<ScriptedSaveDialog>();
    std::shared_ptr<ScriptedProcessStarter> processes = std::make_shared<ScriptedProcessStarter>();
    platform::Services services() const;
};

} // namespace testing_support
