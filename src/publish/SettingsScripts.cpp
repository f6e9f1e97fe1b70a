#include "publish/SettingsScripts.h"

#include "base/Color.h"
#include "base/ScriptLiteral.h"

namespace kw::publish {

using layout::LayoutModel;
using layout::Pane;
using layout::RegionId;
using layout::RegionStyle;

namespace {

constexpr std::string_view kEol = "\r\n";
constexpr std::string_view kScriptHead = "<SCRIPT LANGUAGE=VBScript RUNAT=Server>\r\n\r\n";
constexpr std::string_view kTrailer = "end sub\r\n\r\n</SCRIPT>\r\n";

std::string switchText(bool on)
{
    return on ? "true" : "false";
}
std::string picture(const std::string &name)
{
    return name.empty() ? "" : "../images/company/" + name;
}
std::string bulletPicture(const std::string &name)
{
    return name.empty() ? "" : "../../images/company/" + name;
}

// Writes the script line by line.
class ScriptWriter {
public:
    explicit ScriptWriter(std::string_view subroutine)
    {
        m_text += kScriptHead;
        m_text += subroutine;
        m_text += kEol;
    }
    // A line with a fixed prefix; a prefix ending in a quote gets the closing quote after the value.
    void fixed(std::string_view prefix, std::string_view value)
    {
        m_text += prefix;
        m_text += value;
        if (!prefix.empty() && prefix.back() == '"')
            m_text += '"';
        m_text += kEol;
    }
    // A built line: tab, Application("key"), two tabs, " = ", the value.
    void built(std::string_view key, std::string_view value)
    {
        m_text += "\tApplication(\"";
        m_text += key;
        m_text += "\")\t\t = ";
        m_text += value;
        m_text += kEol;
    }
    void builtQuoted(std::string_view key, std::string_view value)
    {
        built(key, scriptString(value, ScriptBlock::ScriptElement));
    }
    void raw(std::string_view text) { m_text += text; }
    std::string finish()
    {
        m_text += kTrailer;
        return std::move(m_text);
    }

private:
    std::string m_text;
};

// The lines of one menu level; `level` is TL, SL or AL.
void writeMenuBlock(ScriptWriter &out, const RegionStyle &menu, std::string_view level)
{
    auto key = [&](std::string_view pattern) {
        std::string k(pattern);
        k.replace(k.find("TL"), 2, level);
        return k;
    };
    out.built(key("g_bShowButtonTLEffect"), switchText(menu.showButtonEffect));
    out.builtQuoted(key("g_FieldOnMouseOverBorderTLColor"), formatColor(menu.focusBorderColor));
    out.builtQuoted(key("g_FieldOnMouseOverTLColor"), formatColor(menu.focusColor));
    out.builtQuoted(key("g_FieldOnMouseOutBorderTLColor"), formatColor(menu.backgroundColor));
    out.builtQuoted(key("g_FieldOnMouseOutTLColor"), formatColor(menu.backgroundColor));
    out.builtQuoted(key("g_FieldClickedBorderTLColor"), formatColor(menu.clickBorderColor));
    out.builtQuoted(key("g_FieldClickedTLColor"), formatColor(menu.clickColor));
    out.builtQuoted(key("g_strTLBorderStyle"), scriptBorderStyle(menu.borderStyle));
    out.builtQuoted(key("g_strTLBorderStyleClicked"), clickedBorderStyle(menu.borderStyle));
    out.builtQuoted(key("g_strImageOnMouseOverTLPath"), picture(menu.buttonImageMouse));
    out.builtQuoted(key("g_strImageOnMouseOutTLPath"), picture(menu.buttonImageNormal));
    out.builtQuoted(key("g_strImageClickedTLPath"), picture(menu.buttonImageSelect));
    out.built(key("g_bShowImageBeforeTLLink"), switchText(!menu.itemImage.empty()));
    out.builtQuoted(key("g_strImageBeforeLinkTLPath"), picture(menu.itemImage));
    if (level == "SL") {
        out.builtQuoted("g_strImage_TopBase", picture(menu.closeLeafsImage));
        out.builtQuoted("g_strImage_Plus", picture(menu.closedLeafImage));
        out.builtQuoted("g_strImage_Minus", picture(menu.openLeafImage));
        out.builtQuoted("g_strImage_Key", picture(menu.loginButtonImage));
    } else {
        out.builtQuoted(key("g_strImageBetweenLinkTLPath"), picture(menu.separatorImage));
    }
}

// Finds `what` at or after `from`; npos stays npos.
std::size_t findFrom(std::string_view text, std::string_view what, std::size_t from)
{
    return from == std::string_view::npos ? from : text.find(what, from);
}

std::optional<bool> readSwitchLine(std::string_view text, std::string_view key, std::string_view later)
{
    const std::size_t keyPos = text.find(key);
    if (keyPos == std::string_view::npos)
        return std::nullopt;
    const std::size_t equals = findFrom(text, "=", keyPos);
    const std::size_t truePos = findFrom(text, "true", equals);
    const std::size_t laterPos = findFrom(text, later, truePos);
    return truePos != std::string_view::npos && laterPos != std::string_view::npos;
}

} // namespace

std::string scriptBorderStyle(std::string_view style)
{
    // The switch words are what the module stored in older layouts; they are no border style.
    if (style.empty() || style == "true" || style == "false")
        return "none";
    return std::string(style);
}

std::string clickedBorderStyle(std::string_view style)
{
    const std::string s = scriptBorderStyle(style);
    if (s == "groove")
        return "ridge";
    if (s == "ridge")
        return "groove";
    if (s == "inset")
        return "outset";
    if (s == "outset")
        return "inset";
    return s;
}

std::string makeKwStyles(const LayoutModel &model)
{
    const layout::PaneSwitches &start = model.switches(Pane::StartPage);
    const layout::PaneSwitches &app = model.switches(Pane::ApplicationPages);
    const layout::PageStyle &page = model.page();
    ScriptWriter out("sub SetKwStyles()");
    struct SwitchLine {
        std::string_view prefix;
        bool value;
    };
    const SwitchLine switches[] = {
        {"\tApplication(\"g_bShowInfoBar\")\t\t = ", start.showInfoBar},
        {"\tApplication(\"g_bShowLogo\")\t\t\t = ", start.showLogo},
        {"\tApplication(\"g_bShowWelcomeText\")\t = ", start.showWelcome},
        {"\tApplication(\"g_bShowAppInfo\")\t = ", app.showAppInfoBar},
        {"\tApplication(\"g_bShowCornerImage\")\t = ", start.showPicture},
        {"\tApplication(\"g_bSecLevNavRight\")\t = ", start.menuRight},
        {"\tApplication(\"g_bTreeNavigation\")\t = ", start.useTreeMenu},
        {"\tApplication(\"g_bEnableGlobalSearch\") = ", start.enableGlobalSearch},
        {"\tApplication(\"g_bEnableAppSearch\") = ", start.enableAppSearch},
        {"\tApplication(\"g_bEnableAppSearchAno\") = ", start.enableAppSearchAno},
        {"\tApplication(\"g_bEnableEmplSearch\") = ", start.enableEmplSearch},
        {"\tApplication(\"g_bEnableEmplSearchAno\") = ", start.enableEmplSearchAno},
    };
    for (const SwitchLine &line : switches)
        out.fixed(line.prefix, switchText(line.value));
    out.fixed("\tApplication(\"g_colEntryBackground\")\t = \"", formatColor(page.entryBackgroundColor));
    out.fixed("\tApplication(\"g_colEntryForeground\")\t = \"", formatColor(page.entryForegroundColor));
    out.fixed("\tApplication(\"g_colEntrySelectionBackground\")\t = \"",
              formatColor(page.entrySelectionBackgroundColor));
    out.fixed("\tApplication(\"g_colEntrySelectionForeground\")\t = \"",
              formatColor(page.entrySelectionForegroundColor));
    out.builtQuoted("g_strUrlRequiredImagePath", picture(page.requiredImage));
    out.fixed("\tApplication(\"g_colFirstRowColor\")\t = \"", formatColor(page.firstRowColor));
    out.fixed("\tApplication(\"g_colSecondRowColor\")\t = \"", formatColor(page.secondRowColor));
    out.fixed("\tApplication(\"g_colPortletFirstRowColor\")\t = \"", formatColor(page.portletFirstRowColor));
    out.fixed("\tApplication(\"g_colPortletSecondRowColor\")\t = \"",
              formatColor(page.portletSecondRowColor));
    out.fixed("\tApplication(\"g_bShowPortletShadow\")\t = \"", switchText(page.showPortletShadow));
    writeMenuBlock(out, model.region(RegionId::KwRootNavigate), "TL");
    writeMenuBlock(out, model.region(RegionId::KwNavigate), "SL");
    writeMenuBlock(out, model.region(RegionId::KwStartNavigate), "AL");
    out.builtQuoted("g_strBigBulletPath", bulletPicture(page.bulletBigPath));
    out.builtQuoted("g_strSmallBulletPath", bulletPicture(page.bulletSmallPath));
    out.builtQuoted("g_colBackground", formatColor(model.pageRegion().backgroundColor));
    return out.finish();
}

std::string makeLayoutSettings(const LayoutModel &model)
{
    ScriptWriter out("sub SetLayoutSettings()");
    out.fixed("\tApplication(\"g_bShowInfoFav\") = ",
              switchText(model.region(RegionId::KwRootTop).showFavorites));
    out.fixed("\tApplication(\"g_bShowSecondLevelFav\") = ",
              switchText(model.region(RegionId::KwNavigate).showFavorites));
    return out.finish();
}

std::string makeRollover(const LayoutModel &model)
{
    const RegionStyle &top = model.region(RegionId::KwRootNavigate);
    const RegionStyle &second = model.region(RegionId::KwNavigate);
    const RegionStyle &nav = model.region(RegionId::KwStartNavigate);
    const layout::PageStyle &page = model.page();
    struct Group {
        std::string_view name;
        Color mouseIn, mouseOut, clicked;
    };
    const Group groups[] = {
        {"Top", top.hoverColor, top.textColor, top.selectedColor},
        {"Second", second.hoverColor, second.textColor, second.selectedColor},
        {"Second_Sub", second.subHoverColor, second.subTextColor, second.subSelectedColor},
        {"Nav", nav.hoverColor, nav.textColor, nav.selectedColor},
        {"App", page.linkHoverColor, page.linkColor, page.linkColor},
        {"TH", page.tableHeadLinkHoverColor, page.tableHeadLinkColor, page.tableHeadClickedColor},
        {"Portlet_TH", page.portletLinkHoverColor, page.portletLinkColor, page.portletHeaderClickedColor},
    };
    ScriptWriter out("sub SetMouseOverValues()");
    for (const Group &group : groups) {
        const std::pair<std::string_view, Color> lines[] = {
            {"_MouseIn", group.mouseIn}, {"_MouseOut", group.mouseOut}, {"_Clicked", group.clicked}};
        for (const auto &[ending, color] : lines)
            out.raw("Application(\"" + std::string(group.name) + std::string(ending) + "\") = \"" +
                    formatColor(color) + "\"\r\n");
        out.raw(kEol);
    }
    return out.finish();
}

FavoriteSwitches readLayoutSettings(std::string_view text)
{
    return {readSwitchLine(text, "Application(\"g_bShowInfoFav\")", "Application"),
            readSwitchLine(text, "Application(\"g_bShowSecondLevelFav\")", "end")};
}

} // namespace kw::publish
