// The prompters the benchmarks run the document with: nobody answers questions there.
#pragma once

#include "base/Prompter.h"
#include "base/ServerError.h"
#include "base/StringTable.h"

#include <iostream>
#include <string_view>

namespace kw::bench {

/// Says Yes to every question and lets server errors out, so a benchmark stops at the first one.
class AgreeingPrompter final : public Prompter {
public:
    void tell(std::string_view) override {}
    Answer ask(std::string_view) override { return Answer::Yes; }
    void showExtendedError(StringId, const ServerError &error) override { throw error; }
};

/// Says No to every question and prints messages and errors on standard error.
class LoggingPrompter final : public Prompter {
public:
    void tell(std::string_view message) override { std::cerr << message << '\n'; }
    Answer ask(std::string_view) override { return Answer::No; }
    void showExtendedError(StringId message, const ServerError &error) override
    {
        std::cerr << loadString(message) << ' ' << error.what() << '\n';
    }
};

} // namespace kw::bench
