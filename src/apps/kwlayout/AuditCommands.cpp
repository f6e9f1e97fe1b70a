// `kwlayout audit` (the contrast of every colour pair of a layout, with fixes) and `kwlayout sample-page`.
#include "CliInteraction.h"
#include "Commands.h"
#include "JsonOutput.h"

#include "audit/Audit.h"
#include "base/StringTable.h"
#include "base/SystemErrorText.h"
#include "layout/LayoutList.h"
#include "layout/SamplePage.h"
#include "layout/ValueChanges.h"
#include "portalpage/PreviewContrast.h"

#include <cmath>
#include <iostream>
#include <ostream>
#include <stdexcept>

namespace kw::cli {

namespace {

struct AuditOptions {
    std::string name;
    audit::Level level = audit::Level::AA;
    bool fix = false;
};

AuditOptions auditOptions(const Invocation &invocation)
{
    AuditOptions options;
    bool named = false;
    const std::vector<std::string> &args = invocation.args;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--fix") {
            options.fix = true;
        } else if (args[i] == "--level") {
            const auto level = i + 1 < args.size() ? audit::levelByName(args[i + 1]) : std::nullopt;
            if (!level)
                throw std::invalid_argument("--level takes AA or AAA");
            options.level = *level;
            ++i;
        } else if (!named && !args[i].starts_with("-")) {
            options.name = args[i];
            named = true;
        } else {
            throw std::invalid_argument("unknown argument \"" + args[i] + "\" of audit");
        }
    }
    if (!named)
        throw std::invalid_argument("audit needs the name of a layout");
    return options;
}

// Ratios and distances to four decimals, as numbers.
double rounded(double value)
{
    return std::round(value * 10000) / 10000;
}

nlohmann::ordered_json pairJson(const audit::PairResult &p)
{
    nlohmann::ordered_json pair = {{"id", p.pair.id()},
                                   {"foregroundField", p.pair.foreground},
                                   {"backgroundField", p.pair.background},
                                   {"foreground", formatColor(p.foreground)},
                                   {"background", formatColor(p.background)},
                                   {"fontSize", p.fontSize},
                                   {"fontWeight", p.fontWeight},
                                   {"largeText", p.largeText},
                                   {"ratio", rounded(p.ratio)},
                                   {"needed", rounded(p.needed)},
                                   {"verdict", audit::verdictText(p.verdict)}};
    if (!p.picture.empty()) {
        pair["picture"] = p.picture;
        pair["pictureUnreadable"] = p.pictureUnreadable;
    }
    if (p.worstRatio)
        pair["worstRatio"] = rounded(*p.worstRatio);
    nlohmann::ordered_json proposals = nlohmann::ordered_json::array();
    for (const audit::Proposal &proposal : p.proposals)
        proposals.push_back({{"field", proposal.field},
                             {"color", formatColor(proposal.color)},
                             {"ratio", rounded(proposal.ratio)},
                             {"distance", rounded(proposal.distance)}});
    pair["proposals"] = std::move(proposals);
    return pair;
}

// The audit as JSON: every pair, the summary, the changes --fix plans and whether they were applied.
void printJson(std::ostream &out, const std::string &title, const audit::AuditResult &result,
               const std::vector<layout::ValueChange> &changes, bool applied)
{
    nlohmann::ordered_json pairs = nlohmann::ordered_json::array();
    for (const audit::PairResult &p : result.pairs)
        pairs.push_back(pairJson(p));
    nlohmann::ordered_json planned = nlohmann::ordered_json::array();
    for (const layout::ValueChange &change : changes)
        planned.push_back({{"field", change.key}, {"from", change.previous}, {"to", change.value}});
    const nlohmann::ordered_json document = {{"layout", title},
                                             {"level", audit::levelName(result.level)},
                                             {"pairs", std::move(pairs)},
                                             {"summary",
                                              {{"pairs", result.pairs.size()},
                                               {"pass", result.count(audit::Verdict::Pass)},
                                               {"fail", result.count(audit::Verdict::Fail)},
                                               {"notShown", result.count(audit::Verdict::NotShown)}}},
                                             {"changes", std::move(planned)},
                                             {"applied", applied}};
    writeJson(out, document);
}

