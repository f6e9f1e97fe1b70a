// A layout file of any content: parsed, read into the model and the button styles, written, read and
// written again. Nothing may crash, and what was written must read back to the same model.
#include "css/CssDocument.h"
#include "layout/LayoutReader.h"
#include "layoutmodel/FieldTable.h"
#include "publish/ButtonStylesheet.h"
#include "publish/LayoutStylesheet.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace {

kw::layout::LayoutModel readModel(const char *text, std::size_t size)
{
    kw::css::CCssDocument document;
    document.New();
    document.LoadCss(text, static_cast<int>(size), true);
    kw::layout::LayoutModel model;
    kw::layout::ColorSet colors;
    bool entryStyle = false;
    kw::publish::readButtonStyles(model.buttons(), nullptr, document.Root());
    kw::layout::readLayoutTree(document.Root(), model, colors, entryStyle);
    return model;
}

// Builds the layout tree of `model` into `document`. Writing fills in what the writer derives (an empty
// table-head link font takes the grid title font), so `model` becomes the model as written.
void writeModel(kw::layout::LayoutModel &model, kw::css::CCssDocument &document)
{
    document.New();
    kw::publish::LayoutTreeOptions options;
    options.buttonStylesLoaded = true;
    kw::publish::buildLayoutTree(model, options, document.Root());
}

// A record's name as `kwlayout show` prefixes its fields: "page", "KwRootTop", "button.KwButton".
struct RecordName {
    std::string_view group;
    std::string_view key; // a button style's key, else empty

    bool operator==(const RecordName &) const = default;
    std::string text() const
    {
        return key.empty() ? std::string(group) : std::string(group) + "." + std::string(key);
    }
};

// Calls visit(nameA, nameB, a, b, fields) for each record of the two models, in the order of the
// field tables (regions, page, the switches of both panes, then the button styles both have, by
// position). Stops at the first call that returns true.
template <class Visit>
bool anyRecord(const kw::layout::LayoutModel &a, const kw::layout::LayoutModel &b, Visit &&visit)
{
    using namespace kw::layout;
    for (RegionId id : kAllRegions)
        if (visit(RecordName{regionName(id), {}}, RecordName{regionName(id), {}}, a.region(id), b.region(id),
                  regionFields()))
            return true;
    if (visit(RecordName{"page", {}}, RecordName{"page", {}}, a.page(), b.page(), pageFields()))
        return true;
    // The reader sets the switches of both panes alike, the writer writes both.
    for (const auto &[pane, name] : {std::pair{Pane::StartPage, "switch"},
                                     std::pair{Pane::ApplicationPages, "switch (application pages)"}})
        if (visit(RecordName{name, {}}, RecordName{name, {}}, a.switches(pane), b.switches(pane),
                  switchFields()))
            return true;
    const auto &stylesA = a.buttons().styles();
    const auto &stylesB = b.buttons().styles();
    for (std::size_t i = 0; i < stylesA.size() && i < stylesB.size(); ++i)
        if (visit(RecordName{"button", stylesA[i].key}, RecordName{"button", stylesB[i].key}, stylesA[i],
                  stylesB[i], buttonStyleFields()))
            return true;
    return false;
}

// The first field whose value differs, or nothing. Values are compared through the field tables; texts
// are made only for the field that differs.
std::optional<std::string> firstDifference(const kw::layout::LayoutModel &written,
                                           const kw::layout::LayoutModel &read)
{
    std::optional<std::string> difference;
    anyRecord(written, read,
              [&](RecordName nameA, RecordName nameB, const auto &a, const auto &b, auto fields) {
                  for (const auto &field : fields) {
                      if (nameA == nameB &&
                          std::visit([&](auto member) { return a.*member == b.*member; }, field.member))
                          continue;
                      const std::string textA = kw::layout::fieldText(a, field);
                      const std::string textB = kw::layout::fieldText(b, field);
                      if (nameA == nameB && textA == textB)
                          continue;
                      const std::string fieldName(field.name);
                      difference = "field " + nameA.text() + "." + fieldName + ": \"" + textA +
                                   "\" written, read back as " + nameB.text() + "." + fieldName + " \"" +
                                   textB + "\"";
                      return true;
                  }
                  return false;
              });
    if (!difference && written.buttons().size() != read.buttons().size())
        difference = std::to_string(written.buttons().size()) + " button styles written, " +
                     std::to_string(read.buttons().size()) + " read back";
    return difference;
}

// The hash of every field of the model, through the field tables (no text is made).
std::size_t modelHash(const kw::layout::LayoutModel &model)
{
    std::size_t hash = 0;
    auto mix = [&hash](std::size_t value) {
        hash ^= value + 0x9e3779b97f4a7c15u + (hash << 6) + (hash >> 2);
    };
    anyRecord(model, model, [&](RecordName name, RecordName, const auto &values, const auto &, auto fields) {
        mix(std::hash<std::string_view>{}(name.key));
        for (const auto &field : fields)
            std::visit(
                [&](auto member) {
                    mix(std::hash<std::remove_cvref_t<decltype(values.*member)>>{}(values.*member));
                },
                field.member);
        return false;
    });
    return hash;
}

} // namespace

// The first writing and reading settle the values that writing and reading normalise (an empty picture
// written as its default, the page weight read back as "normal"); from then on writing and reading must
// give the same model.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > 200000)
        return 0;
    kw::layout::LayoutModel first = readModel(reinterpret_cast<const char *>(data), size);
    // Everything after the first reading depends on the model only: a model checked once need not be
    // checked again, and most mutations change nothing the model keeps. The hashes of the checked models
    // go into a direct-mapped table allocated once (an input that allocates and keeps memory would make
    // libFuzzer run it again to look for leaks).
    static std::vector<std::size_t> checked(std::size_t{1} << 20);
    const std::size_t hash = modelHash(first);
    std::size_t &slot = checked[hash & (checked.size() - 1)];
    if (slot == hash)
        return 0;
    slot = hash;
    kw::css::CCssDocument settledTree;
    writeModel(first, settledTree);
    const std::string settled = settledTree.GenerateCss();
    kw::layout::LayoutModel second = readModel(settled.data(), settled.size());
    // Read back as written: writing `second` would give `settled` again, and reading that `second` once
    // more, so there is nothing left to check.
    if (!firstDifference(first, second))
        return 0;
    // Writing or reading normalised something: from here on the model must stay as it is. The same tree
    // gives the same text, and reading that gives `second` once more: nothing to compare.
    kw::css::CCssDocument tree;
    writeModel(second, tree);
    if (tree.Root() == settledTree.Root())
        return 0;
    const std::string text = tree.GenerateCss();
    if (const std::optional<std::string> difference =
            firstDifference(second, readModel(text.data(), text.size()))) {
        std::fprintf(stderr, "written layout does not read back: %s\n", difference->c_str());
        std::abort();
    }
    return 0;
}
