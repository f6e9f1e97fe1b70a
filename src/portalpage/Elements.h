// The eight elements of the portal page: page header, main menu, submenu logo, submenu heading, submenu,
// application title bar, application menu and application page.
#pragma once

#include "base/StringTable.h"
#include "layout/CompanySettings.h"
#include "portalpage/PreviewElement.h"

#include <optional>
#include <string>
#include <vector>

namespace kw::portalpage {

/// `KwRootTop`: the portal's info bar with the portal name left, the user in the centre and today's date
/// right.
class CPageHeaderElement final : public CPreviewElement {
public:
    explicit CPageHeaderElement(const layout::LayoutModel &model);

    void Create(ElementContext &context) override;
    /// Width from the three texts; height 23 with the info bar shown, else 0.
    Size GetPreferredSize() const override { return m_preferredSize; }
    void Rebuild(ElementContext &context) override;

    /// Reads the portal name (the session's name when the portal has none), the user's name and
    /// formats today's date. A server error leaves all three texts empty.
    void ReadTexts(ElementContext &context);

    std::string leftText, centerText, rightText;
    bool infoBarShown = false;

protected:
    void PaintContent(PaintDevice &device, const Rect &client) const override;

private:
    Size m_preferredSize;
    Size m_left, m_center, m_right; // the texts as drawn
};

/// `KwRootNavigate`: the main menu's entries left, the selected and mouse-over samples right.
class CMainMenuElement final : public CPreviewElement {
public:
    explicit CMainMenuElement(const layout::LayoutModel &model);

    void Create(ElementContext &context) override;
    Size GetPreferredSize() const override { return m_preferredSize; }
    void Rebuild(ElementContext &context) override;

    /// Refills `entries` from the portal's top-level navigation objects (every type but 2, in order) and
    /// measures again. A server error is reported with message 12504; the entries read so far stay and
    /// the size is not measured. Returns false after an error.
    bool LoadEntries(ElementContext &context);

    std::vector<std::string> entries;
    std::string selectedSample;
    std::string hoverSample;

protected:
    void PaintContent(PaintDevice &device, const Rect &client) const override;

private:
    void measure(PaintDevice &device);

    Size m_preferredSize;
    std::vector<int> m_entryWidths;
    int m_separatorWidth = 0; // S: the measured "|" or the separator picture's width
    int m_hoverWidth = 0;
    int m_selectedWidth = 0;
};

/// `KwPics`: the picture box at the top of the menu column; its background is all it draws.
class CSubmenuLogoElement final : public CPreviewElement {
public:
    explicit CSubmenuLogoElement(const layout::LayoutModel &model);
    Size GetPreferredSize() const override { return {150, 55}; }
};

/// `KwNavigateHeader`: the heading above the submenu.
/// An element that shows one caption of the string table in its text colour.
class CCaptionElement : public CPreviewElement {
public:
    std::string caption;

protected:
    CCaptionElement(layout::RegionId region, const layout::LayoutModel &model, StringId text,
                    TextPlacement placement);
    void PaintContent(PaintDevice &device, const Rect &client) const override;

private:
    TextPlacement m_placement;
};

class CSubmenuHeadingElement final : public CCaptionElement {
public:
    explicit CSubmenuHeadingElement(const layout::LayoutModel &model);
    Size GetPreferredSize() const override { return {150, 16}; }
};

/// `KwNavigate`: three sample entries of the submenu under each other.
class CSubmenuElement final : public CPreviewElement {
public:
    explicit CSubmenuElement(const layout::LayoutModel &model);
    Size GetPreferredSize() const override { return {150, 0}; }
    void Rebuild(ElementContext &context) override;

