// The border style box: a drop-down of pictures, one per border style keyword.
#pragma once

#include <QComboBox>

#include <optional>
#include <string>
#include <string_view>

namespace kw::controls {

/// Nine items showing the pictures of bitmap 12038 (48 x 18 each, magenta transparent), item i standing for
/// border style keyword i ("none", "solid", "dotted", "dashed", "double", "groove", "ridge", "inset",
/// "outset"). The items carry no visible text; each keyword is the item's accessible text and tool tip.
class CBorderStyleBox : public QComboBox {
public:
    explicit CBorderStyleBox(QWidget *parent = nullptr);

    /// Selects the item whose keyword equals `keyword` exactly; with no such item the selection stays.
    void setBorderStyle(std::string_view keyword);
    /// The keyword of the selected item; nothing while no item is selected.
    std::optional<std::string> borderStyle() const;
    /// Leaves the box without a selection.
    void clearSelection() { setCurrentIndex(-1); }

    /// Width and height of one picture of the strip.
    static constexpr int kPictureWidth = 48;
    static constexpr int kPictureHeight = 18;
};

} // namespace kw::controls
