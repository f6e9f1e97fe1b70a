#include "layout/LayoutDelta.h"

#include <algorithm>
#include <span>

namespace kw::layout {

namespace {

constexpr std::uint8_t kPageRecord = kAllRegions.size();
constexpr std::uint8_t kFirstSwitchRecord = kPageRecord + 1;
constexpr std::uint8_t kRecordCount = kFirstSwitchRecord + 2;

template <class Value> auto fieldValue(const Value &value)
{
    return std::variant<Color, int, bool, std::string>(std::in_place_type<Value>, value);
}

/// Calls `visit(record, fields)` with the model's record of that number; false for a number no record has.
template <class Visit> bool withRecord(LayoutModel &model, std::uint8_t record, Visit &&visit)
{
    if (record < kPageRecord)
        return visit(model.region(kAllRegions[record]), regionFields());
    if (record == kPageRecord)
        return visit(model.page(), pageFields());
    if (record < kRecordCount)
        return visit(model.switches(static_cast<Pane>(record - kFirstSwitchRecord)), switchFields());
    return false;
}

template <class Record, class Change>
void diffRecord(std::uint8_t record, const Record &before, const Record &after,
                std::span<const Field<Record>> fields, std::vector<Change> &out)
{
    if (before == after)
        return;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::visit(
            [&](auto member) {
                if (before.*member != after.*member)
                    out.push_back({record, static_cast<std::uint16_t>(i), fieldValue(before.*member),
                                   fieldValue(after.*member)});
            },
            fields[i].member);
    }
}

template <class Record, class Value>
bool assignField(Record &record, std::span<const Field<Record>> fields, std::size_t field, const Value &value)
{
    if (field >= fields.size())
        return false;
    return std::visit(
        [&](auto member) {
            using Member = std::remove_reference_t<decltype(record.*member)>;
            const Member *typed = std::get_if<Member>(&value);
            if (!typed)
                return false;
            record.*member = *typed;
            return true;
        },
        fields[field].member);
}

/// A pair of values (in an optional or behind a pointer) that is kept only while its two sides differ.
template <class Pair> Pair pairIfDifferent(Pair pair)
{
    if (pair && pair->first == pair->second)
        pair.reset();
    return pair;
}

template <class Pair> void absorbPair(Pair &mine, Pair &&later)
{
    if (!later)
        return;
    if (mine)
        mine->second = std::move(later->second);
    else
        mine = std::move(later);
    mine = pairIfDifferent(std::move(mine));
}

template <class T> const T &side(const std::pair<T, T> &pair, LayoutDelta::Side which)
{
    return which == LayoutDelta::Side::Before ? pair.first : pair.second;
}

} // namespace

LayoutChanges &LayoutChanges::operator|=(const LayoutChanges &other)
{
    values = values || other.values;
    switches[0] = switches[0] || other.switches[0];
    switches[1] = switches[1] || other.switches[1];
    company = company || other.company;
    return *this;
}

LayoutDelta::LayoutDelta() = default;
LayoutDelta::~LayoutDelta() = default;
LayoutDelta::LayoutDelta(LayoutDelta &&) noexcept = default;
LayoutDelta &LayoutDelta::operator=(LayoutDelta &&) noexcept = default;

LayoutDelta LayoutDelta::between(const LayoutSnapshot &before, const LayoutSnapshot &after)
{
    LayoutDelta delta;
    for (std::uint8_t r = 0; r < kPageRecord; ++r)
        diffRecord(r, before.model.region(kAllRegions[r]), after.model.region(kAllRegions[r]), regionFields(),
                   delta.m_fields);
    diffRecord(kPageRecord, before.model.page(), after.model.page(), pageFields(), delta.m_fields);
    for (const Pane pane : {Pane::StartPage, Pane::ApplicationPages})
        diffRecord(static_cast<std::uint8_t>(kFirstSwitchRecord + static_cast<int>(pane)),
                   before.model.switches(pane), after.model.switches(pane), switchFields(), delta.m_fields);
    delta.m_fields.shrink_to_fit();
    if (before.model.buttons() != after.model.buttons())
        delta.m_buttons = std::make_unique<std::pair<ButtonStyleList, ButtonStyleList>>(
            before.model.buttons(), after.model.buttons());
    delta.m_flags = pairIfDifferent(Pair<LayoutFlags>(std::in_place, before.flags, after.flags));
    delta.m_logo = pairIfDifferent(Pair<std::string>(std::in_place, before.logoFile, after.logoFile));
    delta.m_welcome =
        pairIfDifferent(Pair<std::string>(std::in_place, before.shownWelcome, after.shownWelcome));
    return delta;
}

bool LayoutDelta::empty() const
{
    return m_fields.empty() && !m_buttons && !m_flags && !m_logo && !m_welcome;
}

bool LayoutDelta::applyTo(LayoutSnapshot &target, Side which) const
{
    for (const FieldChange &change : m_fields) {
        const FieldValue &value = which == Side::Before ? change.before : change.after;
        const bool assigned = withRecord(target.model, change.record, [&](auto &record, auto fields) {
            return assignField(record, fields, change.field, value);
        });
        if (!assigned)
            return false;
    }
    if (m_buttons)
        target.model.buttons() = side(*m_buttons, which);
    if (m_flags)
        target.flags = side(*m_flags, which);
    if (m_logo)
        target.logoFile = side(*m_logo, which);
    if (m_welcome)
        target.shownWelcome = side(*m_welcome, which);
    return true;
}

void LayoutDelta::absorb(LayoutDelta &&later)
{
    for (FieldChange &change : later.m_fields) {
        const auto same = std::ranges::find_if(m_fields, [&](const FieldChange &mine) {
            return mine.record == change.record && mine.field == change.field;
        });
        if (same == m_fields.end())
            m_fields.push_back(std::move(change));
        else
            same->after = std::move(change.after);
    }
    std::erase_if(m_fields, [](const FieldChange &change) { return change.before == change.after; });
    absorbPair(m_buttons, std::move(later.m_buttons));
    absorbPair(m_flags, std::move(later.m_flags));
    absorbPair(m_logo, std::move(later.m_logo));
    absorbPair(m_welcome, std::move(later.m_welcome));
    later = LayoutDelta();
}

LayoutChanges LayoutDelta::changes() const
{
    LayoutChanges changes;
    for (const FieldChange &change : m_fields) {
        if (change.record >= kFirstSwitchRecord)
            changes.switches[change.record - kFirstSwitchRecord] = true;
        else
            changes.values = true;
    }
    changes.values = changes.values || m_buttons || m_flags;
    changes.company = m_logo || m_welcome;
    return changes;
}

} // namespace kw::layout
