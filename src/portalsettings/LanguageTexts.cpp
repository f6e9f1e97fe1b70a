#include "portalsettings/LanguageTexts.h"

#include "base/ServerError.h"

#include <array>
#include <cstdio>

namespace kw::portalsettings {

namespace {

/// The fields in the grid's order: a single map or a list of maps, its row type (a list's base) and label.
struct FieldSpec {
    LanguageTextMap *LanguageTextFields::*single;
    std::vector<LanguageTextMap> *LanguageTextFields::*list;
    int type;
    StringId label;
};

constexpr std::array<FieldSpec, 10> kFields = {{
    {&LanguageTextFields::titleTexts, nullptr, 0, StringId::RowTitle},
    {&LanguageTextFields::leftTitleTexts, nullptr, 1, StringId::RowTitleLeft},
    {&LanguageTextFields::rightTitleTexts, nullptr, 2, StringId::RowTitleRight},
    {&LanguageTextFields::pageNameTexts, nullptr, 3, StringId::RowPageName},
    {&LanguageTextFields::applicationNameTexts, nullptr, 4, StringId::RowApplicationName},
    {nullptr, &LanguageTextFields::titleTextList, 4096, StringId::RowTitle},
    {nullptr, &LanguageTextFields::buttonTextList, 8192, StringId::RowButton},
    {nullptr, &LanguageTextFields::groupNameTextList, 12288, StringId::RowGroupName},
    {nullptr, &LanguageTextFields::menuTitleTextList, 16384, StringId::RowMenuTitle},
    {nullptr, &LanguageTextFields::valueTextList, 32768, StringId::RowValue},
}};

/// A list's element types run from its base up to the next base.
constexpr int kListSpan = 4096;

void addRows(std::vector<LanguageRow> &rows, const LanguageTextMap &texts, const std::string &label, int type,
             const std::vector<Language> &languages)
{
    for (const Language &language : languages)
        rows.push_back({label, language.name, textFor(texts, language.id, {}), language.id, type});
}

} // namespace

PortalLanguages readLanguages(server::ISession &session)
{
    server::Ref<server::ILanguageList> list = session.GetLanguages(-1);
    if (!list)
        throw ServerError(ServerError::NullPointer, "Die Sitzung hat keine Sprachliste geliefert.");
    PortalLanguages result;
    for (int index = 0; index < list->LanguageCount(); ++index) {
        result.languages.push_back({list->LanguageId(index), list->LanguageName(index)});
        if (list->LanguageIsDefault(index))
            result.defaultLanguage = list->LanguageId(index);
    }
    return result;
}

std::vector<LanguageRow> languageRows(const LanguageTextFields &fields,
                                      const std::vector<Language> &languages)
{
    std::vector<LanguageRow> rows;
    for (const FieldSpec &field : kFields) {
        const std::string label(loadString(field.label));
        if (field.single) {
            if (const LanguageTextMap *texts = fields.*field.single)
                addRows(rows, *texts, label, field.type, languages);
            continue;
        }
        const std::vector<LanguageTextMap> *list = fields.*field.list;
        if (!list)
            continue;
        for (std::size_t i = 0; i < list->size(); ++i) {
            std::string numbered = label;
            if (list->size() >= 2) {
                char number[16];
                std::snprintf(number, sizeof number, " %02d", static_cast<int>(i + 1));
                numbered += number;
            }
            addRows(rows, (*list)[i], numbered, field.type + static_cast<int>(i), languages);
        }
    }
    return rows;
}

bool storeRowText(LanguageTextFields &fields, int type, std::int32_t language, const std::string &text)
{
    for (const FieldSpec &field : kFields) {
        if (field.single) {
            if (type != field.type)
                continue;
            LanguageTextMap *texts = fields.*field.single;
            if (!texts)
                return false;
            (*texts)[language] = text;
            return true;
        }
        if (type < field.type || type >= field.type + kListSpan)
            continue;
        std::vector<LanguageTextMap> *list = fields.*field.list;
        const auto index = static_cast<std::size_t>(type - field.type);
        if (!list || index >= list->size())
            return false;
        (*list)[index][language] = text;
        return true;
    }
    return false;
}

std::string textFor(const LanguageTextMap &texts, std::int32_t language, const std::string &fallback)
{
    const auto it = texts.find(language);
    return it == texts.end() ? fallback : it->second;
}

} // namespace kw::portalsettings
