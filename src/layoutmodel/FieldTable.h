// Fields of a record described once as data: name and member. Reset, the file mappings, `show` and `set`
// all walk these tables, so a new field is added in one place.
#pragma once

#include "base/Color.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace kw::layout {

/// What a field's value stands for beyond its type: a picture is the name of a file in the portal's
/// Images\Company (what a layout carries along when it moves to another portal).
enum class FieldRole { Value, Picture };

/// One field of `Record`: its name as the command line and the golden files spell it, its member, and
/// its role.
template <class Record> struct Field {
    std::string_view name;
    std::variant<Color Record::*, int Record::*, bool Record::*, std::string Record::*> member;
    FieldRole role = FieldRole::Value;
};

/// The field's value as text: colours "#RRGGBB", numbers in decimal, switches "true"/"false".
template <class Record> std::string fieldText(const Record &record, const Field<Record> &field);

/// Sets the field from text in the same form; false (and nothing changed) when the text does not fit.
template <class Record> bool setFieldText(Record &record, const Field<Record> &field, std::string_view text);

/// The field of that name, or null.
template <class Record>
const Field<Record> *findField(std::span<const Field<Record>> table, std::string_view name)
{
    for (const Field<Record> &field : table)
        if (field.name == name)
            return &field;
    return nullptr;
}

// --- implementation -------------------------------------------------------------------------------

std::string valueText(Color value);
std::string valueText(int value);
std::string valueText(bool value);
inline std::string valueText(const std::string &value)
{
    return value;
}

std::optional<Color> colorFromText(std::string_view text);
std::optional<int> intFromText(std::string_view text);
std::optional<bool> boolFromText(std::string_view text);

template <class Record> std::string fieldText(const Record &record, const Field<Record> &field)
{
    return std::visit([&](auto member) { return valueText(record.*member); }, field.member);
}

template <class Record> bool setFieldText(Record &record, const Field<Record> &field, std::string_view text)
{
    return std::visit(
        [&](auto member) {
            using Value = std::remove_reference_t<decltype(record.*member)>;
            if constexpr (std::is_same_v<Value, Color>) {
                const auto value = colorFromText(text);
                if (value)
                    record.*member = *value;
                return value.has_value();
            } else if constexpr (std::is_same_v<Value, int>) {
                const auto value = intFromText(text);
                if (value)
                    record.*member = *value;
                return value.has_value();
            } else if constexpr (std::is_same_v<Value, bool>) {
                const auto value = boolFromText(text);
                if (value)
                    record.*member = *value;
                return value.has_value();
            } else {
                record.*member = std::string(text);
                return true;
            }
        },
        field.member);
}

} // namespace kw::layout
