#include "pages/PropertyPage.h"

#include "pages/CWebPagePropSheet.h"

#include <array>
#include <cassert>

namespace kw::pages {

namespace {

constexpr std::array<PageInfo, kPageSlotCount> kPages = {{
    {PageSlot::General, "CN2NDPropPage", 12011, "Allgemein", "::/87_1.htm"},
    {PageSlot::Headings, "CAppPageHdrPage", 12012, "Überschriften", "::/87_2.htm"},
    {PageSlot::Tables, "CAppPageTNLPage", 12013, "Tabellen", "::/87_3.htm"},
    {PageSlot::Links, "CAppPageLinkPage", 12056, "Links", "::/87_7.htm"},
    {PageSlot::Portal, "CKwAppPortalProp", 12022, "Portal", "::/87_5.htm"},
    {PageSlot::EntryFields, "CEntryStyleProp", 12055, "Eingabefelder", "::/87_4.htm"},
    {PageSlot::Buttons, "CButtonStyleProp", 12023, "Schaltflächen", "::/87_6.htm"},
    {PageSlot::SpecialSettings, "CMenuSpecials", 12057, "Spezialeinstellungen", "::/87_8.htm"},
    {PageSlot::TreeMenu, "CTreeMenu", 12062, "Baummenü", "::/256.htm"},
}};

} // namespace

std::span<const PageInfo> pageTable()
{
    return kPages;
}

const PageInfo &pageInfo(PageSlot slot)
{
    return kPages[static_cast<std::size_t>(slot)];
}

CPropertyPage::CPropertyPage(PageSlot slot) : m_slot(slot)
{
    setObjectName(QString::number(info().dialogId));
}

void CPropertyPage::create()
{
    if (m_created)
        return;
    m_created = true;
    OnInitDialog();
}

CWebPagePropSheet &CPropertyPage::sheet() const
{
    assert(m_sheet && "a page is used only inside its sheet");
    return *m_sheet;
}

const PageContext &CPropertyPage::context() const
{
    return sheet().context();
}

} // namespace kw::pages
