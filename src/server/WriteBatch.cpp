#include "server/WriteBatch.h"

#include <algorithm>

namespace kw::server {

void WriteBatch::write(const std::filesystem::path &file, Bytes contents)
{
    m_log.emplace_back(file, std::move(contents));
}

void WriteBatch::remove(const std::filesystem::path &file)
{
    m_log.emplace_back(file, std::nullopt);
}

const std::optional<Bytes> *WriteBatch::find(const std::filesystem::path &file) const
{
    for (auto it = m_log.rbegin(); it != m_log.rend(); ++it)
        if (it->first == file)
            return &it->second;
    return nullptr;
}

void WriteBatch::beginPart()
{
    m_marks.push_back(m_log.size());
}

void WriteBatch::endPart(bool keep)
{
    if (m_marks.empty())
        return;
    if (!keep)
        m_log.resize(m_marks.back());
    m_marks.pop_back();
}

std::vector<WriteBatch::Change> WriteBatch::changes() const
{
    std::vector<Change> result;
    for (const Change &change : m_log) {
        const auto same = [&](const Change &c) { return c.first == change.first; };
        if (std::find_if(result.begin(), result.end(), same) == result.end())
            result.push_back({change.first, *find(change.first)});
    }
    return result;
}

} // namespace kw::server
