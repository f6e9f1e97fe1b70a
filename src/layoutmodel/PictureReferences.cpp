#include "layoutmodel/PictureReferences.h"

#include "base/Values.h"

#include <algorithm>

namespace kw::layout {

namespace {

class PictureCollector {
public:
    template <class Record> void collect(const Record &record, std::span<const Field<Record>> fields)
    {
        for (const Field<Record> &field : fields) {
            if (field.role != FieldRole::Picture)
                continue;
            if (const auto *member = std::get_if<std::string Record::*>(&field.member))
                add(record.**member);
        }
    }
    std::vector<std::string> take() { return std::move(m_names); }

private:
    void add(const std::string &name)
    {
        if (name.empty() || reducePictureName(name) != name)
            return;
        const auto same = [&](const std::string &known) { return equalsIgnoringCase(known, name); };
        if (std::none_of(m_names.begin(), m_names.end(), same))
            m_names.push_back(name);
    }
    std::vector<std::string> m_names;
};

} // namespace

std::vector<std::string> referencedPictures(const LayoutModel &model)
{
    PictureCollector collector;
    for (RegionId id : kAllRegions)
        collector.collect(model.region(id), regionFields());
    collector.collect(model.page(), pageFields());
    for (const ButtonStyle &style : model.buttons().styles())
        collector.collect(style, buttonStyleFields());
    return collector.take();
}

} // namespace kw::layout
