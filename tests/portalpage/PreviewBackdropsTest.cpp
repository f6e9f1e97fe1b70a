// The area of a background picture a pair is measured against: where the preview draws the pair's state,
// whatever colours the states share.
#include "portalpage/PreviewContrast.h"

#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kw::portalpage {
namespace {

using layout::RegionId;

audit::Pair pairOf(const layout::LayoutModel &model, std::string_view id)
{
    for (const audit::Pair &pair : audit::layoutPairs(model))
        if (pair.id() == id)
            return pair;
    ADD_FAILURE() << "no pair " << id;
    return {};
}

TEST(PreviewBackdrops, EachStateIsMeasuredWhereThePreviewDrawsItsSample)
{
    // Every state of the main menu and of the page text in one colour, over a picture.
    layout::LayoutModel model;
    for (RegionId id : {RegionId::KwRootNavigate, RegionId::KwApplication}) {
        layout::RegionStyle &region = model.region(id);
        region.backgroundImage = "bild.png";
        region.hoverColor = region.selectedColor = region.textColor;
    }
    model.page().linkColor = model.page().linkHoverColor = model.region(RegionId::KwApplication).textColor;

    test::ScriptedPrompter prompter;
    HeadlessPreview preview({}, prompter, model);
    const PortalPane &pane = preview.pane(layout::Pane::ApplicationPages);
    const std::vector<DrawnText> texts = drawnTexts(pane, pane.Layout(1280, 800, kAuditPaneSize, true));
    const PreviewBackdrops backdrops(preview.pane(layout::Pane::StartPage), pane);
    const auto rectOf = [&](RegionId region, StringId sample) {
        for (const DrawnText &text : texts)
            if (text.region == region && text.text == loadString(sample))
                return text.rect;
        ADD_FAILURE() << loadString(sample) << " is not drawn";
        return Rect{};
    };

    const struct {
        const char *pair;
        RegionId region;
        StringId sample;
    } cases[] = {
        {"KwRootNavigate/hover", RegionId::KwRootNavigate, StringId::SampleHover},
        {"KwRootNavigate/selected", RegionId::KwRootNavigate, StringId::SampleSelected},
        {"KwApplication/text", RegionId::KwApplication, StringId::NormalText},
        {"KwApplication/link", RegionId::KwApplication, StringId::SampleLink},
        {"KwApplication/linkHover", RegionId::KwApplication, StringId::SampleLinkHover},
        {"KwApplication/heading2", RegionId::KwApplication, StringId::Heading2},
    };
    for (const auto &c : cases) {
        const std::optional<audit::Backdrop> backdrop = backdrops.backdrop(pairOf(model, c.pair));
        ASSERT_TRUE(backdrop) << c.pair;
        EXPECT_EQ(backdrop->textAreas, std::vector<Rect>{rectOf(c.region, c.sample)}) << c.pair;
    }

    // The normal entries are the menu's other texts: neither sample is among them.
    const std::optional<audit::Backdrop> normal = backdrops.backdrop(pairOf(model, "KwRootNavigate/normal"));
    ASSERT_TRUE(normal);
    EXPECT_FALSE(normal->textAreas.empty());
    for (StringId sample : {StringId::SampleHover, StringId::SampleSelected})
        EXPECT_EQ(std::ranges::count(normal->textAreas, rectOf(RegionId::KwRootNavigate, sample)), 0);
}

} // namespace
} // namespace kw::portalpage
