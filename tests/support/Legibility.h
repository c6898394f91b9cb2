#pragma once

#include <QList>
#include <QRectF>
#include <QStringList>

class QLabel;
class QWidget;

namespace testing_support {

// The lines a label draws its text in, laid out as the label lays them out,
// in its window's coordinates.
QList<QRectF> textLines(const QLabel* label);

// Everything that keeps a caption from being read whole: a button or box
// narrower than its caption, text running out of its label, text of two
// labels meeting, a picture stacked over text. Empty when all is legible.
QStringList legibilityProblems(QWidget* window);

} // namespace testing_support