// The audit of the document as it stands: the preview's pictures and text areas, then the proposals.
audit::AuditResult auditDocument(PortalSession &session, audit::Level level,
                                 std::vector<layout::ValueChange> *fixes = nullptr)
{
    layout::LayoutDocument &document = session.document();
    const portalpage::HeadlessPreview preview(session.env(), session.prompter(), document.model());
    const portalpage::PreviewBackdrops backdrops(preview.pane(layout::Pane::StartPage),
                                                 preview.pane(layout::Pane::ApplicationPages));
    const audit::AuditSwitches switches{document.flags().buttonStylesLoaded};
    audit::AuditResult result = audit::runAudit(document.model(), switches, level, &backdrops);
    audit::addProposals(result);
    if (fixes)
        *fixes = audit::planFixes(document.model(), switches, level, &backdrops);
    return result;
}

} // namespace

namespace {

int runAuditCommand(const Invocation &invocation, std::ostream &out)
{
    const AuditOptions options = auditOptions(invocation);
    PortalSession session(invocation);
    // Only --fix writes: the audit alone reads the layout as `show` does, without the portal's write lock.
    if (!(options.fix ? session.open(options.name) : session.openToShow(options.name)))
        return 2;
    layout::LayoutDocument &document = session.document();
    // The changes are planned for --fix, and for --json, which always lists them.
    std::vector<layout::ValueChange> fixes;
    const bool plan = options.fix || invocation.json;
    const audit::AuditResult before = auditDocument(session, options.level, plan ? &fixes : nullptr);
    if (!invocation.json) {
        for (const audit::PairResult &pair : before.pairs)
            out << audit::formatLine(pair) << "\n";
        out << audit::formatSummary(before) << "\n";
    }
    if (!options.fix) {
        if (invocation.json)
            printJson(out, document.title(), before, fixes, false);
        return before.passes() ? 0 : 1;
    }

    bool applied = false;
    if (before.passes()) {
        std::cerr << "kwlayout: nothing to fix: every shown pair meets " << audit::levelName(options.level)
                  << "; nothing was changed\n";
    } else if (fixes.empty()) {
        std::cerr << "kwlayout: nothing to fix: no failing pair can be mended by its text colour; nothing "
                     "was changed\n";
    } else {
        // Publishing the active layout is confirmed as always; a named layout is saved as `set` saves it.
        bool go = invocation.answer != false;
        if (go && document.isActive()) {
            try {
                go = session.prompter().ask(StringId::AskSaveAsActive) == Prompter::Answer::Yes;
            } catch (const UnansweredQuestion &question) {
                std::cerr << "kwlayout: " << question.what() << "\n";
                return 2;
            }
        }
        if (go) {
            layout::applyValueChanges(document, fixes, "Kontrast verbessern");
            document.saveLayout(false);
            if (session.status() != 0)
                return 2;
            applied = true;
        }
        for (const layout::ValueChange &change : fixes)
            std::cerr << "kwlayout: " << (applied ? "fixed " : "would fix ") << change.key << " "
                      << change.previous << " -> " << change.value << "\n";
    }
    const audit::AuditResult after = applied ? auditDocument(session, options.level) : before;
    if (invocation.json)
        printJson(out, document.title(), after, fixes, applied);
    else if (applied)
        out << "after the fixes: " << audit::formatSummary(after) << "\n";
    return after.passes() ? 0 : 1;
}

} // namespace

int audit(const Invocation &invocation, std::ostream &out)
{
    // Like diff: 2 for every error, so that 1 always means a failing pair.
    try {
        return runAuditCommand(invocation, out);
    } catch (const ServerError &error) {
        std::cerr << "kwlayout: " << error.what() << "\n";
    } catch (const std::runtime_error &error) {
        std::cerr << "kwlayout: " << error.what() << "\n";
    }
    return 2;
}

int samplePage(const Invocation &invocation, std::ostream &out)
{
    PortalSession session(invocation);
    if (!session.openToShow(invocation.args[0]))
        return 1;
    std::filesystem::path index;
    try {
        index = layout::writeSamplePage(session.document(), session.env(), invocation.args[1]);
    } catch (const std::filesystem::filesystem_error &error) {
        // The library's English text stays out: the file and the reason in German.
        throw std::runtime_error("Die Beispielseite kann nicht nach " + invocation.args[1] +
                                 " geschrieben werden: " + error.path1().string() + ": " +
                                 systemErrorText(error.code()) + ".");
    }
    out << "Wrote " << index.string() << "\n";
    return session.status();
}

} // namespace kw::cli
