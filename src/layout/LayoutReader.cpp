#include "layout/LayoutReader.h"

#include "base/Values.h"

#include <algorithm>

namespace kw::layout {

using css::CCssElement;

void ColorSet::add(Color c)
{
    if (!contains(c))
        m_colors.push_back(c);
}

bool ColorSet::contains(Color c) const
{
    return std::find(m_colors.begin(), m_colors.end(), c) != m_colors.end();
}

namespace {

enum class Size { PxOrPt, DropUnit };

// Reads the properties of one element into fields, registering colours on the way.
class ElementReader {
public:
    ElementReader(const CCssElement &element, ColorSet &colors) : m_element(element), m_colors(colors) {}

    const std::string *value(std::string_view property) const { return m_element.GetProperty(property); }

    bool color(std::string_view property, Color &field, bool registered = true) const
    {
        const std::string *text = value(property);
        if (!text)
            return false;
        const auto c = parseColor(*text);
        if (!c)
            return false;
        field = *c;
        if (registered)
            m_colors.add(*c);
        return true;
    }
    bool size(std::string_view property, int &field, Size rule = Size::PxOrPt) const
    {
        const std::string *text = value(property);
        if (!text)
            return false;
        const auto px = rule == Size::PxOrPt ? parseSize(*text) : parseSizeDroppingUnit(*text);
        if (px)
            field = *px;
        return px.has_value();
    }
    bool text(std::string_view property, std::string &field) const
    {
        const std::string *t = value(property);
        if (t)
            field = *t;
        return t != nullptr;
    }
    // "url(...)" reduced to a file name; anything else is no picture.
    void backgroundPicture(std::string &field) const
    {
        const std::string *t = value("BACKGROUND-IMAGE");
        if (!t)
            return;
        field.clear();
        if (!t->starts_with("url("))
            return;
        const auto open = t->find('(');
        const auto close = t->find(')');
        const std::string_view inner = close == std::string::npos || close < open
                                           ? std::string_view(*t).substr(open + 1)
                                           : std::string_view(*t).substr(open + 1, close - open - 1);
        field = reducePictureName(inner);
    }
    // Colour, family, size and weight of a text style.
    void font(Color *color, std::string *family, int *size, std::string *weight,
              Size rule = Size::PxOrPt) const
    {
        if (color)
            this->color("COLOR", *color);
        if (family)
            text("FONT-FAMILY", *family);
        if (size)
            this->size("FONT-SIZE", *size, rule);
        if (weight)
            text("FONT-WEIGHT", *weight);
    }

private:
    const CCssElement &m_element;
    ColorSet &m_colors;
};

class TreeReader {
public:
    TreeReader(LayoutModel &model, ColorSet &colors, bool &entryStyleFromCss)
        : m_model(model), m_page(model.page()), m_colors(colors), m_entryStyleFromCss(entryStyleFromCss)
    {
    }

    void read(const CCssElement &root)
    {
        for (const auto &element : root.GetChildren())
            firstPass(*element);
        for (const auto &element : root.GetChildren())
            secondPass(*element);
    }

private:
    ElementReader reader(const CCssElement &e) const { return ElementReader(e, m_colors); }
    static std::optional<RegionId> region(const CCssElement &e) { return regionByName(e.GetName()); }

    void firstPass(const CCssElement &e)
    {
        if (e.GetType() == css::CSS_BLOCK) {
            readBlock(e);
            return;
        }
        const std::string &name = e.GetName();
        if (name == "BODY")
            readBody(e);
        else if (name == "TH")
            readTh(e);
        else if (name == "TD")
            readTd(e);
        else if (name == "TABLE")
            readTable(e);
        else if (name == "TR")
            readTr(e);
        else if (name == "A")
            readLinks(e);
    }

    void secondPass(const CCssElement &e)
    {
        if (e.GetType() == css::CSS_BLOCK)
            return;
        const std::string &name = e.GetName();
        if (name == "H1" || name == "H2" || name == "H3")
            readHeading(e, name[1] - '0');
        else if (name == "INPUT")
            readInput(e);
    }

