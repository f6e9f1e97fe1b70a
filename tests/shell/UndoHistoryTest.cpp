// Undo and redo in the module's window, driven from the keyboard and the real sheets: both panes and the
// modified mark follow every step, switches per pane, typing merged, the saved step, a new history per
// layout, the edits that once went unmarked, the items greyed while a sheet is open, the history window
// (where it is placed, what a screen reader says), and a step that cannot be applied.
#include "../layout/HistoryTestAccess.h"
#include "../pages/PagesTestSupport.h"
#include "ShellTestSupport.h"

#include "controls/CFontChooserCtrl.h"
#include "platform/QPainterDeviceContext.h"
#include "preview/PaneContents.h"
#include "preview/PaneElements.h"
#include "shell/CChildFrame.h"
#include "shell/CHistoryDlg.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/CKwLOutView.h"
#include "shell/ModuleContract.h"
#include "shell/Resource.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <QToolBar>

namespace kw::shell::test {
namespace {

using layout::Pane;
using layout::PaneSwitches;
using layout::RegionId;
using pages::test::click;
using pages::test::control;
using pages::test::pickColor;
using pages::test::whenModal;
using preview::CKwLOutView;

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

class UndoHistory : public ModuleTest {
protected:
    void SetUp() override
    {
        console.open();
        view = console.view();
        frame = console.frame();
        ASSERT_NE(view, nullptr);
        // The real property sheets; the logo chooser answers with the next logo; no welcome text sheet.
        view->elementHooks().chooseLogo = [this](const std::string &) { return nextLogo; };
        view->elementHooks().editWelcomeText = {};
        start = view->startPagePane();
        application = view->appPagesPane();
        console.resize(1200, 900);
        console.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&console));
        ASSERT_TRUE(doc().openLayout("Blau.kwc")) << prompter.describe();
        settle();
    }

    // Closing the window would ask to save what a test left changed.
    void TearDown() override
    {
        if (view)
            doc().setModified(false);
    }

    layout::LayoutDocument &doc() const { return view->document(); }
    const layout::LayoutHistory &history() const { return doc().history(); }
    preview::CAppPageWindow &startPage() const { return *start->contents()->windows().appPage(); }
    preview::CWelcomeTextEdit &welcome() const { return *startPage().welcomeControl(); }

    /// A key pressed as the user presses it, on a window of the start page pane.
    void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier,
                  QWidget *target = nullptr)
    {
        QTest::keyClick(target ? target : start->element("KwNavigate"), key, modifiers);
        settle();
    }
    void undo() { pressKey(Qt::Key_Z); }
    void redo() { pressKey(Qt::Key_Y); }

    /// Opens the property sheet of an element through the selection and "Layouteigenschaften bearbeiten";
    /// `step` works the sheet and closes it.
    void editSheet(CKwLOutView *pane, const char *element, std::function<void(QDialog &)> step)
    {
        view->setCurrentWidget(pane);
        pane->contents()->windows().select(pane->element(element));
        whenModal(std::move(step));
        frame->routeCommand(res::ID_EDIT_LAYOUT);
        // The window manager gives the console's window back the activation the sheet had.
        console.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&console));
        settle();
    }
    /// OK on an element's sheet with nothing touched: no step, not modified (the page may spell untouched
    /// values in its own words, which counts as the state loaded).
    void okUntouched(CKwLOutView *pane, const char *element)
    {
        const std::size_t steps = history().steps().size();
        editSheet(pane, element, [](QDialog &sheet) { click(sheet, 1); });
        EXPECT_EQ(history().steps().size(), steps) << element;
        EXPECT_FALSE(doc().isModified()) << element;
    }
    void toggle(CKwLOutView *pane, int command)
    {
        pane->elementCommand(*pane->contents()->windows().appPage(), command);
        settle();
    }

    Color pixelOf(CKwLOutView *pane, const char *name) const
    {
        const QImage image = pane->element(name)->grab().toImage();
        return platform::fromQColor(image.pixelColor(image.width() / 2, image.height() - 2));
    }
    QAction *menuAction(int command) const
    {
        frame->updateCommandStates();
        return frame->actionsOf(command).front();
    }
    QAction *toolBarAction(int command) const { return frame->actionsOf(command).back(); }

    FakeConsole console;
    CChildFrame *frame = nullptr;
    CKwLOutTabbedView *view = nullptr;
    CKwLOutView *start = nullptr;
    CKwLOutView *application = nullptr;
    std::optional<std::string> nextLogo = "logo2.png";
};

