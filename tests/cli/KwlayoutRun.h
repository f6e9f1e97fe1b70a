// Running the built kwlayout (or any shell command) as a user does, collecting what it prints.
#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace kw::test {

struct Result {
    int status = -1;
    std::string out; // what the command printed on standard output
};

inline Result run(const std::string &command)
{
    Result result;
    FILE *pipe = ::popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        result.out.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

/// A word for the shell, taken literally whatever it holds.
inline std::string shellWord(const std::string &text)
{
    std::string word = "'";
    for (const char ch : text)
        word += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return word + "'";
}

/// The shell command that runs kwlayout on `portal` with `arguments`.
inline std::string kwlayoutCommand(const std::filesystem::path &portal, const std::string &arguments)
{
    return std::string(KW_BINARY_DIR) + "/bin/kwlayout --portal '" + portal.string() + "' " + arguments;
}

} // namespace kw::test
