#include "pages/CAppPageTNLPage.h"

namespace kw::pages {

namespace {

using G = CGridStylePage;
using namespace tables;

enum GroupIndex { Border, Title, ColumnHeadings, Content };

constexpr std::array<G::Group, 4> kGroups = {{
    {1186, " Rahmen", -1, true},
    {1187, " Titel", 0, false},
    {1082, " Spaltenüberschriften", 1, false},
    {1188, " Tabelleninhalt", -1, false},
}};

constexpr std::array<G::Colour, layout::GridValues::kColorSlots> kColours = {{
    {Border, 3, BorderColor, "&Rahmenfarbe"},
    {Title, 4, 1038, "&Schriftfarbe"},
    {Title, 5, 1039, "&Hintergrundfarbe"},
    {ColumnHeadings, 0, HeadNormal, "F&arbe normal"},
    {ColumnHeadings, 1, 1035, "Farbe bei Sele&ktion"},
    {ColumnHeadings, 2, 1036, "Farbe bei Ma&uskontakt"},
    {ColumnHeadings, 6, 1040, "Hintergrun&dfarbe"},
    {ColumnHeadings, 7, 1041, "Tr&ennerfarbe"},
    {Content, 8, 1042, "ungerade &Zeilen"},
    {Content, 9, 1043, "&gerade Zeilen"},
    {Content, 10, 1002, "Schriftfar&be"},
}};

const G::Spec kSpec = {kGroups,
                       kColours,
                       {{{TitleFont, TitleSize, 1154, "S&chriftart", "Schri&ftgröße", "Schriftsch&nitt"},
                         {SecondFont, SecondSize, 1033, "Schr&iftart", "Schriftgr&öße", "Schrif&tschnitt"}}},
                       G::Further::BorderWidth,
                       BorderWidth,
                       "Rah&menbreite"};

} // namespace

CAppPageTNLPage::CAppPageTNLPage() : CGridStylePage(PageSlot::Tables, kSpec) {}

} // namespace kw::pages
