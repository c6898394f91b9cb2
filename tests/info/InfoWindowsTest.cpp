#include "editor/Form1.h"
#include "info/Contact.h"
#include "info/Form3.h"
#include "info/Form4.h"
#include "support/Legibility.h"
#include "support/ProgramsOnPath.h"
#include "support/ScriptedServices.h"
#include "support/UserInput.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace testing_support;

namespace {

const QString helpText = QStringLiteral(
    "1. Fill in the fields on the main screen \n"
    "2. Select up to 16 of the 32 bots provided with the game.\n"
    " 3. Finally, click on one of the options for the final file - either add to or create a new pk3 file,"
    " or create a .Arena file. \n"
    "4. It's as simple as that.");

template <typename Control>
Control* find(QWidget* window, const char* name)
{
    return control<Control>(*window, name);
}

// A form built as the main window builds it, but shown without waiting.
template <typename Form, typename... Args>
QPointer<Form> showForm(Args... args)
{
    auto* form = new Form(nullptr, args...);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    return form;
}

template <typename Form>
bool destroyed(const QPointer<Form>& form)
{
    return QTest::qWaitFor([&] { return form.isNull(); });
}

// Closes a form through its frame's close box, as the window system does.
void closeThroughTheFrame(QWidget* form)
{
    QCloseEvent close;
    QCoreApplication::sendEvent(form->windowHandle(), &close);
}

void clickButton(QWidget* form, const char* name)
{
    QTest::mouseClick(find<QPushButton>(form, name), Qt::LeftButton);
}

// Enter and Escape, on the window and on its button, do nothing; the
// button and the close box close it for good.
template <typename Form, typename... Args>
void expectClosedOnlyByItsButtonOrTheCloseBox(const char* button, Args... args)
{
    QPointer<Form> form = showForm<Form>(args...);
    for (QWidget* target : {static_cast<QWidget*>(form), static_cast<QWidget*>(find<QPushButton>(form, button))}) {
        target->setFocus();
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(target, key);
    }
    QTest::qWait(150); // long enough for a button's animated click
    ASSERT_FALSE(form.isNull());
    EXPECT_TRUE(form->isVisible());

    clickButton(form, button);
    EXPECT_TRUE(destroyed(form));
    form = showForm<Form>(args...);
    closeThroughTheFrame(form);
    EXPECT_TRUE(destroyed(form));
}

// Runs a trigger of the main window and, while the window it opens shows,
// lets `whileOpen` act on it and close it. Returns the window's class.
QString openFrom(const std::function<void()>& trigger, const std::function<void(QWidget*)>& whileOpen)
{
    QString opened;
    QPointer<QWidget> form;
    QTimer watcher;
    watcher.setInterval(10);
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if ((form = QApplication::activeModalWidget())) {
            watcher.stop();
            opened = form->metaObject()->className();
            EXPECT_EQ(form->windowModality(), Qt::ApplicationModal);
            whileOpen(form);
        }
    });
    watcher.start();
    trigger();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !watcher.isActive(); })) << "no window opened";
    EXPECT_TRUE(form.isNull()) << "not destroyed on closing";
    return opened;
}

} // namespace