TEST_F(UndoHistory, ASheetsColourAndFontAreUndoneAndRedoneInBothPanes)
{
    okUntouched(start, "KwNavigateHeader");
    const layout::LayoutModel loaded = doc().model();
    const Color loadedColor = pixelOf(start, "KwNavigateHeader");
    const QColor orange(0xFE, 0x80, 0x01);
    editSheet(start, "KwNavigateHeader", [&](QDialog &sheet) {
        pickColor(sheet, 1001, orange);
        auto *font = control<controls::CFontChooserCtrl>(sheet, 1223);
        font->lineEdit()->selectAll();
        QTest::keyClicks(font->lineEdit(), "Courier");
        click(sheet, 1);
    });
    const layout::LayoutModel edited = doc().model();
    const layout::RegionStyle &heading = doc().model().region(RegionId::KwNavigateHeader);
    ASSERT_EQ(heading.fontFamily, "Courier");
    ASSERT_EQ(pixelOf(start, "KwNavigateHeader"), platform::fromQColor(orange));
    EXPECT_TRUE(doc().isModified());
    EXPECT_EQ(frame->title(), QStringLiteral("Layout Manager *"));
    EXPECT_EQ(menuAction(res::ID_EDIT_UNDO)->text(),
              QString::fromUtf8("Rüc&kgängig: Submenü-Überschrift bearbeiten\tStrg+Z"));
    EXPECT_TRUE(menuAction(res::ID_EDIT_UNDO)->isEnabled());
    EXPECT_EQ(toolBarAction(res::ID_EDIT_UNDO)->toolTip(),
              QString::fromUtf8("Rückgängig: Submenü-Überschrift bearbeiten"));
    EXPECT_FALSE(menuAction(res::ID_EDIT_REDO)->isEnabled());

    undo();
    EXPECT_EQ(doc().model(), loaded);
    EXPECT_EQ(pixelOf(start, "KwNavigateHeader"), loadedColor);
    EXPECT_EQ(pixelOf(application, "KwNavigateHeader"), loadedColor);
    EXPECT_FALSE(doc().isModified());
    EXPECT_EQ(frame->title(), QStringLiteral("Layout Manager"));
    ASSERT_FALSE(console.titles.isEmpty());
    EXPECT_EQ(console.titles.back(), QStringLiteral("Layout Manager"));
    EXPECT_TRUE(start->element("KwNavigateHeader")->selected()) << "the selection stays";
    EXPECT_FALSE(menuAction(res::ID_EDIT_UNDO)->isEnabled());
    EXPECT_EQ(menuAction(res::ID_EDIT_UNDO)->text(), QString::fromUtf8("Rüc&kgängig\tStrg+Z"));
    EXPECT_EQ(menuAction(res::ID_EDIT_REDO)->text(),
              QString::fromUtf8("&Wiederholen: Submenü-Überschrift bearbeiten\tStrg+Y"));

    redo();
    EXPECT_EQ(doc().model(), edited);
    EXPECT_EQ(pixelOf(start, "KwNavigateHeader"), platform::fromQColor(orange));
    EXPECT_EQ(pixelOf(application, "KwNavigateHeader"), platform::fromQColor(orange));
    EXPECT_TRUE(doc().isModified());
    EXPECT_EQ(console.titles.back(), QStringLiteral("Layout Manager *"));

    undo();
    pressKey(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc().model(), edited) << "Ctrl+Shift+Z redoes too";
}

