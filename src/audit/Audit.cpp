#include "audit/Audit.h"

#include "audit/Oklab.h"
#include "audit/Proposal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

namespace kw::audit {

namespace {

constexpr std::string_view kUnreadablePicture = "Bild nicht lesbar";

PairResult measure(const Pair &pair, const layout::LayoutModel &model, const AuditSwitches &switches,
                   Level level, const BackdropSource *backdrops)
{
    PairResult result;
    result.pair = pair;
    result.foreground = colorField(model, pair.foreground).value_or(0);
    result.background = colorField(model, pair.background).value_or(0);
    result.fontSize = pair.size.empty() ? 0 : intField(model, pair.size).value_or(0);
    result.fontWeight = weightField(model, pair.weight);
    result.largeText = isLargeText(result.fontSize, result.fontWeight);
    result.needed = requiredRatio(level, result.largeText);
    if (backdrops && pair.onRegionBackground()) {
        if (const std::optional<Backdrop> backdrop = backdrops->backdrop(pair)) {
            result.picture = backdrop->pictureName;
            if (!backdrop->placement.picture || backdrop->placement.picture->empty()) {
                result.pictureUnreadable = true;
            } else {
                result.pixels = std::make_shared<PixelLuminances>(backdrop->placement, result.background,
                                                                  backdrop->textAreas);
                if (result.pixels->empty())
                    result.pixels.reset(); // no text falls on the region: the colour alone
            }
        }
    }
    const double text = relativeLuminance(result.foreground);
    if (result.pixels) {
        result.ratio = result.pixels->shareRatio(text);
        result.worstRatio = result.pixels->worstRatio(text);
    } else {
        result.ratio = contrastRatio(result.foreground, result.background);
    }
    if (!isShown(pair, model, switches))
        result.verdict = Verdict::NotShown;
    else
        result.verdict = result.ratio >= result.needed ? Verdict::Pass : Verdict::Fail;
    return result;
}

std::string formatDistance(double distance)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", distance * 100);
    return buffer;
}

std::string backgroundText(const PairResult &pair)
{
    std::string text = formatColor(pair.background);
    if (pair.pictureUnreadable)
        text += " (" + std::string(kUnreadablePicture) + ": " + pair.picture + ")";
    else if (pair.overPicture())
        text += "+" + pair.picture;
    return text;
}

} // namespace

std::string_view verdictText(Verdict verdict)
{
    switch (verdict) {
    case Verdict::Pass:
        return "pass";
    case Verdict::Fail:
        return "FAIL";
    case Verdict::NotShown:
        return "not shown";
    }
    return "";
}

int AuditResult::count(Verdict verdict) const
{
    return static_cast<int>(
        std::ranges::count_if(pairs, [verdict](const PairResult &pair) { return pair.verdict == verdict; }));
}

AuditResult runAudit(const layout::LayoutModel &model, const AuditSwitches &switches, Level level,
                     const BackdropSource *backdrops)
{
    AuditResult result;
    result.level = level;
    for (const Pair &pair : layoutPairs(model))
        result.pairs.push_back(measure(pair, model, switches, level, backdrops));
    return result;
}

void addProposals(AuditResult &result)
{
    for (PairResult &pair : result.pairs) {
        pair.proposals.clear();
        if (pair.verdict != Verdict::Fail)
            continue;
        const LuminanceTest textTest = pair.pixels
                                           ? pair.pixels->test(pair.needed)
                                           : passesAgainst(relativeLuminance(pair.background), pair.needed);
        if (const auto text = nearestPassingColor(pair.foreground, textTest)) {
            const double luminance = relativeLuminance(text->color);
            const double ratio = pair.pixels ? pair.pixels->shareRatio(luminance)
                                             : contrastRatio(text->color, pair.background);
            pair.proposals.push_back({pair.pair.foreground, text->color, ratio, text->distance});
        }
        if (pair.pixels)
            continue; // the picture stays whatever colour lies under it
        const auto background = nearestPassingColor(
            pair.background, passesAgainst(relativeLuminance(pair.foreground), pair.needed));
        if (background)
            pair.proposals.push_back({pair.pair.background, background->color,
                                      contrastRatio(pair.foreground, background->color),
                                      background->distance});
    }
}

