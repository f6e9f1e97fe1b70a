// The values of the General page ("Allgemein") and how each region hands them over and takes them back.
#pragma once

#include "base/Color.h"
#include "layoutmodel/LayoutModel.h"

#include <string>

namespace kw::layout {

/// The General page's value fields with the page's own defaults. Weights are drop-down indexes (0..8 for
/// 100..900, -1 none); the other fields of the region's name hold that field's value.
struct GeneralValues {
    Color backgroundColor = rgb(0xFF, 0xFF, 0xFF);
    Color textColor = 0;
    Color hoverColor = rgb(0xFF, 0xFF, 0x00);
    Color selectedColor = 0;
    Color subTextColor = 0;
    Color subHoverColor = rgb(0xFF, 0xFF, 0x00);
    Color subSelectedColor = 0;
    std::string fontFamily;
    std::string subFontFamily;
    int fontSize = 0;
    int fontWeightIndex = -1;
    int subFontSize = 0;
    int subFontWeightIndex = -1;
    bool useImage = true;
    std::string backgroundImage;
    std::string backgroundRepeat;
    std::string backgroundAttachment;
    int imageType = 0;
    bool imageChanged = false;
    bool showFavorites = false;
    bool singleColor = false;
    bool noText = false;
    bool treeMenu = false;
    int menuLevel = -1;

    bool operator==(const GeneralValues &) const = default;
};

/// The groups of fields a region hands to the page and takes back.
enum GeneralFields : unsigned {
    Background = 1u << 0,    ///< backgroundColor, backgroundImage, backgroundRepeat, backgroundAttachment
    TextColor = 1u << 1,     ///< textColor
    MainFont = 1u << 2,      ///< fontFamily, fontSize, fontWeightIndex
    HoverSelected = 1u << 3, ///< hoverColor, selectedColor
    SubEntries = 1u << 4,    ///< the three sub colours and the sub font
    Favorites = 1u << 5,     ///< showFavorites
};

/// What a region's element gives the page: its field groups and the switches it sets.
struct GeneralHandOver {
    unsigned fields = 0;
    bool singleColor = false;
    bool noText = false;
    bool treeMenu = false; ///< the submenu passes its own tree-menu switch
};

GeneralHandOver generalHandOver(RegionId region);

/// The page's fields as the element of `region` fills them; `treeMenuShown` is the submenu element's
/// tree-menu switch (ignored for the other regions). The weight index is the weight text read as a number,
/// divided by 100, minus 1.
GeneralValues generalValues(const LayoutModel &model, RegionId region, bool treeMenuShown = false);

/// Takes the fields back into the region, each group the element filled (never `treeMenu`). A weight index
/// i becomes the text (i + 1) * 100; -1 keeps the region's weight. True when the region changed.
bool storeGeneralValues(const GeneralValues &values, RegionId region, LayoutModel &model);

} // namespace kw::layout
