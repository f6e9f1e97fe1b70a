// The preview as the editing surface: selection by click, the properties hook on double click and from
// the module's menu, the element's context menu, the display switches, the logo chooser and the welcome
// text control.
#include "../pages/PagesTestSupport.h"
#include "OpenedPanes.h"

#include "editors/CTopLevelMenuSheet.h"
#include "platform/QPainterDeviceContext.h"
#include "portalpage/RecordingPaintDevice.h"
#include "preview/PaneContents.h"
#include "preview/PaneElements.h"
#include "shell/CChildFrame.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/CKwLOutView.h"
#include "shell/ModuleContract.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QApplication>
#include <QColorDialog>
#include <QCursor>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <map>
#include <set>

namespace kw::preview {
namespace {

using layout::PaneSwitches;
namespace res = shell::res;

using test::settle;

QAction *actionOf(const QMenu &menu, int command)
{
    for (QAction *action : menu.actions())
        if (action->property(shell::kCommandProperty).toInt() == command)
            return action;
    return nullptr;
}

/// Right-clicks `window` at `at` and chooses the item of `command` in the context menu that opens.
void chooseFromContextMenu(QWidget &window, QPoint at, int command)
{
    const auto shown = test::whenPopupMenu([command](QMenu &menu) {
        menu.setActiveAction(actionOf(menu, command));
        QTest::keyClick(&menu, Qt::Key_Return);
    });
    QTest::mouseClick(&window, Qt::RightButton, {}, at);
    settle();
    EXPECT_TRUE(*shown) << "no context menu for " << command;
}

class PaneInteraction : public test::OpenedPanes {
protected:
    // Records the elements whose properties were asked for; with `color` set the "sheet" gives the region
    // that background colour and reports OK.
    void recordPropertySheets(std::optional<Color> color = std::nullopt)
    {
        view->elementHooks().editProperties = [this, color](const portalpage::CPreviewElement &element) {
            edited.emplace_back(element.name());
            if (!color)
                return false;
            view->document().model().region(element.region()).backgroundColor = *color;
            return true;
        };
    }

    CWelcomeTextEdit &welcome() const { return *startPage().welcomeControl(); }
    Color pixelOf(CKwLOutView *pane, const char *name) const
    {
        const QImage image = pane->element(name)->grab().toImage();
        return platform::fromQColor(image.pixelColor(image.width() / 2, image.height() - 2));
    }

