#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace kw::test {

void ScriptedPrompter::tell(std::string_view message)
{
    m_events.push_back({Event::Tell, std::string(message), 0, {}});
}

Prompter::Answer ScriptedPrompter::next(std::string_view question)
{
    m_events.push_back({Event::Ask, std::string(question), 0, {}});
    if (onAsk)
        onAsk(question);
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << question;
        return Answer::No;
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

Prompter::Answer ScriptedPrompter::ask(std::string_view question)
{
    const Answer a = next(question);
    if (a == Answer::Cancel)
        ADD_FAILURE() << "Cancel queued for a Yes/No question: " << question;
    return a;
}

Prompter::Answer ScriptedPrompter::askWithCancel(std::string_view question)
{
    return next(question);
}

void ScriptedPrompter::showExtendedError(StringId message, const ServerError &error)
{
    if (onError)
        onError(message);
    m_events.push_back(
        {Event::Error, std::string(loadString(message)), static_cast<int>(message), error.what()});
}

std::vector<std::string> ScriptedPrompter::questions() const
{
    std::vector<std::string> out;
    for (const Event &e : m_events)
        if (e.kind == Event::Ask)
            out.push_back(e.text);
    return out;
}

std::vector<int> ScriptedPrompter::errorIds() const
{
    std::vector<int> out;
    for (const Event &e : m_events)
        if (e.kind == Event::Error)
            out.push_back(e.messageId);
    return out;
}

std::vector<std::string> ScriptedPrompter::messages() const
{
    std::vector<std::string> out;
    for (const Event &e : m_events)
        if (e.kind == Event::Tell)
            out.push_back(e.text);
    return out;
}

std::string ScriptedPrompter::describe() const
{
    std::string out;
    for (const Event &e : m_events)
        out += (e.kind == Event::Ask    ? "ask: "
                : e.kind == Event::Tell ? "tell: "
                                        : "error: ") +
               e.text + (e.serverMessage.empty() ? "" : " (" + e.serverMessage + ")") + "\n";
    return out;
}

} // namespace kw::test
