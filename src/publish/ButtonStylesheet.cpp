#include "publish/ButtonStylesheet.h"

#include "base/Values.h"
#include "publish/CssValues.h"

namespace kw::publish {

using layout::ButtonStyle;
using layout::ButtonStyleList;

namespace {

// "#RRGGBB": the three pairs after the first character; an unreadable colour leaves the field.
void readColor(const CCssElement &rule, std::string_view property, Color &field)
{
    if (const std::string *value = rule.GetProperty(property))
        if (const auto color = parseColor(*value))
            field = *color;
}

// Pixel values: the number before a two-character unit; shorter values are plain numbers.
std::optional<int> pixels(std::string_view value)
{
    if (value.size() < 3)
        return parseLeadingInt(value);
    return parseSizeDroppingUnit(value);
}

void readPixels(const CCssElement &rule, std::string_view property, int &field)
{
    if (const std::string *value = rule.GetProperty(property))
        if (const auto px = pixels(*value))
            field = *px;
}

// Splits at the first and the second blank.
struct ThreeParts {
    std::string_view first, second, rest;
    bool complete = false;
};
ThreeParts splitAtTwoBlanks(std::string_view value)
{
    ThreeParts parts;
    const auto b1 = value.find(' ');
    if (b1 == std::string_view::npos) {
        parts.first = value;
        return parts;
    }
    const auto b2 = value.find(' ', b1 + 1);
    parts.first = value.substr(0, b1);
    if (b2 == std::string_view::npos) {
        parts.second = value.substr(b1 + 1);
        return parts;
    }
    parts.second = value.substr(b1 + 1, b2 - b1 - 1);
    parts.rest = value.substr(b2 + 1);
    parts.complete = true;
    return parts;
}

void readAppearance(ButtonStyle &style, const CCssElement &rule)
{
    readColor(rule, "COLOR", style.textColor);
    if (const std::string *background = rule.GetProperty("BACKGROUND")) {
        const ThreeParts parts = splitAtTwoBlanks(*background);
        if (parts.complete) {
            if (const auto color = parseColor(parts.second))
                style.backgroundColor = *color;
            style.backgroundImage = std::string(parts.first);
        }
    } else {
        readColor(rule, "BACKGROUND-COLOR", style.backgroundColor);
        if (const std::string *image = rule.GetProperty("BACKGROUND-IMAGE");
            image && image->starts_with("url(")) {
            const auto open = image->find('(');
            const auto close = image->find(')', open);
            style.backgroundImage = reducePictureName(std::string_view(*image).substr(
                open + 1, close == std::string::npos ? std::string::npos : close - open - 1));
        }
    }
    if (const std::string *border = rule.GetProperty("BORDER")) {
        const ThreeParts parts = splitAtTwoBlanks(*border);
        if (parts.complete) {
            if (const auto color = parseColor(parts.first))
                style.borderTopLeftColor = style.borderBottomRightColor = *color;
            if (const auto width = parseSizeDroppingUnit(parts.second))
                style.borderWidth = *width;
            style.borderStyle = std::string(parts.rest);
        }
    }
    if (const std::string *borderStyle = rule.GetProperty("BORDER-STYLE"))
        style.borderStyle = *borderStyle;
    readPixels(rule, "BORDER-WIDTH", style.borderWidth);
    readColor(rule, "BORDER-LEFT-COLOR", style.borderTopLeftColor);
    if (rule.GetProperty("BORDER-RIGHT-COLOR"))
        readColor(rule, "BORDER-RIGHT-COLOR", style.borderBottomRightColor);
    else
        style.borderBottomRightColor = style.borderTopLeftColor;
    const std::pair<std::string_view, int ButtonStyle::*> lengths[] = {
        {"HEIGHT", &ButtonStyle::height},
        {"FONT-SIZE", &ButtonStyle::fontSize},
        {"MARGIN-LEFT", &ButtonStyle::marginLeft},
        {"MARGIN-RIGHT", &ButtonStyle::marginRight},
        {"MARGIN-TOP", &ButtonStyle::marginTop},
        {"MARGIN-BOTTOM", &ButtonStyle::marginBottom},
        {"PADDING-LEFT", &ButtonStyle::paddingLeft},
        {"PADDING-RIGHT", &ButtonStyle::paddingRight},
        {"PADDING-TOP", &ButtonStyle::paddingTop},
        {"PADDING-BOTTOM", &ButtonStyle::paddingBottom}};
    for (const auto &[property, field] : lengths)
        readPixels(rule, property, style.*field);
    if (const std::string *family = rule.GetProperty("FONT-FAMILY"))
        style.fontFamily = *family;
    if (const std::string *weight = rule.GetProperty("FONT-WEIGHT")) {
        int number = 0;
        if (equalsIgnoringCase(*weight, "bold"))
            number = 700;
        else if (*weight == "normal") // only "bold" is a keyword in any case
            number = 400;
        else
            number = parseLeadingInt(*weight).value_or(0);
        style.fontWeight = number / 100 - 1;
    }
    if (const std::string *align = rule.GetProperty("TEXT-ALIGN")) {
        for (int i = 0; i < 3; ++i)
            if (*align == layout::kTextAlignKeywords[i])
                style.textAlign = i;
    }
    if (style.textAlign == -1)
        style.textAlign = 0;
    style.fromFile = true;
}

void readRulesFrom(ButtonStyleList &list, const CCssElement &root)
{
    for (const auto &top : root.GetChildren()) {
        if (top->GetName() != "INPUT")
            continue;
        for (const auto &rule : top->GetChildren()) {
            if (rule->GetType() == css::CSS_BLOCK || !rule->GetName().starts_with(layout::kButtonKeyPrefix))
                continue;
            list.foundInCss = true;
            readAppearance(list.findOrAppend(rule->GetName()), *rule);
        }
    }
}

std::string weightText(int index)
{
    const int weight = (index + 1) * 100;
    if (weight == 400)
        return "normal";
    if (weight == 700)
        return "bold";
    return std::to_string(weight);
}

} // namespace

const CCssElement *findSettingsBlock(const CCssElement &root, std::string_view name)
{
    for (const auto &top : root.GetChildren()) {
        if (top->GetType() != css::CSS_BLOCK)
            continue;
        if (top->GetName() == name)
            return top.get();
        if (const CCssElement *inner = top->FindChild(name))
            return inner;
    }
    return nullptr;
}

void readButtonStyles(ButtonStyleList &list, const CCssElement *buttonStylesRoot,
                      const CCssElement &layoutRoot)
{
    list.clearForReading();
    readRulesFrom(list, buttonStylesRoot ? *buttonStylesRoot : layoutRoot);
    for (const auto &top : layoutRoot.GetChildren()) {
        if (top->GetType() != css::CSS_BLOCK)
            continue;
        const CCssElement *block =
            top->GetName() == "KwButtonStyles" ? top.get() : top->FindChild("KwButtonStyles");
        if (!block)
            continue;
        for (const auto &entry : block->GetChildren()) {
            ButtonStyle &style = list.findOrAppend(entry->GetName());
            list.setCurrent(entry->GetName());
            if (const std::string *v = entry->GetProperty("DENOTATION"))
                style.denotation = *v;
            if (const std::string *v = entry->GetProperty("DESCRIPTION"))
                style.description = *v;
            if (const std::string *v = entry->GetProperty("DELETABLE"))
                style.deletable = *v == "true";
        }
    }
    list.ensurePredefined();
}

void writeButtonRules(const ButtonStyleList &list, CCssElement &parent)
{
    for (const ButtonStyle &style : list.styles()) {
        CCssElement &rule = addClass(parent, style.key);
        setColor(rule, "COLOR", style.textColor);
        if (!style.borderStyle.empty())
            rule.SetProperty("BORDER-STYLE", style.borderStyle);
        setColor(rule, "BORDER-TOP-COLOR", style.borderTopLeftColor);
        setColor(rule, "BORDER-LEFT-COLOR", style.borderTopLeftColor);
        setColor(rule, "BORDER-RIGHT-COLOR", style.borderBottomRightColor);
        setColor(rule, "BORDER-BOTTOM-COLOR", style.borderBottomRightColor);
        setPx(rule, "HEIGHT", style.height);
        setPx(rule, "BORDER-WIDTH", style.borderWidth);
        if (!style.fontFamily.empty())
            rule.SetProperty("FONT-FAMILY", style.fontFamily);
        setPx(rule, "FONT-SIZE", style.fontSize);
        rule.SetProperty("FONT-WEIGHT", weightText(style.fontWeight));
        if (!style.backgroundImage.empty()) {
            rule.SetProperty("BACKGROUND-REPEAT", "no-repeat");
            rule.SetProperty("BACKGROUND-IMAGE", pictureUrl(style.backgroundImage));
        }
        setColor(rule, "BACKGROUND-COLOR", style.backgroundColor);
        const int align = style.textAlign >= 0 && style.textAlign <= 2 ? style.textAlign : 0;
        rule.SetProperty("TEXT-ALIGN", layout::kTextAlignKeywords[align]);
        setPx(rule, "MARGIN-TOP", style.marginTop);
        setPx(rule, "MARGIN-LEFT", style.marginLeft);
        setPx(rule, "MARGIN-BOTTOM", style.marginBottom);
        setPx(rule, "MARGIN-RIGHT", style.marginRight);
        setPx(rule, "PADDING-TOP", style.paddingTop);
        setPx(rule, "PADDING-LEFT", style.paddingLeft);
        setPx(rule, "PADDING-BOTTOM", style.paddingBottom);
        setPx(rule, "PADDING-RIGHT", style.paddingRight);
    }
}

void writeButtonBlock(const ButtonStyleList &list, CCssElement &root)
{
    CCssElement &block = addChild(root, "KwButtonStyles", css::CSS_BLOCK);
    for (const ButtonStyle &style : list.styles()) {
        CCssElement &entry = addClass(block, style.key);
        entry.SetProperty("DENOTATION", style.denotation);
        entry.SetProperty("DESCRIPTION", style.description);
        entry.SetProperty("DELETABLE", formatSwitch(style.deletable));
    }
}

void buildButtonStylesheet(const ButtonStyleList &list, bool withRules, CCssElement &root)
{
    CCssElement &input = addTag(root, "INPUT");
    if (withRules)
        writeButtonRules(list, input);
}

} // namespace kw::publish
