// What a preview pane window holds of the portal page: the elements over the document's shared model,
// their child windows, and what they are rebuilt with.
#pragma once

#include "layout/LayoutDocument.h"
#include "portalpage/PortalPane.h"
#include "preview/PaneElements.h"
#include "preview/PortalPagePainting.h"

#include <QPoint>
#include <QSize>

#include <memory>

class QWidget;

namespace kw::preview {

class PaneContents {
public:
    /// Creates the pane's elements and their windows (children of `parent`, the pane's viewport) in their
    /// order; each reads its texts and is rebuilt. The start page pane also reads the company settings
    /// (logo and welcome text) into the document.
    PaneContents(layout::Pane kind, layout::LayoutDocument &document, server::Environment env,
                 Prompter &prompter, QWidget *parent, ElementHost *host = nullptr);
    ~PaneContents();
    PaneContents(const PaneContents &) = delete;
    PaneContents &operator=(const PaneContents &) = delete;

    portalpage::PortalPane &pane() { return *m_pane; }
    PaneElements &windows() { return *m_windows; }

    /// The document was loaded or reset: the elements take the company settings and the layout label,
    /// the pane's switches are applied and everything is rebuilt and shown anew.
    void layoutLoaded();
    /// The layout was saved under a (maybe) new title: the application page shows the new label.
    void layoutSaved();
    /// After a display switch changed: the elements take the pane's switches and are rebuilt.
    void applySwitches();
    /// After an element's values changed: every element is rebuilt and shown anew.
    void rebuild();
    /// After the company logo or the welcome text changed in the document: the application page takes
    /// them, is rebuilt (its size follows the text) and shown anew.
    void companyChanged();
    /// After the main menu changed on the server: the main menu element reads its entries again (a server
    /// error is reported and keeps what was read) and every window shows the new values.
    void mainMenuChanged();

    /// Lays the windows out for a requested size and the client size, shifted by the scroll offset, and
    /// returns the scroll size. With no layout open every window is empty.
    portalpage::Size layout(int width, int height, QSize client, QPoint offset);

private:
    void takeDocument();
    void rebuildAppPage();

    layout::LayoutDocument &m_document;
    MeasureDevice m_measure;
    std::unique_ptr<portalpage::PictureSource> m_pictures;
    std::unique_ptr<portalpage::ElementContext> m_context;
    std::unique_ptr<portalpage::PortalPane> m_pane;
    std::unique_ptr<PaneElements> m_windows;
};

} // namespace kw::preview
