// A layout opened for the preview without a window: the document and both panes, created, switched and
// rebuilt as the window does it. Headless rendering, the tests and the benchmark use it.
#pragma once

#include "layout/LayoutDocument.h"
#include "portalpage/PortalPane.h"
#include "preview/PortalPagePainting.h"

#include <QImage>

#include <memory>
#include <optional>
#include <string>

namespace kw::preview {

/// The file name of a layout as a user names it: "Aktives Layout" or "global.css" for the active layout,
/// a file name ending in ".kwc" as it is, any other name NAME.kwc.
std::string layoutFileOf(const std::string &name);

class LayoutPreview final : private layout::DocumentListener {
public:
    /// Creates both panes over a new document of the portal: the elements read their texts (portal name,
    /// user, date, main menu entries) and the company settings (logo, welcome text) are read once.
    LayoutPreview(server::Environment env, Prompter &prompter,
                  std::optional<portalpage::HeaderDate> date = std::nullopt);
    ~LayoutPreview() override;
    LayoutPreview(const LayoutPreview &) = delete;
    LayoutPreview &operator=(const LayoutPreview &) = delete;

    /// Opens a layout by the name the user gives; false when it could not be read (already reported).
    /// Either way the panes follow the document: switches applied, everything rebuilt.
    bool open(const std::string &name);

    /// After a display switch of the model changed: both panes take their switches and rebuild.
    void applySwitches();

    layout::LayoutDocument &document() { return *m_document; }
    portalpage::PortalPane &pane(layout::Pane kind);
    /// Rectangles of a pane's elements for a client of `size` (the requested size is the client's).
    portalpage::PaneLayout layoutFor(layout::Pane kind, QSize size);
    /// The pane laid out for and drawn into an image of `size`.
    QImage render(layout::Pane kind, QSize size);
    /// Decoder statistics (pictures decoded since the preview was made).
    const portalpage::PictureSource &pictures() const { return *m_pictures; }

private:
    void layoutLoaded() override;

    server::Environment m_env;
    Prompter &m_prompter;
    NoWaitIndicator m_wait;
    std::unique_ptr<layout::LayoutChooser> m_chooser;
    std::unique_ptr<layout::LayoutDocument> m_document;
    MeasureDevice m_measure;
    std::unique_ptr<portalpage::PictureSource> m_pictures;
    std::unique_ptr<portalpage::ElementContext> m_context;
    std::unique_ptr<portalpage::PortalPane> m_start;
    std::unique_ptr<portalpage::PortalPane> m_application;
    image::CLayoutImage m_idle;
    std::int32_t m_defaultLanguage = 1031;
};

} // namespace kw::preview
