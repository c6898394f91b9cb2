// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QDialog;
class QWidget;

namespace platform {

// A modal window that asks the user to pick one line of a list. Tests
// replace it with a scripted stand-in.
class ChoiceWindow {
public:
    virtual ~ChoiceWindow() = default;
    // The index of the line chosen; nothing when the user cancelled.
    virtual std::optional<int> choose(QWidget* parent, const QString& title, const QString& heading,
                                      const QStringList& lines) = 0;
};

class QtChoiceWindow final : public ChoiceWindow {
public:
    std::optional<int> choose(QWidget* parent, const QString& title, const QString& heading,
                              const QStringList& lines) override;
};

// The window itself, for QtChoiceWindow and for the tests of its keys: the
// first line selected, Enter or a double click takes the selected line,
// Escape cancels. Its list is named "choices".
QDialog* buildChoiceWindow(QWidget* parent, const QString& title, const QString& heading, const QStringList& lines);

} // namespace platform
