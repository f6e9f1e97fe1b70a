// The message boxes of the Qt prompter and the wait box.
#include "platform/QtPrompter.h"
#include "platform/WaitBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace kw::platform {
namespace {

struct Shown {
    QString title, text, informative;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// A prompter whose boxes are recorded and answered with `answer` instead of being run.
QtPrompter recording(std::vector<Shown> &shown, int answer)
{
    return QtPrompter([&shown, answer](QMessageBox &box) {
        QMessageBox::StandardButton preset = QMessageBox::NoButton;
        if (QAbstractButton *b = box.defaultButton())
            preset = box.standardButton(b);
        shown.push_back({box.windowTitle(), box.text(), box.informativeText(), box.standardButtons(), preset,
                         box.icon()});
        return answer;
    });
}

TEST(QtPrompter, QuestionsAreYesNoAndOnlyYesCountsAsYes)
{
    std::vector<Shown> shown;
    EXPECT_EQ(Prompter::Answer::Yes, recording(shown, QMessageBox::Yes).ask(StringId::AskSaveChangedLayout));
    EXPECT_EQ(Prompter::Answer::No, recording(shown, QMessageBox::No).ask("Frage?"));
    EXPECT_EQ(Prompter::Answer::No, recording(shown, 0).ask("Frage?")) << "a box closed otherwise";
    ASSERT_EQ(3u, shown.size());
    EXPECT_EQ(QStringLiteral("Das Layout wurde verändert. Wollen Sie es speichern?"), shown[0].text);
    EXPECT_EQ(QStringLiteral("Layout Manager"), shown[0].title);
    EXPECT_EQ(QMessageBox::Yes | QMessageBox::No, shown[0].buttons);
    EXPECT_EQ(QMessageBox::Yes, shown[0].defaultButton);
}

// A question the user may step back from offers Cancel, and closing it with Escape is that Cancel, never a
// No that would throw work away.
TEST(QtPrompter, EscapeOnAQuestionWithCancelAnswersCancel)
{
    std::vector<Shown> shown;
    EXPECT_EQ(Prompter::Answer::No, recording(shown, QMessageBox::No).askWithCancel("Frage?"));
    ASSERT_EQ(1u, shown.size());
    EXPECT_EQ(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, shown[0].buttons);
    EXPECT_EQ(QMessageBox::Yes, shown[0].defaultButton);

    QtPrompter escaping([](QMessageBox &box) {
        QTimer::singleShot(0, &box, [&box] {
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&box, &escape);
        });
        return box.exec();
    });
    EXPECT_EQ(Prompter::Answer::Cancel, escaping.askWithCancel("Frage?"));
}

TEST(QtPrompter, MessagesAndExtendedErrorsShowTheirTexts)
{
    std::vector<Shown> shown;
    QtPrompter prompter = recording(shown, QMessageBox::Ok);
    prompter.tell(StringId::NoLayoutName);
    prompter.showExtendedError(StringId::LayoutNotRead,
                               ServerError(ServerError::NotFound, "global.css fehlt"));
    ASSERT_EQ(2u, shown.size());
    EXPECT_EQ(QStringLiteral("Sie haben keinen Layoutnamen angegeben."), shown[0].text);
    EXPECT_EQ(QMessageBox::Ok, shown[0].buttons);
    EXPECT_EQ(QStringLiteral("Layout konnte nicht gelesen werden."), shown[1].text);
    EXPECT_EQ(QStringLiteral("global.css fehlt"), shown[1].informative);
    EXPECT_EQ(QMessageBox::Critical, shown[1].icon);

    std::vector<Shown> console;
    QtPrompter(
        [&](QMessageBox &box) {
            console.push_back({box.windowTitle(), box.text(), {}, {}, {}, {}});
            return 0;
        },
        QStringLiteral("kwconsole"))
        .tell("Hallo");
    ASSERT_EQ(1u, console.size());
    EXPECT_EQ(QStringLiteral("kwconsole"), console[0].title);
}

TEST(QtWaitBox, StaysUpUntilTheOutermostClose)
{
    QtWaitBox wait;
    wait.show("Layout wird geladen...");
    EXPECT_TRUE(wait.isShown());
    EXPECT_EQ(QStringLiteral("Layout wird geladen..."), wait.text());
    QWidget *window = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QStringLiteral("KwWaitBox"))
            window = w;
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Qt::WaitCursor, QApplication::overrideCursor()->shape());

    wait.show("Speichern...");
    wait.close();
    EXPECT_TRUE(window->isVisible());
    wait.close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
    wait.close(); // one close too many changes nothing
    EXPECT_EQ(nullptr, QApplication::overrideCursor());
}

} // namespace
} // namespace kw::platform
