// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QDialog;
class QWidget;

namespace platform {

// A modal window that asks the user to pick one line of a list. Tests
// replace it with a scripted stand-in.
class ChoiceWindow {
public:
    virtual ~ChoiceWindow() = default;
    // The index of the line chosen; nothing when the user cancelled. A line
    // may have a picture beside it, at the picture's own size: `pictures`
    // holds one for each line, a null image where it has none, or none at all.
    virtual std::optional<int> choose(QWidget* parent, const QString& title, const QString& heading,
                                      const QStringList& lines, const std::vector<QImage>& pictures) = 0;
};

class QtChoiceWindow final : public ChoiceWindow {
public:
    std::optional<int> choose(QWidget* parent, const QString& title, const QString& heading, const QStringList& lines,
                              const std::vector<QImage>& pictures) override;
};

// The window itself, for QtChoiceWindow and for the tests of its keys: the
// first line selected, Enter or a double click takes the selected line,
// Escape cancels. Its list is named "choices".
QDialog* buildChoiceWindow(QWidget* parent, const QString& title, const QString& heading, const QStringList& lines,
                           const std::vector<QImage>& pictures = {});

} // namespace platform
