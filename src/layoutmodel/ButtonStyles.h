// The portal's named button styles and the list the Buttons page edits.
#pragma once

#include "base/Color.h"
#include "layoutmodel/FieldTable.h"

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kw::layout {

struct ButtonStyle {
    std::string key; // class name of the rule, always beginning with "KwButton"
    std::string denotation;
    std::string description;
    Color backgroundColor = 0;
    Color textColor = 0;
    Color borderTopLeftColor = 0;
    Color borderBottomRightColor = 0;
    std::string borderStyle;
    std::string backgroundImage;
    std::string fontFamily;
    int fontWeight = 0; // index 0..8 for weights 100..900
    int textAlign = -1; // index into "center", "left", "right"; -1 none
    int fontSize = 0;
    int height = 0;
    int marginLeft = 0, marginRight = 0, marginTop = 0, marginBottom = 0;
    int paddingLeft = 5, paddingRight = 5, paddingTop = 0, paddingBottom = 0;
    int borderWidth = 0;
    bool deletable = false;
    bool fromFile = false;

    /// A record with the style defaults.
    static ButtonStyle withDefaults(std::string key);

    bool operator==(const ButtonStyle &) const = default;
};

/// Every field but the key, in record order (for `show` and `set`).
std::span<const Field<ButtonStyle>> buttonStyleFields();

/// The alignment keywords by index.
inline constexpr std::string_view kTextAlignKeywords[] = {"center", "left", "right"};

/// The prefix of every style key, and the key of the general style.
inline constexpr std::string_view kButtonKeyPrefix = "KwButton";

/// "KwButton" and the name with umlauts spelled out and blanks and dashes as underscores.
std::string buttonKeyFromName(std::string_view name);

class ButtonStyleList {
public:
    /// A list with the nine predefined styles.
    ButtonStyleList();
    /// A copy holds the styles, the current position and `foundInCss`; its change tracking is off.
    ButtonStyleList(const ButtonStyleList &other);
    ButtonStyleList &operator=(const ButtonStyleList &other);

    const std::vector<ButtonStyle> &styles() const { return m_styles; }
    std::size_t size() const { return m_styles.size(); }
    ButtonStyle *find(std::string_view key);
    const ButtonStyle *find(std::string_view key) const;

    /// Makes sure the nine predefined styles exist; the first style becomes not deletable and current.
    void ensurePredefined();

    /// The current style (the first when none is set).
    ButtonStyle &current();
    int currentPosition() const { return m_current; }
    void select(int position);
    /// Selects the style with that key; a key not in the list is added first (as `add` with it as name).
    void select(std::string_view key);
    /// The current style's denotation, filled in from the default denotations of the first nine
    /// positions when empty (the filled-in text is kept).
    const std::string &denotationOfCurrent();
    /// The denotation of the style at `position`, filled in like `denotationOfCurrent`; the current style
    /// stays as it is.
    const std::string &denotationAt(std::size_t position);

    /// Whether a style other than the current one goes by `name`: shown under it or, with `asKey` (for a
    /// style about to be re-keyed from it), holding the key made from it.
    bool isNameTaken(std::string_view name, bool asKey);

    void add(std::string_view name);
    void remove();
    void rekeyFromDenotation();

    /// A text alignment outside the three keywords is written as "center"; this stores it back as such.
    void resetUnknownTextAlignments();

    void startTracking();
    bool isModified() const;

    /// Empties the list for reading (tracking off).
    void clearForReading();
    /// Appends a style or returns the one with that key.
    ButtonStyle &findOrAppend(std::string_view key);
    void setCurrent(std::string_view key);

    bool foundInCss = false;

    bool operator==(const ButtonStyleList &other) const
    {
        return m_styles == other.m_styles && m_current == other.m_current && foundInCss == other.foundInCss;
    }

private:
    void setCurrentPosition(int position);

    std::vector<ButtonStyle> m_styles;
    int m_current = -1;
    bool m_tracking = false;
    bool m_structureChanged = false;
    ButtonStyle m_trackedCopy;
};

/// The nine predefined keys in their order.
std::span<const std::string_view> predefinedButtonKeys();

} // namespace kw::layout
