// The audit of a whole layout: the table's pairs, when they are shown, verdicts, pictures, fixes and lines.
#include "audit/Audit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kw::audit {
namespace {

using layout::LayoutModel;
using layout::RegionId;

const PairResult &find(const AuditResult &result, std::string_view id)
{
    const auto it =
        std::ranges::find_if(result.pairs, [&](const PairResult &p) { return p.pair.id() == id; });
    if (it == result.pairs.end())
        throw std::runtime_error("no pair " + std::string(id));
    return *it;
}

TEST(AuditTest, EveryRowNamesRealFieldsAndButtonRowsCoverEveryStyle)
{
    const LayoutModel model;
    const std::vector<Pair> pairs = layoutPairs(model);
    std::set<std::string> ids;
    for (const Pair &pair : pairs) {
        SCOPED_TRACE(pair.id());
        EXPECT_TRUE(ids.insert(pair.id()).second) << "twice";
        EXPECT_TRUE(colorField(model, pair.foreground)) << pair.foreground;
        EXPECT_TRUE(colorField(model, pair.background)) << pair.background;
        EXPECT_TRUE(intField(model, pair.size)) << pair.size;
        if (!pair.weight.empty()) {
            EXPECT_TRUE(intField(model, pair.weight) || textField(model, pair.weight)) << pair.weight;
        }
    }
    const auto buttons =
        std::ranges::count_if(pairs, [](const Pair &p) { return p.state.starts_with("button."); });
    EXPECT_EQ(buttons, static_cast<long>(model.buttons().size()));
    EXPECT_TRUE(ids.count("KwApplication/button.KwButtonSaveNew"));
    EXPECT_FALSE(colorField(model, "KwNowhere.textColor"));
    EXPECT_FALSE(colorField(model, "KwRootTop.fontSize")); // an int, not a colour
}

TEST(AuditTest, NoPairIsListedTwice)
{
    // The same text field on the same background field is one entry, unless the two are measured
    // differently: another size or weight (another threshold), or another pane (another place).
    std::set<std::string> seen;
    for (const Pair &pair : layoutPairs(LayoutModel())) {
        const std::string key = pair.foreground + " on " + pair.background + " (" + pair.size + ", " +
                                pair.weight + ", pane " + std::to_string(static_cast<int>(pair.pane)) + ")";
        EXPECT_TRUE(seen.insert(key).second) << pair.id() << ": " << key << " twice";
    }
}

TEST(AuditTest, PairsOfRegionsAndSwitchesThatAreOffAreNotShown)
{
    LayoutModel model;
    AuditSwitches switches;
    AuditResult result = runAudit(model, switches, Level::AA);
    // Every switch off: no info bar, no title bar, no tree menu, no button effect, no own buttons.
    for (const char *id : {"KwRootTop/text", "KwStartTop/text", "KwNavigate/subNormal",
                           "KwRootNavigate/focus", "KwApplication/button.KwButton", "KwApplication/welcome"})
        EXPECT_EQ(find(result, id).verdict, Verdict::NotShown) << id;
    EXPECT_NE(find(result, "KwRootNavigate/normal").verdict, Verdict::NotShown);

    model.setSwitch(&layout::PaneSwitches::showInfoBar, true);
    model.setSwitch(&layout::PaneSwitches::useTreeMenu, true);
    model.region(RegionId::KwNavigate).showButtonEffect = true;
    switches.customButtons = true;
    result = runAudit(model, switches, Level::AA);
    for (const char *id : {"KwRootNavigate/normal", "KwRootNavigate/hover", "KwNavigateHeader/text"})
        EXPECT_EQ(find(result, id).verdict, Verdict::NotShown) << id; // the tree menu replaces them
    for (const char *id :
         {"KwRootTop/text", "KwNavigate/subNormal", "KwNavigate/focus", "KwApplication/button.KwButton"})
        EXPECT_NE(find(result, id).verdict, Verdict::NotShown) << id;
    EXPECT_EQ(find(result, "KwRootNavigate/focus").verdict, Verdict::NotShown); // its own effect is off
}

TEST(AuditTest, VerdictsFollowSizeWeightAndLevel)
{
    LayoutModel model;
    model.page().linkColor = rgb(0x77, 0x77, 0x77); // 4.48 on the white page
    model.pageRegion().fontSize = 13;
    model.pageRegion().fontWeight = "400";
    model.page().mainLinkSize = 24; // large text
    AuditResult aa = runAudit(model, {}, Level::AA);
    EXPECT_EQ(find(aa, "KwApplication/link").verdict, Verdict::Fail);
    EXPECT_EQ(find(aa, "KwApplication/link").needed, 4.5);
    EXPECT_EQ(find(aa, "KwApplication/mainLink").verdict, Verdict::Pass);
    EXPECT_TRUE(find(aa, "KwApplication/mainLink").largeText);
    AuditResult aaa = runAudit(model, {}, Level::AAA);
    EXPECT_EQ(find(aaa, "KwApplication/mainLink").verdict, Verdict::Fail);
    EXPECT_EQ(find(aaa, "KwApplication/mainLink").needed, 4.5);
    // Button weights are drop-down indices: 6 is bold.
    model.buttons().find("KwButton")->fontSize = 19;
    AuditResult buttons = runAudit(model, {true}, Level::AA);
    EXPECT_EQ(find(buttons, "KwApplication/button.KwButton").fontWeight, 700);
    EXPECT_TRUE(find(buttons, "KwApplication/button.KwButton").largeText);
}

TEST(AuditTest, LinesSummaryAndStatus)
{
    LayoutModel model;
    model.setSwitch(&layout::PaneSwitches::showInfoBar, true);
    model.region(RegionId::KwRootTop).textColor = rgb(0x77, 0x77, 0x77);
    model.region(RegionId::KwRootTop).backgroundColor = rgb(255, 255, 255);
    AuditResult result = runAudit(model, {}, Level::AA);
    addProposals(result);
    const std::string line = formatLine(find(result, "KwRootTop/text"));
    EXPECT_TRUE(line.starts_with("KwRootTop/text\t#777777\t#FFFFFF\t4.48\t4.50\tFAIL\tKwRootTop.textColor=#"))
        << line;
    EXPECT_NE(line.find(":1, dE "), std::string::npos) << line;
    EXPECT_NE(line.find("; KwRootTop.backgroundColor=#"), std::string::npos) << line;
    EXPECT_TRUE(formatLine(find(result, "KwStartTop/text")).ends_with("\tnot shown\t-"));

    const int failing = result.count(Verdict::Fail);
    ASSERT_GT(failing, 1);
    EXPECT_EQ(statusText(result), "Kontrast: " + std::to_string(failing) + " Probleme");
    EXPECT_EQ(formatSummary(result),
              std::to_string(result.pairs.size()) + " pairs: " + std::to_string(result.count(Verdict::Pass)) +
                  " pass, " + std::to_string(failing) + " FAIL, " +
                  std::to_string(result.count(Verdict::NotShown)) + " not shown; AA not met");
    result.pairs.erase(std::remove_if(result.pairs.begin(), result.pairs.end(),
                                      [](const PairResult &p) { return p.verdict == Verdict::Fail; }),
                       result.pairs.end());
    EXPECT_EQ(statusText(result), "Kontrast: AA erfüllt");
}

TEST(AuditTest, PlannedFixesMakeEveryPairPassAndChangeOnlyTextColours)
{
    LayoutModel model; // the defaults fail in several places
    model.setSwitch(&layout::PaneSwitches::showInfoBar, true);
    const AuditSwitches switches{true};
    ASSERT_FALSE(runAudit(model, switches, Level::AA).passes());
    const std::vector<layout::ValueChange> changes = planFixes(model, switches, Level::AA);
    ASSERT_FALSE(changes.empty());
    LayoutModel fixed = model;
    for (const layout::ValueChange &change : changes) {
        EXPECT_EQ(change.previous, formatColor(*colorField(model, change.key))) << change.key;
        const bool isTextField = std::ranges::any_of(
            layoutPairs(model), [&](const Pair &p) { return p.foreground == change.key; });
        EXPECT_TRUE(isTextField) << change.key;
        ASSERT_TRUE(setColorField(fixed, change.key, *parseColor(change.value)));
    }
    const AuditResult after = runAudit(fixed, switches, Level::AA);
    for (const PairResult &pair : after.pairs)
        EXPECT_NE(pair.verdict, Verdict::Fail) << formatLine(pair);
    // Nothing left to fix: nothing planned.
    EXPECT_TRUE(planFixes(fixed, switches, Level::AA).empty());
}

// A picture behind the page, fixed for the test.
class PictureBackdrop final : public BackdropSource {
public:
    const image::BitmapImage *picture = nullptr;
    std::optional<Backdrop> backdrop(const Pair &pair) const override
    {
        if (pair.region != RegionId::KwApplication)
            return std::nullopt;
        Backdrop backdrop;
        backdrop.pictureName = "stripes.png";
        backdrop.placement = {picture, {true, true}, 100, 100};
        backdrop.textAreas = {{0, 0, 100, 100}};
        return backdrop;
    }
};

TEST(AuditTest, TextOnAPictureIsMeasuredAgainstItsPixels)
{
    LayoutModel model; // black text on a white page
    image::BitmapImage picture;
    picture.allocate(10, 10, 24); // all black
    PictureBackdrop backdrop;
    backdrop.picture = &picture;
    AuditResult result = runAudit(model, {}, Level::AA, &backdrop);
    const PairResult &text = find(result, "KwApplication/text");
    EXPECT_TRUE(text.overPicture());
    EXPECT_EQ(text.verdict, Verdict::Fail); // black on black, whatever the page colour says
    EXPECT_DOUBLE_EQ(*text.worstRatio, 1.0);
    EXPECT_FALSE(find(result, "KwApplication/portal").overPicture()); // in its own box
    addProposals(result);
    const PairResult &fixed = find(result, "KwApplication/text");
    ASSERT_EQ(fixed.proposals.size(), 1u); // no background proposal over a picture
    EXPECT_GE(fixed.proposals[0].ratio, 4.5);
    EXPECT_NE(formatLine(fixed).find("\t#FFFFFF+stripes.png\t1.00 (min 1.00)\t"), std::string::npos);

    // A picture that cannot be decoded: the colour alone, and said so.
    backdrop.picture = nullptr;
    result = runAudit(model, {}, Level::AA, &backdrop);
    const PairResult &unreadable = find(result, "KwApplication/text");
    EXPECT_TRUE(unreadable.pictureUnreadable);
    EXPECT_EQ(unreadable.verdict, Verdict::Pass);
    EXPECT_NE(formatLine(unreadable).find("#FFFFFF (Bild nicht lesbar: stripes.png)"), std::string::npos);
}

} // namespace
} // namespace kw::audit
