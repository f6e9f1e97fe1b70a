// The application page: its sample lines, and on the default start page the portal heading and the
// places of the logo and welcome controls.
#include "PortalPageTestSupport.h"

#include "portalpage/Elements.h"

#include "demo/DemoPortal.h"

namespace kw::portalpage {
namespace {

using layout::RegionId;
using test::drawnText;
using test::ElementHarness;
using test::pictureDestinations;

std::string demoPicture(std::string_view name)
{
    const auto bytes = demo::picture(name);
    return {bytes.begin(), bytes.end()};
}

struct Expected {
    const char *text;
    Rect rect;
    Color color;
};

// Font sizes of the defaults: headings 19, 17, 13; page text and highlighted links 11; table fonts 12.
// Width per character: 11, 10, 7, 6 and 7 pixels; line heights 21, 19, 15, 13 and 14.
TEST(AppPage, SampleLinesOfAnApplicationPage)
{
    ElementHarness h;
    layout::PageStyle &page = h.model().page();
    page.heading1Color = rgb(1, 0, 0);
    page.heading2Color = rgb(2, 0, 0);
    page.heading3Color = rgb(3, 0, 0);
    page.linkColor = rgb(4, 0, 0);
    page.linkHoverColor = rgb(5, 0, 0);
    page.gridTitleTextColor = rgb(6, 0, 0);
    page.tableHeadClickedColor = rgb(7, 0, 0);
    page.tableHeadLinkHoverColor = rgb(8, 0, 0);
    h.model().pageRegion().textColor = rgb(9, 0, 0);
    CAppPageElement element(h.model(), false);
    element.setLayoutLabel("Layout: Aktives Layout");
    element.Rebuild(h.context());
    const auto device = h.paint(element, 600, 400);

    const Expected expected[] = {
        {"Überschrift 1", {10, 12, 143, 21}, rgb(1, 0, 0)},
        {"Überschrift 2", {20, 45, 130, 19}, rgb(2, 0, 0)},
        {"Überschrift 3", {30, 76, 91, 15}, rgb(3, 0, 0)},
        {"Normaler Text", {40, 103, 78, 13}, rgb(9, 0, 0)},
        {"Link", {128, 103, 24, 13}, rgb(4, 0, 0)},
        {"Link mit Mauskontakt", {162, 103, 120, 13}, rgb(5, 0, 0)},
        {"Tabellenüberschrift", {40, 128, 133, 14}, rgb(6, 0, 0)},
        {"selektiert", {183, 128, 70, 14}, rgb(7, 0, 0)},
        {"mit Mauskontakt", {263, 128, 105, 14}, rgb(8, 0, 0)},
        {"Hervorgehobene Links", {40, 154, 120, 13}, rgb(4, 0, 0)},
        {"Layout: Aktives Layout", {170, 154, 132, 13}, rgb(9, 0, 0)},
    };
    const auto draws = device.callsOf<painted::DrawText>();
    ASSERT_EQ(draws.size(), std::size(expected));
    for (std::size_t i = 0; i < draws.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(draws[i].text, expected[i].text);
        EXPECT_EQ(draws[i].rect, expected[i].rect);
        EXPECT_EQ(draws[i].textColor, expected[i].color);
        EXPECT_EQ(draws[i].placement, TextPlacement::Left);
    }
    EXPECT_TRUE(drawnText(device, "Link mit Mauskontakt").font.underline);
    EXPECT_TRUE(drawnText(device, "mit Mauskontakt").font.underline);
    EXPECT_EQ(drawnText(device, "Tabellenüberschrift").font.weight, 900);
    // The table samples stand in their cells: the title row's colour and the header row's, 3 pixels wider
    // on each side than their texts.
    const auto fills = device.callsOf<painted::FillRect>();
    ASSERT_EQ(fills.size(), 4u);
    EXPECT_EQ(fills[1].rect, (Rect{37, 128, 139, 14}));
    EXPECT_EQ(fills[1].color, page.gridTitleBackgroundColor);
    EXPECT_EQ(fills[2].rect, (Rect{180, 128, 76, 14}));
    EXPECT_EQ(fills[2].color, page.gridHeaderColor);
    EXPECT_EQ(fills[3].color, page.gridHeaderColor);
    EXPECT_EQ(drawnText(device, "mit Mauskontakt").backgroundColor, page.gridHeaderColor);
    // No portal heading, no controls and no outline symbols outside the start page.
    EXPECT_TRUE(device.callsOf<painted::ExcludeClipRect>().empty());
    EXPECT_TRUE(pictureDestinations(device).empty());
    EXPECT_EQ(element.GetPreferredSize(), (Size{263 + 105, 154 + 13}));
}

class StartPage : public ::testing::Test {
protected:
    StartPage() : h(true)
    {
        h.putPicture("logo.png", demoPicture("logo.png"));
        h.putPicture("bullet_big.gif", demoPicture("bullet_big.gif"));
        h.putPicture("bullet_small.gif", demoPicture("bullet_small.gif"));
        h.model().page().bulletBigPath = "bullet_big.gif";
        h.model().page().bulletSmallPath = "bullet_small.gif";
        company.logoFile = "logo.png";       // 180 x 60
        company.shownWelcome = "Willkommen"; // 10 characters in the 19-pixel heading font: 110 x 21
    }