TEST(OpeningFromTheMainWindow, EachButtonAndMenuItemOpensItsWindowBuiltAfresh)
{
    ScriptedServices scripted;
    editor::Form1 window{scripted.services()};
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const auto click = [&](const char* name) {
        return [&window, name] { QTest::mouseClick(control<QPushButton>(window, name), Qt::LeftButton); };
    };
    const auto choose = [&](const char* name) {
        return [&window, name] { control<QAction>(window, name)->trigger(); };
    };

    // Each first opening spoils its window; the second must not show that.
    EXPECT_EQ(openFrom(click("Command2"), [](QWidget* form) {
        EXPECT_EQ(form->windowTitle(), "So, are you stupid or something?");
        find<QLabel>(form, "Helpdisplay")->setText("spoilt");
        clickButton(form, "label1");
    }), "info::Form4");
    EXPECT_EQ(openFrom(choose("usemenu"), [](QWidget* form) {
        EXPECT_EQ(find<QLabel>(form, "Helpdisplay")->text(), helpText);
        closeThroughTheFrame(form);
    }), "info::Form4");

    EXPECT_EQ(openFrom(click("Command1"), [](QWidget* form) {
        EXPECT_EQ(form->windowTitle(), "About Mapwright");
        find<QLabel>(form, "Label1")->setText("spoilt");
        clickButton(form, "label7");
    }), "info::Form3");
    EXPECT_EQ(openFrom(choose("creditsmenu"), [](QWidget* form) {
        EXPECT_EQ(find<QLabel>(form, "Label1")->text(), "Mapwright for Quake 3");
        QTest::mouseClick(find<QLabel>(form, "Label2"), Qt::LeftButton);
        closeThroughTheFrame(form);
    }), "info::Form3");
    EXPECT_EQ(scripted.processes->programsTried(), QStringList{"xdg-open"}) << "the main window's process start";
}

TEST(HelpWindow, ShowsTheHelpTextCharacterForCharacterAndWhole)
{
    const QPointer<info::Form4> form = showForm<info::Form4>();
    const QLabel* help = find<QLabel>(form, "Helpdisplay");
    EXPECT_EQ(help->text(), helpText);
    EXPECT_EQ(help->text().size(), 254);
    EXPECT_EQ(find<QLabel>(form, "Label2")->text(), "Problems, Comments suggestions?");
    EXPECT_EQ(find<QPushButton>(form, "label1")->text(), "Done");

    // In the program's font the third step is wider than the label and
    // has to wrap inside it; nothing may be cut or hidden.
    ASSERT_EQ(help->font().family(), "Liberation Sans");
    ASSERT_EQ(help->font().pixelSize(), 11);
    EXPECT_GT(help->fontMetrics().horizontalAdvance(helpText.split(u'\n').at(2)), help->contentsRect().width());
    EXPECT_GT(textLines(help).size(), 4);
    EXPECT_EQ(legibilityProblems(form), QStringList{});
    form->close();
}

TEST(InformationWindows, CloseOnlyThroughTheirButtonAltOOrTheCloseBox)
{
    expectClosedOnlyByItsButtonOrTheCloseBox<info::Form4>("label1");
    auto processes = std::make_shared<ScriptedProcessStarter>();
    expectClosedOnlyByItsButtonOrTheCloseBox<info::Form3>("label7", processes);

    QPointer<info::Form3> about = showForm<info::Form3>(processes);
    QTest::keyClick(about, Qt::Key_O, Qt::AltModifier);
    EXPECT_TRUE(destroyed(about));
}

class AboutWindow : public ::testing::Test {
protected:
    std::shared_ptr<ScriptedProcessStarter> processes = std::make_shared<ScriptedProcessStarter>();
    QPointer<info::Form3> form = showForm<info::Form3>(processes);

    void TearDown() override
    {
        if (form)
            form->close();
        EXPECT_TRUE(destroyed(form));
    }
    QLabel* label(const char* name) { return find<QLabel>(form, name); }
    void clickLink() { QTest::mouseClick(label("Label2"), Qt::LeftButton); }
};

