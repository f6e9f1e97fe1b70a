// Editing one preview element's properties: the sheet with the element's caption and pages, and taking the
// values back into the layout on OK.
#pragma once

#include "base/Prompter.h"
#include "base/StringTable.h"
#include "layoutmodel/LayoutModel.h"
#include "server/LocalPortal.h"

#include <QString>

class QWidget;

namespace kw::layout {
class LayoutDocument;
}
namespace kw::portalpage {
class CPreviewElement;
}

namespace kw::pages {

/// How an element opens the sheet: its caption, the kind for Init (0: only the General page, no Init)
/// and whether the Portal page belongs to it.
struct ElementSheet {
    StringId caption;
    int kind = 0;
    bool withPortal = false;
    /// The caption loses its first character when that is a blank (the title keeps one leading blank).
    bool dropLeadingBlank = false;
};

/// The sheet of an element of `region`; `defaultStartPage` tells whether the element belongs to the pane
/// of the default start page (only the application page cares).
ElementSheet elementSheet(layout::RegionId region, bool defaultStartPage);
/// The same for a preview element.
ElementSheet elementSheet(const portalpage::CPreviewElement &element);
/// The caption text as the sheet shows it.
QString sheetCaption(const ElementSheet &sheet);

/// The element's properties operation: opens its sheet modally with its caption and pages, filled from the
/// layout. On OK the values go back into the layout model (shared by both panes, so the twin sees them
/// too) as one step of the layout's history named after the sheet ("Seitenkopf bearbeiten"), which marks
/// the layout modified; the result is true when the layout's values changed (also when only the page
/// spelled untouched fields in its own words, which is no step): the caller then rebuilds, lays out and
/// repaints both panes. Cancel changes nothing and gives false.
bool editElementProperties(QWidget *parent, const portalpage::CPreviewElement &element,
                           layout::LayoutDocument &document, server::Environment env, Prompter &prompter);

} // namespace kw::pages
