// kwlayout history, rollback and diff: the publishing history of the portal, going back to the state after
// an activation, and what an activation or a rollback would change.
#include "CliInteraction.h"
#include "Commands.h"

#include "base/TextCodec.h"
#include "layout/LayoutDocument.h"
#include "publish/PublishingTexts.h"
#include "publish/UnifiedDiff.h"
#include "server/PortalAccess.h"

#include <charconv>
#include <iostream>
#include <ostream>
#include <stdexcept>

namespace kw::cli {

namespace {

using server::Ref;

Ref<server::IPublishing> publishingOf(const server::Environment &env)
{
    Ref<server::IPublishing> publishing = server::createObject<server::IPublishing>(*env.factory);
    publishing->AttachSession(env.session);
    return publishing;
}

std::int64_t historyId(const std::string &text)
{
    std::int64_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size() || id <= 0)
        throw std::invalid_argument("\"" + text + "\" is not the ID of a history entry");
    return id;
}

std::optional<std::string> textOf(const std::optional<server::Bytes> &bytes)
{
    if (!bytes)
        return std::nullopt;
    return cp1252ToUtf8(*bytes);
}

// Every change of a batch that activating a layout would publish; nothing is written.
std::vector<server::PendingChange> activationChanges(const Invocation &invocation, const std::string &name)
{
    PortalSession session(invocation);
    DiscardedBatch batch(session.env(), name);
    if (!session.openInTrial(name))
        throw ServerError(ServerError::Fail, "the layout \"" + name + "\" could not be read");
    session.prompter().implyYes(StringId::AskSaveAsActive);
    session.document().commandSaveAsActive();
    if (session.prompter().failed())
        throw ServerError(ServerError::Fail, "the activation would fail (see above)");
    return batch.publishing().BatchPending();
}

std::vector<server::PendingChange> rollbackChanges(const Invocation &invocation, std::int64_t id)
{
    const server::Environment env = openPortal(invocation);
    return server::rollbackChanges(*env.factory, env.session, id);
}

} // namespace

int history(const Invocation &invocation, std::ostream &out)
{
    const server::Environment env = openPortal(invocation);
    const auto entries = publishingOf(env)->HistoryEntries();
    if (invocation.json) {
        out << "[";
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const server::PublishEntry &e = entries[i];
            out << (i ? ",\n " : "") << "{\"id\": " << e.id << ", \"time\": " << jsonString(e.time)
                << ", \"user\": " << jsonString(e.user) << ", \"layout\": " << jsonString(e.layout)
                << ", \"rollback_of\": " << (e.rollbackOf ? std::to_string(e.rollbackOf) : "null") << "}";
        }
        out << "]\n";
        return 0;
    }
    for (const server::PublishEntry &e : entries)
        out << e.id << "\t" << e.time << "\t" << e.user << "\t" << e.layout << "\n";
    return 0;
}

int rollback(const Invocation &invocation, std::ostream &out)
{
    const std::int64_t id = historyId(invocation.args[0]);
    const server::Environment env = openPortal(invocation);
    Ref<server::IPublishing> publishing = publishingOf(env);
    std::string layout;
    for (const server::PublishEntry &entry : publishing->HistoryEntries())
        if (entry.id == id)
            layout = entry.layout;
    publishing->HistoryRollbackPending(id); // an unknown or refused entry is an error before the question
    CliPrompter prompter(invocation.answer, std::cerr);
    if (prompter.ask(publish::rollbackQuestion(publish::entryById(id, layout))) != Prompter::Answer::Yes)
        return 0;
    const std::int64_t entry = publishing->HistoryRollback(id);
    if (entry == 0)
        out << "The portal is in the state after " << id << " already; nothing was rolled back\n";
    else
        out << "Rolled back to the state after " << id << " (history entry " << entry << ")\n";
    return 0;
}

int diff(const Invocation &invocation, std::ostream &out)
{
    try {
        std::vector<server::PendingChange> changes;
        if (invocation.args[0] == "--history") {
            if (invocation.args.size() != 2)
                throw std::invalid_argument("usage: kwlayout --portal DIR diff --history ID");
            changes = rollbackChanges(invocation, historyId(invocation.args[1]));
        } else {
            if (invocation.args.size() != 1)
                throw std::invalid_argument("usage: kwlayout --portal DIR diff NAME");
            changes = activationChanges(invocation, invocation.args[0]);
        }
        bool differs = false;
        for (const server::PendingChange &change : changes) {
            const std::string text =
                publish::unifiedDiff(change.path, textOf(change.before), textOf(change.after));
            out << text;
            differs = differs || !text.empty();
        }
        return differs ? 1 : 0;
    } catch (const ServerError &error) {
        std::cerr << "kwlayout: " << error.what() << "\n";
    } catch (const std::exception &error) {
        std::cerr << "kwlayout: " << error.what() << "\n";
    }
    return 2;
}

} // namespace kw::cli
