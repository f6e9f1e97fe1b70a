#include "layout/LayoutValues.h"

#include <stdexcept>

namespace kw::layout {

namespace {

constexpr std::pair<std::string_view, bool LayoutFlags::*> kFlags[] = {
    {"entryStyleFromCss", &LayoutFlags::entryStyleFromCss},
    {"buttonStylesLoaded", &LayoutFlags::buttonStylesLoaded},
};

template <class Record>
void appendRecord(std::vector<std::pair<std::string, std::string>> &out, const std::string &prefix,
                  const Record &record, std::span<const Field<Record>> table)
{
    for (const Field<Record> &field : table)
        out.emplace_back(prefix + std::string(field.name), fieldText(record, field));
}

template <class Record>
void assign(Record &record, std::span<const Field<Record>> table, std::string_view key, std::string_view name,
            std::string_view value)
{
    const Field<Record> *field = findField(table, name);
    if (!field)
        throw std::invalid_argument("unknown field \"" + std::string(key) + "\"");
    if (!setFieldText(record, *field, value))
        throw std::invalid_argument("\"" + std::string(value) + "\" is no valid value for \"" +
                                    std::string(key) + "\" (it takes " + fieldText(record, *field) +
                                    " as an example of its form)");
}

} // namespace

std::vector<std::pair<std::string, std::string>> layoutValues(const LayoutModel &model,
                                                              const LayoutFlags &flags)
{
    std::vector<std::pair<std::string, std::string>> out;
    for (RegionId id : kAllRegions)
        appendRecord(out, std::string(regionName(id)) + ".", model.region(id), regionFields());
    appendRecord(out, "page.", model.page(), pageFields());
    appendRecord(out, "switch.", model.switches(Pane::StartPage), switchFields());
    for (const ButtonStyle &style : model.buttons().styles())
        appendRecord(out, "button." + style.key + ".", style, buttonStyleFields());
    for (const auto &[name, member] : kFlags)
        out.emplace_back("doc." + std::string(name), flags.*member ? "true" : "false");
    return out;
}

void setLayoutValue(LayoutModel &model, LayoutFlags &flags, std::string_view key, std::string_view value)
{
    const auto dot = key.find('.');
    if (dot == std::string_view::npos)
        throw std::invalid_argument("\"" + std::string(key) + "\" is not of the form GROUP.field");
    const std::string_view group = key.substr(0, dot);
    const std::string_view name = key.substr(dot + 1);
    if (const auto id = regionByName(group)) {
        assign(model.region(*id), regionFields(), key, name, value);
    } else if (group == "page") {
        assign(model.page(), pageFields(), key, name, value);
    } else if (group == "switch") {
        for (Pane pane : {Pane::StartPage, Pane::ApplicationPages})
            assign(model.switches(pane), switchFields(), key, name, value);
    } else if (group == "button") {
        const auto second = name.rfind('.');
        if (second == std::string_view::npos)
            throw std::invalid_argument("\"" + std::string(key) + "\" is not of the form button.KEY.field");
        ButtonStyle *style = model.buttons().find(name.substr(0, second));
        if (!style)
            throw std::invalid_argument("there is no button style \"" + std::string(name.substr(0, second)) +
                                        "\"");
        assign(*style, buttonStyleFields(), key, name.substr(second + 1), value);
    } else if (group == "doc") {
        for (const auto &[flag, member] : kFlags)
            if (flag == name) {
                if (value != "true" && value != "false")
                    throw std::invalid_argument("\"" + std::string(key) + "\" takes true or false");
                flags.*member = value == "true";
                return;
            }
        throw std::invalid_argument("unknown field \"" + std::string(key) + "\"");
    } else {
        throw std::invalid_argument("unknown field \"" + std::string(key) + "\"");
    }
}

} // namespace kw::layout
