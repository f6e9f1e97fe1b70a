// Every pair of colours the preview draws text in is a pair of the contrast audit's table: both panes are
// painted with every switch on and every colour field of its own colour, and each text's colour and the
// colour under it are traced back to their fields.
#include "portalpage/PreviewContrast.h"

#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace kw::portalpage {
namespace {

using layout::RegionId;

// Gives every colour field of the regions and the page block a colour no other field has; returns which
// field each colour stands for.
std::map<Color, std::string> colourEveryField(layout::LayoutModel &model)
{
    std::map<Color, std::string> fields;
    unsigned next = 1;
    auto give = [&](auto &record, auto table, const std::string &prefix) {
        for (const auto &field : table)
            if (const auto *member =
                    std::get_if<Color std::remove_reference_t<decltype(record)>::*>(&field.member)) {
                const Color c = rgb(next & 0xFF, (next * 37) & 0xFF, 0x80 + next);
                ++next;
                record.**member = c;
                fields[c] = prefix + std::string(field.name);
            }
    };
    for (RegionId id : layout::kAllRegions)
        give(model.region(id), layout::regionFields(), std::string(layout::regionName(id)) + ".");
    give(model.page(), layout::pageFields(), "page.");
    return fields;
}

TEST(PairTableWalk, EveryPairThePreviewDrawsIsInTheTable)
{
    layout::LayoutModel model;
    const std::map<Color, std::string> fields = colourEveryField(model);
    for (const auto &field : layout::switchFields())
        model.setSwitch(std::get<bool layout::PaneSwitches::*>(field.member), true);
    model.setSwitch(&layout::PaneSwitches::useTreeMenu, false); // the main menu and the heading shown
    for (RegionId id : layout::kAllRegions)
        model.region(id).showButtonEffect = true;

    std::set<std::pair<std::string, std::string>> table;
    for (const audit::Pair &pair : audit::layoutPairs(model))
        table.emplace(pair.foreground, pair.background);
    // The one pair only the imitation draws: the portal heading's box reaches 12 pixels into the next line
    // (as the preview's description places it), under the first heading. The portal shows the two apart.
    const std::set<std::pair<std::string, std::string>> imitationOnly = {
        {"page.heading1Color", "page.portalBackgroundColor"}};

    test::ScriptedPrompter prompter;
    HeadlessPreview preview({}, prompter, model);
    int drawn = 0;
    std::set<RegionId> regionsWithText;
    for (const layout::Pane kind : {layout::Pane::StartPage, layout::Pane::ApplicationPages}) {
        const PortalPane &pane = preview.pane(kind);
        for (const DrawnText &text : drawnTexts(pane, pane.Layout(1280, 800, {1280, 800}, true))) {
            SCOPED_TRACE(text.text);
            const auto fg = fields.find(text.color);
            const auto bg = fields.find(text.under);
            ASSERT_NE(fg, fields.end()) << "a text colour that is no field: " << formatColor(text.color);
            ASSERT_NE(bg, fields.end()) << "a background that is no field: " << formatColor(text.under);
            EXPECT_TRUE(table.count({fg->second, bg->second}) ||
                        imitationOnly.count({fg->second, bg->second}))
                << fg->second << " on " << bg->second << " is drawn but not in the table";
            ++drawn;
            regionsWithText.insert(text.region);
        }
    }
    // The walk saw the whole page: every region but the submenu logo draws text.
    EXPECT_GT(drawn, 30);
    EXPECT_EQ(regionsWithText.size(), 7u);
}

} // namespace
} // namespace kw::portalpage
