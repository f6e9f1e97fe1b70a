// What the contrast audit takes from the preview: the texts the elements draw (with the colour under
// each), the background pictures as the elements decoded them, and a preview without a window for the
// command line.
#pragma once

#include "audit/Audit.h"
#include "portalpage/PortalPane.h"
#include "portalpage/RecordingPaintDevice.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kw::portalpage {

/// A text as the preview draws it.
struct DrawnText {
    layout::RegionId region;
    std::string text;
    Color color = 0; ///< the text colour
    Color under = 0; ///< the colour last filled under the text's centre (the element's or a box's)
    Rect rect;       ///< element coordinates
};

/// Paints every element of the pane that has room in `layout` on a recording device and lists the texts
/// it draws, element by element in their order.
std::vector<DrawnText> drawnTexts(const PortalPane &pane, const PaneLayout &layout);

/// The size both panes are laid out at for the audit, whatever the window's size: the window and the
/// command line measure the same areas.
inline constexpr Size kAuditPaneSize{1280, 800};

/// The backdrops of the pairs as the two panes show them: each region's decoded background picture, placed
/// at the element's top left corner (tiled as the portal tiles it), under the texts where the preview draws
/// the pair's state (else under all of the region's texts, else the whole region).
class PreviewBackdrops final : public audit::BackdropSource {
public:
    PreviewBackdrops(const PortalPane &start, const PortalPane &application, Size client = kAuditPaneSize);

    std::optional<audit::Backdrop> backdrop(const audit::Pair &pair) const override;

private:
    struct PaneTexts {
        const PortalPane *pane;
        PaneLayout layout;
        std::vector<DrawnText> texts;
    };
    const PaneTexts &panesFor(const audit::Pair &pair) const;

    PaneTexts m_start;
    PaneTexts m_application;
};

/// Both panes of a layout without a window: created over the model, switched and rebuilt as the window
/// does it, measuring with the recording device's fixed metrics. Pictures come from the portal.
class HeadlessPreview {
public:
    HeadlessPreview(server::Environment env, Prompter &prompter, const layout::LayoutModel &model);
    HeadlessPreview(const HeadlessPreview &) = delete;
    HeadlessPreview &operator=(const HeadlessPreview &) = delete;

    /// The elements take the panes' switches and are rebuilt (after the model changed).
    void rebuild();
    const PortalPane &pane(layout::Pane kind) const;
    const PictureSource &pictures() const { return m_pictures; }

private:
    RecordingPaintDevice m_measure;
    PictureSource m_pictures;
    ElementContext m_context;
    PortalPane m_start;
    PortalPane m_application;
};

} // namespace kw::portalpage
