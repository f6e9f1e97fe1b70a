// kwlayout: the layout designer's functions on the command line, for scripts and headless servers.
#include "Commands.h"
#include "Usage.h"

#include "base/ServerError.h"

#include <cstring>
#include <iostream>

int main(int argc, char **argv)
{
    kw::cli::Invocation invocation;
    const kw::cli::Command *command = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](const char *option) -> std::string {
            if (i + 1 >= argc) {
                std::cerr << "kwlayout: " << option << " needs a value\n";
                std::exit(2);
            }
            return argv[++i];
        };
        if (arg == "--portal")
            invocation.portal = value("--portal");
        else if (arg == "--user")
            invocation.user = value("--user");
        else if (arg == "--json")
            invocation.json = true;
        else if (arg == "--demo")
            invocation.demo = true;
        else if (arg == "--force")
            invocation.force = true;
        else if (arg == "--yes")
            invocation.answer = true;
        else if (arg == "--no")
            invocation.answer = false;
        else if (arg == "--help" || arg == "-h") {
            if (command)
                kw::cli::printCommandHelp(std::cout, *command);
            else
                kw::cli::printUsage(std::cout);
            return 0;
        } else if (arg == "--version") {
            std::cout << "kwlayout " KW_VERSION "\n";
            return 0;
        } else if (!command && arg.size() > 0 && arg[0] != '-') {
            for (const kw::cli::Command &candidate : kw::cli::commands())
                if (arg == candidate.name)
                    command = &candidate;
            if (!command) {
                std::cerr << "kwlayout: unknown command \"" << arg << "\"\n";
                kw::cli::printUsage(std::cerr);
                return 2;
            }
        } else if (command) {
            invocation.args.push_back(arg);
        } else {
            std::cerr << "kwlayout: unknown option \"" << arg << "\"\n";
            return 2;
        }
    }
    if (!command) {
        kw::cli::printUsage(std::cerr);
        return 2;
    }
    if (invocation.portal.empty() && command->needsPortal) {
        std::cerr << "kwlayout: --portal DIR is required\n";
        return 2;
    }
    const int count = static_cast<int>(invocation.args.size());
    if (count < command->minArgs || (command->maxArgs >= 0 && count > command->maxArgs)) {
        std::cerr << "kwlayout: usage: kwlayout --portal DIR " << command->usage << "\n";
        return 2;
    }
    try {
        return kw::cli::runWithAnswers(*command, invocation, std::cout);
    } catch (const kw::ServerError &error) {
        std::cerr << "kwlayout: " << error.what() << "\n";
    } catch (const std::exception &error) {
        std::cerr << "kwlayout: " << error.what() << "\n";
    }
    return 1;
}