TEST_F(AboutWindow, ShowsItsTextsWholeAndTheLinkLooksLikeOne)
{
    EXPECT_EQ(label("Label1")->font().pointSize(), 12);
    EXPECT_TRUE(label("Label3")->text().startsWith("Programmed by "));
    EXPECT_TRUE(label("Label5")->text().startsWith("Designed by "));
    EXPECT_EQ(label("Label6")->text(), "Problems, Comments suggestions? Email:");
    EXPECT_EQ(find<QPushButton>(form, "label7")->text(), "&OK");
    info::Form4 help;
    EXPECT_EQ(label("Label4")->text(), find<QLabel>(&help, "Label3")->text()) << "one address in both windows";
    EXPECT_EQ(label("Label4")->text(), info::contactAddress);

    const QLabel* link = label("Label2");
    EXPECT_EQ(link->text(), info::webPage);
    EXPECT_TRUE(link->font().bold() && link->font().underline());
    EXPECT_EQ(link->palette().color(QPalette::Active, QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(link->palette().color(QPalette::Inactive, QPalette::WindowText), QColor(0, 0, 255));
    for (const QWidget* widget : form->findChildren<QWidget*>()) {
        const bool hand = widget->cursor().shape() == Qt::PointingHandCursor;
        EXPECT_EQ(hand, widget == link) << widget->objectName().toStdString();
    }
    EXPECT_EQ(legibilityProblems(form), QStringList{});
}

TEST_F(AboutWindow, CreditLineTakesTheTitlesWidthEveryTimeTheWindowBecomesActive)
{
    const QLabel* title = label("Label1");
    QLabel* credit = label("Label3");
    EXPECT_EQ(title->size(), title->sizeHint()) << "the title sizes itself to its text";
    EXPECT_EQ(credit->geometry(), QRect(11, 34, title->width(), 13));

    credit->resize(40, credit->height());
    QWidget elsewhere;
    elsewhere.show();
    elsewhere.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
    EXPECT_EQ(credit->width(), 40);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    EXPECT_EQ(credit->geometry(), QRect(11, 34, title->width(), 13));
}

TEST_F(AboutWindow, LinkTriesTheSecondProgramOnlyWhenTheFirstCannotStart)
{
    // Clicks elsewhere, other buttons, or a press let go outside the link are no clicks on it.
    for (const char* name : {"Label1", "Label3", "Label4", "Label5", "Label6", "Picture1"})
        QTest::mouseClick(label(name), Qt::LeftButton);
    QTest::mouseClick(label("Label2"), Qt::RightButton);
    QTest::mousePress(label("Label2"), Qt::LeftButton);
    QTest::mouseRelease(label("Label2"), Qt::LeftButton, Qt::NoModifier, QPoint(-5, -5));
    EXPECT_TRUE(processes->attempts.empty());

    // A double click as the window system delivers it counts once.
    QTest::mouseDClick(form->windowHandle(), Qt::LeftButton, {}, label("Label2")->geometry().center());
    ASSERT_EQ(processes->programsTried(), QStringList{"xdg-open"}) << "the first started: no second";
    EXPECT_EQ(processes->attempts[0].arguments, QStringList{info::webPage});

    processes->attempts.clear();
    processes->missing = QStringList{"xdg-open"};
    clickLink();
    ASSERT_EQ(processes->programsTried(), QStringList({"xdg-open", "sensible-browser"}));
    EXPECT_EQ(processes->attempts[1].arguments, QStringList{info::webPage});

    // Neither can start: nothing else shows, and every click tries both again.
    processes->attempts.clear();
    processes->missing = QStringList{"xdg-open", "sensible-browser"};
    clickLink();
    clickLink();
    EXPECT_EQ(processes->programsTried(),
              QStringList({"xdg-open", "sensible-browser", "xdg-open", "sensible-browser"}));
    for (const QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_EQ(widget->isVisible(), widget == form) << widget->metaObject()->className();
}

TEST(AboutWindowLink, StartsTheSecondProgramForRealWhenTheFirstIsMissing)
{
    ProgramsOnPath programs;
    programs.addRecordingProgram("sensible-browser");
    const QStringList expected{QStringLiteral("[%1]").arg(info::webPage)};
    QPointer<info::Form3> form = showForm<info::Form3>(std::make_shared<platform::QtProcessStarter>());

    QTest::mouseClick(find<QLabel>(form, "Label2"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return programs.recorded("sensible-browser") == expected; }));
    programs.addRecordingProgram("xdg-open");
    QTest::mouseClick(find<QLabel>(form, "Label2"), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return programs.recorded("xdg-open") == expected; }));
    form->close();
    EXPECT_TRUE(destroyed(form));
}
