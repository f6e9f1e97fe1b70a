// `kwlayout start-page`: the portal's start pages (KwStartPage.asp), on the same core as the dialog.
#include "CliInteraction.h"
#include "Commands.h"

#include "portalsettings/PortalStartPage.h"

#include <array>
#include <iostream>
#include <ostream>
#include <stdexcept>

namespace kw::cli {

namespace {

using portalsettings::StartPageTarget;
using portalsettings::StartPageValues;

/// The options, the printed names and the group each sets, in the order they are printed.
struct GroupOption {
    const char *name;
    StartPageTarget StartPageValues::*target;
};
constexpr std::array<GroupOption, 2> kGroupOptions = {{
    {"anonymous", &StartPageValues::anonymous},
    {"main", &StartPageValues::main},
}};

/// The printed words of choices 0 and 1; choice 2 is "page:" and the page.
constexpr std::array<std::string_view, 2> kChoiceWords = {"standard", "custom"};
constexpr std::string_view kPageWord = "page:";

std::string choiceText(const StartPageTarget &target)
{
    if (target.choice == portalsettings::AlternativeStartPage)
        return std::string(kPageWord) + target.page;
    return std::string(kChoiceWords.at(static_cast<std::size_t>(target.choice)));
}

StartPageTarget parseChoice(const std::string &option, const std::string &text)
{
    for (std::size_t choice = 0; choice < kChoiceWords.size(); ++choice)
        if (text == kChoiceWords[choice])
            return {static_cast<int>(choice), {}};
    if (!text.starts_with(kPageWord))
        throw std::invalid_argument(option + " is standard, custom or page:NAME, not \"" + text + "\"");
    const std::string page = text.substr(kPageWord.size());
    if (page.empty())
        throw std::invalid_argument(option + " page: needs the name of a page");
    if (page.find_first_of("\r\n") != std::string::npos)
        throw std::invalid_argument(option + " \"" + page + "\" holds a line break, which names no page");
    return {portalsettings::AlternativeStartPage, page};
}

void printStartPages(const StartPageValues &values, std::ostream &out)
{
    for (const GroupOption &option : kGroupOptions)
        out << option.name << "=" << choiceText(values.*option.target) << "\n";
}

} // namespace

int startPage(const Invocation &invocation, std::ostream &out)
{
    // Every option is checked before anything is read or written.
    StartPageValues given;
    std::array<bool, kGroupOptions.size()> isGiven{};
    for (std::size_t i = 0; i < invocation.args.size(); ++i) {
        const std::string &arg = invocation.args[i];
        std::size_t group = 0;
        while (group < kGroupOptions.size() && arg != std::string("--") + kGroupOptions[group].name)
            ++group;
        if (group == kGroupOptions.size())
            throw std::invalid_argument("unknown option \"" + arg + "\" of start-page");
        if (i + 1 >= invocation.args.size())
            throw std::invalid_argument(arg + " needs a value");
        given.*kGroupOptions[group].target = parseChoice(arg, invocation.args[++i]);
        isGiven[group] = true;
    }

    CliPrompter prompter(invocation.answer, std::cerr);
    portalsettings::PortalStartPage startPage(openPortal(invocation), prompter);
    const bool read = startPage.read();
    if (invocation.args.empty()) {
        printStartPages(startPage.controls, out);
        return read ? 0 : 1;
    }
    // As in the dialog, a script that could not be read is replaced by what the options and the
    // standard start pages make.
    for (std::size_t group = 0; group < kGroupOptions.size(); ++group)
        if (isGiven[group])
            startPage.controls.*kGroupOptions[group].target = given.*kGroupOptions[group].target;
    startPage.edited();
    switch (startPage.accept()) {
    case portalsettings::PortalStartPage::Outcome::Refused:
        return 2; // the message is out
    case portalsettings::PortalStartPage::Outcome::Declined:
        out << portalsettings::kStartPageScript << " stays unchanged\n";
        return 0;
    case portalsettings::PortalStartPage::Outcome::Failed:
        return 1;
    default:
        break;
    }
    out << "Saved " << portalsettings::kStartPageScript << "\n";
    printStartPages(startPage.controls, out);
    return 0;
}

} // namespace kw::cli
