// A prompter for tests: answers questions from a script and records everything it was shown.
#pragma once

#include "base/Prompter.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace kw::test {

class ScriptedPrompter final : public Prompter {
public:
    struct Event {
        enum Kind { Tell, Ask, Error } kind;
        std::string text;  // message or question
        int messageId = 0; // for errors: the string id
        std::string serverMessage;
    };

    /// Queues answers for the next questions; a question with no queued answer fails the test.
    void answer(Answer a) { m_answers.push_back(a); }
    void answerYes() { answer(Answer::Yes); }
    void answerNo() { answer(Answer::No); }
    void answerCancel() { answer(Answer::Cancel); }

    void tell(std::string_view message) override;
    Answer ask(std::string_view question) override;
    /// Answered from the same script; a Cancel queued for a Yes/No question fails the test.
    Answer askWithCancel(std::string_view question) override;
    void showExtendedError(StringId message, const ServerError &error) override;
    using Prompter::ask;
    using Prompter::askWithCancel;
    using Prompter::tell;

    const std::vector<Event> &events() const { return m_events; }
    std::vector<std::string> questions() const;
    std::vector<int> errorIds() const;
    std::vector<std::string> messages() const;
    bool allAnswersUsed() const { return m_answers.empty(); }
    /// Everything shown so far, one line each (for failure messages).
    std::string describe() const;
    void clear() { m_events.clear(); }

    /// Runs at every question, before it is answered (what a test wants to look at while it is shown).
    std::function<void(std::string_view question)> onAsk;
    /// Runs at every extended error, as it is shown.
    std::function<void(StringId message)> onError;

private:
    Answer next(std::string_view question);

    std::deque<Answer> m_answers;
    std::vector<Event> m_events;
};

} // namespace kw::test
