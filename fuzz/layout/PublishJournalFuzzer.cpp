// The publish journal's reader on any input: it never crashes, it refuses (ServerError) what is damaged or
// names paths outside the portal, and a journal it accepts is written back to the same text and read back
// to the same journal.
#include "base/ServerError.h"
#include "server/PublishJournal.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    kw::server::Journal journal;
    try {
        journal = kw::server::parseJournal(text);
    } catch (const kw::ServerError &) {
        return 0;
    }
    // Accepted: nothing it names may lead out of the folder it is followed in.
    for (const kw::server::JournalStep &step : journal.steps)
        for (const std::string *path : {&step.target, &step.temporary, &step.backup}) {
            if (path->empty() && path != &step.target)
                continue;
            if (path->empty() || path->front() == '/' || path->find('\\') != std::string::npos ||
                path->find('\0') != std::string::npos)
                __builtin_trap();
            for (std::size_t start = 0;;) {
                const std::size_t end = path->find('/', start);
                const std::string part = path->substr(start, end == std::string::npos ? end : end - start);
                if (part.empty() || part == "." || part == "..")
                    __builtin_trap();
                if (end == std::string::npos)
                    break;
                start = end + 1;
            }
        }
    const std::string written = kw::server::formatJournal(journal);
    try {
        if (kw::server::formatJournal(kw::server::parseJournal(written)) != written)
            __builtin_trap();
    } catch (const kw::ServerError &) {
        __builtin_trap(); // what it wrote itself must be followed
    }
    return 0;
}
