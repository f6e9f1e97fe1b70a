#include "audit/PairTable.h"

#include "base/Values.h"

#include <variant>

namespace kw::audit {

using layout::Pane;
using layout::RegionId;

namespace {

constexpr Pane kStart = Pane::StartPage;
constexpr Pane kApp = Pane::ApplicationPages;
constexpr std::string_view kEachButton = "*";

// Text on the page's own background, in the page's font unless it has one of its own.
constexpr std::string_view kPageBg = "KwApplication.backgroundColor";
constexpr std::string_view kPageSize = "KwApplication.fontSize";
constexpr std::string_view kPageWeight = "KwApplication.fontWeight";

constexpr PairSpec kPairs[] = {
    {RegionId::KwRootTop, "text", "KwRootTop.textColor", "KwRootTop.backgroundColor", "KwRootTop.fontSize",
     "KwRootTop.fontWeight", kInfoBar, kApp},

    {RegionId::KwRootNavigate, "normal", "KwRootNavigate.textColor", "KwRootNavigate.backgroundColor",
     "KwRootNavigate.fontSize", "KwRootNavigate.fontWeight", kNoTreeMenu, kApp},
    {RegionId::KwRootNavigate, "hover", "KwRootNavigate.hoverColor", "KwRootNavigate.backgroundColor",
     "KwRootNavigate.fontSize", "KwRootNavigate.fontWeight", kNoTreeMenu, kApp},
    {RegionId::KwRootNavigate, "selected", "KwRootNavigate.selectedColor", "KwRootNavigate.backgroundColor",
     "KwRootNavigate.fontSize", "KwRootNavigate.fontWeight", kNoTreeMenu, kApp},
    {RegionId::KwRootNavigate, "focus", "KwRootNavigate.hoverColor", "KwRootNavigate.focusColor",
     "KwRootNavigate.fontSize", "KwRootNavigate.fontWeight", kNoTreeMenu | kButtonEffect, kApp},
    {RegionId::KwRootNavigate, "click", "KwRootNavigate.selectedColor", "KwRootNavigate.clickColor",
     "KwRootNavigate.fontSize", "KwRootNavigate.fontWeight", kNoTreeMenu | kButtonEffect, kApp},

    {RegionId::KwNavigateHeader, "text", "KwNavigateHeader.textColor", "KwNavigateHeader.backgroundColor",
     "KwNavigateHeader.fontSize", "KwNavigateHeader.fontWeight", kNoTreeMenu, kApp},

    {RegionId::KwNavigate, "normal", "KwNavigate.textColor", "KwNavigate.backgroundColor",
     "KwNavigate.fontSize", "KwNavigate.fontWeight", kAlways, kApp},
    {RegionId::KwNavigate, "hover", "KwNavigate.hoverColor", "KwNavigate.backgroundColor",
     "KwNavigate.fontSize", "KwNavigate.fontWeight", kAlways, kApp},
    {RegionId::KwNavigate, "selected", "KwNavigate.selectedColor", "KwNavigate.backgroundColor",
     "KwNavigate.fontSize", "KwNavigate.fontWeight", kAlways, kApp},
    {RegionId::KwNavigate, "focus", "KwNavigate.hoverColor", "KwNavigate.focusColor", "KwNavigate.fontSize",
     "KwNavigate.fontWeight", kButtonEffect, kApp},
    {RegionId::KwNavigate, "click", "KwNavigate.selectedColor", "KwNavigate.clickColor",
     "KwNavigate.fontSize", "KwNavigate.fontWeight", kButtonEffect, kApp},
    {RegionId::KwNavigate, "subNormal", "KwNavigate.subTextColor", "KwNavigate.backgroundColor",
     "KwNavigate.subFontSize", "KwNavigate.subFontWeight", kTreeMenu, kApp},
    {RegionId::KwNavigate, "subHover", "KwNavigate.subHoverColor", "KwNavigate.backgroundColor",
     "KwNavigate.subFontSize", "KwNavigate.subFontWeight", kTreeMenu, kApp},
    {RegionId::KwNavigate, "subSelected", "KwNavigate.subSelectedColor", "KwNavigate.backgroundColor",
     "KwNavigate.subFontSize", "KwNavigate.subFontWeight", kTreeMenu, kApp},

    {RegionId::KwStartTop, "text", "KwStartTop.textColor", "KwStartTop.backgroundColor",
     "KwStartTop.fontSize", "KwStartTop.fontWeight", kAppInfoBar, kApp},

    {RegionId::KwStartNavigate, "normal", "KwStartNavigate.textColor", "KwStartNavigate.backgroundColor",
     "KwStartNavigate.fontSize", "KwStartNavigate.fontWeight", kAlways, kApp},
    {RegionId::KwStartNavigate, "hover", "KwStartNavigate.hoverColor", "KwStartNavigate.backgroundColor",
     "KwStartNavigate.fontSize", "KwStartNavigate.fontWeight", kAlways, kApp},
    {RegionId::KwStartNavigate, "selected", "KwStartNavigate.selectedColor",
     "KwStartNavigate.backgroundColor", "KwStartNavigate.fontSize", "KwStartNavigate.fontWeight", kAlways,
     kApp},
    {RegionId::KwStartNavigate, "focus", "KwStartNavigate.hoverColor", "KwStartNavigate.focusColor",
     "KwStartNavigate.fontSize", "KwStartNavigate.fontWeight", kButtonEffect, kApp},
    {RegionId::KwStartNavigate, "click", "KwStartNavigate.selectedColor", "KwStartNavigate.clickColor",
     "KwStartNavigate.fontSize", "KwStartNavigate.fontWeight", kButtonEffect, kApp},

    {RegionId::KwApplication, "text", "KwApplication.textColor", kPageBg, kPageSize, kPageWeight, kAlways,
     kApp},
    {RegionId::KwApplication, "link", "page.linkColor", kPageBg, kPageSize, kPageWeight, kAlways, kApp},
    {RegionId::KwApplication, "linkHover", "page.linkHoverColor", kPageBg, kPageSize, kPageWeight, kAlways,
     kApp},
    {RegionId::KwApplication, "mainLink", "page.linkColor", kPageBg, "page.mainLinkSize",
     "page.mainLinkWeight", kAlways, kApp},
    {RegionId::KwApplication, "mainLinkHover", "page.linkHoverColor", kPageBg, "page.mainLinkSize",
     "page.mainLinkWeight", kAlways, kApp},
    {RegionId::KwApplication, "heading1", "page.heading1Color", kPageBg, "page.heading1Size",
     "page.heading1Weight", kAlways, kApp},
    {RegionId::KwApplication, "heading2", "page.heading2Color", kPageBg, "page.heading2Size",
     "page.heading2Weight", kAlways, kApp},
    {RegionId::KwApplication, "heading3", "page.heading3Color", kPageBg, "page.heading3Size",
     "page.heading3Weight", kAlways, kApp},
    {RegionId::KwApplication, "welcome", "page.heading1Color", kPageBg, "page.heading1Size",
     "page.heading1Weight", kWelcome, kStart},
    // The portal heading; the portlet titles have the same colours, size and weight.
    {RegionId::KwApplication, "portal", "page.portalTextColor", "page.portalBackgroundColor",
     "page.portalFontSize", "page.portalFontWeight", kAlways, kStart},

    {RegionId::KwApplication, "gridTitle", "page.gridTitleTextColor", "page.gridTitleBackgroundColor",
     "page.gridTitleSize", "page.gridTitleWeight", kAlways, kApp},
    {RegionId::KwApplication, "gridHeader", "page.heading3Color", "page.gridHeaderColor", "page.heading3Size",
     "page.heading3Weight", kAlways, kApp},
    {RegionId::KwApplication, "tableHeadLink", "page.tableHeadLinkColor", "page.gridHeaderColor",
     "page.tableHeadLinkSize", "page.tableHeadLinkWeight", kAlways, kApp},
    {RegionId::KwApplication, "tableHeadHover", "page.tableHeadLinkHoverColor", "page.gridHeaderColor",
     "page.tableHeadLinkSize", "page.tableHeadLinkWeight", kAlways, kApp},
    {RegionId::KwApplication, "tableHeadClicked", "page.tableHeadClickedColor", "page.gridHeaderColor",
     "page.tableHeadLinkSize", "page.tableHeadLinkWeight", kAlways, kApp},
    {RegionId::KwApplication, "gridRow1", "page.gridTextColor", "page.firstRowColor", kPageSize, kPageWeight,
     kAlways, kApp},
    {RegionId::KwApplication, "gridRow2", "page.gridTextColor", "page.secondRowColor", kPageSize, kPageWeight,
     kAlways, kApp},

    {RegionId::KwApplication, "portletHeader", "page.portletHeaderTextColor",
     "page.portletHeaderBackgroundColor", "page.portletHeaderSize", "page.portletHeaderWeight", kAlways,
     kStart},
    {RegionId::KwApplication, "portletHeaderHover", "page.portletLinkHoverColor",
     "page.portletHeaderBackgroundColor", "page.portletHeaderSize", "page.portletHeaderWeight", kAlways,
     kStart},
    {RegionId::KwApplication, "portletHeaderClicked", "page.portletHeaderClickedColor",
     "page.portletHeaderBackgroundColor", "page.portletHeaderSize", "page.portletHeaderWeight", kAlways,
     kStart},
    {RegionId::KwApplication, "portletRow1", "page.portletTextColor", "page.portletFirstRowColor", kPageSize,
     kPageWeight, kAlways, kStart},
    {RegionId::KwApplication, "portletRow2", "page.portletTextColor", "page.portletSecondRowColor", kPageSize,
     kPageWeight, kAlways, kStart},
    {RegionId::KwApplication, "portletLinkRow1", "page.portletLinkColor", "page.portletFirstRowColor",
     kPageSize, kPageWeight, kAlways, kStart},
    {RegionId::KwApplication, "portletLinkRow2", "page.portletLinkColor", "page.portletSecondRowColor",
     kPageSize, kPageWeight, kAlways, kStart},
    {RegionId::KwApplication, "portletLinkHoverRow1", "page.portletLinkHoverColor",
     "page.portletFirstRowColor", kPageSize, kPageWeight, kAlways, kStart},
    {RegionId::KwApplication, "portletLinkHoverRow2", "page.portletLinkHoverColor",
     "page.portletSecondRowColor", kPageSize, kPageWeight, kAlways, kStart},

    {RegionId::KwApplication, "entry", "page.entryForegroundColor", "page.entryBackgroundColor",
     "KwApplication.fontSize", "", kAlways, kApp},
    {RegionId::KwApplication, "entrySelection", "page.entrySelectionForegroundColor",
     "page.entrySelectionBackgroundColor", "KwApplication.fontSize", "", kAlways, kApp},

    {RegionId::KwApplication, "button.*", "button.*.textColor", "button.*.backgroundColor",
     "button.*.fontSize", "button.*.fontWeight", kCustomButtons, kApp},
};

std::string expand(std::string_view text, const std::string &key)
{
    std::string out(text);
    if (const auto at = out.find(kEachButton); at != std::string::npos)
        out.replace(at, kEachButton.size(), key);
    return out;
}

using FieldValue = std::variant<Color, int, bool, std::string>;

template <class Record>
std::optional<FieldValue> read(const Record &record, std::span<const layout::Field<Record>> table,
                               std::string_view name)
{
    const layout::Field<Record> *field = layout::findField(table, name);
    if (!field)
        return std::nullopt;
    return std::visit([&](auto member) { return FieldValue(record.*member); }, field->member);
}

// Finds the record and field a name stands for and hands them to `use`; nothing when there is none.
template <class Model, class Use>
auto withField(Model &model, std::string_view key, Use &&use)
    -> decltype(use(model.page(), layout::pageFields(), key))
{
    const auto dot = key.find('.');
    if (dot == std::string_view::npos)
        return {};
    const std::string_view group = key.substr(0, dot);
    const std::string_view name = key.substr(dot + 1);
    if (const auto region = layout::regionByName(group))
        return use(model.region(*region), layout::regionFields(), name);
    if (group == "page")
        return use(model.page(), layout::pageFields(), name);
    if (group == "button") {
        const auto second = name.rfind('.');
        if (second == std::string_view::npos)
            return {};
        auto *style = model.buttons().find(name.substr(0, second));
        if (!style)
            return {};
        return use(*style, layout::buttonStyleFields(), name.substr(second + 1));
    }
    return {};
}

std::optional<FieldValue> fieldValue(const layout::LayoutModel &model, std::string_view key)
{
    return withField(model, key, [](const auto &record, auto table, std::string_view name) {
        return read(record, table, name);
    });
}

template <class T> std::optional<T> fieldAs(const layout::LayoutModel &model, std::string_view key)
{
    const auto value = fieldValue(model, key);
    if (!value || !std::holds_alternative<T>(*value))
        return std::nullopt;
    return std::get<T>(*value);
}

} // namespace

std::span<const PairSpec> pairTable()
{
    return kPairs;
}

std::string Pair::id() const
{
    return std::string(layout::regionName(region)) + "/" + state;
}

bool Pair::onRegionBackground() const
{
    return background == std::string(layout::regionName(region)) + ".backgroundColor";
}

std::vector<Pair> layoutPairs(const layout::LayoutModel &model)
{
    std::vector<Pair> pairs;
    for (const PairSpec &spec : kPairs) {
        auto add = [&](const std::string &key) {
            pairs.push_back({spec.region, expand(spec.state, key), expand(spec.foreground, key),
                             expand(spec.background, key), expand(spec.size, key), expand(spec.weight, key),
                             spec.requirements, spec.pane});
        };
        if (spec.foreground.find(kEachButton) == std::string_view::npos) {
            add({});
            continue;
        }
        for (const layout::ButtonStyle &style : model.buttons().styles())
            add(style.key);
    }
    return pairs;
}

bool isShown(const Pair &pair, const layout::LayoutModel &model, const AuditSwitches &switches)
{
    const layout::PaneSwitches &app = model.switches(Pane::ApplicationPages);
    const unsigned r = pair.requirements;
    if ((r & kInfoBar) && !app.showInfoBar)
        return false;
    if ((r & kAppInfoBar) && !app.showAppInfoBar)
        return false;
    if ((r & kNoTreeMenu) && app.useTreeMenu)
        return false;
    if ((r & kTreeMenu) && !app.useTreeMenu)
        return false;
    if ((r & kButtonEffect) && !model.region(pair.region).showButtonEffect)
        return false;
    if ((r & kCustomButtons) && !switches.customButtons)
        return false;
    if ((r & kWelcome) && !model.switches(Pane::StartPage).showWelcome)
        return false;
    return true;
}

std::optional<Color> colorField(const layout::LayoutModel &model, std::string_view key)
{
    return fieldAs<Color>(model, key);
}

std::optional<int> intField(const layout::LayoutModel &model, std::string_view key)
{
    return fieldAs<int>(model, key);
}

std::optional<std::string> textField(const layout::LayoutModel &model, std::string_view key)
{
    return fieldAs<std::string>(model, key);
}

bool setColorField(layout::LayoutModel &model, std::string_view key, Color color)
{
    const std::optional<bool> done = withField(
        model, key, [color](auto &record, auto table, std::string_view name) -> std::optional<bool> {
            const auto *field = layout::findField(table, name);
            if (!field)
                return false;
            using Record = std::remove_reference_t<decltype(record)>;
            const auto *member = std::get_if<Color Record::*>(&field->member);
            if (!member)
                return false;
            record.**member = color;
            return true;
        });
    return done.value_or(false);
}

int weightField(const layout::LayoutModel &model, std::string_view key)
{
    constexpr int kNormal = 400;
    if (const auto index = intField(model, key))
        return *index >= 0 && *index <= 8 ? (*index + 1) * 100 : kNormal;
    if (const auto text = textField(model, key)) {
        const int index = weightIndexFromText(*text);
        return index < 0 ? kNormal : (index + 1) * 100;
    }
    return kNormal;
}

} // namespace kw::audit
