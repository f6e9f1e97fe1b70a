// A layout file of any content: parsed, read into the model and the button styles, written, read and
// written again. Nothing may crash, and what was written must read back to the same model.
#include "css/CssDocument.h"
#include "layout/LayoutReader.h"
#include "layout/LayoutValues.h"
#include "publish/ButtonStylesheet.h"
#include "publish/LayoutStylesheet.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>
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

std::string writeModel(kw::layout::LayoutModel model)
{
    kw::css::CCssDocument written;
    written.New();
    kw::publish::LayoutTreeOptions options;
    options.buttonStylesLoaded = true;
    kw::publish::buildLayoutTree(model, options, written.Root());
    return written.GenerateCss();
}

// The first field whose value differs, or nothing.
std::optional<std::string> firstDifference(const kw::layout::LayoutModel &written,
                                           const kw::layout::LayoutModel &read)
{
    const kw::layout::LayoutFlags flags;
    const auto a = kw::layout::layoutValues(written, flags);
    const auto b = kw::layout::layoutValues(read, flags);
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i])
            return "field " + a[i].first + ": \"" + a[i].second + "\" written, read back as " + b[i].first +
                   " \"" + b[i].second + "\"";
    if (a.size() != b.size())
        return std::to_string(a.size()) + " fields written, " + std::to_string(b.size()) + " read back";
    return std::nullopt;
}

// The hash of every field of the model, through the field tables (no text is made).
std::size_t modelHash(const kw::layout::LayoutModel &model)
{
    std::size_t hash = 0;
    auto mix = [&hash](std::size_t value) {
        hash ^= value + 0x9e3779b97f4a7c15u + (hash << 6) + (hash >> 2);
    };
    auto record = [&mix](const auto &values, auto fields) {
        for (const auto &field : fields)
            std::visit(
                [&](auto member) {
                    mix(std::hash<std::remove_cvref_t<decltype(values.*member)>>{}(values.*member));
                },
                field.member);
    };
    for (kw::layout::RegionId id : kw::layout::kAllRegions)
        record(model.region(id), kw::layout::regionFields());
    record(model.page(), kw::layout::pageFields());
    record(model.switches(kw::layout::Pane::StartPage), kw::layout::switchFields());
    for (const kw::layout::ButtonStyle &style : model.buttons().styles()) {
        mix(std::hash<std::string>{}(style.key));
        record(style, kw::layout::buttonStyleFields());
    }
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
    const kw::layout::LayoutModel first = readModel(reinterpret_cast<const char *>(data), size);
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
    const std::string settled = writeModel(first);
    const kw::layout::LayoutModel second = readModel(settled.data(), settled.size());
    const std::string text = writeModel(second);
    // Written again the same: reading it again gives `second` once more, nothing to compare.
    if (text == settled)
        return 0;
    if (const std::optional<std::string> difference =
            firstDifference(second, readModel(text.data(), text.size()))) {
        std::fprintf(stderr, "written layout does not read back: %s\n", difference->c_str());
        std::abort();
    }
    return 0;
}