TEST_F(UndoHistory, ASwitchToggledInOnePaneIsUndoneInThatPaneOnly)
{
    const PaneSwitches startSwitches = doc().model().switches(Pane::StartPage);
    const PaneSwitches appSwitches = doc().model().switches(Pane::ApplicationPages);
    const bool logoHidden = startPage().logoControl()->isHidden();
    const int startLogoX = start->element("KwPics")->x();
    const int appLogoX = application->element("KwPics")->x();

    toggle(start, res::ID_SHOW_LOGO);
    toggle(start, res::ID_MENU_RIGHT);
    EXPECT_NE(startPage().logoControl()->isHidden(), logoHidden);
    EXPECT_NE(application->element("KwPics")->x(), appLogoX);
    EXPECT_TRUE(doc().isModified()) << "the switches are saved with the layout";
    ASSERT_EQ(history().steps().size(), 2u);
    EXPECT_EQ(history().steps()[0].name, std::string("Logo anzeigen: ") +
                                             (startSwitches.showLogo ? "aus" : "ein") +
                                             " (Standardstartseite)");
    EXPECT_EQ(history().steps()[1].name,
              std::string("Menü rechts anzeigen: ") + (startSwitches.menuRight ? "aus" : "ein"));

    undo();
    EXPECT_EQ(start->element("KwPics")->x(), startLogoX);
    EXPECT_EQ(application->element("KwPics")->x(), appLogoX);
    EXPECT_NE(startPage().logoControl()->isHidden(), logoHidden) << "the logo switch is the next step";

    undo();
    EXPECT_EQ(doc().model().switches(Pane::StartPage), startSwitches);
    EXPECT_EQ(doc().model().switches(Pane::ApplicationPages), appSwitches);
    EXPECT_EQ(startPage().logoControl()->isHidden(), logoHidden);
    EXPECT_FALSE(doc().isModified());

    // Toggled in the application pages pane, the logo switch changes that pane alone.
    toggle(application, res::ID_SHOW_LOGO);
    EXPECT_EQ(doc().model().switches(Pane::StartPage), startSwitches);
    EXPECT_NE(doc().model().switches(Pane::ApplicationPages).showLogo, appSwitches.showLogo);
    undo();
    EXPECT_EQ(doc().model().switches(Pane::ApplicationPages), appSwitches);
}

TEST_F(UndoHistory, FiveEditsUndoneToTheSavedStepLeaveNothingToAskOnClose)
{
    const std::string loadedLogo = doc().companySettings().logoFile;
    editSheet(start, "KwNavigateHeader", [](QDialog &sheet) {
        pickColor(sheet, 1001, QColor(1, 2, 3));
        click(sheet, 1);
    });
    toggle(start, res::ID_MENU_RIGHT);
    toggle(start, res::ID_SHOW_INFO_BAR);
    startPage().ChooseGraphic();
    welcome().setFocus();
    welcome().moveCursor(QTextCursor::End);
    QTest::keyClicks(&welcome(), " und hallo");
    settle();
    ASSERT_EQ(history().steps().size(), 5u);
    EXPECT_EQ(history().steps()[3].name, "Logo auswählen");
    EXPECT_TRUE(doc().companySettings().changed);

    for (int i = 0; i < 5; ++i)
        undo();
    EXPECT_EQ(history().position(), 0u);
    EXPECT_FALSE(doc().isModified());
    EXPECT_FALSE(doc().companySettings().changed) << "the logo and text are the published ones again";
    EXPECT_EQ(doc().companySettings().logoFile, loadedLogo);
    EXPECT_EQ(frame->title(), QStringLiteral("Layout Manager"));
    view->closeLayout();
    EXPECT_TRUE(prompter.questions().empty()) << prompter.describe();
}

