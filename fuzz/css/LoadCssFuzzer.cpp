// libFuzzer target: any bytes must load without harm, and the tree they give must survive writing and
// reading again unchanged, byte for byte on the second writing.
#include "css/CssDocument.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size > INT_MAX)
        return 0;
    kw::css::CCssDocument first;
    if (!first.LoadCss(reinterpret_cast<const char *>(data), static_cast<int>(size), true))
        std::abort(); // only bad arguments or running out of memory may fail
    const std::string text = first.GenerateCss();

    kw::css::CCssDocument second;
    if (!second.LoadCss(text.data(), static_cast<int>(text.size()), true))
        std::abort();
    if (!(second.Root() == first.Root())) {
        std::fprintf(
            stderr, "tree changed after writing and reading:\n--- first\n%s--- second\n%s--- text\n%s",
            kw::css::DumpTree(first.Root()).c_str(), kw::css::DumpTree(second.Root()).c_str(), text.c_str());
        std::abort();
    }
    if (second.GenerateCss() != text) {
        std::fprintf(stderr, "second writing differs:\n%s", text.c_str());
        std::abort();
    }
    return 0;
}
