#include "portalpage/PreviewContrast.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

namespace kw::portalpage {

using layout::Pane;

namespace {

bool contains(const Rect &r, int x, int y)
{
    return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height;
}

// A true-colour picture device that draws nothing: the walk needs the texts and fills, not the pixels.
class NoPictures final : public image::DeviceContext {
public:
    int bitsPerPixel() const override { return 32; }
    Color backgroundColor() const override { return background; }
    image::PaletteHandle createPalette(const image::LogicalPalette &) override { return {}; }
    image::PaletteHandle createHalftonePalette() override { return {}; }
    image::PaletteHandle selectPalette(image::PaletteHandle, bool) override { return {}; }
    unsigned realizePalette() override { return 0; }
    void deletePalette(image::PaletteHandle) override {}
    image::StretchMode setStretchMode(image::StretchMode mode) override { return mode; }
    int stretchDIBits(const Rect &, const Rect &, const image::BitmapInfo &, std::span<const std::uint8_t>,
                      image::ColorUse, image::RasterOp) override
    {
        return 0;
    }
    Color background = rgb(255, 255, 255);
};

// Keeps the texts an element draws, each with the colour last filled under its centre.
class TextWalkDevice final : public PaintDevice {
public:
    TextWalkDevice(layout::RegionId region, Color background, std::vector<DrawnText> &texts)
        : m_region(region), m_elementBackground(background), m_texts(texts)
    {
    }
    image::DeviceContext &pictures() override { return m_pictures; }
    Color nearestColor(Color color) const override { return color; }
    void fillRect(const Rect &rect, Color color) override { m_fills.push_back({rect, color}); }
    Color setTextColor(Color color) override { return std::exchange(m_text, color); }
    Color setBackgroundColor(Color color) override { return std::exchange(m_pictures.background, color); }
    BackgroundMode setBackgroundMode(BackgroundMode mode) override { return std::exchange(m_mode, mode); }
    FontSpec selectFont(const FontSpec &font) override { return std::exchange(m_font, font); }
    Color textColor() const override { return m_text; }
    Color backgroundColor() const override { return m_pictures.background; }
    BackgroundMode backgroundMode() const override { return m_mode; }
    const FontSpec &font() const override { return m_font; }
    Size measureText(std::string_view) override { return {}; }
    void drawText(std::string_view text, const Rect &rect, TextPlacement) override
    {
        if (text.empty())
            return;
        const int cx = rect.x + rect.width / 2;
        const int cy = rect.y + rect.height / 2;
        Color under = m_elementBackground;
        for (auto it = m_fills.rbegin(); it != m_fills.rend(); ++it)
            if (contains(it->rect, cx, cy)) {
                under = it->color;
                break;
            }
        m_texts.push_back({m_region, std::string(text), m_text, under, rect});
    }
    void drawFocusRect(const Rect &) override {}
    void excludeClipRect(const Rect &) override {}

private:
    layout::RegionId m_region;
    Color m_elementBackground;
    std::vector<DrawnText> &m_texts;
    NoPictures m_pictures;
    std::vector<painted::FillRect> m_fills;
    Color m_text = rgb(0, 0, 0);
    BackgroundMode m_mode = BackgroundMode::Opaque;
    FontSpec m_font;
};

// Where the preview draws a state's sample: the text of the string table it draws the state with, or
// (none) the region's other texts on its own background (the menu's entries, a caption). A state not
// listed is not drawn by the preview: any text of its region may show it.
struct StateSample {
    layout::RegionId region;
    std::string_view state;
    std::optional<StringId> text;
};

constexpr StateSample kStateSamples[] = {
    {layout::RegionId::KwRootTop, "text", std::nullopt},
    {layout::RegionId::KwRootNavigate, "normal", std::nullopt},
    {layout::RegionId::KwRootNavigate, "hover", StringId::SampleHover},
    {layout::RegionId::KwRootNavigate, "selected", StringId::SampleSelected},
    {layout::RegionId::KwNavigateHeader, "text", std::nullopt},
    {layout::RegionId::KwNavigate, "normal", StringId::SampleNormal},
    {layout::RegionId::KwNavigate, "hover", StringId::SampleHover},
    {layout::RegionId::KwNavigate, "selected", StringId::SampleSelected},
    {layout::RegionId::KwStartTop, "text", std::nullopt},
    {layout::RegionId::KwStartNavigate, "normal", std::nullopt},
    {layout::RegionId::KwStartNavigate, "hover", StringId::AppMenuHelp},
    {layout::RegionId::KwStartNavigate, "selected", StringId::AppMenuFavorites},
    {layout::RegionId::KwApplication, "text", StringId::NormalText},
    {layout::RegionId::KwApplication, "link", StringId::SampleLink},
    {layout::RegionId::KwApplication, "linkHover", StringId::SampleLinkHover},
    {layout::RegionId::KwApplication, "mainLink", StringId::HighlightedLinks},
    {layout::RegionId::KwApplication, "heading1", StringId::Heading1},
    {layout::RegionId::KwApplication, "heading2", StringId::Heading2},
    {layout::RegionId::KwApplication, "heading3", StringId::Heading3},
};

const StateSample *stateSample(const audit::Pair &pair)
{
    for (const StateSample &sample : kStateSamples)
        if (sample.region == pair.region && sample.state == pair.state)
            return &sample;
    return nullptr;
}

// Whether a text is the sample of some state of its region.
bool isStateSample(layout::RegionId region, std::string_view text)
{
    return std::ranges::any_of(kStateSamples, [&](const StateSample &sample) {
        return sample.region == region && sample.text && loadString(*sample.text) == text;
    });
}

} // namespace

std::vector<DrawnText> drawnTexts(const PortalPane &pane, const PaneLayout &layout)
{
    std::vector<DrawnText> texts;
    for (const CPreviewElement *element : pane.elements()) {
        const Rect &where = layout[element->region()];
        if (where.width <= 0 || where.height <= 0)
            continue;
        TextWalkDevice device(element->region(), element->style().backgroundColor, texts);
        element->Paint(device, {0, 0, where.width, where.height});
    }
    return texts;
}

PreviewBackdrops::PreviewBackdrops(const PortalPane &start, const PortalPane &application, Size client)
{
    for (auto [target, pane] : {std::pair{&m_start, &start}, std::pair{&m_application, &application}}) {
        target->pane = pane;
        target->layout = pane->Layout(client.width, client.height, client, true);
        target->texts = drawnTexts(*pane, target->layout);
    }
}

const PreviewBackdrops::PaneTexts &PreviewBackdrops::panesFor(const audit::Pair &pair) const
{
    const PaneTexts &own = pair.pane == Pane::StartPage ? m_start : m_application;
    return own.pane->element(pair.region) ? own : m_application;
}

std::optional<audit::Backdrop> PreviewBackdrops::backdrop(const audit::Pair &pair) const
{
    const PaneTexts &texts = panesFor(pair);
    const CPreviewElement *element = texts.pane->element(pair.region);
    if (!element || element->style().backgroundImage.empty())
        return std::nullopt;
    audit::Backdrop backdrop;
    backdrop.pictureName = element->style().backgroundImage;
    const image::CLayoutImage *picture = element->backgroundPicture();
    if (picture && !element->backgroundPictureMissing() && !picture->bitmap().empty())
        backdrop.placement.picture = &picture->bitmap();
    // Tiled as the portal's pages tile it (the preview tiles only for "repeat").
    backdrop.placement.tiling = audit::tilingOf(element->style().backgroundRepeat);
    const Rect &where = texts.layout[pair.region];
    backdrop.placement.regionWidth = where.width;
    backdrop.placement.regionHeight = where.height;

    // The texts on the region's own background (not in a box of their own), and of them the ones where
    // the preview draws the pair's state, whatever their colours.
    const Color background = element->style().backgroundColor;
    const StateSample *sample = stateSample(pair);
    std::vector<Rect> own, all;
    for (const DrawnText &text : texts.texts) {
        if (text.region != pair.region || text.under != background)
            continue;
        all.push_back(text.rect);
        if (sample &&
            (sample->text ? loadString(*sample->text) == text.text : !isStateSample(pair.region, text.text)))
            own.push_back(text.rect);
    }
    if (!own.empty())
        backdrop.textAreas = std::move(own);
    else if (!all.empty())
        backdrop.textAreas = std::move(all);
    else
        backdrop.textAreas = {{0, 0, where.width, where.height}};
    return backdrop;
}

HeadlessPreview::HeadlessPreview(server::Environment env, Prompter &prompter,
                                 const layout::LayoutModel &model)
    : m_pictures(env), m_context{std::move(env), prompter, m_measure, m_pictures},
      m_start(Pane::StartPage, model), m_application(Pane::ApplicationPages, model)
{
    m_start.Create(m_context);
    m_application.Create(m_context);
    rebuild();
}

void HeadlessPreview::rebuild()
{
    m_start.ApplySwitches(m_context);
    m_application.ApplySwitches(m_context);
}

const PortalPane &HeadlessPreview::pane(Pane kind) const
{
    return kind == Pane::StartPage ? m_start : m_application;
}

} // namespace kw::portalpage
