#include "layoutmodel/ButtonStyles.h"

#include "base/StringTable.h"

#include <algorithm>
#include <array>

namespace kw::layout {

namespace {

constexpr std::array<std::string_view, 9> kPredefinedKeys = {
    "KwButton",       "KwButtonSaveNew", "KwButtonSaveGoto", "KwButtonSaveChanges", "KwButtonDelete",
    "KwButtonCancel", "KwButtonGotoNew", "KwButtonGotoPage", "KwButtonGotoOther"};

// Default denotations by list position.
constexpr std::array<StringId, 9> kDefaultDenotations = {
    StringId::ButtonStyleGeneral,     StringId::ButtonStyleSaveNew,  StringId::ButtonStyleSaveGoto,
    StringId::ButtonStyleSaveChanges, StringId::ButtonStyleDelete,   StringId::ButtonStyleCancel,
    StringId::ButtonStyleGotoNew,     StringId::ButtonStyleGotoPage, StringId::ButtonStyleGotoOther};

using F = Field<ButtonStyle>;
const F kFields[] = {
    {"denotation", &ButtonStyle::denotation},
    {"description", &ButtonStyle::description},
    {"backgroundColor", &ButtonStyle::backgroundColor},
    {"textColor", &ButtonStyle::textColor},
    {"borderTopLeftColor", &ButtonStyle::borderTopLeftColor},
    {"borderBottomRightColor", &ButtonStyle::borderBottomRightColor},
    {"borderStyle", &ButtonStyle::borderStyle},
    {"backgroundImage", &ButtonStyle::backgroundImage, FieldRole::Picture},
    {"fontFamily", &ButtonStyle::fontFamily},
    {"fontWeight", &ButtonStyle::fontWeight},
    {"textAlign", &ButtonStyle::textAlign},
    {"fontSize", &ButtonStyle::fontSize},
    {"height", &ButtonStyle::height},
    {"marginLeft", &ButtonStyle::marginLeft},
    {"marginRight", &ButtonStyle::marginRight},
    {"marginTop", &ButtonStyle::marginTop},
    {"marginBottom", &ButtonStyle::marginBottom},
    {"paddingLeft", &ButtonStyle::paddingLeft},
    {"paddingRight", &ButtonStyle::paddingRight},
    {"paddingTop", &ButtonStyle::paddingTop},
    {"paddingBottom", &ButtonStyle::paddingBottom},
    {"borderWidth", &ButtonStyle::borderWidth},
    {"deletable", &ButtonStyle::deletable},
};

} // namespace

std::span<const Field<ButtonStyle>> buttonStyleFields()
{
    return kFields;
}
std::span<const std::string_view> predefinedButtonKeys()
{
    return kPredefinedKeys;
}

ButtonStyle ButtonStyle::withDefaults(std::string key)
{
    ButtonStyle style;
    style.key = std::move(key);
    style.backgroundColor = rgb(0xE8, 0xE8, 0xE8);
    style.textColor = rgb(0, 0, 0);
    style.borderTopLeftColor = rgb(0xCC, 0xCC, 0xCC);
    style.borderBottomRightColor = rgb(0, 0, 0);
    style.fontFamily = "Arial, Verdana";
    style.fontWeight = 6;
    style.textAlign = 2;
    style.fontSize = 11;
    style.height = 27;
    style.marginRight = 1;
    style.borderWidth = 1;
    style.deletable = true;
    return style;
}

std::string buttonKeyFromName(std::string_view name)
{
    static constexpr std::pair<std::string_view, std::string_view> kSpelled[] = {
        {"Ä", "AE"}, {"Ö", "OE"}, {"Ü", "UE"}, {"ß", "ss"}, {"ä", "ae"},
        {"ö", "oe"}, {"ü", "ue"}, {" ", "_"},  {"-", "_"}};
    std::string key(kButtonKeyPrefix);
    for (std::size_t i = 0; i < name.size();) {
        bool replaced = false;
        for (const auto &[from, to] : kSpelled) {
            if (name.substr(i, from.size()) == from) {
                key += to;
                i += from.size();
                replaced = true;
                break;
            }
        }
        if (!replaced)
            key += name[i++];
    }
    return key;
}

ButtonStyleList::ButtonStyleList()
{
    ensurePredefined();
}

ButtonStyleList::ButtonStyleList(const ButtonStyleList &other)
    : foundInCss(other.foundInCss), m_styles(other.m_styles), m_current(other.m_current)
{
}

ButtonStyleList &ButtonStyleList::operator=(const ButtonStyleList &other)
{
    m_styles = other.m_styles;
    m_current = other.m_current;
    foundInCss = other.foundInCss;
    m_tracking = false;
    m_structureChanged = false;
    return *this;
}

ButtonStyle *ButtonStyleList::find(std::string_view key)
{
    const auto it =
        std::find_if(m_styles.begin(), m_styles.end(), [&](const ButtonStyle &s) { return s.key == key; });
    return it == m_styles.end() ? nullptr : &*it;
}

const ButtonStyle *ButtonStyleList::find(std::string_view key) const
{
    return const_cast<ButtonStyleList *>(this)->find(key);
}

void ButtonStyleList::ensurePredefined()
{
    if (!find(kPredefinedKeys[0])) {
        ButtonStyle general = ButtonStyle::withDefaults(std::string(kPredefinedKeys[0]));
        general.deletable = false;
        m_styles.push_back(std::move(general));
    }
    for (std::size_t i = 1; i < kPredefinedKeys.size(); ++i) {
        if (find(kPredefinedKeys[i]))
            continue;
        ButtonStyle copy = *find(kPredefinedKeys[0]);
        copy.key = std::string(kPredefinedKeys[i]);
        copy.denotation.clear();
        copy.description.clear();
        copy.deletable = false;
        copy.fromFile = false;
        m_styles.push_back(std::move(copy));
    }
    m_styles.front().deletable = false;
    setCurrentPosition(0);
}

ButtonStyle &ButtonStyleList::current()
{
    if (m_current < 0 || m_current >= static_cast<int>(m_styles.size()))
        setCurrentPosition(0);
    return m_styles[static_cast<std::size_t>(m_current)];
}

void ButtonStyleList::setCurrentPosition(int position)
{
    if (m_tracking && m_current >= 0 && m_current < static_cast<int>(m_styles.size())) {
        m_structureChanged =
            m_structureChanged || !(m_styles[static_cast<std::size_t>(m_current)] == m_trackedCopy);
    }
    m_current = position;
    if (m_tracking && m_current >= 0 && m_current < static_cast<int>(m_styles.size()))
        m_trackedCopy = m_styles[static_cast<std::size_t>(m_current)];
}

void ButtonStyleList::select(int position)
{
    if (position >= 0 && position < static_cast<int>(m_styles.size()))
        setCurrentPosition(position);
}

void ButtonStyleList::select(std::string_view key)
{
    if (!find(key)) {
        add(key);
        return;
    }
    setCurrent(key);
}

void ButtonStyleList::setCurrent(std::string_view key)
{
    for (std::size_t i = 0; i < m_styles.size(); ++i)
        if (m_styles[i].key == key)
            setCurrentPosition(static_cast<int>(i));
}

const std::string &ButtonStyleList::denotationOfCurrent()
{
    current();
    return denotationAt(static_cast<std::size_t>(m_current));
}

const std::string &ButtonStyleList::denotationAt(std::size_t position)
{
    ButtonStyle &style = m_styles.at(position);
    if (style.denotation.empty() && position < kDefaultDenotations.size())
        style.denotation = std::string(loadString(kDefaultDenotations[position]));
    return style.denotation;
}

void ButtonStyleList::add(std::string_view name)
{
    if (m_tracking)
        m_structureChanged = true;
    ButtonStyle style = m_styles.empty() ? ButtonStyle::withDefaults({}) : m_styles.front();
    style.denotation = std::string(name);
    style.key = buttonKeyFromName(name);
    style.description.clear();
    style.deletable = true;
    const std::string key = style.key;
    if (!find(key))
        m_styles.push_back(std::move(style));
    setCurrent(key);
}

void ButtonStyleList::remove()
{
    if (!current().deletable)
        return;
    if (m_tracking)
        m_structureChanged = true;
    const int removed = m_current;
    const int last = static_cast<int>(m_styles.size()) - 1;
    // The next style becomes current; after the last, the one before it.
    const int next = removed < last ? removed + 1 : removed - 1;
    setCurrentPosition(next);
    m_styles.erase(m_styles.begin() + removed);
    if (m_current > removed)
        --m_current;
}

bool ButtonStyleList::isNameTaken(std::string_view name, bool asKey)
{
    const std::string key = asKey ? buttonKeyFromName(name) : std::string();
    for (std::size_t i = 0; i < m_styles.size(); ++i) {
        if (static_cast<int>(i) == m_current)
            continue;
        if (denotationAt(i) == name || (asKey && m_styles[i].key == key))
            return true;
    }
    return false;
}

void ButtonStyleList::rekeyFromDenotation()
{
    ButtonStyle style = current();
    if (!style.deletable)
        return;
    const std::string key = buttonKeyFromName(style.denotation);
    if (key == style.key)
        return;
    const bool tracking = m_tracking;
    remove();
    style.key = key;
    if (!find(key))
        m_styles.push_back(style);
    setCurrent(key);
    m_tracking = tracking;
}

void ButtonStyleList::resetUnknownTextAlignments()
{
    for (ButtonStyle &style : m_styles)
        if (style.textAlign < 0 || style.textAlign >= static_cast<int>(std::size(kTextAlignKeywords)))
            style.textAlign = 0;
}

void ButtonStyleList::startTracking()
{
    m_tracking = true;
    m_structureChanged = false;
    m_trackedCopy = current();
}

bool ButtonStyleList::isModified() const
{
    if (!m_tracking)
        return false;
    if (m_structureChanged)
        return true;
    if (m_current < 0 || m_current >= static_cast<int>(m_styles.size()))
        return false;
    return !(m_styles[static_cast<std::size_t>(m_current)] == m_trackedCopy);
}

void ButtonStyleList::clearForReading()
{
    m_styles.clear();
    m_current = -1;
    m_tracking = false;
    m_structureChanged = false;
    foundInCss = false;
}

ButtonStyle &ButtonStyleList::findOrAppend(std::string_view key)
{
    if (ButtonStyle *style = find(key))
        return *style;
    m_styles.push_back(ButtonStyle::withDefaults(std::string(key)));
    return m_styles.back();
}

} // namespace kw::layout
