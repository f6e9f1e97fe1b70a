#include "server/PublishJournal.h"

#include "base/ServerError.h"
#include "server/PortalFileSystem.h"

#include <cstdio>
#include <sstream>

namespace kw::server {

namespace {

constexpr std::string_view kHeader = "KwPortal publish journal 1\n";

struct KindName {
    JournalStep::Kind kind;
    const char *name;
};
constexpr KindName kKinds[] = {
    {JournalStep::Kind::Replace, "replace"},
    {JournalStep::Kind::Create, "create"},
    {JournalStep::Kind::Remove, "remove"},
};

std::uint64_t checksum(std::string_view text)
{
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a
    for (const char ch : text) {
        hash ^= static_cast<unsigned char>(ch);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string hex(std::uint64_t value)
{
    char buffer[20];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(value));
    return buffer;
}

// Paths are written with '%XX' for '%' and control characters, so a tab or line break never splits them.
std::string escape(const std::string &path)
{
    std::string out;
    for (const char ch : path) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || ch == '%') {
            char buffer[4];
            std::snprintf(buffer, sizeof buffer, "%%%02X", byte);
            out += buffer;
        } else {
            out += ch;
        }
    }
    return out;
}

// The reasons complete "..., denn es ist beschädigt (...)".
[[noreturn]] void damaged(const std::string &why)
{
    throw ServerError(ServerError::Fail, "es ist beschädigt (" + why + ")");
}

// A path that a journal of this program never names; `why` ends the relative clause about the path.
[[noreturn]] void foreign(const std::string &path, const std::string &why)
{
    throw ServerError(ServerError::Fail, "es nennt den Pfad \"" + path + "\", der " + why);
}

int hexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

std::string unescape(const std::string &text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        const int high = i + 2 < text.size() ? hexDigit(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? hexDigit(text[i + 2]) : -1;
        if (high < 0 || low < 0)
            damaged("fehlerhafte Maskierung in \"" + text + "\"");
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

std::vector<std::string> splitTabs(const std::string &line)
{
    std::vector<std::string> fields;
    std::string current;
    for (const char ch : line) {
        if (ch == '\t') {
            fields.push_back(std::move(current));
            current.clear();
        } else {
            current += ch;
        }
    }
    fields.push_back(std::move(current));
    return fields;
}

constexpr const char *kOutside = "aus dem Portalordner hinausführt";

// A relative path of plain names: no empty part, no "." or "..", no leading '/' or '\\'.
void checkRelative(const std::string &path)
{
    if (path.empty() || path.front() == '/' || path.find('\\') != std::string::npos ||
        path.find('\0') != std::string::npos)
        foreign(path, kOutside);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = path.find('/', start);
        const std::string part =
            path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part.empty() || part == "." || part == "..")
            foreign(path, kOutside);
        if (end == std::string::npos)
            return;
        start = end + 1;
    }
}

std::string folderOf(const std::string &path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// A temporary or backup file must be a temporary file in the target's own folder.
void checkBeside(const std::string &target, const std::string &other)
{
    checkRelative(other);
    const std::string folder = folderOf(target);
    if (folderOf(other) != folder || !PortalFileSystem::isTemporaryName(other.substr(folder.size())))
        foreign(other, "keine temporäre Datei neben \"" + target + "\" ist");
}

} // namespace

std::string formatJournal(const Journal &journal)
{
    std::string text(kHeader);
    text += "batch\t" + escape(journal.batch) + "\n";
    text += "entry\t" + escape(journal.entry.time) + "\t" + escape(journal.entry.user) + "\t" +
            escape(journal.entry.layout) + "\t" + std::to_string(journal.entry.rollbackOf) + "\n";
    if (!journal.recorded)
        text += "unrecorded\n";
    for (const JournalStep &step : journal.steps) {
        for (const KindName &kind : kKinds)
            if (kind.kind == step.kind)
                text += kind.name;
        text +=
            "\t" + escape(step.target) + "\t" + escape(step.temporary) + "\t" + escape(step.backup) + "\n";
    }
    return text + "end\t" + hex(checksum(text)) + "\n";
}

Journal parseJournal(const std::string &text)
{
    if (!text.starts_with(kHeader))
        damaged("es beginnt nicht mit \"" + std::string(kHeader.substr(0, kHeader.size() - 1)) + "\"");
    const std::size_t endLine = text.rfind("end\t");
    if (endLine == std::string::npos || text.back() != '\n' || (endLine > 0 && text[endLine - 1] != '\n'))
        damaged("es ist unvollständig");
    const std::string sum = text.substr(endLine + 4, text.size() - endLine - 5);
    if (sum != hex(checksum(std::string_view(text).substr(0, endLine))))
        damaged("seine Prüfsumme stimmt nicht");

    Journal journal;
    std::istringstream lines(text.substr(kHeader.size(), endLine - kHeader.size()));
    std::string line;
    bool haveEntry = false;
    while (std::getline(lines, line)) {
        const std::vector<std::string> fields = splitTabs(line);
        if (fields.size() == 2 && fields[0] == "batch" && journal.batch.empty()) {
            journal.batch = unescape(fields[1]);
            if (journal.batch.empty())
                damaged("der Schreibvorgang hat keine Kennung");
            continue;
        }
        if (fields.size() == 5 && fields[0] == "entry" && !haveEntry) {
            journal.entry.time = unescape(fields[1]);
            journal.entry.user = unescape(fields[2]);
            journal.entry.layout = unescape(fields[3]);
            try {
                journal.entry.rollbackOf = std::stoll(fields[4]);
            } catch (const std::exception &) {
                damaged("die Rücksetzangabe \"" + fields[4] + "\" des Eintrags ist keine Zahl");
            }
            haveEntry = true;
            continue;
        }
        if (fields.size() == 1 && fields[0] == "unrecorded" && haveEntry && journal.recorded &&
            journal.steps.empty()) {
            journal.recorded = false;
            continue;
        }
        const KindName *kind = nullptr;
        for (const KindName &candidate : kKinds)
            if (fields.size() == 4 && fields[0] == candidate.name)
                kind = &candidate;
        if (!kind || !haveEntry || journal.batch.empty())
            damaged("die Zeile \"" + line + "\" ist unverständlich");
        JournalStep step{kind->kind, unescape(fields[1]), unescape(fields[2]), unescape(fields[3])};
        checkRelative(step.target);
        if (step.kind != JournalStep::Kind::Remove)
            checkBeside(step.target, step.temporary);
        else if (!step.temporary.empty())
            damaged("ein Löschschritt nennt eine temporäre Datei");
        if (step.kind != JournalStep::Kind::Create)
            checkBeside(step.target, step.backup);
        else if (!step.backup.empty())
            damaged("eine neue Datei nennt eine Sicherungskopie");
        journal.steps.push_back(std::move(step));
    }
    if (!haveEntry || journal.batch.empty())
        damaged("es nennt keinen Schreibvorgang und keinen Eintrag des Veröffentlichungsverlaufs");
    return journal;
}

} // namespace kw::server
