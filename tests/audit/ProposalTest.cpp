// Proposals: the colour found passes, and no colour of a coarse grid that passes lies nearer.
#include "audit/Proposal.h"
#include "audit/Contrast.h"
#include "audit/Oklab.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kw::audit {
namespace {

// The nearest passing colour among every colour whose channels are multiples of 15, by brute force.
double bruteForceDistance(Color from, const LuminanceTest &passes)
{
    const Lab origin = toOklab(from);
    double best = std::numeric_limits<double>::infinity();
    for (unsigned r = 0; r <= 255; r += 15)
        for (unsigned g = 0; g <= 255; g += 15)
            for (unsigned b = 0; b <= 255; b += 15) {
                const Color c = rgb(r, g, b);
                if (passes(relativeLuminance(c)))
                    best = std::min(best, distance(origin, toOklab(c)));
            }
    return best;
}

TEST(ProposalTest, PassesAndIsNearestAgainstABruteForceSearch)
{
    struct Case {
        Color text, background;
        double needed;
    };
    const Case cases[] = {
        {rgb(0x77, 0x77, 0x77), rgb(255, 255, 255), 4.5},    // grey on white
        {rgb(0xFF, 0xD9, 0x66), rgb(0xFF, 0xFF, 0xFF), 4.5}, // yellow on white: darker
        {rgb(0x2E, 0x5A, 0x88), rgb(0x1F, 0x3B, 0x5C), 4.5}, // blue on dark blue: lighter
        {rgb(0xC0, 0x39, 0x2B), rgb(0x88, 0xC0, 0xB8), 7.0}, // red on teal, AAA
        {rgb(0x48, 0x90, 0x88), rgb(0x48, 0x90, 0x88), 3.0}, // the same colour
        {rgb(0x80, 0x80, 0x80), rgb(0x76, 0x76, 0x76), 4.5}, // mid grey on mid grey: either way is far
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(formatColor(c.text) + " on " + formatColor(c.background));
        const LuminanceTest passes = passesAgainst(relativeLuminance(c.background), c.needed);
        const auto found = nearestPassingColor(c.text, passes);
        ASSERT_TRUE(found);
        EXPECT_GE(contrastRatio(found->color, c.background), c.needed);
        EXPECT_NEAR(found->distance, distance(toOklab(c.text), toOklab(found->color)), 1e-12);
        EXPECT_LE(found->distance, bruteForceDistance(c.text, passes) + kHueTolerance + 1e-9);
    }
}

TEST(ProposalTest, KeepsTheHueWhereItCan)
{
    // A mid blue on white goes darker along its own hue.
    const Color blue = rgb(0x40, 0x80, 0xE0);
    const auto found = nearestPassingColor(blue, passesAgainst(relativeLuminance(rgb(255, 255, 255)), 4.5));
    ASSERT_TRUE(found);
    const Lab from = toOklab(blue), to = toOklab(found->color);
    EXPECT_LT(to.L, from.L);
    EXPECT_NEAR(std::atan2(to.b, to.a), std::atan2(from.b, from.a), 0.05);
}

TEST(ProposalTest, NothingWhenNoColourPasses)
{
    // 21:1 is reached by black and white only, and not against a mid grey.
    EXPECT_FALSE(
        nearestPassingColor(rgb(10, 20, 30), passesAgainst(relativeLuminance(rgb(128, 128, 128)), 21)));
}

TEST(ProposalTest, OklabRoundTrips)
{
    for (const Color c : {rgb(0, 0, 0), rgb(255, 255, 255), rgb(0x12, 0x34, 0x56), rgb(255, 0, 0)}) {
        const auto back = fromOklab(toOklab(c));
        ASSERT_TRUE(back);
        EXPECT_EQ(*back, c);
    }
    EXPECT_FALSE(fromOklab({0.5, 0.4, 0.4})); // far outside sRGB
}

} // namespace
} // namespace kw::audit
