// `kwlayout audit` (the contrast of every colour pair of a layout, with fixes) and `kwlayout sample-page`.
#include "CliInteraction.h"
#include "Commands.h"

#include "audit/Audit.h"
#include "base/StringTable.h"
#include "layout/LayoutList.h"
#include "layout/SamplePage.h"
#include "layout/ValueChanges.h"
#include "portalpage/PreviewContrast.h"

#include <cstdio>
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

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    return buffer;
}

void printJson(std::ostream &out, const std::string &title, const audit::AuditResult &result,
               const std::vector<layout::ValueChange> &changes)
{
    out << "{\"layout\": " << jsonString(title)
        << ", \"level\": " << jsonString(audit::levelName(result.level)) << ",\n \"pairs\": [";
    for (std::size_t i = 0; i < result.pairs.size(); ++i) {
        const audit::PairResult &p = result.pairs[i];
        out << (i ? ",\n  " : "\n  ") << "{\"id\": " << jsonString(p.pair.id())
            << ", \"foregroundField\": " << jsonString(p.pair.foreground)
            << ", \"backgroundField\": " << jsonString(p.pair.background)
            << ", \"foreground\": " << jsonString(formatColor(p.foreground))
            << ", \"background\": " << jsonString(formatColor(p.background))
            << ", \"fontSize\": " << p.fontSize << ", \"fontWeight\": " << p.fontWeight
            << ", \"largeText\": " << (p.largeText ? "true" : "false") << ", \"ratio\": " << number(p.ratio)
            << ", \"needed\": " << number(p.needed)
            << ", \"verdict\": " << jsonString(audit::verdictText(p.verdict));
        if (!p.picture.empty())
            out << ", \"picture\": " << jsonString(p.picture)
                << ", \"pictureUnreadable\": " << (p.pictureUnreadable ? "true" : "false");
        if (p.worstRatio)
            out << ", \"worstRatio\": " << number(*p.worstRatio);
        out << ", \"proposals\": [";
        for (std::size_t j = 0; j < p.proposals.size(); ++j)
            out << (j ? ", " : "") << "{\"field\": " << jsonString(p.proposals[j].field)
                << ", \"color\": " << jsonString(formatColor(p.proposals[j].color))
                << ", \"ratio\": " << number(p.proposals[j].ratio)
                << ", \"distance\": " << number(p.proposals[j].distance) << "}";
        out << "]}";
    }
    out << "],\n \"summary\": {\"pairs\": " << result.pairs.size()
        << ", \"pass\": " << result.count(audit::Verdict::Pass)
        << ", \"fail\": " << result.count(audit::Verdict::Fail)
        << ", \"notShown\": " << result.count(audit::Verdict::NotShown) << "},\n \"changes\": [";
    for (std::size_t i = 0; i < changes.size(); ++i)
        out << (i ? ", " : "") << "{\"field\": " << jsonString(changes[i].key)
            << ", \"from\": " << jsonString(changes[i].previous)
            << ", \"to\": " << jsonString(changes[i].value) << "}";
    out << "]}\n";
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
    std::vector<layout::ValueChange> fixes;
    const audit::AuditResult before = auditDocument(session, options.level, options.fix ? &fixes : nullptr);
    if (!invocation.json) {
        for (const audit::PairResult &pair : before.pairs)
            out << audit::formatLine(pair) << "\n";
        out << audit::formatSummary(before) << "\n";
    }
    if (!options.fix) {
        if (invocation.json)
            printJson(out, document.title(), before, {});
        return before.passes() ? 0 : 1;
    }

    std::vector<layout::ValueChange> applied;
    if (fixes.empty()) {
        std::cerr << "kwlayout: nothing to fix: no failing pair can be mended by its text colour\n";
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
        for (const layout::ValueChange &change : fixes)
            std::cerr << "kwlayout: " << (go ? "fixed " : "would fix ") << change.key << " "
                      << change.previous << " -> " << change.value << "\n";
        if (go) {
            layout::applyValueChanges(document, fixes, "Kontrast verbessern");
            document.saveLayout(false);
            if (session.status() != 0)
                return 2;
            applied = fixes;
        }
    }
    const audit::AuditResult after = applied.empty() ? before : auditDocument(session, options.level);
    if (invocation.json)
        printJson(out, document.title(), after, applied);
    else if (!applied.empty())
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
    const std::filesystem::path index =
        layout::writeSamplePage(session.document(), session.env(), invocation.args[1]);
    out << "Wrote " << index.string() << "\n";
    return session.status();
}

} // namespace kw::cli
