#include "support/SpokenNames.h"

#include <QAccessible>

namespace {

// Adds the problems of the focusable controls under an interface; `named`
// holds the control already known by each name. Entries of lists are not
// controls: a list may hold the same bot twice.
void check(QAccessibleInterface* node, QHash<QString, QString>& named, QStringList& problems)
{
    for (int index = 0; index < node->childCount(); ++index) {
        QAccessibleInterface* child = node->child(index);
        const auto* widget = child ? qobject_cast<QWidget*>(child->object()) : nullptr;
        if (!widget)
            continue;
        const QString name = child->text(QAccessible::Name), control = widget->objectName();
        if (child->state().focusable && !child->state().invisible) {
            // "..." is a caption, not a name: a listener hears only dots.
            if (!name.contains(QRegularExpression(QStringLiteral("\\p{L}"))))
                problems << control + " has no name in words: \"" + name + "\"";
            else if (named.contains(name))
                problems << control + " is called \"" + name + "\" like " + named[name];
            named.insert(name, control);
        }
        check(child, named, problems);
    }
}

} // namespace

QStringList spokenNameProblems(QWidget* window)
{
    QHash<QString, QString> named;
    QStringList problems;
    check(QAccessible::queryAccessibleInterface(window), named, problems);
    if (named.isEmpty())
        problems << "no control takes the focus";
    return problems;
}
