// How the core talks to the user: messages, Yes/No questions, server errors and the wait box.
#pragma once

#include "base/ServerError.h"
#include "base/StringTable.h"

#include <string_view>

namespace kw {

/// Message boxes and questions. The window shows them in dialogs, the command line answers them from its
/// flags, tests answer them from a script. Questions are Yes/No, or Yes/No/Cancel where the user may also
/// step back.
class Prompter {
public:
    enum class Answer { Yes, No, Cancel };

    virtual ~Prompter() = default;
    /// A plain message (input errors, refusals).
    virtual void tell(std::string_view message) = 0;
    /// A Yes/No question.
    virtual Answer ask(std::string_view question) = 0;
    /// A Yes/No/Cancel question ("Ja", "Nein", "Abbrechen"); closing it (Escape) answers Cancel. Prompters
    /// that cannot offer Cancel (answers given in advance) ask it as a Yes/No question.
    virtual Answer askWithCancel(std::string_view question) { return ask(question); }
    /// The shared error dialog: the message of the string table together with the server's error.
    virtual void showExtendedError(StringId message, const ServerError &error) = 0;

    void tell(StringId message) { tell(loadString(message)); }
    Answer ask(StringId question) { return ask(loadString(question)); }
    Answer askWithCancel(StringId question) { return askWithCancel(loadString(question)); }
};

/// The shared wait box shown during long loads and saves.
class WaitIndicator {
public:
    virtual ~WaitIndicator() = default;
    virtual void show(std::string_view text) = 0;
    virtual void close() = 0;
};

/// A wait indicator that shows nothing (command line, tests that do not care).
class NoWaitIndicator final : public WaitIndicator {
public:
    void show(std::string_view) override {}
    void close() override {}
};

/// Shows the wait indicator for the lifetime of the object, closing it on every path.
class WaitScope {
public:
    WaitScope(WaitIndicator &indicator, std::string_view text) : m_indicator(indicator)
    {
        indicator.show(text);
    }
    ~WaitScope() { m_indicator.close(); }
    WaitScope(const WaitScope &) = delete;
    WaitScope &operator=(const WaitScope &) = delete;

private:
    WaitIndicator &m_indicator;
};

} // namespace kw
