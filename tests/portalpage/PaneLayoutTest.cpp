// The layout of a pane for the switch combinations, and the pane's elements and switches.
#include "PortalPageTestSupport.h"

#include "portalpage/PortalPane.h"

namespace kw::portalpage {
namespace {

using layout::Pane;
using layout::RegionId;

PaneLayoutInput input(bool applicationPane, void (*change)(layout::PaneSwitches &) = nullptr)
{
    PaneLayoutInput in;
    in.applicationPane = applicationPane;
    in.switches.showInfoBar = true;
    in.switches.showPicture = true;
    in.switches.showAppInfoBar = true;
    if (change)
        change(in.switches);
    in.preferredOf(RegionId::KwRootTop) = {458, in.switches.showInfoBar ? 23 : 0};
    in.preferredOf(RegionId::KwRootNavigate) = {378, 23};
    in.preferredOf(RegionId::KwPics) = {150, 55};
    in.preferredOf(RegionId::KwNavigateHeader) = {150, 16};
    in.preferredOf(RegionId::KwNavigate) = {150, 0};
    in.preferredOf(RegionId::KwStartTop) = {0, in.switches.showAppInfoBar ? 23 : 0};
    in.preferredOf(RegionId::KwStartNavigate) = {0, 23};
    in.preferredOf(RegionId::KwApplication) = {368, 167};
    in.client = {800, 600};
    return in;
}

TEST(PaneLayout, RectanglesForTheSwitchCombinations)
{
    const Rect none{};
    const struct {
        const char *name;
        PaneLayoutInput in;
        // header, main menu, logo, heading, submenu, title bar, application menu, page
        std::array<Rect, 8> rects;
    } cases[] = {
        {"start page pane",
         input(false),
         {{{0, 0, 800, 23},
           {0, 23, 800, 23},
           {0, 46, 150, 55},
           {0, 101, 150, 16},
           {0, 117, 150, 483},
           none,
           none,
           {150, 46, 650, 554}}}},
        {"application pages pane",
         input(true),
         {{{0, 0, 800, 23},
           {0, 23, 800, 23},
           {0, 46, 150, 55},
           {0, 101, 150, 16},
           {0, 117, 150, 483},
           {150, 46, 650, 23},
           {150, 69, 650, 23},
           {150, 92, 650, 508}}}},
        {"tree menu: no main menu, no heading",
         input(true, [](layout::PaneSwitches &s) { s.useTreeMenu = true; }),
         {{{0, 0, 800, 23},
           {0, 23, 800, 0},
           {0, 23, 150, 55},
           {0, 78, 150, 0},
           {0, 78, 150, 522},
           {150, 23, 650, 23},
           {150, 46, 650, 23},
           {150, 69, 650, 531}}}},
        {"menu on the right",
         input(true, [](layout::PaneSwitches &s) { s.menuRight = true; }),
         {{{0, 0, 800, 23},
           {0, 23, 800, 23},
           {650, 46, 150, 55},
           {650, 101, 150, 16},
           {650, 117, 150, 483},
           {0, 46, 650, 23},
           {0, 69, 650, 23},
           {0, 92, 650, 508}}}},
        {"picture off",
         input(false, [](layout::PaneSwitches &s) { s.showPicture = false; }),
         {{{0, 0, 800, 23},
           {0, 23, 800, 23},
           {0, 46, 150, 0},
           {0, 46, 150, 16},
           {0, 62, 150, 538},
           none,
           none,
           {150, 46, 650, 554}}}},
        {"info bars off",
         input(true,
               [](layout::PaneSwitches &s) {
                   s.showInfoBar = false;
                   s.showAppInfoBar = false;
               }),
         {{{0, 0, 800, 0},
           {0, 0, 800, 23},
           {0, 23, 150, 55},
           {0, 78, 150, 16},
           {0, 94, 150, 506},
           {150, 23, 650, 0},
           {150, 23, 650, 23},
           {150, 46, 650, 554}}}},
        {"tree menu on the right without picture",
         input(false,
               [](layout::PaneSwitches &s) {
                   s.useTreeMenu = true;
                   s.menuRight = true;
                   s.showPicture = false;
               }),
         {{{0, 0, 800, 23},
           {0, 23, 800, 0},
           {650, 23, 150, 0},
           {650, 23, 150, 0},
           {650, 23, 150, 577},
           none,
           none,
           {0, 23, 650, 577}}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const PaneLayout layout = layoutPane(c.in, 800, 600);
        EXPECT_EQ(layout.scrollSize, (Size{800, 600}));
        for (RegionId id : layout::kAllRegions)
            EXPECT_EQ(layout[id], c.rects[static_cast<std::size_t>(id)]) << layout::regionName(id);
    }
}

TEST(PaneLayout, SmallPaneScrollsToTheMinimum)
{
    PaneLayoutInput in = input(true);
    in.client = {300, 200};
    const PaneLayout layout = layoutPane(in, 300, 200);
    // Widest of header, main menu and page; sum of header, main menu, title bar, application menu, page.
    EXPECT_EQ(layout.scrollSize, (Size{458, 23 + 23 + 23 + 23 + 167}));
    EXPECT_EQ(layout[RegionId::KwRootTop], (Rect{0, 0, 458, 23}));
    EXPECT_EQ(layout[RegionId::KwApplication], (Rect{150, 92, 308, 167}));
    EXPECT_EQ(layout[RegionId::KwNavigate], (Rect{0, 117, 150, 142}));

    // The start page pane counts neither title bar nor application menu.
    in.applicationPane = false;
    EXPECT_EQ(layoutPane(in, 300, 200).scrollSize, (Size{458, 23 + 23 + 167}));
}

TEST(PaneLayout, NoLayoutOpenLeavesEveryRectangleEmpty)
{
    PaneLayoutInput in = input(true);
    in.layoutOpen = false;
    const PaneLayout layout = layoutPane(in, 800, 600);
    for (RegionId id : layout::kAllRegions)
        EXPECT_EQ(layout[id], Rect{}) << layout::regionName(id);
}

TEST(PortalPane, ElementsNamesIdsAndOrderPerPane)
{
    layout::LayoutModel model;
    PortalPane start(Pane::StartPage, model);
    PortalPane application(Pane::ApplicationPages, model);
    auto names = [](const PortalPane &pane) {
        std::vector<std::pair<std::string, int>> found;
        for (const CPreviewElement *element : pane.elements())
            found.emplace_back(element->name(), element->controlId());
        return found;
    };
    EXPECT_EQ(names(start), (std::vector<std::pair<std::string, int>>{{"KwRootTop", 101},
                                                                      {"KwRootNavigate", 102},
                                                                      {"KwPics", 103},
                                                                      {"KwNavigateHeader", 104},
                                                                      {"KwNavigate", 105},
                                                                      {"KwApplication", 108}}));
    EXPECT_EQ(names(application).size(), 8u);
    EXPECT_EQ(names(application)[5], (std::pair<std::string, int>{"KwStartTop", 106}));
    EXPECT_EQ(names(application)[6], (std::pair<std::string, int>{"KwStartNavigate", 107}));
    EXPECT_EQ(start.element("KwStartTop"), nullptr);
    EXPECT_EQ(application.element("KwStartTop"), &application.appTitle());
    EXPECT_TRUE(start.appPage().isDefaultStartPage);
    EXPECT_FALSE(application.appPage().isDefaultStartPage);
}

TEST(PortalPane, ApplySwitchesCopiesThePanesOwnSwitchesAndRelayouts)
{
    test::ElementHarness h;
    layout::LayoutModel &model = h.model();
    PortalPane start(Pane::StartPage, model);
    PortalPane application(Pane::ApplicationPages, model);
    start.Create(h.context());
    application.Create(h.context());

    model.setSwitch(&layout::PaneSwitches::showInfoBar, true);
    model.setSwitch(&layout::PaneSwitches::menuRight, true);
    model.switches(Pane::StartPage).showLogo = true; // the start page pane's own
    model.switches(Pane::ApplicationPages).showAppInfoBar = true;
    start.ApplySwitches(h.context());
    application.ApplySwitches(h.context());

    EXPECT_TRUE(start.header().infoBarShown);
    EXPECT_EQ(start.header().GetPreferredSize().height, 23);
    EXPECT_TRUE(start.appPage().logoShown);
    EXPECT_FALSE(application.appPage().logoShown);
    EXPECT_TRUE(application.appTitle().infoBarShown);
    EXPECT_TRUE(application.appPage().menuRight);

    const PaneLayout startLayout = start.Layout(800, 600, {800, 600}, true);
    EXPECT_EQ(startLayout[RegionId::KwRootTop].height, 23);
    EXPECT_EQ(startLayout[RegionId::KwPics].x, 650);
    EXPECT_EQ(startLayout[RegionId::KwStartTop], Rect{}); // no window in this pane
    const PaneLayout appLayout = application.Layout(800, 600, {800, 600}, true);
    EXPECT_EQ(appLayout[RegionId::KwStartTop], (Rect{0, 23 + 23, 650, 23}));
    EXPECT_EQ(start.Layout(800, 600, {800, 600}, false)[RegionId::KwApplication], Rect{});

    model.setSwitch(&layout::PaneSwitches::showInfoBar, false);
    start.ApplySwitches(h.context());
    EXPECT_EQ(start.Layout(800, 600, {800, 600}, true)[RegionId::KwRootTop].height, 0);
}

} // namespace
} // namespace kw::portalpage
