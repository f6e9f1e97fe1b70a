// The element windows of the panes: names, IDs and order, placement, the start page's controls, and what
// a grabbed pane shows.
#include "PreviewTestSupport.h"

#include "platform/QPainterDeviceContext.h"
#include "preview/PaneElements.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace kw::preview {
namespace {

using layout::Pane;
using layout::RegionId;

class PaneWindows : public ::testing::Test {
protected:
    PaneWindows() { host.resize(size); }

    std::vector<std::pair<std::string, int>> childElements() const
    {
        std::vector<std::pair<std::string, int>> found;
        for (const QObject *child : host.children())
            if (const auto *element = dynamic_cast<const CPreviewElement *>(child))
                found.emplace_back(element->objectName().toStdString(),
                                   element->property(kControlIdProperty).toInt());
        return found;
    }

    test::DemoPreview demo;
    const QSize size{1024, 700};
    QWidget host;
};

TEST_F(PaneWindows, CreatedInOrderWithNamesAndIds)
{
    PaneElements start(demo.preview().pane(Pane::StartPage), &host);
    EXPECT_EQ(childElements(), (std::vector<std::pair<std::string, int>>{{"KwRootTop", 101},
                                                                         {"KwRootNavigate", 102},
                                                                         {"KwPics", 103},
                                                                         {"KwNavigateHeader", 104},
                                                                         {"KwNavigate", 105},
                                                                         {"KwApplication", 108}}));
    EXPECT_EQ(start.elements().size(), 6u);
    EXPECT_EQ(start.element("KwStartTop"), nullptr);
    EXPECT_EQ(start.element("KwNavigate")->windowTitle(), QStringLiteral("KwNavigate"));
    EXPECT_EQ(start.element("KwNavigate")->focusPolicy(), Qt::TabFocus);
    EXPECT_NE(start.appPage()->logoControl(), nullptr);

    QWidget otherHost;
    PaneElements application(demo.preview().pane(Pane::ApplicationPages), &otherHost);
    EXPECT_EQ(application.elements().size(), 8u);
    EXPECT_EQ(application.element("KwStartNavigate")->property(kControlIdProperty).toInt(), 107);
    EXPECT_EQ(application.appPage()->logoControl(), nullptr);
    EXPECT_EQ(application.appPage()->findChild<QWidget *>(QStringLiteral("102")), nullptr);
}

TEST_F(PaneWindows, PlacedByTheLayoutWithTheStartPageControls)
{
    demo.openActiveWithClassicMenu();
    portalpage::PortalPane &pane = demo.preview().pane(Pane::StartPage);
    PaneElements windows(pane, &host);
    const portalpage::PaneLayout layout = demo.preview().layoutFor(Pane::StartPage, size);
    windows.place(layout);
    for (const auto &[name, window] : windows.elements()) {
        const portalpage::Rect &r = layout[window->element().region()];
        EXPECT_EQ(window->geometry(), QRect(r.x, r.y, r.width, r.height)) << name;
    }

    CAppPageWindow &page = *windows.appPage();
    const portalpage::Rect logo = pane.appPage().logoRect(page.width());
    const portalpage::Rect welcome = pane.appPage().welcomeRect(page.width());
    auto *logoControl = page.findChild<QWidget *>(QStringLiteral("101"));
    auto *welcomeControl = page.findChild<QTextEdit *>(QStringLiteral("102"));
    ASSERT_TRUE(logoControl && welcomeControl);
    EXPECT_EQ(logoControl->geometry(), QRect(logo.x, logo.y, logo.width, logo.height));
    EXPECT_EQ(welcomeControl->geometry(), QRect(welcome.x, welcome.y, welcome.width, welcome.height));
    EXPECT_EQ(welcomeControl->toPlainText(), QStringLiteral("Willkommen im Demo-Portal!"));
    EXPECT_FALSE(logoControl->isHidden());

    // "Logo anzeigen" off: the logo hides and the welcome text moves up to 24 pixels below the top.
    demo.preview().document().model().switches(Pane::StartPage).showLogo = false;
    demo.preview().applySwitches();
    windows.refresh();
    EXPECT_TRUE(logoControl->isHidden());
    EXPECT_EQ(welcomeControl->y(), 24);
}

TEST_F(PaneWindows, GrabbedPaneShowsTheRegionsColoursAndTheFocusMark)
{
    demo.openActiveWithClassicMenu();
    PaneElements windows(demo.preview().pane(Pane::ApplicationPages), &host);
    const portalpage::PaneLayout layout = demo.preview().layoutFor(Pane::ApplicationPages, size);
    windows.place(layout);
    const layout::LayoutModel &model = demo.preview().document().model();

    QImage image = host.grab().toImage();
    for (RegionId region : {RegionId::KwRootTop, RegionId::KwRootNavigate, RegionId::KwNavigateHeader,
                            RegionId::KwStartTop, RegionId::KwStartNavigate}) {
        const portalpage::Rect &r = layout[region];
        EXPECT_EQ(platform::fromQColor(image.pixelColor(r.x + 1, r.y + 1)),
                  model.region(region).backgroundColor)
            << layout::regionName(region);
    }
    const portalpage::Rect &submenu = layout[RegionId::KwNavigate];
    EXPECT_EQ(platform::fromQColor(image.pixelColor(submenu.x, submenu.y + submenu.height - 1)),
              model.region(RegionId::KwNavigate).backgroundColor);

    // Selecting the submenu draws its dotted frame in its text colour, starting at the corner.
    windows.element("KwNavigate")->setSelected(true);
    image = host.grab().toImage();
    EXPECT_EQ(platform::fromQColor(image.pixelColor(submenu.x, submenu.y + submenu.height - 1)),
              model.region(RegionId::KwNavigate).textColor);
}

} // namespace
} // namespace kw::preview
