#include "support/SpokenNames.h"

#include <QAccessible>

namespace {

// The focusable controls under an interface, with the name each speaks.
// Entries of lists and menus are left out: a list may hold the same bot
// twice, and a control's name is what tells it apart.
void collect(QAccessibleInterface* node, QList<std::pair<QString, QString>>& found)
{
    for (int index = 0; index < node->childCount(); ++index) {
        QAccessibleInterface* child = node->child(index);
        if (!child || !child->isValid())
            continue;
        auto* widget = qobject_cast<QWidget*>(child->object());
        if (!widget)
            continue;
        const QAccessible::State state = child->state();
        if (state.focusable && !state.invisible)
            found.emplace_back(widget->objectName(), child->text(QAccessible::Name));
        collect(child, found);
    }
}

} // namespace

QStringList spokenNameProblems(QWidget* window)
{
    QList<std::pair<QString, QString>> controls;
    collect(QAccessible::queryAccessibleInterface(window), controls);
    QStringList problems;
    QHash<QString, QString> owner;
    for (const auto& [control, name] : controls) {
        // "..." is a caption, not a name: a listener hears only dots.
        if (!name.contains(QRegularExpression(QStringLiteral("\\p{L}"))))
            problems << control + " has no name in words: \"" + name + "\"";
        else if (owner.contains(name))
            problems << control + " is called \"" + name + "\" like " + owner[name];
        else
            owner.insert(name, control);
    }
    if (controls.isEmpty())
        problems << "no control takes the focus";
    return problems;
}
