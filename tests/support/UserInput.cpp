#include "support/UserInput.h"

#include <QAbstractButton>
#include <QTest>

namespace testing_support {

void clickIndicator(QAbstractButton* button)
{
    const QPoint onTheBox(6, button->height() / 2);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, onTheBox);
}

void typeInto(QWidget* control, const QString& text)
{
    control->setFocus();
    QTest::keyClicks(control, text);
}

} // namespace testing_support