    void readBody(const CCssElement &e)
    {
        const ElementReader r = reader(e);
        RegionStyle &page = m_model.pageRegion();
        r.color("BACKGROUND-COLOR", page.backgroundColor);
        Color color = 0;
        if (r.color("COLOR", color))
            m_model.setPageTextColor(color);
        if (const std::string *family = r.value("FONT-FAMILY"))
            m_model.setPageFontFamily(*family);
        int size = 0;
        if (r.size("FONT-SIZE", size))
            m_model.setPageFontSize(size);
        if (const std::string *weight = r.value("FONT-WEIGHT"))
            m_model.setPageFontWeight(*weight);
        readBackground(r, page);
        for (const auto &child : e.GetChildren())
            if (const auto id = region(*child)) {
                const ElementReader cr = reader(*child);
                RegionStyle &target = m_model.region(*id);
                cr.color("BACKGROUND-COLOR", target.backgroundColor);
                readBackground(cr, target);
            }
    }

    static void readBackground(const ElementReader &r, RegionStyle &target)
    {
        r.backgroundPicture(target.backgroundImage);
        r.text("BACKGROUND-REPEAT", target.backgroundRepeat);
        r.text("BACKGROUND-ATTACHMENT", target.backgroundAttachment);
    }

    void readTh(const CCssElement &e)
    {
        for (const auto &child : e.GetChildren()) {
            if (child->GetName() == "A") {
                if (const CCssElement *link = child->FindChild("link"))
                    reader(*link).font(&m_page.tableHeadLinkColor, &m_page.tableHeadLinkFont,
                                       &m_page.tableHeadLinkSize, &m_page.tableHeadLinkWeight);
            } else if (child->GetName() == "KwNavigate") {
                RegionStyle &heading = m_model.region(RegionId::KwNavigateHeader);
                const ElementReader r = reader(*child);
                r.color("BACKGROUND-COLOR", heading.backgroundColor);
                r.font(&heading.textColor, &heading.fontFamily, &heading.fontSize, &heading.fontWeight);
            }
        }
    }

    void readTd(const CCssElement &e)
    {
        const ElementReader r = reader(e);
        RegionStyle &page = m_model.pageRegion();
        r.font(&page.textColor, &page.fontFamily, &page.fontSize, &page.fontWeight);
        page.fontWeight = "normal"; // the page's weight is always normal after a TD
        for (const auto &child : e.GetChildren()) {
            const std::string &name = child->GetName();
            const ElementReader cr = reader(*child);
            if (name == "KwPortal" || name == "KwPortletTitle") {
                cr.color("COLOR", m_page.portalTextColor);
                cr.color("BACKGROUND-COLOR", m_page.portalBackgroundColor);
                cr.size("FONT-SIZE", m_page.portalFontSize);
                cr.text("FONT-WEIGHT", m_page.portalFontWeight);
                if (cr.text("FONT-FAMILY", m_page.portletTitleFontFamily))
                    m_page.portalFontFamily = m_page.portletTitleFontFamily;
            } else if (name == "KwGridTitle") {
                cr.text("FONT-WEIGHT", m_page.gridTitleWeight);
                cr.size("FONT-SIZE", m_page.gridTitleSize);
                cr.color("COLOR", m_page.gridTitleTextColor);
                if (cr.text("FONT-FAMILY", m_page.gridTitleFont))
                    m_page.tableHeadLinkFont = m_page.gridTitleFont;
            } else if (name == "KwGridText") {
                cr.color("COLOR", m_page.gridTextColor);
            } else if (name == "KwPortletText") {
                cr.color("COLOR", m_page.portletTextColor, false);
            } else if (const auto id = region(*child)) {
                RegionStyle &target = m_model.region(*id);
                cr.font(&target.textColor, &target.fontFamily, &target.fontSize, &target.fontWeight);
            }
        }
    }

    void readTable(const CCssElement &e)
    {
        for (const auto &child : e.GetChildren()) {
            const ElementReader cr = reader(*child);
            if (child->GetName() == "KwFirstGridBorder") {
                cr.size("BORDER-WIDTH", m_page.gridBorderWidth, Size::DropUnit);
                cr.color("BORDER-COLOR", m_page.gridBorderColor, false);
            } else if (child->GetName() == "KwFirstPortletBorder") {
                cr.color("BORDER-COLOR", m_page.portletBorderColor);
            }
        }
    }