layout::ValueChange changeOf(const PairResult &pair, const Proposal &proposal)
{
    const Color previous = proposal.field == pair.pair.foreground ? pair.foreground : pair.background;
    return {proposal.field, formatColor(proposal.color), formatColor(previous)};
}

std::vector<layout::ValueChange> planFixes(const layout::LayoutModel &model, const AuditSwitches &switches,
                                           Level level, const BackdropSource *backdrops)
{
    layout::LayoutModel fixed = model;
    std::map<std::string, Color> original; // field -> colour before the first change, in name order
    for (int round = 0; round < 4; ++round) {
        AuditResult result = runAudit(fixed, switches, level, backdrops);
        addProposals(result);
        // Per field the proposal that moves it farthest; the next round audits again and mends what that
        // colour leaves failing in the field's other pairs.
        std::map<std::string, const Proposal *> chosen;
        for (const PairResult &pair : result.pairs) {
            if (pair.verdict != Verdict::Fail || pair.proposals.empty() ||
                pair.proposals.front().field != pair.pair.foreground)
                continue;
            const Proposal &proposal = pair.proposals.front();
            const Proposal *&current = chosen[proposal.field];
            if (!current || proposal.distance > current->distance)
                current = &proposal;
        }
        bool changed = false;
        for (const auto &[field, proposal] : chosen) {
            const Color before = colorField(fixed, field).value_or(0);
            if (before == proposal->color)
                continue;
            original.try_emplace(field, before);
            setColorField(fixed, field, proposal->color);
            changed = true;
        }
        if (!changed)
            break;
    }
    std::vector<layout::ValueChange> changes;
    for (const auto &[field, before] : original) {
        const Color after = colorField(fixed, field).value_or(before);
        if (after != before)
            changes.push_back({field, formatColor(after), formatColor(before)});
    }
    return changes;
}

std::string formatLine(const PairResult &pair)
{
    std::string ratio = formatRatio(pair.ratio);
    if (pair.worstRatio)
        ratio += " (min " + formatRatio(*pair.worstRatio) + ")";
    std::string proposals;
    for (const Proposal &proposal : pair.proposals) {
        if (!proposals.empty())
            proposals += "; ";
        proposals += proposal.field + "=" + formatColor(proposal.color) + " (" + formatRatio(proposal.ratio) +
                     ":1, dE " + formatDistance(proposal.distance) + ")";
    }
    if (proposals.empty())
        proposals = "-";
    return pair.pair.id() + "\t" + formatColor(pair.foreground) + "\t" + backgroundText(pair) + "\t" + ratio +
           "\t" + formatRatio(pair.needed) + "\t" + std::string(verdictText(pair.verdict)) + "\t" + proposals;
}

std::string formatSummary(const AuditResult &result)
{
    const int total = static_cast<int>(result.pairs.size());
    return std::to_string(total) + " pairs: " + std::to_string(result.count(Verdict::Pass)) + " pass, " +
           std::to_string(result.count(Verdict::Fail)) + " FAIL, " +
           std::to_string(result.count(Verdict::NotShown)) + " not shown; " +
           std::string(levelName(result.level)) + (result.passes() ? " met" : " not met");
}

std::string statusText(const AuditResult &result)
{
    const int failing = result.count(Verdict::Fail);
    if (failing == 0)
        return "Kontrast: " + std::string(levelName(result.level)) + " erfüllt";
    return "Kontrast: " + std::to_string(failing) + (failing == 1 ? " Problem" : " Probleme");
}

} // namespace kw::audit
