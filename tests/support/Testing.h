// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the tests work with: GoogleTest, Qt's widgets and test tools, real
// files in temporary folders, and failures that show Qt values as text.
#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out)
{
    *out << '"' << bytes.toStdString() << "\" (hex " << bytes.toHex(' ').toStdString() << ')';
}

// A file's bytes, or "<unreadable>" when it cannot be read.
inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Creates or replaces a file with the given bytes; fails the test if it can't.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// The names in a folder, hidden ones too, joined by spaces, in the order of
// their characters' codes: names that differ only in letter case never tie,
// so the order is the same on every file system and in every locale.
inline QString namesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name).join(u' ');
}

// Finds a control of a window by its name, failing the test when missing.
template <typename Control = QWidget>
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

// Presses Enter, the keypad's Enter and Escape with the focus on a control,
// and waits long enough for a button's animated click.
inline void pressEnterAndEscape(QWidget* focused)
{
    ASSERT_NE(focused, nullptr) << "no control has the focus";
    focused->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(focused, key);
    QTest::qWait(150);
}

// Runs `trigger`, which should open a window modally, and lets `act` work in
// that window once it is active; the test fails unless `act` closed it and closing destroyed
// it. Returns the class of the window that opened, empty when none did.
inline QByteArray inModalWindow(const std::function<void()>& trigger, const std::function<void(QWidget*)>& act)
{
    QByteArray opened;
    QPointer<QWidget> form;
    const QObject context; // takes the timer with it should nothing open
    QTimer::singleShot(0, &context, [&] {
        if (!(form = QApplication::activeModalWidget()))
            return;
        opened = form->metaObject()->className();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form)) << opened.constData() << " never became active";
        act(form);
        EXPECT_FALSE(form->isVisible()) << opened.constData() << " stayed open";
        form->hide();
    });
    trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.isNull(); })) << opened.constData() << " not destroyed on closing";
    return opened;
}
