#include "portalpage/PreviewContrast.h"

namespace kw::portalpage {

using layout::Pane;

namespace {

bool contains(const Rect &r, int x, int y)
{
    return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height;
}

} // namespace

std::vector<DrawnText> drawnTexts(const PortalPane &pane, const PaneLayout &layout)
{
    std::vector<DrawnText> texts;
    for (const CPreviewElement *element : pane.elements()) {
        const Rect &where = layout[element->region()];
        if (where.width <= 0 || where.height <= 0)
            continue;
        RecordingPaintDevice device;
        element->Paint(device, {0, 0, where.width, where.height});
        std::vector<painted::FillRect> fills;
        for (const PaintedCall &call : device.calls()) {
            if (const auto *fill = std::get_if<painted::FillRect>(&call)) {
                fills.push_back(*fill);
                continue;
            }
            const auto *draw = std::get_if<painted::DrawText>(&call);
            if (!draw || draw->text.empty())
                continue;
            const int cx = draw->rect.x + draw->rect.width / 2;
            const int cy = draw->rect.y + draw->rect.height / 2;
            Color under = element->style().backgroundColor;
            for (auto it = fills.rbegin(); it != fills.rend(); ++it)
                if (contains(it->rect, cx, cy)) {
                    under = it->color;
                    break;
                }
            texts.push_back({element->region(), draw->text, draw->textColor, under, draw->rect});
        }
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
    backdrop.placement.repeat = element->style().backgroundRepeat == "repeat";
    const Rect &where = texts.layout[pair.region];
    backdrop.placement.regionWidth = where.width;
    backdrop.placement.regionHeight = where.height;

    const Color color = audit::colorField(element->model(), pair.foreground).value_or(0);
    const Color background = element->style().backgroundColor;
    std::vector<Rect> own, all;
    for (const DrawnText &text : texts.texts) {
        if (text.region != pair.region || text.under != background)
            continue;
        all.push_back(text.rect);
        if (text.color == color)
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