    void readTr(const CCssElement &e)
    {
        for (const auto &child : e.GetChildren()) {
            const std::string &name = child->GetName();
            const ElementReader cr = reader(*child);
            if (name == "KwGridTitle")
                cr.color("BACKGROUND-COLOR", m_page.gridTitleBackgroundColor, false);
            else if (name == "KwGridHeader")
                cr.color("BACKGROUND-COLOR", m_page.gridHeaderColor, false);
            else if (name == "KwGridHeaderSplit")
                cr.color("BACKGROUND-COLOR", m_page.gridHeaderSplitColor);
            else if (name == "KwPortletTitle")
                cr.color("BACKGROUND-COLOR", m_page.portalBackgroundColor);
            else if (name == "KwPortletHeader") {
                cr.color("BACKGROUND-COLOR", m_page.portletHeaderBackgroundColor);
                cr.font(&m_page.portletHeaderTextColor, &m_page.portalFontFamily, &m_page.portletHeaderSize,
                        &m_page.portletHeaderWeight);
            }
        }
    }

    void readLinks(const CCssElement &e)
    {
        for (const auto &child : e.GetChildren()) {
            const std::string &name = child->GetName();
            if (name == "link") {
                reader(*child).color("COLOR", m_page.linkColor);
                continue;
            }
            const CCssElement *link = child->FindChild("link");
            const CCssElement *hover = child->FindChild("hover");
            RegionStyle &navigate = m_model.region(RegionId::KwNavigate);
            if (name == "KwPortletText") {
                if (link)
                    reader(*link).font(&m_page.portletLinkColor, &m_page.portalFontFamily,
                                       &m_page.portletHeaderSize, &m_page.portletHeaderWeight,
                                       Size::DropUnit);
            } else if (name == "KwMainLink") {
                if (link)
                    reader(*link).font(nullptr, &m_page.mainLinkFont, &m_page.mainLinkSize,
                                       &m_page.mainLinkWeight);
            } else if (name == "KwNavigate") {
                if (link)
                    reader(*link).font(&navigate.textColor, &navigate.fontFamily, &navigate.fontSize,
                                       &navigate.fontWeight, Size::DropUnit);
                if (hover)
                    reader(*hover).color("COLOR", navigate.hoverColor);
            } else if (name == "KwNavigateSub") {
                if (link)
                    reader(*link).font(&navigate.subTextColor, &navigate.subFontFamily, &navigate.subFontSize,
                                       &navigate.subFontWeight, Size::DropUnit);
                if (hover)
                    reader(*hover).color("COLOR", navigate.subHoverColor);
            } else if (const auto id = region(*child)) {
                RegionStyle &target = m_model.region(*id);
                if (link)
                    reader(*link).font(&target.textColor, &target.fontFamily, &target.fontSize,
                                       &target.fontWeight);
            }
        }
    }

    void readBlock(const CCssElement &block)
    {
        if (block.GetName() == "KwStyleAsp") {
            readSettings(block);
            return;
        }
        for (const auto &child : block.GetChildren()) {
            if (child->GetName() == "MOUSE")
                readMouse(*child);
            else if (child->GetName() == "KwStyleAsp")
                readSettings(*child);
        }
    }

    void readMouse(const CCssElement &mouse)
    {
        for (const auto &child : mouse.GetChildren()) {
            const std::string &name = child->GetName();
            const ElementReader r = reader(*child);
            RegionStyle &navigate = m_model.region(RegionId::KwNavigate);
            if (name == "A") {
                r.color("COLOR-IN", m_page.linkHoverColor);
            } else if (name == "TH") {
                r.color("COLOR-IN", m_page.tableHeadLinkHoverColor);
                r.color("COLOR-CLICKED", m_page.tableHeadClickedColor);
            } else if (name == "KwPortletHeader") {
                r.color("COLOR-IN", m_page.portletLinkHoverColor);
                r.color("COLOR-CLICKED", m_page.portletHeaderClickedColor);
            } else if (name == "KwNavigateSub") {
                r.color("COLOR-IN", navigate.subHoverColor);
                r.color("COLOR-CLICKED", navigate.subSelectedColor);
            } else if (const auto id = region(*child)) {
                RegionStyle &target = m_model.region(*id);
                r.color("COLOR-IN", target.hoverColor);
                r.color("COLOR-CLICKED", target.selectedColor);
            }
        }
    }

