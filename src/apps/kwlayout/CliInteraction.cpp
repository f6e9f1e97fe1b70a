#include "CliInteraction.h"

namespace kw::cli {

void CliPrompter::tell(std::string_view message)
{
    m_err << message << "\n";
}

Prompter::Answer CliPrompter::ask(std::string_view question)
{
    const std::string text(question);
    if (m_answer) {
        m_err << text << " -> " << (*m_answer ? "Ja (--yes)" : "Nein (--no)") << "\n";
        return *m_answer ? Answer::Yes : Answer::No;
    }
    if (m_implied.count(text)) {
        m_err << text << " -> Ja\n";
        return Answer::Yes;
    }
    throw UnansweredQuestion("this needs an answer to the question \"" + text +
                             "\": repeat with --yes or --no");
}

void CliPrompter::showExtendedError(StringId message, const ServerError &error)
{
    m_failed = true;
    m_err << loadString(message) << "\n  " << error.what() << "\n";
}

DiscardedBatch::DiscardedBatch(const server::Environment &env, const std::string &name)
    : m_publishing(server::createObject<server::IPublishing>(*env.factory))
{
    m_publishing->AttachSession(env.session);
    m_publishing->BatchBeginTrial(name);
}

DiscardedBatch::~DiscardedBatch()
{
    try {
        m_publishing->BatchDiscard();
    } catch (const ServerError &) {
        // Nothing was published: nothing to undo.
    }
}

} // namespace kw::cli
