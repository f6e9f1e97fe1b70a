// The values of an open layout that its undo history restores, and the values that differ between two
// such states, kept both ways so that a step can be undone and done again.
#pragma once

#include "layout/LayoutValues.h"
#include "layoutmodel/LayoutModel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace kw::layout {

/// Everything of an open layout that saving keeps: the model (regions, page, the switches of both panes,
/// button styles), the document flags that decide what the files hold, and the start page's logo and
/// welcome text.
struct LayoutSnapshot {
    LayoutModel model;
    LayoutFlags flags;
    std::string logoFile;
    std::string shownWelcome;

    bool operator==(const LayoutSnapshot &) const = default;
};

/// What a difference touches, so that a window redraws only what it must.
struct LayoutChanges {
    bool values = false;            ///< regions, page style, button styles or document flags
    std::array<bool, 2> switches{}; ///< the display switches of each pane, indexed by `Pane`
    bool company = false;           ///< the logo or the shown welcome text

    bool switchesOf(Pane pane) const { return switches[static_cast<std::size_t>(pane)]; }
    bool any() const { return values || switches[0] || switches[1] || company; }
    LayoutChanges &operator|=(const LayoutChanges &other);
};

/// The values that differ between two states, each with its value before and after. Fields of the records
/// (regions, page, switches) are kept one by one; the button styles, which can be added, renamed and
/// deleted, as whole lists when they differ. No decoded picture is ever kept: pictures are file names.
class LayoutDelta {
public:
    enum class Side { Before, After };

    LayoutDelta();
    ~LayoutDelta();
    LayoutDelta(LayoutDelta &&) noexcept;
    LayoutDelta &operator=(LayoutDelta &&) noexcept;

    static LayoutDelta between(const LayoutSnapshot &before, const LayoutSnapshot &after);

    bool empty() const;
    /// Writes one side's values into `target`. False when a value does not fit its field (a damaged
    /// delta); `target` may then be half written, so callers apply to a copy.
    bool applyTo(LayoutSnapshot &target, Side side) const;
    /// Makes this delta the one of this change followed by `later`: the values before this one and after
    /// `later`. Fields that end where they started drop out.
    void absorb(LayoutDelta &&later);
    LayoutChanges changes() const;

private:
    friend struct HistoryTestAccess; // damages a delta on purpose
    using FieldValue = std::variant<Color, int, bool, std::string>;
    /// A record of the model: the eight regions (0 to 7, registration order), the page style (8) and the
    /// switches of the start page pane (9) and the application pages pane (10).
    struct FieldChange {
        std::uint8_t record;
        std::uint16_t field;
        FieldValue before;
        FieldValue after;
    };
    template <class T> using Pair = std::optional<std::pair<T, T>>;

    std::vector<FieldChange> m_fields;
    std::unique_ptr<std::pair<ButtonStyleList, ButtonStyleList>> m_buttons;
    Pair<LayoutFlags> m_flags;
    Pair<std::string> m_logo;
    Pair<std::string> m_welcome;
};

} // namespace kw::layout