    std::unique_ptr<CAppPageElement> rebuilt(bool logo, bool welcome)
    {
        auto element = std::make_unique<CAppPageElement>(h.model(), true);
        element->logoShown = logo;
        element->welcomeShown = welcome;
        element->setCompany(company);
        element->Rebuild(h.context());
        return element;
    }

    ElementHarness h;
    layout::CompanySettings company;
};

TEST_F(StartPage, ControlsPlacedCentredAndSamplesBelowTheLastShown)
{
    const struct {
        const char *name;
        bool logo, welcome;
        Rect logoRect, welcomeRect;
        int headingTop;
    } cases[] = {
        {"both", true, true, {210, 12, 180, 60}, {240, 84, 120, 27}, 84 + 27 + 12},
        {"logo only", true, false, {210, 12, 180, 60}, {}, 12 + 60 + 12},
        {"welcome only", false, true, {}, {240, 24, 120, 27}, 24 + 27 + 12},
        {"neither", false, false, {}, {}, 12},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        CAppPageElement element(h.model(), true);
        element.logoShown = c.logo;
        element.welcomeShown = c.welcome;
        element.setCompany(company);
        element.Rebuild(h.context());
        EXPECT_EQ(element.logoRect(600), c.logoRect);
        EXPECT_EQ(element.welcomeRect(600), c.welcomeRect);

        const auto device = h.paint(element, 600, 500);
        std::vector<Rect> excluded;
        for (const auto &call : device.callsOf<painted::ExcludeClipRect>())
            excluded.push_back(call.rect);
        std::vector<Rect> shown;
        for (const Rect &r : {c.logoRect, c.welcomeRect})
            if (r.width > 0)
                shown.push_back(r);
        EXPECT_EQ(excluded, shown);

        // The portal heading: its 126 x 15 text in a box 40 x 24 larger, filled with its colour.
        const auto heading = drawnText(device, "Portal-Überschrift");
        EXPECT_EQ(heading.rect, (Rect{10, c.headingTop, 166, 39}));
        EXPECT_EQ(heading.placement, TextPlacement::Centered);
        EXPECT_EQ(heading.textColor, h.model().page().portalTextColor);
        EXPECT_EQ(heading.backgroundColor, h.model().page().portalBackgroundColor);
        const auto fills = device.callsOf<painted::FillRect>();
        ASSERT_EQ(fills.size(), 5u); // the background, the box, then the three table samples' cells
        EXPECT_EQ(fills[1].rect, heading.rect);
        EXPECT_EQ(fills[1].color, h.model().page().portalBackgroundColor);

        // Headings 1 and 2 follow 10 pixels further right, after their outline symbols and 4 pixels. Like
        // every line, the heading's moves the next one down by its text height (15) + 12, not the box's.
        const int top1 = c.headingTop + 15 + 12;
        EXPECT_EQ(drawnText(device, "Überschrift 1").rect, (Rect{20 + 9 + 4, top1, 143, 21}));
        EXPECT_EQ(drawnText(device, "Überschrift 2").rect, (Rect{30 + 7 + 4, top1 + 33, 130, 19}));
        EXPECT_EQ(drawnText(device, "Überschrift 3").rect, (Rect{40, top1 + 33 + 31, 91, 15}));
        EXPECT_EQ(pictureDestinations(device),
                  (std::vector<Rect>{{20, top1 + 6, 9, 9}, {30, top1 + 33 + 6, 7, 7}}));
    }
}

TEST_F(StartPage, PreferredSizeCoversControlsAndSamples)
{
    company.shownWelcome = std::string(60, 'W'); // 660 + 10 wide, wider than any sample
    const auto element = rebuilt(true, true);
    // Portal heading at 123, headings at 150, 183, 214, the three sample lines at 241, 266, 292.
    EXPECT_EQ(element->GetPreferredSize(), (Size{670, 292 + 13}));
}

TEST_F(StartPage, LogoDecodedOncePerChangeAndPlaceholderForAMissingFile)
{
    const auto owned = rebuilt(true, false);
    CAppPageElement &element = *owned;
    const int decodes = h.pictures().decodeCount();
    element.Rebuild(h.context());
    EXPECT_EQ(h.pictures().decodeCount(), decodes);

    company.logoFile = "gone.png";
    element.setCompany(company);
    element.Rebuild(h.context());
    EXPECT_EQ(h.pictures().decodeCount(), decodes + 1);
    EXPECT_EQ(element.logoRect(600), (Rect{292, 12, 16, 16}));

    // A name of no picture type leaves the logo as it was.
    company.logoFile = "logo.txt";
    element.setCompany(company);
    element.Rebuild(h.context());
    EXPECT_EQ(element.logoRect(600), (Rect{292, 12, 16, 16}));
}

} // namespace
} // namespace kw::portalpage
