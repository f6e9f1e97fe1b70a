// What a user reads about kwlayout agrees with what it dispatches: the help, each command's own help,
// the manual page and the shell completion all name every command of the table.
#include "Commands.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace kw::test {
namespace {

struct Output {
    int status = -1;
    std::string text;
};

Output run(const std::string &command)
{
    Output result;
    FILE *pipe = ::popen((command + " 2>&1").c_str(), "r");
    std::array<char, 4096> buffer;
    while (std::size_t n = std::fread(buffer.data(), 1, buffer.size(), pipe))
        result.text.append(buffer.data(), n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

const std::string kKwlayout = std::string(KW_BINARY_DIR) + "/bin/kwlayout";
const std::string kPackaging = std::string(KW_SOURCE_DIR) + "/packaging";

std::string slurp(const std::string &path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The words the completion offers after `kwlayout ARGS` with `current` being typed.
std::vector<std::string> complete(const std::string &arguments, const std::string &current)
{
    const std::string script = "source '" + kPackaging + "/bash-completion/kwlayout'; COMP_WORDS=(" +
                               kKwlayout + " " + arguments + " '" + current +
                               "'); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _kwlayout; printf '%s\\n' "
                               "\"${COMPREPLY[@]}\"";
    const Output out = run("bash -c \"$(cat <<'KWEOF'\n" + script + "\nKWEOF\n)\"");
    std::vector<std::string> words;
    std::istringstream lines(out.text);
    for (std::string line; std::getline(lines, line);)
        if (!line.empty())
            words.push_back(line);
    return words;
}

bool contains(const std::vector<std::string> &words, const std::string &word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

TEST(KwlayoutHelp, HelpAndEachCommandsHelpShowItsUsage)
{
    const Output help = run(kKwlayout + " --help");
    ASSERT_EQ(help.status, 0) << help.text;
    ASSERT_FALSE(cli::commands().empty());
    for (const cli::Command &command : cli::commands()) {
        EXPECT_NE(help.text.find("\n  " + std::string(command.usage) + "\n"), std::string::npos)
            << command.name;
        const Output own = run(kKwlayout + " " + command.name + " --help");
        EXPECT_EQ(own.status, 0) << command.name;
        EXPECT_NE(own.text.find(command.usage), std::string::npos) << own.text;
        EXPECT_NE(own.text.find(command.help), std::string::npos) << own.text;
    }
    const Output version = run(kKwlayout + " --version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.text, "kwlayout " KW_VERSION "\n");
}

TEST(KwlayoutHelp, TheManualPageDocumentsEveryCommand)
{
    const std::string page = slurp(kPackaging + "/man/kwlayout.1");
    const std::size_t commandsSection = page.find(".SH COMMANDS");
    const std::size_t nextSection = page.find(".SH ", commandsSection + 1);
    ASSERT_NE(commandsSection, std::string::npos);
    const std::string section = page.substr(commandsSection, nextSection - commandsSection);
    for (const cli::Command &command : cli::commands())
        EXPECT_NE(section.find("\n.TP\n.B " + std::string(command.name) + " "), std::string::npos)
            << "kwlayout.1 does not document " << command.name;
}

TEST(KwlayoutHelp, CompletionOffersCommandsOptionsAndTheLayoutsOfThePortal)
{
    const std::vector<std::string> commands = complete("", "");
    for (const cli::Command &command : cli::commands())
        EXPECT_TRUE(contains(commands, command.name)) << command.name;
    EXPECT_EQ(complete("", "ac"), std::vector<std::string>{"activate"});
    EXPECT_TRUE(contains(complete("", "--p"), "--portal"));
    EXPECT_TRUE(contains(complete("country-settings", "--for"), "--format"));
    EXPECT_TRUE(contains(complete("start-page", "--a"), "--anonymous"));
    EXPECT_EQ(complete("start-page --main", ""), (std::vector<std::string>{"standard", "custom", "page:"}));
    EXPECT_EQ(complete("menu", "re"), std::vector<std::string>{"rename"});
    EXPECT_EQ(complete("menu move Team", ""), (std::vector<std::string>{"up", "down"}));
    EXPECT_TRUE(contains(complete("menu add X", "--b"), "--before"));
    EXPECT_EQ(complete("audit X --level", ""), (std::vector<std::string>{"AA", "AAA"}));
    EXPECT_TRUE(contains(complete("audit X", "--f"), "--fix"));

    TempDir dir;
    const std::string portal = (dir.path() / "portal").string();
    ASSERT_EQ(run(kKwlayout + " --portal '" + portal + "' portal-init --demo").status, 0);
    const std::vector<std::string> layouts = complete("--portal '" + portal + "' show", "");
    EXPECT_TRUE(contains(layouts, "Aktives\\ Layout")) << layouts.size();
    EXPECT_TRUE(contains(layouts, "Blau"));
    EXPECT_EQ(complete("--portal '" + portal + "' activate", "He"), std::vector<std::string>{"Herbst"});
    EXPECT_EQ(complete("--portal '" + portal + "' audit", "He"), std::vector<std::string>{"Herbst"});
    EXPECT_EQ(complete("--portal '" + portal + "' sample-page", "Bl"), std::vector<std::string>{"Blau"});
    EXPECT_EQ(complete("--portal '" + portal + "' export", "He"), std::vector<std::string>{"Herbst"});
    EXPECT_TRUE(contains(complete("import x.kwlayout", "--"), "--as"));
    EXPECT_EQ(complete("--portal '" + portal + "' menu delete", "Pro"), std::vector<std::string>{"Projekte"});
    // Without a portal there is nothing to offer, and nothing is asked of the user.
    EXPECT_TRUE(complete("show", "").empty());
}

} // namespace
} // namespace kw::test
