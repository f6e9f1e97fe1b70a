#include "layout/LayoutHistory.h"

#include <algorithm>

namespace kw::layout {

namespace {

std::string stepFailure(const LayoutStep &step, LayoutDelta::Side side)
{
    return "Der Schritt \"" + step.name + "\" kann nicht " +
           (side == LayoutDelta::Side::Before ? "rückgängig gemacht" : "wiederholt") +
           " werden. Das Layout bleibt unverändert.";
}

} // namespace

LayoutHistory::LayoutHistory(LayoutModel &model, LayoutFlags &flags, CompanySettings &company)
    : m_model(model), m_flags(flags), m_company(company), m_saved(capture())
{
}

LayoutSnapshot LayoutHistory::capture() const
{
    return {m_model, m_flags, m_company.logoFile, m_company.shownWelcome};
}

void LayoutHistory::restore(LayoutSnapshot &&state)
{
    m_model = std::move(state.model);
    m_flags = state.flags;
    m_company.logoFile = std::move(state.logoFile);
    m_company.shownWelcome = std::move(state.shownWelcome);
}

void LayoutHistory::observePublishedCompany()
{
    if (!m_company.changed)
        m_publishedCompany.emplace(m_company.logoFile, m_company.shownWelcome);
}

void LayoutHistory::updateCompanyMark()
{
    m_company.changed =
        !m_publishedCompany || *m_publishedCompany != std::pair(m_company.logoFile, m_company.shownWelcome);
}

void LayoutHistory::notify()
{
    m_differs = !m_saved ||
                !(m_model == m_saved->model && m_flags == m_saved->flags &&
                  m_company.logoFile == m_saved->logoFile && m_company.shownWelcome == m_saved->shownWelcome);
    if (m_observer)
        m_observer();
}

LayoutSnapshot LayoutHistory::runChange(const std::function<void()> &change)
{
    LayoutSnapshot before = capture();
    try {
        change();
    } catch (...) {
        restore(std::move(before));
        throw;
    }
    return before;
}

bool LayoutHistory::record(std::string name, const std::function<void()> &change, StepMerge merge)
{
    const LayoutSnapshot before = runChange(change);
    LayoutDelta delta = LayoutDelta::between(before, capture());
    if (delta.empty())
        return false;
    const LayoutChanges changes = delta.changes();
    const bool merges = merge != StepMerge::None && m_position > 0 && m_position == m_steps.size() &&
                        m_steps.back().merge == merge && m_savedPosition != m_position;
    if (merges) {
        m_steps.back().delta.absorb(std::move(delta));
        if (m_steps.back().delta.empty()) {
            m_steps.pop_back();
            --m_position;
        }
    } else {
        m_steps.erase(m_steps.begin() + static_cast<std::ptrdiff_t>(m_position), m_steps.end());
        if (m_savedPosition && *m_savedPosition > m_position)
            m_savedPosition.reset();
        m_steps.push_back({std::move(name), std::move(delta), merge});
        ++m_position;
    }
    if (changes.company)
        updateCompanyMark();
    notify();
    return true;
}

LayoutChanges LayoutHistory::undo()
{
    return canUndo() ? move(m_position - 1) : LayoutChanges{};
}

LayoutChanges LayoutHistory::redo()
{
    return canRedo() ? move(m_position + 1) : LayoutChanges{};
}

LayoutChanges LayoutHistory::goTo(std::size_t position)
{
    return move(std::min(position, m_steps.size()));
}

LayoutChanges LayoutHistory::move(std::size_t target)
{
    if (target == m_position)
        return {};
    // Every step of the way is applied to a copy; the document's values change only once all fitted.
    LayoutSnapshot state = capture();
    LayoutChanges changes;
    for (std::size_t at = m_position; at != target;) {
        const bool back = target < at;
        const LayoutStep &step = m_steps[back ? at - 1 : at];
        const auto side = back ? LayoutDelta::Side::Before : LayoutDelta::Side::After;
        if (!step.delta.applyTo(state, side))
            throw HistoryError(stepFailure(step, side));
        changes |= step.delta.changes();
        at = back ? at - 1 : at + 1;
    }
    restore(std::move(state));
    m_position = target;
    if (changes.company)
        updateCompanyMark();
    notify();
    return changes;
}

void LayoutHistory::reset()
{
    observePublishedCompany();
    m_steps.clear();
    m_position = 0;
    m_savedPosition = 0;
    m_saved = capture();
    notify();
}

void LayoutHistory::markSaved()
{
    observePublishedCompany();
    m_saved = capture();
    m_savedPosition = m_position;
    notify();
}

void LayoutHistory::markUnsaved()
{
    m_saved.reset();
    m_savedPosition.reset();
    notify();
}

bool LayoutHistory::adoptSavedChange(const std::function<void()> &change)
{
    const LayoutSnapshot before = runChange(change);
    const LayoutSnapshot after = capture();
    const LayoutDelta delta = LayoutDelta::between(before, after);
    if (delta.empty())
        return false;
    if (m_saved)
        delta.applyTo(*m_saved, LayoutDelta::Side::After);
    // The server has the new texts now: a step undone to the old ones must publish them again.
    if (m_publishedCompany) {
        if (before.logoFile != after.logoFile)
            m_publishedCompany->first = after.logoFile;
        if (before.shownWelcome != after.shownWelcome)
            m_publishedCompany->second = after.shownWelcome;
    }
    notify();
    return true;
}

} // namespace kw::layout