    std::string normalSample, selectedSample, hoverSample;
    bool treeMenuShown = false;

protected:
    void PaintContent(PaintDevice &device, const Rect &client) const override;

private:
    int m_indent = 0;
    Size m_lines[3];
};

/// `KwStartTop`: the application's title bar.
class CAppTitleElement final : public CCaptionElement {
public:
    explicit CAppTitleElement(const layout::LayoutModel &model);
    Size GetPreferredSize() const override { return {0, infoBarShown ? 23 : 0}; }

    bool infoBarShown = true;
};

/// `KwStartNavigate`: the application menu's five entries in a row.
class CAppMenuElement final : public CPreviewElement {
public:
    explicit CAppMenuElement(const layout::LayoutModel &model);
    Size GetPreferredSize() const override { return {0, 23}; }
    void Rebuild(ElementContext &context) override;

    std::vector<std::string> entries;
    bool pictureShown = false;

protected:
    void PaintContent(PaintDevice &device, const Rect &client) const override;

private:
    std::vector<int> m_entryWidths;
    int m_separatorWidth = 0;
};

/// `KwApplication`: the content area with sample lines in the page's styles; on the default start page
/// also the portal heading and the places of the company logo and the welcome text.
class CAppPageElement final : public CPreviewElement {
public:
    /// One text (or, on the portal heading, its filled box) as it is drawn, positioned when rebuilt.
    struct Piece {
        std::string text;
        FontSpec font;
        Color color = 0;
        Rect rect;                 ///< the text's rectangle (the box for the portal heading)
        std::optional<Color> fill; ///< the colour of the box the text stands in (portal heading, table cells)
        Rect box;                  ///< the filled box
        TextPlacement placement = TextPlacement::Left;
        const image::CLayoutImage *picture = nullptr; ///< an outline symbol before the text
        int pictureX = 0;
    };

    CAppPageElement(const layout::LayoutModel &model, bool isDefaultStartPage);

    Size GetPreferredSize() const override { return m_preferredSize; }
    void Rebuild(ElementContext &context) override;

    /// The logo file and welcome text shown on the default start page (read by the caller through the
    /// company settings); take effect at the next Rebuild. The logo is decoded again only when its name
    /// changed or `reloadLogo` is set.
    void setCompany(const layout::CompanySettings &company, bool reloadLogo = false);
    /// The further text after the highlighted links: "Layout: <title>".
    void setLayoutLabel(std::string label) { m_layoutLabel = std::move(label); }

    /// Where the logo and welcome controls go in an element `width` pixels wide: at their own size,
    /// centred, the logo 12 pixels below the top, the welcome text 24 pixels below the logo's height (or
    /// the top). Empty rectangles for controls that are hidden or not on this page.
    Rect logoRect(int width) const;
    Rect welcomeRect(int width) const;
    /// The decoded logo (null without one) and the welcome text as the control shows it.
    const image::CLayoutImage *logoPicture() const { return m_logoPicture.get(); }
    const std::string &welcomeText() const { return m_welcomeText; }
    /// The heading-1 font in which the welcome text is shown.
    FontSpec welcomeFont() const;

    const std::vector<Piece> &pieces() const { return m_pieces; }

    const bool isDefaultStartPage;
    bool logoShown = false;
    bool welcomeShown = false;
    bool appInfoBarShown = false;
    bool menuRight = false;

protected:
    void PaintContent(PaintDevice &device, const Rect &client) const override;

private:
    void loadLogo(ElementContext &context);
    void layoutPieces(PaintDevice &measure);

    std::vector<Piece> m_pieces;
    Size m_preferredSize;
    std::string m_layoutLabel;
    std::string m_logoFile;
    std::string m_loadedLogoFile;
    bool m_reloadLogo = false;
    std::unique_ptr<image::CLayoutImage> m_logoPicture;
    std::string m_welcomeText;
    Size m_welcomeSize; ///< the control's size: the text's plus 10 x 6
    std::unique_ptr<image::CLayoutImage> m_bulletBig, m_bulletSmall;
    std::string m_bulletBigName, m_bulletSmallName;
};

} // namespace kw::portalpage
