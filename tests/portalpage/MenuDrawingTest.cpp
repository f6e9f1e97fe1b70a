// The page header, the main menu, the submenu, its heading and the application menu, drawn on the
// recording device (11-pixel fonts: 6 pixels per character, lines 13 high).
#include "PortalPageTestSupport.h"

#include "portalpage/Elements.h"

#include "demo/DemoPortal.h"

namespace kw::portalpage {
namespace {

using layout::RegionId;
using test::drawnText;
using test::drawnTexts;
using test::ElementHarness;
using test::pictureDestinations;

std::string demoPicture(std::string_view name)
{
    const auto bytes = demo::picture(name);
    return {bytes.begin(), bytes.end()};
}

// --- page header -------------------------------------------------------------------------------------

TEST(PageHeader, TextsFromThePortalAndTheirPlaces)
{
    ElementHarness h(true);
    CPageHeaderElement header(h.model());
    header.infoBarShown = true;
    header.Create(h.context());
    EXPECT_EQ(header.leftText, "Testportal");
    EXPECT_EQ(header.centerText, "Dr. Anna Lindqvist");
    EXPECT_EQ(header.rightText, "Freitag, 04. Dezember 2026");

    // Each text measured with a blank after it: 11, 19 and 27 characters.
    EXPECT_EQ(header.GetPreferredSize(), (Size{2 * 162 + 20 + 114, 23}));
    header.infoBarShown = false;
    header.Rebuild(h.context());
    EXPECT_EQ(header.GetPreferredSize(), (Size{458, 0}));

    const auto device = h.paint(header, 600, 23);
    EXPECT_EQ(drawnText(device, "Testportal").rect, (Rect{10, 0, 60, 23}));
    EXPECT_EQ(drawnText(device, "Dr. Anna Lindqvist").rect, (Rect{(600 - 108) / 2, 0, 108, 23}));
    EXPECT_EQ(drawnText(device, "Freitag, 04. Dezember 2026").rect, (Rect{600 - 10 - 156, 0, 156, 23}));
    for (const auto &text : device.callsOf<painted::DrawText>()) {
        EXPECT_EQ(text.textColor, rgb(255, 255, 255));
        EXPECT_EQ(text.placement, TextPlacement::Left);
    }
}

class FailingFactory final : public server::IObjectFactory {
public:
    server::Ref<server::IServerObject> CreateObject(server::ServerClass) override
    {
        throw ServerError(ServerError::Fail, "the navigation is down");
    }
};

class FailingSession final : public server::ISession {
public:
    [[noreturn]] static void fail() { throw ServerError(ServerError::Fail, "the session is gone"); }
    server::Ref<server::IPortal> GetPortal() override { fail(); }
    server::Ref<server::IUser> GetCurrentUser() override { fail(); }
    std::string GetSessionName() override { fail(); }
    server::Ref<server::ILanguageList> GetLanguages(int) override { fail(); }
    bool ReloadLanguageTexts(int) override { fail(); }
    void RunAsOneTransaction(const std::function<void()> &) override { fail(); }
};

TEST(PageHeader, ServerErrorLeavesTheTextsEmpty)
{
    ElementHarness h(true);
    server::Environment broken{h.portal().env().factory, server::makeRef<FailingSession>()};
    ElementContext context{broken, h.prompter(), h.measure(), h.pictures(), h.context().date};
    CPageHeaderElement header(h.model());
    header.leftText = "old";
    header.ReadTexts(context);
    EXPECT_EQ(header.leftText, "");
    EXPECT_EQ(header.centerText, "");
    EXPECT_EQ(header.rightText, "");
}

// --- main menu ---------------------------------------------------------------------------------------

TEST(MainMenu, EntriesFromTheNavigationWithoutType2)
{
    ElementHarness h(true);
    CMainMenuElement menu(h.model());
    menu.Create(h.context());
    EXPECT_EQ(menu.entries, (std::vector<std::string>{"Startseite", "Aktuelles", "Projekte", "Dokumente",
                                                      "Team", "Suche"}));
    EXPECT_TRUE(h.prompter().events().empty()) << h.prompter().describe();
}

TEST(MainMenu, NavigationErrorIsReportedAndKeepsTheSize)
{
    ElementHarness h(true);
    CMainMenuElement menu(h.model());
    menu.Create(h.context());
    const Size before = menu.GetPreferredSize();

    server::Environment broken{server::makeRef<FailingFactory>(), h.portal().session()};
    ElementContext context{broken, h.prompter(), h.measure(), h.pictures(), h.context().date};
    EXPECT_FALSE(menu.LoadEntries(context));
    EXPECT_EQ(h.prompter().errorIds(), std::vector<int>{12504});
    EXPECT_TRUE(menu.entries.empty());
    EXPECT_EQ(menu.GetPreferredSize(), before);
}

TEST(MainMenu, SeparatorsAndTheirGaps)
{
    // "Aktuelles" 54, "Projekte" 48, "Team" 24 pixels wide; "|" 6; item.gif 8 x 8; separator.gif 2 x 12.
    const struct {
        const char *name;
        std::vector<std::string> entries;
        bool item, separator;
        std::vector<std::pair<std::string, int>> texts; // left part, in drawing order
        std::vector<Rect> pictures; // left part, then the right part's: mouse-over, separator, selected
    } cases[] = {
        {"three entries, text separators",
         {"Aktuelles", "Projekte", "Team"},
         false,
         false,
         {{"Aktuelles", 10}, {"|", 74}, {"Projekte", 90}, {"|", 148}, {"Team", 164}},
         {}},
        {"one entry, no separator", {"Aktuelles"}, false, false, {{"Aktuelles", 10}}, {}},
        {"separator pictures",
         {"Aktuelles", "Projekte", "Team"},
         false,
         true,
         {{"Aktuelles", 10}, {"Projekte", 86}, {"Team", 156}},
         {{74, 5, 2, 12}, {144, 5, 2, 12}, {500, 5, 2, 12}}},
        {"entry pictures before each entry",
         {"Aktuelles", "Projekte", "Team"},
         true,
         false,
         {{"Aktuelles", 18}, {"|", 82}, {"Projekte", 106}, {"|", 164}, {"Team", 188}},
         {{10, 7, 8, 8}, {98, 7, 8, 8}, {180, 7, 8, 8}, {504, 7, 8, 8}, {410, 7, 8, 8}}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ElementHarness h(true);
        h.putPicture("item.gif", demoPicture("item.gif"));
        h.putPicture("separator.gif", demoPicture("separator.gif"));
        layout::RegionStyle &style = h.model().region(RegionId::KwRootNavigate);
        style.itemImage = c.item ? "item.gif" : "";
        style.separatorImage = c.separator ? "separator.gif" : "";
        CMainMenuElement menu(h.model());
        menu.entries = c.entries;
        menu.Rebuild(h.context());
        const auto device = h.paint(menu, 600, 23);

        const auto draws = device.callsOf<painted::DrawText>();
        // and the right part: sample, separator (unless a picture), sample
        ASSERT_EQ(draws.size(), c.texts.size() + (c.separator ? 2 : 3));
        for (std::size_t i = 0; i < c.texts.size(); ++i) {
            EXPECT_EQ(draws[i].text, c.texts[i].first);
            EXPECT_EQ(draws[i].rect.x, c.texts[i].second) << draws[i].text;
            EXPECT_EQ(draws[i].rect.height, 23);
        }
        EXPECT_EQ(pictureDestinations(device), c.pictures);
    }
}

TEST(MainMenu, SamplesOnTheRightAndPreferredWidth)
{
    ElementHarness h;
    layout::RegionStyle &style = h.model().region(RegionId::KwRootNavigate);
    style.textColor = rgb(1, 1, 1);
    style.hoverColor = rgb(2, 2, 2);
    style.selectedColor = rgb(3, 3, 3);
    CMainMenuElement menu(h.model());
    menu.entries = {"Aktuelles", "Projekte", "Team"};
    menu.Rebuild(h.context());
    // 10 + (10 + 54) + (10 + 48) + (10 + 24) + 2 x (10 + 6) + (20 + 78 + 6) + (10 + 60 + 6)
    EXPECT_EQ(menu.GetPreferredSize(), (Size{378, 23}));

    const auto device = h.paint(menu, 400, 23);
    const auto draws = device.callsOf<painted::DrawText>();
    ASSERT_EQ(draws.size(), 8u);
    const auto &hover = draws[5], &bar = draws[6], &selected = draws[7];
    EXPECT_EQ(hover.text, "Maus auf Text");
    EXPECT_EQ(hover.rect, (Rect{312, 0, 78, 23}));
    EXPECT_EQ(hover.textColor, rgb(2, 2, 2));
    EXPECT_TRUE(hover.font.underline);
    EXPECT_EQ(bar.text, "|");
    EXPECT_EQ(bar.rect.x, 296);
    EXPECT_EQ(bar.textColor, rgb(1, 1, 1));
    EXPECT_EQ(selected.text, "selektiert");
    EXPECT_EQ(selected.rect.x, 226);
    EXPECT_EQ(selected.textColor, rgb(3, 3, 3));
    EXPECT_FALSE(selected.font.underline);
    EXPECT_EQ(draws[0].textColor, rgb(1, 1, 1));
}

// --- submenu and its heading -------------------------------------------------------------------------

TEST(Submenu, LineSpacingWithAndWithoutEntryPicture)
{
    const struct {
        const char *name;
        bool item;
        int tops[3];
        int textX;
    } cases[] = {
        {"13-pixel text: 19 apart", false, {5, 24, 43}, 12},
        {"8-pixel picture and 13-pixel text: 27 apart", true, {5, 32, 59}, 20},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ElementHarness h(true);
        h.putPicture("item.gif", demoPicture("item.gif"));
        layout::RegionStyle &style = h.model().region(RegionId::KwNavigate);
        style.itemImage = c.item ? "item.gif" : "";
        style.textColor = rgb(1, 1, 1);
        style.selectedColor = rgb(2, 2, 2);
        style.hoverColor = rgb(3, 3, 3);
        CSubmenuElement submenu(h.model());
        submenu.Rebuild(h.context());
        const auto device = h.paint(submenu, 150, 300);
        const auto draws = device.callsOf<painted::DrawText>();
        ASSERT_EQ(draws.size(), 3u);
        const char *texts[] = {"Normal", "selektiert", "Maus auf Text"};
        const Color colors[] = {rgb(1, 1, 1), rgb(2, 2, 2), rgb(3, 3, 3)};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(draws[i].text, texts[i]);
            EXPECT_EQ(draws[i].rect.y, c.tops[i]);
            EXPECT_EQ(draws[i].rect.x, c.textX);
            EXPECT_EQ(draws[i].rect.height, 13);
            EXPECT_EQ(draws[i].placement, TextPlacement::TopLeft);
            EXPECT_EQ(draws[i].textColor, colors[i]);
            EXPECT_EQ(draws[i].font.underline, i == 2);
        }
        if (c.item) {
            EXPECT_EQ(pictureDestinations(device),
                      (std::vector<Rect>{{12, 7, 8, 8}, {12, 34, 8, 8}, {12, 61, 8, 8}}));
        }
    }
}

TEST(SubmenuHeading, CaptionCentred)
{
    ElementHarness h;
    CSubmenuHeadingElement heading(h.model());
    heading.Rebuild(h.context());
    const auto text = drawnText(h.paint(heading, 150, 16), "Submenü");
    EXPECT_EQ(text.rect, (Rect{0, 0, 150, 16}));
    EXPECT_EQ(text.placement, TextPlacement::Centered);
    EXPECT_EQ(text.textColor, rgb(255, 255, 255));
}

// --- application menu --------------------------------------------------------------------------------

TEST(AppMenu, ColoursPerEntryAndSeparators)
{
    ElementHarness h;
    layout::RegionStyle &style = h.model().region(RegionId::KwStartNavigate);
    style.textColor = rgb(1, 1, 1);
    style.hoverColor = rgb(2, 2, 2);
    style.selectedColor = rgb(3, 3, 3);
    CAppMenuElement menu(h.model());
    menu.Rebuild(h.context());
    const auto device = h.paint(menu, 600, 23);

    const struct {
        const char *text;
        int x;
        Color color;
        bool underline;
    } expected[] = {
        {"Favoriten", 10, rgb(3, 3, 3), false},      {"|", 74, rgb(1, 1, 1), false},
        {"Liste", 90, rgb(1, 1, 1), false},          {"|", 130, rgb(1, 1, 1), false},
        {"Suche", 146, rgb(1, 1, 1), false},         {"|", 186, rgb(1, 1, 1), false},
        {"Einstellungen", 202, rgb(1, 1, 1), false}, {"|", 290, rgb(1, 1, 1), false},
        {"Hilfe", 306, rgb(2, 2, 2), true},
    };
    const auto draws = device.callsOf<painted::DrawText>();
    ASSERT_EQ(draws.size(), std::size(expected));
    for (std::size_t i = 0; i < draws.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(draws[i].text, expected[i].text);
        EXPECT_EQ(draws[i].rect.x, expected[i].x);
        EXPECT_EQ(draws[i].textColor, expected[i].color);
        EXPECT_EQ(draws[i].font.underline, expected[i].underline);
    }
}

TEST(AppMenu, SeparatorPicturesReplaceTheBars)
{
    ElementHarness h(true);
    h.putPicture("separator.gif", demoPicture("separator.gif"));
    h.model().region(RegionId::KwStartNavigate).separatorImage = "separator.gif";
    CAppMenuElement menu(h.model());
    menu.Rebuild(h.context());
    const auto device = h.paint(menu, 600, 23);
    EXPECT_EQ(drawnTexts(device),
              (std::vector<std::string>{"Favoriten", "Liste", "Suche", "Einstellungen", "Hilfe"}));
    // After each text 10 pixels, the 2-pixel picture, 10 pixels.
    EXPECT_EQ(drawnText(device, "Liste").rect.x, 10 + 54 + 22);
    EXPECT_EQ(pictureDestinations(device).front(), (Rect{74, 5, 2, 12}));
    EXPECT_EQ(pictureDestinations(device).size(), 4u);
}

} // namespace
} // namespace kw::portalpage
