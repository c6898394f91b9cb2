#include "support/Legibility.h"

#include "support/Testing.h"

namespace testing_support {

namespace {

// The width a button has for its caption: a push button's bevel takes 2
// pixels a side, a check box or option button loses its box.
int captionRoom(const QAbstractButton* button)
{
    const bool isCheckBox = qobject_cast<const QCheckBox*>(button) != nullptr;
    if (!isCheckBox && !qobject_cast<const QRadioButton*>(button))
        return button->width() - 4;
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()
        ->subElementRect(isCheckBox ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, button)
        .width();
}

// Where a label's text lies, in its window, laid out as the label lays it out.
QRect textArea(const QLabel* label)
{
    const QRect contents = label->contentsRect();
    const int flags = int(label->alignment()) | (label->wordWrap() ? int(Qt::TextWordWrap) : 0);
    const QRect text = label->fontMetrics().boundingRect(contents, flags, label->text());
    return text.translated(label->mapTo(label->window(), QPoint(0, 0)));
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
        const QRect text = textArea(label);
        const QRect inside(label->mapTo(window, label->contentsRect().topLeft()), label->contentsRect().size());
        if (!inside.contains(text))
            problems << label->objectName() + " has text outside its label";
        // A picture covers text only when stacked above it.
        const QObjectList& stack = label->parentWidget()->children();
        for (const QLabel* picture : labels) {
            const QRect place(picture->mapTo(window, QPoint(0, 0)), picture->size());
            const bool above = stack.indexOf(picture) > stack.indexOf(label);
            if (!picture->pixmap().isNull() && above && place.intersects(text))
                problems << picture->objectName() + " covers text of " + label->objectName();
        }
    }
    return problems;
}

} // namespace testing_support
