// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/Form1.h"
#include "support/ScriptedServices.h"
#include "support/TempSettings.h"
#include "support/Testing.h"

// Everything a user can see of a window's controls, for comparing states.
inline QStringList visibleState(const QWidget& window)
{
    QStringList state;
    for (const QLineEdit* edit : window.findChildren<QLineEdit*>())
        state << edit->objectName() + "=" + edit->text();
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        state << button->objectName() + (button->isChecked() ? ":on" : ":off");
    state.sort();
    return state;
}

// The main window on screen, with scripted message boxes and save dialog and
// a settings file of its own, and a user's hands on it.
class MainWindowUser : public ::testing::Test {
protected:
    TempSettings settings;
    ScriptedServices scripted;
    std::unique_ptr<editor::Form1> window;

    void SetUp() override { openWindow({}); }
    void openWindow(const platform::Locations& locations, std::function<void(const char*)> stepReached = {})
    {
        platform::Services services = scripted.services();
        services.locations = locations;
        services.stepReached = std::move(stepReached);
        window = std::make_unique<editor::Form1>(services);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    template <typename Control = QLineEdit>
    Control* find(const char* name) const { return control<Control>(*window, name); }
    void tickGameType(int index)
    {
        clickIndicator(find<QCheckBox>(qPrintable(QStringLiteral("typeselect_%1").arg(index))));
    }
    void choose(const char* route) { clickIndicator(find<QRadioButton>(route)); }
    void setFields(const QString& title, const QString& map)
    {
        find("longname")->setText(title);
        find("filename")->setText(map);
    }
    // Clicks Create; a save dialog, if one opens, is answered with the path
    // given, or cancelled when none is.
    void create(const QString& answer = QString())
    {
        scripted.dialog->answers << answer;
        QTest::mouseClick(find<QPushButton>("Command4"), Qt::LeftButton);
    }
    const QStringList& prompts() const { return scripted.messages->prompts; }
};
