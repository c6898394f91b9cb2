#include "support/Legibility.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTextLayout>

#include <algorithm>

namespace testing_support {

QList<QRectF> textLines(const QLabel* label)
{
    if (label->text().isEmpty())
        return {};
    QTextLayout layout(QString(label->text()).replace(u'\n', QChar::LineSeparator), label->font());
    QTextOption option;
    option.setWrapMode(label->wordWrap() ? QTextOption::WordWrap : QTextOption::NoWrap);
    layout.setTextOption(option);
    const QRect contents = label->contentsRect();
    layout.beginLayout();
    qreal top = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(contents.width());
        line.setPosition(QPointF(0, top));
        top += line.height();
    }
    layout.endLayout();

    QList<QRectF> lines;
    const QPoint origin = label->mapTo(label->window(), contents.topLeft());
    for (int index = 0; index < layout.lineCount(); ++index) {
        const QTextLine line = layout.lineAt(index);
        const qreal width = line.naturalTextWidth();
        const qreal indent = label->alignment() & Qt::AlignHCenter ? (contents.width() - width) / 2 : 0;
        lines << QRectF(indent, line.y(), width, line.height()).translated(origin);
    }
    return lines;
}

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
    option.text = button->text();
    return button->style()
        ->subElementRect(isCheckBox ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents, &option, button)
        .width();
}

} // namespace

QStringList legibilityProblems(QWidget* window)
{
    QStringList problems;
    for (const QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(window) || button->text().isEmpty())
            continue;
        if (captionRoom(button) < button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&')))
            problems << button->objectName() + " is narrower than its caption";
    }
    const QList<QLabel*> labels = window->findChildren<QLabel*>();
    for (const QLabel* label : labels) {
        const QRectF inside(label->mapTo(window, label->contentsRect().topLeft()), label->contentsRect().size());
        for (const QRectF& line : textLines(label)) {
            if (!inside.contains(line) || !QRectF(window->rect()).contains(line))
                problems << label->objectName() + " has text outside its label";
            const QObjectList& stack = label->parentWidget()->children();
            for (const QLabel* other : labels) {
                const QRectF place(other->mapTo(window, QPoint(0, 0)), other->size());
                const bool above = stack.indexOf(other) > stack.indexOf(label);
                if (!other->pixmap().isNull() && above && place.intersects(line))
                    problems << other->objectName() + " covers text of " + label->objectName();
                const auto meets = [&](const QRectF& otherLine) { return otherLine.intersects(line); };
                if (other != label && std::ranges::any_of(textLines(other), meets))
                    problems << "text of " + label->objectName() + " meets text of " + other->objectName();
            }
        }
    }
    problems.removeDuplicates();
    return problems;
}

} // namespace testing_support