    std::vector<std::string> edited;
};

TEST_F(PaneInteraction, AClickSelectsTheElementAndMovesTheMark)
{
    CPreviewElement *submenu = start->element("KwNavigate");
    CPreviewElement *logo = start->element("KwPics");
    const QImage unmarked = submenu->grab().toImage();

    QTest::mouseClick(submenu, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(submenu->selected());
    EXPECT_NE(submenu->grab().toImage(), unmarked) << "the focus mark is drawn";

    QTest::mouseClick(logo, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(logo->selected());
    EXPECT_FALSE(submenu->selected());
    EXPECT_EQ(submenu->grab().toImage(), unmarked) << "the mark left the element selected before";

    QTest::mouseClick(logo, Qt::LeftButton, {}, QPoint(12, 12));
    EXPECT_TRUE(logo->selected()) << "clicking the same element again changes nothing";

    // A click on a control of the content area selects the content area; the right button selects nothing.
    QTest::mouseClick(startPage().logoControl(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_TRUE(startPage().selected());
    EXPECT_FALSE(logo->selected());
    EXPECT_EQ(start->contents()->windows().selected(), &startPage());

    // Each pane keeps its own selection.
    for (const auto &[name, window] : application->elements())
        EXPECT_FALSE(window->selected()) << name;
}

TEST_F(PaneInteraction, DoubleClickRunsThePropertiesHookAndBothPanesShowTheChange)
{
    // Without a sheet a double click opens nothing and nothing breaks.
    QTest::mouseDClick(start->element("KwNavigateHeader"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();

    const Color green = rgb(0, 200, 0);
    recordPropertySheets(green);
    view->document().setModified(false);
    QTest::mouseDClick(start->element("KwNavigateHeader"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(edited, std::vector<std::string>{"KwNavigateHeader"});
    EXPECT_EQ(pixelOf(start, "KwNavigateHeader"), green);
    EXPECT_EQ(pixelOf(application, "KwNavigateHeader"), green) << "the twin is rebuilt too";
    EXPECT_FALSE(view->document().isModified()) << "the modified flag is the sheet's business";

    // Cancel (false) leaves the panes alone.
    recordPropertySheets();
    QTest::mouseDClick(application->element("KwStartTop"), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(edited, (std::vector<std::string>{"KwNavigateHeader", "KwStartTop"}));
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(PaneInteraction, EditLayoutCommandActsOnTheSelectionOrTheFocusedContentArea)
{
    shell::CChildFrame *frame = console.frame();
    EXPECT_FALSE(frame->commandState(res::ID_EDIT_LAYOUT).enabled) << "no sheet yet";
    recordPropertySheets();
    EXPECT_FALSE(frame->commandState(res::ID_EDIT_LAYOUT).enabled) << "nothing selected";
    frame->routeCommand(res::ID_EDIT_LAYOUT);
    EXPECT_TRUE(edited.empty()) << "with no element selected nothing happens";

    QTest::mouseClick(start->element("KwRootNavigate"), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(frame->actionsOf(res::ID_EDIT_LAYOUT).front()->isEnabled())
        << "the toolbar follows the selection at once";
    frame->routeCommand(res::ID_EDIT_LAYOUT);
    EXPECT_EQ(edited, std::vector<std::string>{"KwRootNavigate"});

    // The keyboard focus in the welcome text wins over the selection.
    welcome().setFocus();
    settle();
    frame->routeCommand(res::ID_EDIT_LAYOUT);
    EXPECT_EQ(edited, (std::vector<std::string>{"KwRootNavigate", "KwApplication"}));
}

TEST_F(PaneInteraction, ContextMenuItemsPerElementAndPane)
{
    recordPropertySheets();
    view->elementHooks().chooseLogo = [](const std::string &) { return std::optional<std::string>(); };
    view->document().model().switches(layout::Pane::StartPage).showInfoBar = true;
    view->document().model().switches(layout::Pane::ApplicationPages).showInfoBar = false;
    const std::set<int> contentAreaOnly = {res::ID_EDIT_GRAPHIC, res::ID_SHOW_LOGO, res::ID_SHOW_WELCOME};

    for (CKwLOutView *pane : {start, application}) {
        view->setCurrentWidget(pane);
        for (const auto &[name, window] : pane->elements()) {
            const std::unique_ptr<QMenu> menu = pane->createContextMenu(*window);
            const bool startContent = pane == start && name == "KwApplication";
            std::vector<int> items;
            for (QAction *action : menu->actions()) {
                items.push_back(action->isSeparator() ? 0
                                                      : action->property(shell::kCommandProperty).toInt());
                if (action->isSeparator())
                    continue;
                const int id = action->property(shell::kCommandProperty).toInt();
                bool expected = true;
                if (contentAreaOnly.contains(id))
                    expected = startContent;
                else if (id == res::ID_SHOW_APP_INFO_BAR)
                    expected = pane == application;
                EXPECT_EQ(action->isEnabled(), expected) << name << " " << id;
            }
            // Exactly the items of the second drop-down as the preview always had them: no undo or redo.
            EXPECT_EQ(items, (std::vector<int>{32908, 32791, 32801, 0, 32907, 32906, 0, 12050, 12051, 12052,
                                               32912, 32913, 32914, 32915, 0, 32911}))
                << name;
            EXPECT_EQ(actionOf(*menu, res::ID_SHOW_INFO_BAR)->isChecked(), pane == start)
                << "the check marks are the element's own pane's";
            EXPECT_TRUE(actionOf(*menu, res::ID_SHOW_LOGO)->isChecked());
            EXPECT_FALSE(actionOf(*menu, res::ID_MENU_RIGHT)->isChecked());
            EXPECT_EQ(actionOf(*menu, res::ID_EDIT_LAYOUT)->text(), QStringLiteral("&Layout"));
        }
    }

    // The logo chooser and the sheet greyed while their dialogs are not there.
    view->elementHooks() = {};
    const std::unique_ptr<QMenu> menu = start->createContextMenu(startPage());
    EXPECT_FALSE(actionOf(*menu, res::ID_EDIT_GRAPHIC)->isEnabled());
    EXPECT_FALSE(actionOf(*menu, res::ID_EDIT_LAYOUT)->isEnabled());
    EXPECT_TRUE(actionOf(*menu, res::ID_SHOW_LOGO)->isEnabled());
}

TEST_F(PaneInteraction, RightClickShowsTheMenuAtThePointAndItsCommandGoesToTheElement)
{
    recordPropertySheets();
    CPreviewElement *submenu = application->element("KwNavigate");
    view->setCurrentWidget(application);
    settle();
    QPoint shownAt;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        seen = true;
        shownAt = menu->pos();
        menu->setActiveAction(actionOf(*menu, res::ID_EDIT_LAYOUT));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    QTest::mouseClick(submenu, Qt::RightButton, {}, QPoint(30, 40));
    settle();
    ASSERT_TRUE(seen);
    EXPECT_EQ(shownAt, submenu->mapToGlobal(QPoint(30, 40)));
    EXPECT_EQ(edited, std::vector<std::string>{"KwNavigate"});
}

TEST_F(PaneInteraction, SwitchTogglesInOnePaneOrBoth)
{
    layout::LayoutDocument &doc = view->document();
    doc.setModified(false);
    CPreviewElement *startLogo = start->element("KwPics");
    CPreviewElement *appLogo = application->element("KwPics");
    ASSERT_EQ(startLogo->x(), 0);

    // "Menü rechts anzeigen" from the submenu's context menu: both panes at once.
    start->elementCommand(*start->element("KwNavigate"), res::ID_MENU_RIGHT);
    EXPECT_EQ(startLogo->x(), start->viewport()->width() - 150);
    EXPECT_EQ(appLogo->x(), application->viewport()->width() - 150);
    EXPECT_TRUE(doc.model().switches(layout::Pane::StartPage).menuRight);
    EXPECT_TRUE(doc.model().switches(layout::Pane::ApplicationPages).menuRight);

    // "Logo anzeigen" only in the pane it was chosen in.
    ASSERT_FALSE(startPage().logoControl()->isHidden());
    start->elementCommand(startPage(), res::ID_SHOW_LOGO);
    EXPECT_TRUE(startPage().logoControl()->isHidden());
    EXPECT_FALSE(doc.model().switches(layout::Pane::StartPage).showLogo);
    EXPECT_TRUE(doc.model().switches(layout::Pane::ApplicationPages).showLogo);

    // The info bar from the module's menu in the application pane: both headers.
    view->setCurrentWidget(application);
    const bool before = doc.model().switches(layout::Pane::StartPage).showInfoBar;
    console.frame()->routeCommand(res::ID_SHOW_INFO_BAR);
    EXPECT_EQ(start->element("KwRootTop")->height(), before ? 0 : 23);
    EXPECT_EQ(application->element("KwRootTop")->height(), before ? 0 : 23);
    EXPECT_EQ(console.frame()->commandState(res::ID_SHOW_INFO_BAR).checked, !before);
    EXPECT_TRUE(doc.isModified()) << "the switches are saved with the layout";
}

// "Anwendungsinfoleiste anzeigen", "Bild anzeigen" and "Baummenü verwenden" chosen in an element's context
// menu switch both panes, "Begrüssungstext anzeigen" only the pane it was chosen in; each pane shows its
// switch at once and the item's check mark follows the pane's own switch.
TEST_F(PaneInteraction, SwitchCommandsOfTheContextMenuActInOnePaneOrBoth)
{
    using layout::Pane;
    using Shown = std::function<std::optional<bool>(CKwLOutView *)>;
    auto heightShown = [](const char *name, bool whenHigh) -> Shown {
        return [name, whenHigh](CKwLOutView *pane) -> std::optional<bool> {
            CPreviewElement *element = pane->element(name);
            if (!element)
                return std::nullopt;
            return (element->height() > 0) == whenHigh;
        };
    };
    const Shown welcomeShown = [this](CKwLOutView *pane) -> std::optional<bool> {
        if (pane != start)
            return std::nullopt;
        return !welcome().isHidden();
    };
    struct Case {
        int command;
        CKwLOutView *pane;
        const char *element;
        bool PaneSwitches::*field;
        bool bothPanes;
        Shown shown;
    };
    const Case cases[] = {
        {res::ID_SHOW_APP_INFO_BAR, application, "KwNavigate", &PaneSwitches::showAppInfoBar, true,
         heightShown("KwStartTop", true)},
        {res::ID_SHOW_PICTURE, application, "KwNavigate", &PaneSwitches::showPicture, true,
         heightShown("KwPics", true)},
        {res::ID_SHOW_PICTURE, start, "KwNavigate", &PaneSwitches::showPicture, true,
         heightShown("KwPics", true)},
        {res::ID_USE_TREE_MENU, start, "KwNavigate", &PaneSwitches::useTreeMenu, true,
         heightShown("KwRootNavigate", false)},
        {res::ID_USE_TREE_MENU, application, "KwNavigate", &PaneSwitches::useTreeMenu, true,
         heightShown("KwRootNavigate", false)},
        {res::ID_SHOW_WELCOME, start, "KwApplication", &PaneSwitches::showWelcome, false, welcomeShown},
        {res::ID_SHOW_WELCOME, start, "KwApplication", &PaneSwitches::showWelcome, false, welcomeShown},
    };
    layout::LayoutDocument &doc = view->document();
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.command) + (c.pane == start ? " start" : " app"));
        const bool startBefore = doc.model().switches(Pane::StartPage).*c.field;
        const bool appBefore = doc.model().switches(Pane::ApplicationPages).*c.field;
        view->setCurrentWidget(c.pane);
        settle();
        CPreviewElement *element = c.pane->element(c.element);
        chooseFromContextMenu(*element, QPoint(5, element->height() - 5), c.command);

        const bool startNow = c.pane == start || c.bothPanes ? !startBefore : startBefore;
        const bool appNow = c.pane == application || c.bothPanes ? !appBefore : appBefore;
        EXPECT_EQ(doc.model().switches(Pane::StartPage).*c.field, startNow);
        EXPECT_EQ(doc.model().switches(Pane::ApplicationPages).*c.field, appNow);
        for (const auto &[pane, now] : {std::pair{start, startNow}, std::pair{application, appNow}})
            if (const std::optional<bool> shown = c.shown(pane)) {
                EXPECT_EQ(*shown, now) << (pane == start ? "start" : "app") << " pane";
            }
        const std::unique_ptr<QMenu> menu = c.pane->createContextMenu(*element);
        EXPECT_EQ(actionOf(*menu, c.command)->isChecked(), c.pane == start ? startNow : appNow);
    }
}

// Saving the layout under another name shows the new name on the content area of both panes.
TEST_F(PaneInteraction, SavingUnderAnotherNameShowsTheNewNameOnTheContentArea)
{
    auto shows = [](CKwLOutView *pane, const std::string &label) {
        portalpage::RecordingPaintDevice device;
        pane->contents()->pane().appPage().Paint(device, {0, 0, 800, 600});
        const auto texts = device.callsOf<portalpage::painted::DrawText>();
        return std::ranges::any_of(texts, [&](const auto &text) { return text.text == label; });
    };
    layout::LayoutDocument &doc = view->document();
    const std::string before = doc.layoutLabel();
    for (CKwLOutView *pane : {start, application})
        EXPECT_TRUE(shows(pane, before)) << before;
    doc.setName("Blau2.kwc");
    doc.saveLayout(false);
    ASSERT_TRUE(doc.saved()) << prompter.describe();
    const std::string after = doc.layoutLabel();
    ASSERT_NE(after, before);
    EXPECT_NE(after.find("Blau2"), std::string::npos) << after;
    for (CKwLOutView *pane : {start, application}) {
        EXPECT_TRUE(shows(pane, after)) << after;
        EXPECT_FALSE(shows(pane, before)) << before;
    }
}

TEST_F(PaneInteraction, GraphicCommandAndTheLogoChooser)
{
    shell::CChildFrame *frame = console.frame();
    layout::LayoutDocument &doc = view->document();
    QTest::mouseClick(&startPage(), Qt::LeftButton, {}, QPoint(5, startPage().height() - 5));
    EXPECT_FALSE(frame->commandState(res::ID_EDIT_GRAPHIC).enabled) << "greyed until the chooser exists";

    std::vector<std::string> offered;
    std::string answer = doc.companySettings().logoFile;
    view->elementHooks().chooseLogo = [&](const std::string &current) {
        offered.push_back(current);
        return std::optional<std::string>(answer);
    };
    EXPECT_TRUE(frame->commandState(res::ID_EDIT_GRAPHIC).enabled);
    view->setCurrentWidget(application);
    EXPECT_FALSE(frame->commandState(res::ID_EDIT_GRAPHIC).enabled) << "only in the start page pane";
    view->setCurrentWidget(start);

    // The same file again changes nothing.
    doc.setModified(false);
    frame->routeCommand(res::ID_EDIT_GRAPHIC);
    ASSERT_EQ(offered.size(), 1u);
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.companySettings().changed);

    // Another file: modified, to be published, shown; the double click on the logo runs the same.
    answer = "none-such.gif";
    QTest::mouseDClick(startPage().logoControl(), Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(doc.companySettings().changed);
    EXPECT_EQ(doc.companySettings().logoFile, "none-such.gif");
    // A missing file shows the placeholder picture in the logo control.
    const image::CLayoutImage *shown = start->contents()->pane().appPage().logoPicture();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(startPage().logoControl()->size(), QSize(shown->Width(), shown->Height()));
}

TEST_F(PaneInteraction, TheMainMenuEditorsOkReloadsTheMainMenuOfBothPanes)
{
    shell::CChildFrame *frame = console.frame();
    EXPECT_TRUE(frame->commandState(res::ID_EDIT_MAIN_MENU).enabled);
    auto entriesOf = [](CKwLOutView *pane) { return pane->contents()->pane().mainMenu().entries; };
    const std::vector<std::string> before = entriesOf(start);
    ASSERT_FALSE(before.empty());
    // The editor gets a new entry before the last one and closes with OK (Cancel the second time).
    QStringList opened;
    int runs = 0;
    shell::DialogRunner previous = std::exchange(shell::moduleState().dialogRunner, [&](QDialog &dialog) {
        opened << dialog.windowTitle();
        auto *sheet = dynamic_cast<editors::CTopLevelMenuSheet *>(&dialog);
        if (!sheet)
            return int(QDialog::Rejected);
        if (runs++ > 0)
            return int(QDialog::Rejected);
        portalsettings::MainMenuEditor &editor = sheet->editor();
        editor.endLabelEdit(editor.insertNew(std::nullopt), std::string("Kontakt"));
        sheet->accept();
        return int(QDialog::Accepted);
    });
    frame->routeCommand(res::ID_EDIT_MAIN_MENU);
    std::vector<std::string> expected = before;
    expected.insert(expected.end() - 1, "Kontakt");
    EXPECT_EQ(entriesOf(start), expected);
    EXPECT_EQ(entriesOf(application), expected);

    // The main menu element's second action opens the same editor.
    start->element("KwRootNavigate")->ChooseGraphic();
    shell::moduleState().dialogRunner = std::move(previous);
    EXPECT_EQ(opened, QStringList(2, QString::fromUtf8("Hauptnavigation - Menüpunkte -")));
    EXPECT_EQ(entriesOf(start), expected);
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(PaneInteraction, TypingTheWelcomeTextMarksTheLayoutAndSurvivesARefresh)
{
    layout::LayoutDocument &doc = view->document();
    doc.setModified(false);
    const int widthBefore = welcome().width();
    welcome().setFocus();
    welcome().moveCursor(QTextCursor::End);
    QTest::keyClicks(&welcome(), " Gut, dass Sie da sind");
    EXPECT_TRUE(doc.isModified());
    EXPECT_TRUE(doc.companySettings().changed) << "the start page content is to be published";
    EXPECT_EQ(doc.companySettings().shownWelcome, "Willkommen im Demo-Portal! Gut, dass Sie da sind");
    EXPECT_GT(welcome().width(), widthBefore) << "the control follows the text's size";
    EXPECT_EQ(welcome().width(), start->contents()->pane().appPage().welcomeRect(startPage().width()).width);

    // Multi-line: Return starts a new line.
    QTest::keyClick(&welcome(), Qt::Key_Return);
    QTest::keyClicks(&welcome(), "Zeile 2");
    EXPECT_EQ(welcome().toPlainText().count(QLatin1Char('\n')), 1);

    // A refresh of the panes keeps what was typed.
    start->layoutChanged();
    EXPECT_EQ(welcome().toPlainText().toStdString(), doc.companySettings().shownWelcome);
    EXPECT_NE(welcome().toPlainText().indexOf(QStringLiteral("Zeile 2")), -1);
}

TEST_F(PaneInteraction, WelcomeTextHoverFrameAndFocus)
{
    CWelcomeTextEdit &edit = welcome();
    EXPECT_FALSE(edit.framed());
    QCursor::setPos(edit.mapToGlobal(edit.rect().center()));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), edit.mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(&edit, &enter);
    EXPECT_TRUE(edit.framed());
    EXPECT_TRUE(edit.hoverTimerActive());
    QTest::qWait(3 * CWelcomeTextEdit::kHoverInterval);
    EXPECT_TRUE(edit.framed()) << "the cursor is still over the control";

    QCursor::setPos(edit.mapToGlobal(QPoint(-50, -50)));
    QTest::qWait(3 * CWelcomeTextEdit::kHoverInterval);
    EXPECT_FALSE(edit.hoverTimerActive());
    EXPECT_FALSE(edit.framed());

    // With the focus the frame stays; a click into it opens nothing while there is no welcome text sheet.
    const QPoint inside = edit.viewport()->rect().center();
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, inside);
    settle();
    EXPECT_TRUE(edit.hasFocus());
    EXPECT_TRUE(edit.framed());
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
    int opened = 0;
    view->elementHooks().editWelcomeText = [&] { ++opened; };
    start->element("KwNavigate")->setFocus();
    QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, inside);
    settle();
    EXPECT_EQ(opened, 1);

    // The focus coming back when the sheet's window closes does not open it again.
    QFocusEvent back(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&edit, &back);
    EXPECT_EQ(opened, 1);
}

// The module's own sheet behind the double click: a colour chosen on "Allgemein" shows in both panes,
// marks the layout modified and is published by "Als aktives Layout speichern".
TEST_F(PaneInteraction, TheRealSheetEditsTheLayoutFromADoubleClick)
{
    view->elementHooks() = realHooks;
    layout::LayoutDocument &doc = view->document();
    doc.setModified(false);
    const Color orange = rgb(0xFE, 0x80, 0x01);
    bool sheetShown = false;
    pages::test::whenModal([&](QDialog &sheet) {
        sheetShown = true;
        pages::test::whenModal([&](QDialog &picker) {
            static_cast<QColorDialog &>(picker).setCurrentColor(platform::toQColor(orange));
            picker.accept();
        });
        QTest::mouseClick(pages::test::control<QWidget>(sheet, 1001), Qt::LeftButton);
        pages::test::click(sheet, 1);
    });
    QTest::mouseDClick(start->element("KwNavigateHeader"), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(sheetShown);
    EXPECT_EQ(pixelOf(start, "KwNavigateHeader"), orange);
    EXPECT_EQ(pixelOf(application, "KwNavigateHeader"), orange);
    EXPECT_TRUE(doc.isModified());

    prompter.answerYes();
    doc.setName("global.css");
    doc.saveLayout(false);
    EXPECT_NE(portal.read("_KwStyle\\global.css").find("#FE8001"), std::string::npos);
}

// The module's welcome text sheet behind the focus: a text edited in its grid is stored in the portal on OK
// and the control shows the default language's text at once, without marking the layout.
TEST_F(PaneInteraction, TheWelcomeTextSheetStoresTheTextsFromTheFocus)
{
    view->elementHooks() = realHooks;
    layout::LayoutDocument &doc = view->document();
    doc.setModified(false);
    // The sheet runs as a real modal dialog, driven from inside.
    const shell::DialogRunner fixtureRunner = shell::moduleState().dialogRunner;
    shell::moduleState().dialogRunner = [](QDialog &dialog) { return dialog.exec(); };
    bool sheetShown = false;
    pages::test::whenModal([&](QDialog &sheet) {
        sheetShown = true;
        EXPECT_EQ(sheet.windowTitle(), "Welcome Text Eigenschaften");
        auto *grid = pages::test::control<QTableWidget>(sheet, 1299);
        ASSERT_NE(grid, nullptr);
        ASSERT_EQ(grid->rowCount(), 2);
        grid->setCurrentCell(0, 2);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_F2);
        auto *editor = grid->viewport()->findChild<QLineEdit *>();
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, "Hallo \"Team\"");
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
        EXPECT_EQ(grid->item(0, 2)->text(), "Hallo \"Team\"");
        pages::test::click(sheet, 1);
    });
    start->element("KwNavigate")->setFocus();
    QTest::mouseClick(welcome().viewport(), Qt::LeftButton, {}, welcome().viewport()->rect().center());
    settle();
    shell::moduleState().dialogRunner = fixtureRunner;
    ASSERT_TRUE(sheetShown);
    EXPECT_EQ(welcome().toPlainText(), "Hallo \"Team\"");
    EXPECT_EQ(doc.companySettings().shownWelcome, "Hallo \"Team\"");
    EXPECT_FALSE(doc.isModified());
    EXPECT_FALSE(doc.companySettings().changed);
    // Stored on the server at once: no step of the layout's history, and a later step undone leaves nothing
    // to save.
    EXPECT_TRUE(doc.history().steps().empty());
    start->elementCommand(*start->element("KwNavigate"), res::ID_MENU_RIGHT);
    console.frame()->routeCommand(res::ID_EDIT_UNDO);
    EXPECT_FALSE(doc.isModified());

    layout::CompanySettings stored;
    std::int32_t language = 0;
    server::Environment env = shell::moduleEnvironment();
    layout::readCompanySettings(env, stored, language, prompter);
    EXPECT_EQ(stored.welcomeTexts.at(1031), "Hallo \"Team\"");
    EXPECT_EQ(stored.welcomeTexts.at(1033), "Welcome to the demo portal!");
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

} // namespace
} // namespace kw::preview
