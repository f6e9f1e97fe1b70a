// The layout model: the values that make up one portal layout, held once per open layout and shared by
// both preview panes; only the display switches exist once per pane.
#pragma once

#include "base/Color.h"
#include "layoutmodel/ButtonStyles.h"
#include "layoutmodel/FieldTable.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kw::layout {

/// The eight regions of the portal page, in registration order (the order every writer iterates).
enum class RegionId {
    KwRootTop,
    KwRootNavigate,
    KwPics,
    KwNavigateHeader,
    KwNavigate,
    KwStartTop,
    KwStartNavigate,
    KwApplication
};

inline constexpr std::array<RegionId, 8> kAllRegions = {
    RegionId::KwRootTop,  RegionId::KwRootNavigate, RegionId::KwPics,          RegionId::KwNavigateHeader,
    RegionId::KwNavigate, RegionId::KwStartTop,     RegionId::KwStartNavigate, RegionId::KwApplication};

/// The region's name: its CSS class name, its window text and its name in the layout file.
std::string_view regionName(RegionId id);
std::optional<RegionId> regionByName(std::string_view name);
/// Regions that exist only in the application pages pane.
constexpr bool isApplicationPaneOnly(RegionId id)
{
    return id == RegionId::KwStartTop || id == RegionId::KwStartNavigate;
}
/// The three menu regions (main menu "Top", submenu "2ndLevel", application menu "App").
constexpr bool isMenuRegion(RegionId id)
{
    return id == RegionId::KwRootNavigate || id == RegionId::KwNavigate || id == RegionId::KwStartNavigate;
}

/// The style record every region carries.
struct RegionStyle {
    Color backgroundColor = 0;
    Color textColor = 0;
    Color hoverColor = 0;
    Color selectedColor = 0;
    Color subTextColor = 0;
    Color subHoverColor = 0;
    Color subSelectedColor = 0;
    std::string fontFamily;
    std::string fontWeight;
    int fontSize = 0;
    std::string subFontFamily;
    std::string subFontWeight;
    int subFontSize = 0;
    std::string backgroundRepeat;
    std::string backgroundAttachment;
    std::string backgroundImage;
    std::string textAlign;
    std::string textDecoration;
    std::string verticalAlign;
    std::string whiteSpace;
    bool useBackgroundImage = false;
    bool showButtonEffect = false;
    Color focusBorderColor = 0;
    Color focusColor = 0;
    Color clickBorderColor = 0;
    Color clickColor = 0;
    std::string itemImage;
    std::string separatorImage;
    std::string buttonImageNormal;
    std::string buttonImageMouse;
    std::string buttonImageSelect;
    std::string closeLeafsImage;
    std::string openLeafImage;
    std::string closedLeafImage;
    std::string loginButtonImage;
    std::string borderStyle;
    bool showFavorites = false;

    bool operator==(const RegionStyle &) const = default;
};

/// The page style block: further fields of the application page region.
struct PageStyle {
    std::string portalFontFamily;
    std::string portletTitleFontFamily;
    std::string portalFontWeight;
    Color portalTextColor = 0;
    Color portalBackgroundColor = 0;
    int portalFontSize = 0;
    Color linkColor = 0;
    Color linkHoverColor = 0;
    Color heading1Color = 0, heading2Color = 0, heading3Color = 0;
    std::string heading1Font, heading2Font, heading3Font;
    int heading1Size = 0, heading2Size = 0, heading3Size = 0;
    std::string heading1Weight, heading2Weight, heading3Weight;
    std::string bulletBigPath, bulletSmallPath;
    Color tableHeadLinkColor = 0;
    Color tableHeadLinkHoverColor = 0;
    Color tableHeadClickedColor = 0;
    std::string tableHeadLinkFont;
    std::string gridTitleFont;
    int tableHeadLinkSize = 0;
    std::string tableHeadLinkWeight;
    std::string gridTitleWeight;
    int gridTitleSize = 0;
    int gridBorderWidth = 0;
    Color gridBorderColor = 0, gridHeaderColor = 0, gridHeaderSplitColor = 0, gridTitleBackgroundColor = 0;
    Color gridTitleTextColor = 0, firstRowColor = 0, secondRowColor = 0, gridTextColor = 0;
    Color portletLinkColor = 0, portletHeaderClickedColor = 0, portletLinkHoverColor = 0;
    int portletHeaderSize = 0;
    std::string portletHeaderWeight;
    Color portletBorderColor = 0, portletHeaderBackgroundColor = 0, portletFirstRowColor = 0;
    Color portletSecondRowColor = 0, portletHeaderTextColor = 0, portletTextColor = 0;
    bool showPortletShadow = false;
    std::string mainLinkFont;
    int mainLinkSize = 0;
    std::string mainLinkWeight;
    Color entryBackgroundColor = 0, entryForegroundColor = 0;
    Color entrySelectionBackgroundColor = 0, entrySelectionForegroundColor = 0;
    Color entryBorderColor = 0;
    std::string entryBorderStyle;
    int entryBorderWidth = 0;
    std::string requiredImage;

