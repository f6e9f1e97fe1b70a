// The base of the layout property pages: a page of the property sheet whose controls are made when its tab
// is first shown.
#pragma once

#include "base/Prompter.h"
#include "server/LocalPortal.h"

#include <QWidget>

#include <cstddef>
#include <span>
#include <string_view>

namespace kw::pages {

class CWebPagePropSheet;

/// The nine pages of the layout property sheet, in the sheet's order.
enum class PageSlot {
    General,
    Headings,
    Tables,
    Links,
    Portal,
    EntryFields,
    Buttons,
    SpecialSettings,
    TreeMenu
};
inline constexpr std::size_t kPageSlotCount = static_cast<std::size_t>(PageSlot::TreeMenu) + 1;

/// A page's class, dialog, tab caption and help topic.
struct PageInfo {
    PageSlot slot;
    const char *className;
    int dialogId;
    const char *caption;
    std::string_view helpTopic;
};

/// The nine pages in order.
std::span<const PageInfo> pageTable();
const PageInfo &pageInfo(PageSlot slot);

/// What the pages need from outside: the portal (for the image chooser) and the prompter (refused values,
/// server errors).
struct PageContext {
    server::Environment env;
    Prompter &prompter;
};

/// One page. The page object holds its value fields from construction; its controls are made only when the
/// sheet first shows it (`OnInitDialog`), so a page that is never shown runs no exchange and hands back the
/// fields it was given.
class CPropertyPage : public QWidget {
public:
    explicit CPropertyPage(PageSlot slot);

    const PageInfo &info() const { return pageInfo(m_slot); }
    PageSlot slot() const { return m_slot; }
    bool isCreated() const { return m_created; }
    /// Makes the controls and shows the fields in them (once).
    void create();

    /// The page is left (tab change or OK): take the controls' values; false keeps the page active.
    virtual bool OnKillActive() { return true; }
    /// OK: turn control states back into the fields' keywords. Only called for pages that were created.
    virtual void OnOK() {}

protected:
    virtual void OnInitDialog() = 0;

    CWebPagePropSheet &sheet() const;
    const PageContext &context() const;

private:
    friend class CWebPagePropSheet;

    PageSlot m_slot;
    CWebPagePropSheet *m_sheet = nullptr;
    bool m_created = false;
};

} // namespace kw::pages