TEST_F(UndoHistory, SavingMarksTheSavedStepAndUndoingPastItMarksTheLayoutAgain)
{
    toggle(start, res::ID_MENU_RIGHT);
    frame->routeCommand(res::ID_LAYOUT_SAVE);
    EXPECT_FALSE(doc().isModified()) << prompter.describe();
    EXPECT_EQ(history().steps().size(), 1u) << "saving keeps the history";

    frame->routeCommand(res::ID_VIEW_HISTORY);
    ASSERT_NE(frame->historyWindow(), nullptr);
    console.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&console));
    QListWidget *list = frame->historyWindow()->list();
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->item(1)->text(),
              QString::fromUtf8("Menü rechts anzeigen: ein (gespeichert)")
                  .replace("ein", doc().model().switches(Pane::StartPage).menuRight ? QStringLiteral("ein")
                                                                                    : QStringLiteral("aus")));

    toggle(start, res::ID_SHOW_INFO_BAR);
    EXPECT_TRUE(doc().isModified());
    undo();
    EXPECT_FALSE(doc().isModified()) << "back at the saved step";
    EXPECT_EQ(list->currentRow(), 1);
    undo();
    EXPECT_TRUE(doc().isModified()) << "past the saved step";
    EXPECT_EQ(frame->title(), QStringLiteral("Layout Manager *"));
    prompter.answerNo();
    view->closeLayout();
    EXPECT_EQ(prompter.questions(),
              std::vector<std::string>{"Das Layout wurde verändert. Wollen Sie es speichern?"});
}

TEST_F(UndoHistory, TypingTheWelcomeTextIsOneStepAndTheControlsOwnUndoIsTheLayouts)
{
    const std::string shown = doc().companySettings().shownWelcome;
    welcome().setFocus();
    welcome().moveCursor(QTextCursor::End);
    QTest::keyClicks(&welcome(), "abc");
    QTest::keyClick(&welcome(), Qt::Key_Return);
    QTest::keyClicks(&welcome(), "Zeile");
    settle();
    ASSERT_EQ(history().steps().size(), 1u);
    EXPECT_EQ(history().steps()[0].name, "Begrüssungstext bearbeiten");
    const std::string typed = doc().companySettings().shownWelcome;

    // Ctrl+Z typed in the control itself undoes the whole typing.
    pressKey(Qt::Key_Z, Qt::ControlModifier, &welcome());
    EXPECT_EQ(doc().companySettings().shownWelcome, shown);
    EXPECT_EQ(welcome().toPlainText().toStdString(), shown);
    EXPECT_FALSE(doc().companySettings().changed);
    EXPECT_FALSE(doc().isModified());

    pressKey(Qt::Key_Y, Qt::ControlModifier, &welcome());
    EXPECT_EQ(welcome().toPlainText().toStdString(), typed);
    EXPECT_TRUE(doc().companySettings().changed);
}

TEST_F(UndoHistory, UndoAndRedoKeepTheCaretInTheWelcomeText)
{
    const QString shown = welcome().toPlainText();
    ASSERT_GE(shown.size(), 4);
    welcome().setFocus();
    QTextCursor cursor = welcome().textCursor();
    cursor.setPosition(3);
    welcome().setTextCursor(cursor);
    QTest::keyClicks(&welcome(), "xyz");
    settle();
    ASSERT_EQ(welcome().textCursor().position(), 6);

    // The text is shorter again; the caret stays where it was.
    pressKey(Qt::Key_Z, Qt::ControlModifier, &welcome());
    ASSERT_EQ(welcome().toPlainText(), shown);
    EXPECT_EQ(welcome().textCursor().position(), 6) << "the caret jumped";
    pressKey(Qt::Key_Y, Qt::ControlModifier, &welcome());
    EXPECT_EQ(welcome().textCursor().position(), 6);

    // Behind the end of the text the undo leaves, the caret stops at its end.
    welcome().moveCursor(QTextCursor::End);
    QTest::keyClicks(&welcome(), " und noch viel mehr Text");
    settle();
    pressKey(Qt::Key_Z, Qt::ControlModifier, &welcome());
    ASSERT_FALSE(welcome().toPlainText().endsWith(QStringLiteral("Text")));
    EXPECT_EQ(welcome().textCursor().position(), welcome().toPlainText().size());
}

