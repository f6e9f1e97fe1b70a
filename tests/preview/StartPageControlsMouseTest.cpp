// The mouse and the focus on the start page's logo and welcome text controls: a double click on the logo
// opens only the logo chooser; the right button on the welcome text shows its German edit menu, whose undo
// and redo go through the layout's history, without opening the welcome text sheet; the focus coming back
// to it with its window opens nothing either.
#include "OpenedPanes.h"

#include <QMenu>
#include <QTextCursor>

#include <functional>

namespace kw::preview {
namespace {

using test::OpenedPanes;
using test::settle;

class StartPageControlsMouseTest : public OpenedPanes {
protected:
    /// Right-clicks the welcome text through its window, as the system delivers the click (the press moves
    /// the focus and brings the edit menu), and hands the menu to `use` while it is open.
    void withEditMenu(const std::function<void(QMenu &)> &use)
    {
        CWelcomeTextEdit *welcome = startPage().welcomeControl();
        const auto shown = test::whenPopupMenu([&use](QMenu &menu) {
            use(menu);
            menu.close();
        });
        QWindow *window = welcome->window()->windowHandle();
        const QPoint at = welcome->viewport()->mapTo(welcome->window(), welcome->viewport()->rect().center());
        QTest::mousePress(window, Qt::RightButton, {}, at);
        QTest::mouseRelease(window, Qt::RightButton, {}, at);
        settle();
        // The offscreen platform leaves the popup's window active; a desktop gives the activation back.
        console.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&console));
        ASSERT_TRUE(*shown) << "no edit menu";
    }

    static QAction *item(QMenu &menu, const QString &text)
    {
        for (QAction *action : menu.actions())
            if (action->text().section(QLatin1Char('\t'), 0, 0) == text)
                return action;
        return nullptr;
    }
};

TEST_F(StartPageControlsMouseTest, DoubleClickOnTheLogoOpensOnlyTheLogoChooser)
{
    int chooserRuns = 0, sheetRuns = 0;
    view->elementHooks().chooseLogo = [&](const std::string &) {
        ++chooserRuns;
        return std::optional<std::string>();
    };
    view->elementHooks().editProperties = [&](const portalpage::CPreviewElement &) {
        ++sheetRuns;
        return false;
    };
    CLogoPictureCtrl *logo = startPage().logoControl();
    ASSERT_TRUE(logo->isVisible());
    QTest::mouseDClick(logo, Qt::LeftButton, {}, QPoint(3, 3));
    settle();
    EXPECT_EQ(chooserRuns, 1);
    EXPECT_EQ(sheetRuns, 0) << "the content area under the logo opened its property sheet";

    // The content area itself still opens its sheet on a double click.
    QTest::mouseDClick(&startPage(), Qt::LeftButton, {},
                       QPoint(startPage().width() - 5, startPage().height() - 5));
    EXPECT_EQ(sheetRuns, 1);
}

TEST_F(StartPageControlsMouseTest, RightButtonOnTheWelcomeTextShowsTheGermanEditMenuAndNoSheet)
{
    int sheetRuns = 0;
    view->elementHooks().editWelcomeText = [&] { ++sheetRuns; };
    CWelcomeTextEdit *welcome = startPage().welcomeControl();
    ASSERT_TRUE(welcome->isVisible());
    ASSERT_FALSE(welcome->hasFocus());

    QStringList shown;
    withEditMenu([&](QMenu &menu) {
        for (const QAction *action : menu.actions())
            if (!action->isSeparator())
                shown << action->text().section(QLatin1Char('\t'), 0, 0);
    });

    EXPECT_TRUE(welcome->hasFocus()) << "the press moved the focus";
    EXPECT_EQ(sheetRuns, 0) << "the right button opened the welcome text sheet";
    EXPECT_EQ(shown, (QStringList{"&Rückgängig", "&Wiederholen", "&Ausschneiden", "&Kopieren", "Einf&ügen",
                                  "Löschen", "Alles auswählen"}));

    // A left click that brings the focus still opens the sheet.
    welcome->clearFocus();
    settle();
    QTest::mouseClick(welcome->viewport(), Qt::LeftButton, {}, welcome->viewport()->rect().center());
    settle();
    EXPECT_EQ(sheetRuns, 1);
}

TEST_F(StartPageControlsMouseTest, TheEditMenuUndoesAndRedoesThroughTheLayoutsHistory)
{
    CWelcomeTextEdit *welcome = startPage().welcomeControl();
    const QString loaded = welcome->toPlainText();
    const layout::LayoutHistory &history = view->document().history();
    // Opens the welcome text's menu, checks which of its two history items are enabled and triggers one.
    enum class Trigger { None, Undo, Redo };
    const auto useHistoryItems = [&](bool undoEnabled, bool redoEnabled, Trigger trigger) {
        withEditMenu([&](QMenu &menu) {
            QAction *undo = item(menu, "&Rückgängig"), *redo = item(menu, "&Wiederholen");
            ASSERT_TRUE(undo && redo);
            EXPECT_EQ(undo->isEnabled(), undoEnabled);
            EXPECT_EQ(redo->isEnabled(), redoEnabled);
            if (trigger == Trigger::Undo)
                undo->trigger();
            else if (trigger == Trigger::Redo)
                redo->trigger();
        });
    };
    useHistoryItems(false, false, Trigger::None); // nothing typed yet

    welcome->moveCursor(QTextCursor::End);
    QTest::keyClicks(welcome, " neu");
    settle();
    const QString typed = welcome->toPlainText();
    ASSERT_EQ(history.steps().size(), 1u);
    useHistoryItems(true, false, Trigger::Undo);
    EXPECT_EQ(welcome->toPlainText(), loaded);
    EXPECT_EQ(history.position(), 0u) << "the layout's history took the step back";
    EXPECT_FALSE(view->document().isModified());

    useHistoryItems(false, true, Trigger::Redo);
    EXPECT_EQ(welcome->toPlainText(), typed);
    EXPECT_EQ(history.position(), 1u);
    EXPECT_TRUE(view->document().isModified());
}

TEST_F(StartPageControlsMouseTest, TheFocusComingBackWithTheWindowOpensNoSheet)
{
    int sheetRuns = 0;
    view->elementHooks().editWelcomeText = [&] { ++sheetRuns; };
    CWelcomeTextEdit *welcome = startPage().welcomeControl();
    QTest::mouseClick(welcome->viewport(), Qt::LeftButton, {}, welcome->viewport()->rect().center());
    settle();
    ASSERT_TRUE(welcome->hasFocus());
    ASSERT_EQ(sheetRuns, 1) << "the user's own click opens the sheet";

    // Another window in front, then the console again (as Alt+Tab does): the
    // window gives the focus back to the welcome text.
    QWidget other;
    other.resize(200, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_FALSE(welcome->hasFocus());
    console.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&console));
    settle();
    EXPECT_TRUE(welcome->hasFocus()) << "the window gave the focus back";
    EXPECT_EQ(sheetRuns, 1) << "activating the window opened the welcome text sheet";

    // Whatever else hands it the focus opens nothing; the Tab key does.
    for (const Qt::FocusReason reason :
         {Qt::ActiveWindowFocusReason, Qt::OtherFocusReason, Qt::TabFocusReason}) {
        welcome->clearFocus();
        settle();
        welcome->setFocus(reason);
        settle();
        ASSERT_TRUE(welcome->hasFocus());
    }
    EXPECT_EQ(sheetRuns, 2) << "only the Tab key opened the sheet";
}

} // namespace
} // namespace kw::preview
