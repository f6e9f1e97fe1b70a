// Reading and writing a stylesheet of the size and shape the layout designer produces (about 50 KB).
#include "css/CssDocument.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

namespace {

using kw::css::CCssDocument;
using kw::css::CCssElement;
using kw::css::CSSTYPE;

CCssElement &add(CCssElement &parent, std::string name, CSSTYPE type)
{
    return *parent.SetChild(std::make_unique<CCssElement>(std::move(name), type));
}

void fontProperties(CCssElement &e, int i)
{
    e.SetProperty("COLOR", "#" + std::to_string(100000 + i));
    e.SetProperty("FONT-FAMILY", "Verdana, Arial, Helvetica, sans-serif");
    e.SetProperty("FONT-SIZE", std::to_string(9 + i % 6) + "px");
    e.SetProperty("FONT-WEIGHT", "700");
}

// Regions with their classes under the usual tags, link pseudo-classes, and the three settings blocks.
std::string layoutStylesheet()
{
    CCssDocument document;
    CCssElement &root = document.Root();
    CCssElement &body = add(root, "BODY", kw::css::CSS_TAG);
    body.SetProperty("BACKGROUND-COLOR", "#FFFFFF");
    body.SetProperty("BACKGROUND-IMAGE", "url(../images/company/background.gif)");
    fontProperties(body, 0);
    for (int round = 0; document.GenerateCss().size() < 50 * 1024; ++round) {
        const std::string suffix = std::to_string(round);
        for (const char *tag : {"TD", "TABLE", "TR", "TH"}) {
            CCssElement &t = add(root, tag, kw::css::CSS_TAG);
            for (const char *region :
                 {"KwRootTop", "KwRootNavigate", "KwNavigate", "KwPortal", "KwGridHeader"}) {
                CCssElement &c = add(t, region + suffix, kw::css::CSS_CLASS);
                fontProperties(c, round);
                c.SetProperty("TEXT-ALIGN", "left");
                c.SetProperty("PADDING-LEFT", "5px");
            }
        }
        CCssElement &a = add(root, "A", kw::css::CSS_TAG);
        CCssElement &link = add(a, "KwMainLink" + suffix, kw::css::CSS_CLASS);
        for (const char *pseudo : {"active", "link", "visited", "hover"}) {
            CCssElement &p = add(link, pseudo, kw::css::CSS_PSEUDO);
            fontProperties(p, round);
            p.SetProperty("TEXT-DECORATION", "underline");
        }
        CCssElement &settings = add(root, "KwStyleAsp" + suffix, kw::css::CSS_BLOCK);
        CCssElement &menu = add(settings, "MenuStyles", kw::css::CSS_CLASS);
        for (const char *level : {"Top", "2ndLevel", "App"}) {
            CCssElement &m = add(menu, level, kw::css::CSS_CLASS);
            m.SetProperty("ShowButtonEffect", "true");
            m.SetProperty("FieldOnFocusBorderColor", "#000080");
            m.SetProperty("ButtonImageNormal", "../images/company/button normal.gif");
            m.SetProperty("Description", "Men\xC3\xBC \"oben\"\nzweite Zeile");
        }
    }
    return document.GenerateCss();
}

const std::string &stylesheet()
{
    static const std::string text = layoutStylesheet();
    return text;
}

void LoadCss(benchmark::State &state)
{
    const std::string &text = stylesheet();
    for (auto _ : state) {
        CCssDocument document;
        document.LoadCss(text.data(), static_cast<int>(text.size()), true);
        benchmark::DoNotOptimize(document.Root().GetChildren().data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.counters["bytes"] = static_cast<double>(text.size());
}
BENCHMARK(LoadCss);

void GenerateCss(benchmark::State &state)
{
    const std::string &text = stylesheet();
    CCssDocument document;
    document.LoadCss(text.data(), static_cast<int>(text.size()), true);
    for (auto _ : state) {
        std::string generated = document.GenerateCss();
        benchmark::DoNotOptimize(generated.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(GenerateCss);

} // namespace
