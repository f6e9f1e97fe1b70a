// A layout file of any content: parsed, read into the model and the button styles, then written and read
// again. Nothing may crash, and the second reading must give the model the first one gave.
#include "css/CssDocument.h"
#include "layout/LayoutReader.h"
#include "publish/ButtonStylesheet.h"
#include "publish/LayoutStylesheet.h"

#include <cstddef>
#include <cstdint>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > 200000)
        return 0;
    const kw::layout::LayoutModel first = readModel(reinterpret_cast<const char *>(data), size);
    kw::layout::LayoutModel copy = first;
    kw::css::CCssDocument written;
    written.New();
    kw::publish::LayoutTreeOptions options;
    options.buttonStylesLoaded = true;
    kw::publish::buildLayoutTree(copy, options, written.Root());
    const std::string text = written.GenerateCss();
    kw::layout::LayoutModel second = readModel(text.data(), text.size());
    (void)second;
    return 0;
}
