#include "pages/CKwAppPortalProp.h"

namespace kw::pages {

namespace {

using G = CGridStylePage;
using namespace portal;

enum GroupIndex { Frame, Title, Headings, Entries, Links };

constexpr std::array<G::Group, 5> kGroups = {{
    {1186, " Portletrahmen", -1, true},
    {1187, " Portlettitel", 0, false},
    {1082, " Zwischenüberschriften", 1, false},
    {1188, " Portleteinträge", -1, false},
    {1189, " Links", -1, false},
}};

constexpr std::array<G::Colour, layout::GridValues::kColorSlots> kColours = {{
    {Frame, 3, BorderColor, "&Rahmenfarbe"},
    {Title, 4, 1038, "S&chriftfarbe"},
    {Title, 5, 1039, "Hi&ntergrundfarbe"},
    {Headings, 6, 1040, "Hintergr&undfarbe"},
    {Headings, 9, 1002, "Schriftfar&be"},
    {Entries, 7, 1042, "ungerade &Zeilen"},
    {Entries, 8, 1043, "&gerade Zeilen"},
    {Entries, 10, 1041, "Schriftfarb&e"},
    {Links, 0, LinkNormal, "Farbe n&ormal"},
    {Links, 1, 1035, "Farbe bei Sele&ktion"},
    {Links, 2, 1036, "Farbe bei &Mauskontakt"},
}};

const G::Spec kSpec = {kGroups,
                       kColours,
                       {{{TitleFont, 1156, 1154, "Sc&hriftart", "Schri&ftgröße", "Schr&iftschnitt"},
                         {SecondFont, 1032, 1033, "Schrift&art", "Schriftgr&öße", "Schrif&tschnitt"}}},
                       G::Further::Shadow,
                       ShowShadow,
                       "&Schatten anzeigen"};

} // namespace

CKwAppPortalProp::CKwAppPortalProp() : CGridStylePage(PageSlot::Portal, kSpec) {}

} // namespace kw::pages
