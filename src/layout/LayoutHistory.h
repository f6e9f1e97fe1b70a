// The undo history of the open layout: named steps, each holding the values it changed, the position in
// them, and the state the layout was last loaded or saved in, which tells whether it is modified.
#pragma once

#include "layout/CompanySettings.h"
#include "layout/LayoutDelta.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kw::layout {

/// Steps that merge into the step before them when they follow it directly: the welcome text typed key by
/// key is one step.
enum class StepMerge { None, WelcomeText };

struct LayoutStep {
    std::string name;
    LayoutDelta delta;
    StepMerge merge = StepMerge::None;
};

/// A step that cannot be applied (it should never happen): nothing was changed.
class HistoryError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The history of one open layout. It works on the document's values in place (the model, the document
/// flags, the company settings' logo and shown welcome text); whoever changes them as an edit does so
/// through `record`. Loading another layout starts a new history (`reset`); saving marks the saved state.
class LayoutHistory {
public:
    LayoutHistory(LayoutModel &model, LayoutFlags &flags, CompanySettings &company);

    /// Called after every change of the history or of the values through it.
    void setObserver(std::function<void()> observer) { m_observer = std::move(observer); }

    /// The one entry point for an edit of the layout: runs `change`, which edits the document's values in
    /// place, and keeps what it changed as one step named `name` (steps that could be redone are dropped).
    /// Returns false and keeps no step when nothing changed. A `change` that throws leaves every value as
    /// it was and the exception passes on. A step whose `merge` equals the last step's, directly after it
    /// and not at the saved state, becomes part of that step; one that then changes nothing goes away.
    bool record(std::string name, const std::function<void()> &change, StepMerge merge = StepMerge::None);

    /// The steps, oldest first; the first `position()` of them are applied.
    const std::vector<LayoutStep> &steps() const { return m_steps; }
    std::size_t position() const { return m_position; }
    bool canUndo() const { return m_position > 0; }
    bool canRedo() const { return m_position < m_steps.size(); }
    /// The step that undo or redo would apply (null when there is none).
    const LayoutStep *undoStep() const { return canUndo() ? &m_steps[m_position - 1] : nullptr; }
    const LayoutStep *redoStep() const { return canRedo() ? &m_steps[m_position] : nullptr; }

    /// Undoes the last applied step, redoes the next one, or goes to a position (0: the state the layout
    /// was loaded in) across as many steps as it takes. Returns what changed (nothing when there was no
    /// step to apply). A step that cannot be applied throws HistoryError and changes nothing, not even the
    /// steps of a jump applied before it.
    LayoutChanges undo();
    LayoutChanges redo();
    LayoutChanges goTo(std::size_t position);

    /// The position whose state was last loaded or saved; none when that state can no longer be reached
    /// (steps were undone past it and new ones recorded).
    std::optional<std::size_t> savedPosition() const { return m_savedPosition; }
    /// Whether the values differ from the state they were last loaded or saved in (always, while no saved
    /// state is known), as of the last change through the history.
    bool differsFromSaved() const { return m_differs; }

    /// A layout was loaded (or reset): no steps, and the values now are the saved state.
    void reset();
    /// The values were saved: they are the saved state, at the current position.
    void markSaved();
    /// The server no longer holds the values as they are (a layout that was new, or one saved under another
    /// name): no state of the history counts as saved until the next save.
    void markUnsaved();
    /// Runs `change`, an edit that was written to the server at once (the welcome texts of the
    /// translation store) or that only spells values differently: no step, and what it changed counts as
    /// saved. True when it changed a value. A change that throws leaves every value as it was.
    bool adoptSavedChange(const std::function<void()> &change);

private:
    friend struct HistoryTestAccess; // damages a step on purpose
    LayoutSnapshot capture() const;
    // Runs one change of the document and returns the state before it; on an exception the document is
    // put back as it was.
    LayoutSnapshot runChange(const std::function<void()> &change);
    /// Puts a state's values back into the document (nothing that could fail).
    void restore(LayoutSnapshot &&state);
    /// Notes the company values as published while the company settings are not marked changed (the mark
    /// is cleared only by publishing, inside a save).
    void observePublishedCompany();
    /// After the logo or welcome text changed through the history: they are to be published exactly when
    /// they differ from what was published.
    void updateCompanyMark();
    LayoutChanges move(std::size_t target);
    /// Compares the values with the saved state and tells the observer.
    void notify();

    LayoutModel &m_model;
    LayoutFlags &m_flags;
    CompanySettings &m_company;
    std::function<void()> m_observer;

    std::vector<LayoutStep> m_steps;
    std::size_t m_position = 0;
    std::optional<std::size_t> m_savedPosition = 0;
    std::optional<LayoutSnapshot> m_saved; // none: no state counts as saved
    bool m_differs = false;
    /// The logo and welcome text last known to be published; none before any was known.
    std::optional<std::pair<std::string, std::string>> m_publishedCompany;
};

} // namespace kw::layout