    // How a settings switch is read.
    enum class Compare { Exact, IgnoreCase };
    enum class Missing { Unchanged, True, False };
    struct SwitchKey {
        std::string_view key;
        bool PaneSwitches::*field;
        Compare compare;
        Missing missing;
    };

    void readSwitches(const CCssElement &e, std::span<const SwitchKey> keys)
    {
        for (const SwitchKey &k : keys) {
            const std::string *value = e.GetProperty(k.key);
            bool on = false;
            if (value)
                on = k.compare == Compare::Exact ? parseSwitch(*value) : parseSwitchIgnoringCase(*value);
            else if (k.missing == Missing::Unchanged)
                continue;
            else
                on = k.missing == Missing::True;
            m_model.setSwitch(k.field, on);
        }
    }

    static void readSettingPicture(const CCssElement &e, std::string_view key, std::string &field)
    {
        const std::string *value = e.GetProperty(key);
        field = value ? reducePictureName(*value) : std::string();
    }

    void readSettings(const CCssElement &settings)
    {
        using P = PaneSwitches;
        static constexpr SwitchKey kAppearance[] = {
            {"ShowInfoBar", &P::showInfoBar, Compare::Exact, Missing::Unchanged},
            {"ShowLogo", &P::showLogo, Compare::Exact, Missing::Unchanged},
            {"ShowWelcomeText", &P::showWelcome, Compare::Exact, Missing::Unchanged},
            {"ShowAppInfo", &P::showAppInfoBar, Compare::IgnoreCase, Missing::True},
            {"ShowPicture", &P::showPicture, Compare::IgnoreCase, Missing::True},
            {"ShowSecLevNavRight", &P::menuRight, Compare::IgnoreCase, Missing::False},
            {"ShowTreeNavigation", &P::useTreeMenu, Compare::IgnoreCase, Missing::False},
        };
        static constexpr SwitchKey kSearch[] = {
            {"EnableGlobalSearch", &P::enableGlobalSearch, Compare::Exact, Missing::Unchanged},
            {"EnableAppSearch", &P::enableAppSearch, Compare::Exact, Missing::Unchanged},
            {"EnableAppSearchAno", &P::enableAppSearchAno, Compare::Exact, Missing::Unchanged},
            {"EnableEmplSearch", &P::enableEmplSearch, Compare::Exact, Missing::Unchanged},
            {"EnableEmplSearchAno", &P::enableEmplSearchAno, Compare::Exact, Missing::Unchanged},
        };
        for (const auto &child : settings.GetChildren()) {
            const std::string &name = child->GetName();
            const ElementReader r = reader(*child);
            if (name == "Appearance") {
                readSwitches(*child, kAppearance);
            } else if (name == "Header") {
                readSettingPicture(*child, "BulletBigPath", m_page.bulletBigPath);
                readSettingPicture(*child, "BulletSmallPath", m_page.bulletSmallPath);
            } else if (name == "GlobalSearch") {
                readSwitches(*child, kSearch);
            } else if (name == "EntryStyle") {
                r.color("EntryBackground", m_page.entryBackgroundColor);
                r.color("EntryForeground", m_page.entryForegroundColor);
                readSettingPicture(*child, "RequiredImage", m_page.requiredImage);
                r.color("EntrySelectionBackground", m_page.entrySelectionBackgroundColor);
                r.color("EntrySelectionForeground", m_page.entrySelectionForegroundColor);
            } else if (name == "TableStyle") {
                r.color("FirstRowColor", m_page.firstRowColor);
                r.color("SecondRowColor", m_page.secondRowColor);
            } else if (name == "PortletStyle") {
                r.color("FirstRowColor", m_page.portletFirstRowColor);
                r.color("SecondRowColor", m_page.portletSecondRowColor);
                m_page.showPortletShadow = false;
                if (const std::string *shadow = r.value("ShowShadow"))
                    m_page.showPortletShadow = parseSwitchIgnoringCase(*shadow);
            } else if (name == "MenuStyles") {
                readMenuStyles(*child);
            }
        }
    }