    bool operator==(const PageStyle &) const = default;
};

/// The display switches of one pane.
struct PaneSwitches {
    bool showLogo = false;
    bool showWelcome = false;
    bool showInfoBar = false;
    bool enableGlobalSearch = false;
    bool enableEmplSearch = false;
    bool enableEmplSearchAno = false;
    bool enableAppSearch = false;
    bool enableAppSearchAno = false;
    bool showAppInfoBar = false;
    bool showPicture = false;
    bool useTreeMenu = false;
    bool menuRight = false;

    bool operator==(const PaneSwitches &) const = default;
};

enum class Pane { StartPage, ApplicationPages };

/// Field tables, in record order.
std::span<const Field<RegionStyle>> regionFields();
std::span<const Field<PageStyle>> pageFields();
std::span<const Field<PaneSwitches>> switchFields();

class LayoutModel {
public:
    /// Every region at its defaults, no switch set, the nine predefined button styles.
    LayoutModel();

    RegionStyle &region(RegionId id) { return m_regions[static_cast<std::size_t>(id)]; }
    const RegionStyle &region(RegionId id) const { return m_regions[static_cast<std::size_t>(id)]; }
    /// The application page region: the page's background, text and fonts.
    RegionStyle &pageRegion() { return region(RegionId::KwApplication); }
    const RegionStyle &pageRegion() const { return region(RegionId::KwApplication); }
    PageStyle &page() { return m_page; }
    const PageStyle &page() const { return m_page; }
    PaneSwitches &switches(Pane pane) { return m_switches[static_cast<std::size_t>(pane)]; }
    const PaneSwitches &switches(Pane pane) const { return m_switches[static_cast<std::size_t>(pane)]; }
    /// Sets a switch in both panes.
    void setSwitch(bool PaneSwitches::*field, bool value);
    ButtonStyleList &buttons() { return m_buttons; }
    const ButtonStyleList &buttons() const { return m_buttons; }

    /// Resets one region to its defaults (the record's defaults, then the region's own; the application
    /// page region also resets the page block).
    void resetRegion(RegionId id);
    /// Resets every region. Switches and button styles are not part of a region and stay.
    void resetRegions();

    /// Cascading setters of the page, used when the page's BODY element is read.
    void setPageTextColor(Color color);
    void setPageFontFamily(const std::string &family);
    void setPageFontSize(int size);
    void setPageFontWeight(const std::string &weight);

    bool operator==(const LayoutModel &) const = default;

private:
    // The defaults are given as texts and parsed through the field tables once, into a model that every
    // new model and every reset copies.
    struct ParseDefaults {};
    explicit LayoutModel(ParseDefaults);
    static const LayoutModel &defaults();

    std::array<RegionStyle, 8> m_regions;
    PageStyle m_page;
    std::array<PaneSwitches, 2> m_switches;
    ButtonStyleList m_buttons;
};

/// The file name of the submenu logo's default picture.
std::string_view defaultCornerImage();

/// Gives a layout being made new the pictures the defaults leave out: the submenu logo's corner picture.
void giveNewLayoutPictures(LayoutModel &model);

} // namespace kw::layout
