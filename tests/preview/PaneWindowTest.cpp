// The panes of the module's window: their element windows over the open layout, layout on resize and on
// the pane's own re-layout message, scroll ranges, and the twins of elements and panes.
#include "ShellTestSupport.h"

#include "platform/QPainterDeviceContext.h"
#include "shell/CKwLOutView.h"
#include "preview/PaneContents.h"
#include "preview/PaneElements.h"
#include "shell/CKwLOutTabbedView.h"

#include <QCoreApplication>
#include <QScrollBar>

namespace kw::preview {
namespace {

using layout::RegionId;

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

class PaneWindow : public shell::test::ModuleTest {
protected:
    void SetUp() override
    {
        console.open(); // idle: no layout open yet
        view = console.view();
        ASSERT_NE(view, nullptr);
        start = view->startPagePane();
        application = view->appPagesPane();
        ASSERT_TRUE(start && application);
        console.resize(1200, 900);
        console.show();
        settle();
    }

    // Opens a layout with the menu column at the left and a main menu.
    void openBlau()
    {
        layout::LayoutDocument &doc = view->document();
        ASSERT_TRUE(doc.openLayout("Blau.kwc")) << prompter.describe();
        doc.model().setSwitch(&layout::PaneSwitches::useTreeMenu, false);
        doc.model().setSwitch(&layout::PaneSwitches::menuRight, false);
        start->ApplySwitches();
        application->ApplySwitches();
        settle();
    }

    shell::test::FakeConsole console;
    shell::CKwLOutTabbedView *view = nullptr;
    CKwLOutView *start = nullptr;
    CKwLOutView *application = nullptr;
};

TEST_F(PaneWindow, ElementWindowsInOrderEmptyWhileNoLayoutIsOpen)
{
    std::vector<std::string> names;
    for (const QObject *child : start->viewport()->children())
        if (const auto *element = dynamic_cast<const CPreviewElement *>(child))
            names.push_back(element->objectName().toStdString());
    EXPECT_EQ(names, (std::vector<std::string>{"KwRootTop", "KwRootNavigate", "KwPics", "KwNavigateHeader",
                                               "KwNavigate", "KwApplication"}));
    EXPECT_EQ(application->elements().size(), 8u);
    for (const auto &[name, element] : start->elements())
        EXPECT_TRUE(element->geometry().isEmpty()) << name;

    openBlau();
    const int width = start->viewport()->width();
    EXPECT_EQ(start->element("KwRootTop")->geometry(), QRect(0, 0, width, 23));
    EXPECT_EQ(start->element("KwPics")->geometry(), QRect(0, 46, 150, 55));
    EXPECT_EQ(application->element("KwStartTop")->geometry(),
              QRect(150, 46, application->viewport()->width() - 150, 23));
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(PaneWindow, TwinsOfElementsAndPanes)
{
    EXPECT_EQ(view->GetTwin(start), application);
    EXPECT_EQ(view->GetTwin(application), start);
    EXPECT_EQ(view->GetTwin(start->element("KwNavigate")), application->element("KwNavigate"));
    EXPECT_EQ(view->GetTwin(application->element("KwApplication")), start->element("KwApplication"));
    EXPECT_EQ(view->GetTwin(application->element("KwStartTop")), nullptr);
    EXPECT_EQ(view->GetTwin(view), nullptr);
    EXPECT_EQ(view->GetTwin(nullptr), nullptr);
}

TEST_F(PaneWindow, ResizeAndTheReLayoutMessage)
{
    // Scroll bars that come and go would resize the client and lay the pane out for it again.
    application->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    application->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    openBlau();
    view->setCurrentWidget(application);
    settle();
    const QSize client = application->viewport()->size();
    EXPECT_EQ(application->element("KwRootTop")->width(), client.width());
    EXPECT_EQ(application->horizontalScrollBar()->maximum(), 0);

    // The message lays out for the size it carries: larger than the client, so the pane scrolls.
    QCoreApplication::postEvent(application, new RelayoutEvent(client.width() + 300, client.height() + 200));
    settle();
    EXPECT_EQ(application->horizontalScrollBar()->maximum(), 300);
    EXPECT_EQ(application->verticalScrollBar()->maximum(), 200);

    // Scrolling moves the element windows with it.
    application->horizontalScrollBar()->setValue(40);
    settle();
    EXPECT_EQ(application->element("KwRootTop")->x(), -40);

    // A smaller window: every element keeps the width the widest of them needs.
    console.resize(500, 400);
    settle();
    const int minimum = std::max({application->contents()->pane().header().GetPreferredSize().width,
                                  application->contents()->pane().mainMenu().GetPreferredSize().width,
                                  application->contents()->pane().appPage().GetPreferredSize().width});
    EXPECT_EQ(application->element("KwRootNavigate")->width(), minimum);
}

TEST_F(PaneWindow, PaneShowsTheLayoutsColours)
{
    openBlau();
    const layout::LayoutModel &model = view->document().model();
    const QImage image = start->viewport()->grab().toImage();
    for (const char *name : {"KwRootTop", "KwRootNavigate", "KwNavigateHeader", "KwNavigate"}) {
        const QRect r = start->element(name)->geometry();
        const RegionId region = *layout::regionByName(name);
        EXPECT_EQ(platform::fromQColor(image.pixelColor(r.x() + 1, r.bottom() - 1)),
                  model.region(region).backgroundColor)
            << name;
    }
}

} // namespace
} // namespace kw::preview