TEST_F(UndoHistory, OpeningAnotherLayoutStartsANewHistory)
{
    toggle(start, res::ID_MENU_RIGHT);
    frame->routeCommand(res::ID_VIEW_HISTORY);
    ASSERT_EQ(frame->historyWindow()->list()->count(), 2);
    prompter.answerNo();
    expectDialog([](CLayoutListDlg &dialog) {
        selectRow(dialog, "Herbst");
        return press(dialog, res::IDOK);
    });
    frame->routeCommand(res::ID_LAYOUT_OPEN);
    EXPECT_EQ(doc().name(), "Herbst.kwc");
    EXPECT_TRUE(history().steps().empty());
    EXPECT_FALSE(menuAction(res::ID_EDIT_UNDO)->isEnabled());
    EXPECT_FALSE(menuAction(res::ID_EDIT_REDO)->isEnabled());
    EXPECT_EQ(frame->historyWindow()->list()->count(), 1);
    EXPECT_EQ(frame->historyWindow()->list()->item(0)->text(),
              QStringLiteral("Ausgangszustand (gespeichert)"));
}

// The edits that once changed the layout without marking it: each marks it now, and undoing it clears
// the mark again; the last one left is asked about when the layout is closed.
TEST_F(UndoHistory, EditsOnceLeftUnmarkedMarkTheLayoutAndAreAskedAbout)
{
    // The submenu's sub-entries are edited with the tree menu on.
    toggle(start, res::ID_USE_TREE_MENU);
    if (!doc().model().switches(Pane::StartPage).useTreeMenu)
        toggle(start, res::ID_USE_TREE_MENU);
    doc().setModified(false);

    struct Case {
        const char *what;
        const char *element;
        std::function<void(QDialog &)> edit;
    };
    auto otherWeight = [](QDialog &sheet, int id) {
        auto *weight = control<QComboBox>(sheet, id);
        weight->setCurrentIndex(weight->currentIndex() == 2 ? 3 : 2);
    };
    const Case cases[] = {
        {"Hintergrundbild verwenden unchecked", "KwPics",
         [](QDialog &sheet) {
             ASSERT_TRUE(control<QCheckBox>(sheet, 1090)->isChecked());
             click(sheet, 1090);
         }},
        {"Zeige Favoriten", "KwNavigate", [](QDialog &sheet) { click(sheet, 1217); }},
        {"a size", "KwNavigate", [](QDialog &sheet) { pages::test::typeInto(sheet, 1010, "23"); }},
        {"a weight", "KwNavigate", [&](QDialog &sheet) { otherWeight(sheet, 1005); }},
        {"a sub-entry colour", "KwNavigate", [](QDialog &sheet) { pickColor(sheet, 1007, QColor(1, 2, 3)); }},
        {"a hover colour alone", "KwRootNavigate",
         [](QDialog &sheet) { pickColor(sheet, 1003, QColor(4, 5, 6)); }},
        {"a selection colour alone", "KwRootNavigate",
         [](QDialog &sheet) { pickColor(sheet, 1004, QColor(7, 8, 9)); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        okUntouched(start, c.element);
        const layout::LayoutModel before = doc().model();
        editSheet(start, c.element, [&](QDialog &sheet) {
            c.edit(sheet);
            click(sheet, 1);
        });
        EXPECT_NE(doc().model(), before);
        EXPECT_TRUE(doc().isModified());
        EXPECT_EQ(frame->title(), QStringLiteral("Layout Manager *"));
        undo();
        EXPECT_EQ(doc().model(), before);
        EXPECT_FALSE(doc().isModified());
    }

    redo();
    prompter.answerNo();
    view->closeLayout();
    EXPECT_EQ(prompter.questions(),
              std::vector<std::string>{"Das Layout wurde verändert. Wollen Sie es speichern?"});
}

TEST_F(UndoHistory, UndoAndRedoAreGreyedWhileASheetIsOpen)
{
    toggle(start, res::ID_MENU_RIGHT);
    const bool toggled = doc().model().switches(Pane::StartPage).menuRight;
    ASSERT_TRUE(frame->commandState(res::ID_EDIT_UNDO).enabled);
    bool checked = false;
    editSheet(start, "KwNavigateHeader", [&](QDialog &sheet) {
        checked = true;
        EXPECT_FALSE(frame->commandState(res::ID_EDIT_UNDO).enabled);
        EXPECT_FALSE(menuAction(res::ID_EDIT_UNDO)->isEnabled());
        EXPECT_FALSE(toolBarAction(res::ID_EDIT_UNDO)->isEnabled());
        // Neither the keys nor the command move the history behind the sheet.
        QTest::keyClick(&sheet, Qt::Key_Z, Qt::ControlModifier);
        frame->routeCommand(res::ID_EDIT_UNDO);
        EXPECT_EQ(doc().model().switches(Pane::StartPage).menuRight, toggled);
        click(sheet, 2);
    });
    ASSERT_TRUE(checked);
    EXPECT_TRUE(menuAction(res::ID_EDIT_UNDO)->isEnabled());
}

TEST_F(UndoHistory, TheHistoryWindowListsTheStepsAndGoesToThePickedOne)
{
    const layout::LayoutModel loaded = doc().model();
    toggle(start, res::ID_MENU_RIGHT);
    toggle(start, res::ID_SHOW_INFO_BAR);
    toggle(start, res::ID_SHOW_PICTURE);
    const layout::LayoutModel edited = doc().model();

    EXPECT_FALSE(menuAction(res::ID_VIEW_HISTORY)->isChecked());
    frame->routeCommand(res::ID_VIEW_HISTORY);
    CHistoryDlg *window = frame->historyWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    EXPECT_TRUE(menuAction(res::ID_VIEW_HISTORY)->isChecked());
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Änderungsverlauf"));
    QListWidget *list = window->list();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), QString::fromUtf8("Ausgangszustand (gespeichert)"));
    EXPECT_EQ(list->currentRow(), 3);
    // It covers nothing of the page's top part (header, menus, logo, welcome text) and stays on the preview.
    const QRect placed = window->frameGeometry();
    const QRect preview(view->mapToGlobal(QPoint(0, 0)), view->size());
    const QRect welcomeText(welcome().mapToGlobal(QPoint(0, 0)), welcome().size());
    ASSERT_TRUE(welcome().isVisible());
    EXPECT_FALSE(placed.intersects(QRect(preview.topLeft(), QPoint(preview.right(), welcomeText.bottom()))))
        << "placed at " << placed.y() << ", the welcome text ends at " << welcomeText.bottom();
    EXPECT_TRUE(preview.contains(placed) || placed.left() > console.frameGeometry().right());

    auto clickRow = [list](int row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        settle();
    };
    clickRow(0);
    EXPECT_EQ(history().position(), 0u);
    EXPECT_EQ(doc().model(), loaded);
    EXPECT_FALSE(doc().isModified());
    EXPECT_TRUE(list->item(3)->font().italic()) << "steps to redo look apart";
    EXPECT_EQ(list->count(), 4);
    // ... and are read out apart.
    QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(list);
    ASSERT_TRUE(spoken && spoken->tableInterface());
    auto said = [spoken](int row) {
        return spoken->tableInterface()->cellAt(row, 0)->text(QAccessible::Name);
    };
    EXPECT_EQ(said(0), list->item(0)->text());
    EXPECT_EQ(said(3), list->item(3)->text() + QString::fromUtf8(" (rückgängig gemacht)"));

    clickRow(3);
    EXPECT_EQ(doc().model(), edited);
    EXPECT_FALSE(list->item(3)->font().italic());
    EXPECT_EQ(said(3), list->item(3)->text());

    // With the window active, the frame's keys still undo and redo.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(history().position(), 2u);
    EXPECT_EQ(list->currentRow(), 2);
    QTest::keyClick(list, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(history().position(), 3u);

    frame->routeCommand(res::ID_VIEW_HISTORY);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(UndoHistory, AStepThatCannotBeAppliedIsReportedAndChangesNothing)
{
    toggle(start, res::ID_MENU_RIGHT);
    layout::HistoryTestAccess::damage(const_cast<layout::LayoutHistory &>(history()), 0);
    const layout::LayoutModel before = doc().model();
    undo();
    EXPECT_EQ(prompter.messages(),
              (std::vector<std::string>{"Der Schritt \"" + history().steps()[0].name +
                                        "\" kann nicht rückgängig gemacht werden. Das Layout bleibt "
                                        "unverändert."}));
    EXPECT_EQ(doc().model(), before);
    EXPECT_EQ(history().position(), 1u);
    EXPECT_TRUE(doc().isModified());
}

} // namespace
} // namespace kw::shell::test