    void readMenuStyles(const CCssElement &menuStyles)
    {
        for (const auto &child : menuStyles.GetChildren()) {
            const std::string &name = child->GetName();
            const RegionId id = name == "Top"        ? RegionId::KwRootNavigate
                                : name == "2ndLevel" ? RegionId::KwNavigate
                                : name == "App"      ? RegionId::KwStartNavigate
                                                     : RegionId::KwApplication;
            if (id == RegionId::KwApplication)
                continue;
            RegionStyle &menu = m_model.region(id);
            const ElementReader r = reader(*child);
            if (const std::string *effect = r.value("ShowButtonEffect"))
                menu.showButtonEffect = parseSwitch(*effect);
            r.color("FieldOnFocusBorderColor", menu.focusBorderColor);
            r.color("FieldOnFocusColor", menu.focusColor);
            r.color("FieldOnClickBorderColor", menu.clickBorderColor);
            r.color("FieldOnClickColor", menu.clickColor);
            r.text("BorderStyle", menu.borderStyle);
            const std::pair<std::string_view, std::string RegionStyle::*> buttons[] = {
                {"ButtonImageNormal", &RegionStyle::buttonImageNormal},
                {"ButtonImageSelect", &RegionStyle::buttonImageSelect},
                {"ButtonImageMouse", &RegionStyle::buttonImageMouse},
                {"ImageBetweenLinkPath", &RegionStyle::separatorImage}};
            for (const auto &[key, field] : buttons)
                if (const std::string *value = r.value(key))
                    menu.*field = reducePictureName(*value);
            if (const std::string *show = r.value("ShowImageBeforeLink"); show && *show == "true")
                if (const std::string *path = r.value("ImageBeforeLinkPath"))
                    menu.itemImage = reducePictureName(*path);
            const std::tuple<std::string_view, std::string RegionStyle::*, std::string_view> tree[] = {
                {"CloseLeafs", &RegionStyle::closeLeafsImage, "closeall.gif"},
                {"OpenLeaf", &RegionStyle::openLeafImage, "minus.gif"},
                {"ClosedLeaf", &RegionStyle::closedLeafImage, "plus.gif"},
                {"LoginButton", &RegionStyle::loginButtonImage, "login.gif"}};
            for (const auto &[key, field, fallback] : tree) {
                const std::string *value = r.value(key);
                menu.*field = value ? reducePictureName(*value) : std::string(fallback);
            }
        }
    }

    void readHeading(const CCssElement &e, int level)
    {
        Color *colors[] = {&m_page.heading1Color, &m_page.heading2Color, &m_page.heading3Color};
        std::string *fonts[] = {&m_page.heading1Font, &m_page.heading2Font, &m_page.heading3Font};
        int *sizes[] = {&m_page.heading1Size, &m_page.heading2Size, &m_page.heading3Size};
        std::string *weights[] = {&m_page.heading1Weight, &m_page.heading2Weight, &m_page.heading3Weight};
        const int i = level - 1;
        reader(e).font(colors[i], fonts[i], sizes[i], weights[i]);
    }

    void readInput(const CCssElement &e)
    {
        const ElementReader r = reader(e);
        m_entryStyleFromCss = false;
        if (r.color("COLOR", m_page.entryForegroundColor) || r.value("COLOR"))
            m_entryStyleFromCss = true;
        if (r.color("BACKGROUND-COLOR", m_page.entryBackgroundColor) || r.value("BACKGROUND-COLOR"))
            m_entryStyleFromCss = true;
        if (const std::string *border = r.value("BORDER")) {
            m_entryStyleFromCss = true;
            const auto b1 = border->find(' ');
            const auto b2 = b1 == std::string::npos ? b1 : border->find(' ', b1 + 1);
            if (b2 != std::string::npos) {
                if (const auto c = parseColor(std::string_view(*border).substr(0, b1))) {
                    m_page.entryBorderColor = *c;
                    m_colors.add(*c);
                }
                if (const auto w = parseSize(std::string_view(*border).substr(b1 + 1, b2 - b1 - 1)))
                    m_page.entryBorderWidth = *w;
                m_page.entryBorderStyle = border->substr(b2 + 1);
            }
        }
    }

    LayoutModel &m_model;
    PageStyle &m_page;
    ColorSet &m_colors;
    bool &m_entryStyleFromCss;
};

} // namespace

void readLayoutTree(const CCssElement &root, LayoutModel &model, ColorSet &colors, bool &entryStyleFromCss)
{
    TreeReader(model, colors, entryStyleFromCss).read(root);
}

} // namespace kw::layout
