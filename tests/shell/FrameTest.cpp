// The module's window in a console: what opening it makes and tells the console, the start-up question,
// system commands, the toolbar rule, command routing, the clean-up message and help.
#include "ShellTestSupport.h"

#include "image/RecordingDeviceContext.h"
#include "platform/HostMessages.h"
#include "shell/CChildFrame.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/CKwLOutView.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QShortcut>
#include <QTabBar>
#include <QToolBar>

#include <utility>

namespace kw::shell::test {
namespace {

constexpr int IDOK = res::IDOK;

int commandOf(const QAction *action)
{
    return action->isSeparator() ? 0 : action->property(kCommandProperty).toInt();
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

class Frame : public ModuleTest {
protected:
    FakeConsole console;
    std::string blau() const { return portal.read("_KwTemplates\\Blau.kwc"); }
};

TEST_F(Frame, AnIdleStartOpensWithoutADialogAndNoLayout)
{
    const ModuleWindow window = console.open();
    ASSERT_NE(nullptr, window.frame);
    CChildFrame *frame = console.frame();
    CKwLOutTabbedView *view = console.view();
    ASSERT_NE(nullptr, view);
    EXPECT_TRUE(dialogModes().empty());
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
    EXPECT_FALSE(view->document().isOpen());

    ASSERT_EQ(2, view->count());
    EXPECT_EQ(QStringLiteral("Standardstartseite"), view->tabText(0));
    EXPECT_EQ(QStringLiteral("Anwendungsseiten"), view->tabText(1));
    EXPECT_EQ(view->startPagePane(), view->activePane());
    EXPECT_TRUE(view->startPagePane()->isStartPagePane());
    EXPECT_FALSE(view->appPagesPane()->isStartPagePane());
    EXPECT_EQ(QStringLiteral("Layout Manager"), view->windowTitle());

    QMdiSubWindow *host = console.window();
    EXPECT_TRUE(host->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(host->isMaximized());

    // The frame announced itself at once, handed over its toolbar and its title afterwards.
    EXPECT_EQ(1, console.announced);
    EXPECT_EQ(frame, console.announcedFrame);
    EXPECT_TRUE(console.docked.isEmpty()) << "posted, not sent";
    settle();
    ASSERT_EQ(1, console.docked.size());
    EXPECT_EQ(frame->toolBar(), console.docked[0]);
    ASSERT_FALSE(console.titles.isEmpty());
    EXPECT_EQ(QStringLiteral("Layout Manager"), console.titles.back());

    QToolBar *bar = frame->toolBar();
    EXPECT_EQ(QStringLiteral("12000"), bar->objectName());
    std::vector<int> buttons;
    for (QAction *action : bar->actions()) {
        buttons.push_back(commandOf(action));
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << commandOf(action);
        }
    }
    EXPECT_EQ((std::vector<int>{32901, 32900, 32903, 32905, 0, 32907, 32906, 0, 32930, 32931}), buttons);
    // The buttons show pictures only; a screen reader says what the menu items say.
    for (const auto &[command, name] :
         {std::pair{res::ID_EDIT_UNDO, "Rückgängig"}, std::pair{res::ID_EDIT_REDO, "Wiederholen"},
          std::pair{res::ID_LAYOUT_SAVE, "Layout speichern"}})
        EXPECT_EQ(bar->widgetForAction(frame->actionsOf(command).back())->accessibleName(),
                  QString::fromUtf8(name));
}

TEST_F(Frame, TheMenuCarriesTheConsolesItemsGreyedAndTheModulesWorking)
{
    const ModuleWindow window = console.open();
    ASSERT_EQ(4, window.menus.size());
    QStringList titles;
    for (QMenu *menu : window.menus)
        titles.append(menu->title());
    EXPECT_EQ((QStringList{"&Datei", "&Bearbeiten", "&Ansicht", "&Hilfe"}), titles);

    std::vector<int> file;
    for (QAction *action : window.menus[0]->actions())
        file.push_back(commandOf(action));
    EXPECT_EQ(
        (std::vector<int>{32773, 32784, 32785, 32772, 32775, 32774, 0,     32779, 0,     32780, 32781, 32783,
                          0,     32901, 32900, 32903, 32904, 32905, 32902, 32950, 32951, 0,     57665}),
        file);

    console.frame()->updateCommandStates();
    for (QMenu *menu : window.menus) {
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            const int id = commandOf(action);
            if (action->property(kConsoleCommandProperty).toBool()) {
                EXPECT_FALSE(action->isEnabled()) << id;
            } else if (id >= 32900 && id <= 32905) {
                EXPECT_TRUE(action->isEnabled()) << id;
            }
        }
    }
    const QList<QAction *> toolBarItem = console.frame()->actionsOf(res::ID_VIEW_LAYOUT_BAR);
    ASSERT_EQ(1, toolBarItem.size());
    EXPECT_EQ(QStringLiteral("&Layoutdesigner Leiste"), toolBarItem[0]->text());
    EXPECT_TRUE(toolBarItem[0]->isChecked());
}

TEST_F(Frame, SystemCommandsHaveNoEffect)
{
    console.open();
    QMdiSubWindow *host = console.window();
    QCloseEvent close;
    QCoreApplication::sendEvent(host, &close);
    EXPECT_FALSE(close.isAccepted());
    host->showNormal();
    settle();
    EXPECT_TRUE(host->isMaximized());
    host->showMinimized();
    settle();
    EXPECT_TRUE(host->isMaximized());
    EXPECT_TRUE(host->isVisible());
    EXPECT_TRUE(host->isAncestorOf(console.frame()));
}

TEST_F(Frame, AToolbarHiddenByTheUserStaysHiddenAcrossWindowSwitches)
{
    console.open();
    settle();
    CChildFrame *frame = console.frame();
    QToolBar *bar = frame->toolBar();
    ASSERT_EQ(&console, bar->parentWidget()) << "docked by the console";
    EXPECT_TRUE(bar->isVisible());

    // The docked toolbar comes and goes with the frame (the console hides the frames of inactive windows).
    frame->hide();
    EXPECT_FALSE(bar->isVisible());
    frame->show();
    EXPECT_TRUE(bar->isVisible());

    frame->routeCommand(res::ID_VIEW_LAYOUT_BAR);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_FALSE(frame->actionsOf(res::ID_VIEW_LAYOUT_BAR)[0]->isChecked());
    frame->hide();
    frame->show();
    console.resize(console.width() + 10, console.height());
    settle();
    EXPECT_FALSE(bar->isVisible());

    frame->routeCommand(res::ID_VIEW_LAYOUT_BAR);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_TRUE(frame->actionsOf(res::ID_VIEW_LAYOUT_BAR)[0]->isChecked());
}

TEST_F(Frame, TheStartUpQuestionDecidesWhatOpens)
{
    moduleState().idleInit = false;
    struct Case {
        const char *name;
        DialogStep step;
        bool open, isNew;
        std::string layout, title;
    };
    const Case cases[] = {
        {"cancel", [](CLayoutListDlg &d) { return press(d, res::IDCANCEL); }, false, false, "",
         "Neues Layout"},
        {"a stored layout",
         [](CLayoutListDlg &d) {
             selectRow(d, "Blau");
             return press(d, IDOK);
         },
         true, false, "Blau.kwc", "Blau"},
        {"a new one", [](CLayoutListDlg &d) { return press(d, res::IDC_NEWLAYOUT); }, true, true, "",
         "Neues Layout"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FakeConsole other;
        wait.shown.clear();
        expectDialog(c.step);
        other.open();
        ASSERT_NE(nullptr, other.view());
        const layout::LayoutDocument &doc = other.view()->document();
        EXPECT_EQ(c.open, doc.isOpen());
        EXPECT_EQ(c.isNew, doc.isNew());
        EXPECT_EQ(c.layout, doc.name());
        EXPECT_EQ(c.title, doc.title());
        EXPECT_EQ(c.open, other.view()->startPagePane()->layoutOpen());
        EXPECT_EQ(c.layout.empty() ? 0u : 1u, wait.shown.size()) << "the wait box shows while a layout loads";
        EXPECT_EQ(0, wait.open);
    }
    EXPECT_EQ(3u, dialogModes().size());
    for (CLayoutListDlg::Mode mode : dialogModes())
        EXPECT_EQ(CLayoutListDlg::Mode::StartUp, mode);
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(Frame, TheWindowHasItsTitleWhileTheStartUpQuestionIsAsked)
{
    moduleState().idleInit = false;
    console.mdi->setViewMode(QMdiArea::TabbedView);
    QString titleDuringQuestion;
    QString tabDuringQuestion;
    expectDialog([&](CLayoutListDlg &d) {
        titleDuringQuestion = console.window()->windowTitle();
        const auto *tabs = console.mdi->findChild<QTabBar *>();
        tabDuringQuestion = tabs && tabs->count() > 0 ? tabs->tabText(0) : QString();
        return press(d, res::IDCANCEL);
    });
    console.open();
    EXPECT_EQ(titleDuringQuestion.toStdString(), "Layout Manager");
    EXPECT_EQ(tabDuringQuestion.toStdString(), "Layout Manager") << "no \"(Untitled)\"";
}

TEST_F(Frame, CommandsFromTheConsoleTakeTheMenusRoute)
{
    console.open();
    CChildFrame *frame = console.frame();
    // The pane opens the country settings (from the console) and the personal calendar (from the menu).
    QStringList opened;
    DialogRunner layoutList = std::exchange(moduleState().dialogRunner, [&opened](QDialog &dialog) {
        opened << dialog.objectName() + QLatin1Char(' ') + dialog.windowTitle();
        return res::IDCANCEL;
    });
    EXPECT_EQ(1, platform::sendHostMessage(frame, platform::messages::Command, res::ID_COUNTRY_SETTINGS, 0));
    EXPECT_EQ(1, platform::sendHostMessage(frame, platform::messages::Command, res::ID_EDIT_CALENDAR, 0));
    moduleState().dialogRunner = std::move(layoutList);
    EXPECT_EQ(opened, (QStringList{QString::fromUtf8("12018 Ländereinstellungen"),
                                   QString::fromUtf8("12020 Persönlicher Kalender veröffentlichen")}));
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
    EXPECT_TRUE(frame->commandState(res::ID_EDIT_CALENDAR).enabled);

    // "Startseite" of the menu opens the start page dialog; the portal has no KwStartPage.asp yet, which
    // the dialog reports as it opens.
    EXPECT_TRUE(frame->commandState(res::ID_EDIT_START_PAGE).enabled);
    opened.clear();
    DialogRunner layoutListAgain = std::exchange(moduleState().dialogRunner, [&opened](QDialog &dialog) {
        opened << dialog.objectName() + QLatin1Char(' ') + dialog.windowTitle();
        return res::IDCANCEL;
    });
    frame->routeCommand(res::ID_EDIT_START_PAGE);
    moduleState().dialogRunner = std::move(layoutListAgain);
    EXPECT_EQ(opened, QStringList{QStringLiteral("12019 Startseite")});
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12578});
    prompter.clear();

    EXPECT_EQ(0, platform::sendHostMessage(frame, platform::messages::Command, 4711, 0));
    EXPECT_FALSE(frame->commandState(4711).enabled) << "a command nobody handles is greyed";

    // The second tab's pane passes the layout commands on just the same.
    console.view()->setCurrentIndex(1);
    expectDialog([](CLayoutListDlg &d) { return press(d, res::IDCANCEL); });
    EXPECT_EQ(1, platform::sendHostMessage(frame, platform::messages::Command, res::ID_LAYOUT_OPEN, 0));
    ASSERT_EQ(1u, dialogModes().size());
    EXPECT_EQ(CLayoutListDlg::Mode::Open, dialogModes()[0]);
}

TEST_F(Frame, CleanUpAsksOnlyAboutAChangedLayoutAndSavesOnYes)
{
    moduleState().idleInit = false;
    expectDialog([](CLayoutListDlg &d) {
        selectRow(d, "Blau");
        return press(d, IDOK);
    });
    console.open();
    CKwLOutTabbedView *view = console.view();
    layout::LayoutDocument &doc = view->document();

    platform::sendHostMessage(view, platform::messages::CleanUpSnapIn, 0, 0);
    EXPECT_TRUE(prompter.questions().empty());
    EXPECT_TRUE(doc.isNew());
    EXPECT_FALSE(doc.isOpen());
    EXPECT_EQ("", doc.name());

    // Once more with a change: No keeps the file as it was, Yes writes it.
    for (const bool yes : {false, true}) {
        ASSERT_TRUE(doc.openLayout("Blau.kwc"));
        doc.model().region(layout::RegionId::KwRootTop).backgroundColor = rgb(1, 2, 3);
        doc.setModified(true);
        yes ? prompter.answerYes() : prompter.answerNo();
        platform::sendHostMessage(view, platform::messages::CleanUpSnapIn, 0, 0);
        EXPECT_EQ(yes, blau().find("#010203") != std::string::npos) << yes;
        EXPECT_FALSE(doc.isModified());
    }
    EXPECT_EQ((std::vector<std::string>{std::string(loadString(StringId::AskSaveChangedLayout)),
                                        std::string(loadString(StringId::AskSaveChangedLayout))}),
              prompter.questions());

    // After the clean-up the window goes without a further question.
    delete console.window();
    EXPECT_EQ(2u, prompter.questions().size());
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(Frame, ClosingTheWindowAsksToSaveAChangedLayout)
{
    console.open();
    layout::LayoutDocument &doc = console.view()->document();
    ASSERT_TRUE(doc.openLayout("Blau.kwc"));
    doc.setModified(true);
    QPointer<QToolBar> bar = console.frame()->toolBar();
    prompter.answerNo();
    delete console.window();
    EXPECT_EQ(1u, prompter.questions().size());
    EXPECT_TRUE(bar.isNull()) << "the toolbar goes with the frame, wherever it was docked";
}

TEST_F(Frame, APaneWithoutALayoutShowsTheIdlePictureCentred)
{
    console.open();
    const preview::CKwLOutView *pane = console.view()->appPagesPane();
    const image::CLayoutImage &idle = pane->idlePicture();
    ASSERT_GT(idle.Width(), 0) << idle.lastError();
    struct Case {
        int width, height;
    };
    for (const Case c : {Case{801, 601}, Case{idle.Width(), idle.Height()}, Case{100, 50}}) {
        image::RecordingDeviceContext dc;
        pane->drawIdlePicture(dc, c.width, c.height);
        const auto drawn = dc.callsOf<image::recorded::StretchDIBits>();
        ASSERT_EQ(1u, drawn.size());
        EXPECT_EQ((image::Rect{(c.width - idle.Width()) / 2, (c.height - idle.Height()) / 2, idle.Width(),
                               idle.Height()}),
                  drawn[0].destination)
            << c.width << "x" << c.height;
        EXPECT_EQ((image::Rect{0, 0, idle.Width(), idle.Height()}), drawn[0].source);
        EXPECT_EQ(image::RasterOp::SrcCopy, drawn[0].operation);
    }
}

TEST_F(Frame, HelpOpensTheFramesTopic)
{
    console.open();
    CChildFrame *frame = console.frame();
    QShortcut *f1 = frame->findChild<QShortcut *>();
    ASSERT_NE(nullptr, f1);
    emit f1->activated();
    frame->routeCommand(res::ID_HELP);
    ASSERT_EQ(2u, helpShown().size());
    for (const QString &shown : helpShown())
        EXPECT_TRUE(shown.startsWith(QStringLiteral("-showPage 48.htm "))) << shown.toStdString();
}

} // namespace
} // namespace kw::shell::test
