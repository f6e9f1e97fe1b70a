// The mouse and the focus on the start page's logo and welcome text controls: a double click on the logo
// opens only the logo chooser; the right button on the welcome text shows its German edit menu without
// opening the welcome text sheet, and the focus coming back to it with its window opens nothing either.
#include "OpenedPanes.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

namespace kw::preview {
namespace {

using test::OpenedPanes;
using test::settle;

class StartPageControlsMouseTest : public OpenedPanes {};

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
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << "no edit menu";
        for (const QAction *action : menu->actions())
            if (!action->isSeparator())
                shown << action->text().section(QLatin1Char('\t'), 0, 0);
        menu->close();
    });
    // Through the window, as the system delivers it: the press moves the focus and brings the menu.
    QWindow *window = welcome->window()->windowHandle();
    const QPoint at = welcome->viewport()->mapTo(welcome->window(), welcome->viewport()->rect().center());
    QTest::mousePress(window, Qt::RightButton, {}, at);
    QTest::mouseRelease(window, Qt::RightButton, {}, at);
    settle();
    // The offscreen platform leaves the popup's window active; a desktop gives the activation back.
    console.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&console));

    EXPECT_TRUE(welcome->hasFocus()) << "the press moved the focus";
    EXPECT_EQ(sheetRuns, 0) << "the right button opened the welcome text sheet";
    EXPECT_EQ(shown, (QStringList{"&Rückgängig", "Wieder&herstellen", "&Ausschneiden", "&Kopieren",
                                  "Einf&ügen", "Löschen", "Alles auswählen"}));

    // A left click that brings the focus still opens the sheet.
    welcome->clearFocus();
    settle();
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
    settle();
    EXPECT_EQ(sheetRuns, 1);
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

    // Another window in front, then the console again (as Alt+Tab does): the window gives the focus
    // back to the welcome text.
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
