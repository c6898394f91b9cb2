#pragma once

#include <QAbstractButton>
#include <QTest>
#include <QWidget>

namespace testing_support {

// Finds a control of a window by its name, failing the test when missing.
template <typename Control>
Control* control(const QWidget& window, const char* name)
{
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control named %s", name);
    return found;
}

// Clicks a check box or option button where a user would: on its box.
// A fixed-size button takes clicks only on its box and its text.
inline void clickIndicator(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(6, button->height() / 2));
}

// Types text into a control as key presses, after giving it focus.
inline void typeInto(QWidget* control, const QString& text)
{
    control->setFocus();
    QTest::keyClicks(control, text);
}

} // namespace testing_support
