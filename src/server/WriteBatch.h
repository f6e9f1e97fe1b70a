// The writes and removals of one batch, held until the batch is published; parts of it can be dropped.
#pragma once

#include "server/ServerEnvironment.h"

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kw::server {

class WriteBatch {
public:
    /// A file and what becomes of it: new contents, or none for a removal.
    using Change = std::pair<std::filesystem::path, std::optional<Bytes>>;

    /// An activation is recorded in the publishing history when it is published, an import is not, and a
    /// trial is never published (it shows what a command would write).
    enum class Kind { Activation, Import, Trial };

    explicit WriteBatch(std::string layout, Kind kind = Kind::Activation)
        : m_layout(std::move(layout)), m_kind(kind)
    {
    }

    const std::string &layout() const { return m_layout; }
    bool recorded() const { return m_kind == Kind::Activation; }
    bool trial() const { return m_kind == Kind::Trial; }

    void write(const std::filesystem::path &file, Bytes contents);
    void remove(const std::filesystem::path &file);

    /// The batch's latest change of a file, or nullptr when the batch did not touch it.
    const std::optional<Bytes> *find(const std::filesystem::path &file) const;

    /// Parts nest; `endPart(false)` forgets what was written since the matching `beginPart`.
    void beginPart();
    void endPart(bool keep);
    int openParts() const { return static_cast<int>(m_marks.size()); }

    /// The latest change of every file, in the order the files were first written.
    std::vector<Change> changes() const;

private:
    std::string m_layout;
    Kind m_kind;
    std::vector<Change> m_log;
    std::vector<std::size_t> m_marks;
};

} // namespace kw::server
