// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Legibility.h"

#include <QAccessible>

namespace {

// The width a button has for its caption: a push button's bevel takes 2
// pixels a side, a check box or option button loses its box.
int captionRoom(const QAbstractButton* button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    if (qobject_cast<const QCheckBox*>(button))
        return button->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, button).width();
    if (qobject_cast<const QRadioButton*>(button))
        return button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button).width();
    return button->width() - 4;
}

// Adds the problems of the focusable controls under an interface; `named`
// holds the control known by each name. List entries are no controls: a
// list may hold the same bot twice.
void checkNames(QAccessibleInterface* node, QHash<QString, QString>& named, QStringList& problems)
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
        checkNames(child, named, problems);
    }
}

} // namespace

QStringList legibilityProblems(QWidget* window)
{
    QStringList problems;
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        const QString caption = QString(button->text()).remove(u'&');
        if (button->isVisibleTo(window) && captionRoom(button) < button->fontMetrics().horizontalAdvance(caption))
            problems << button->objectName() + " is narrower than its caption";
    }
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    for (const QLabel* label : labels) {
        if (label->text().isEmpty())
            continue;
        // The text laid out as the label lays it out.
        const QRect inside = label->contentsRect().translated(label->mapTo(window, QPoint()));
        const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
        const QRect text = label->fontMetrics().boundingRect(inside, flags, label->text());
        if (!inside.contains(text))
            problems << label->objectName() + " has text outside its label";
        // A picture covers text only when stacked above it.
        const QObjectList& stack = label->parentWidget()->children();
        for (const QLabel* picture : labels) {
            const bool above = stack.indexOf(picture) > stack.indexOf(label);
            const QRect place(picture->mapTo(window, QPoint()), picture->size());
            if (!picture->pixmap().isNull() && above && place.intersects(text))
                problems << picture->objectName() + " covers text of " + label->objectName();
        }
    }
    return problems;
}

QStringList spokenNameProblems(QWidget* window)
{
    QHash<QString, QString> named;
    QStringList problems;
    checkNames(QAccessible::queryAccessibleInterface(window), named, problems);
    if (named.isEmpty())
        problems << "no control takes the focus";
    return problems;
}
