#include "base/StringTable.h"

#include <algorithm>
#include <array>

namespace kw {

namespace {

struct Entry {
    int id;
    std::string_view text;
};

// Sorted by number.
constexpr Entry kStrings[] = {
    {12500, "Layout Manager"},
    {12501, "Server Environment konnte nicht geladen werden."},
    {12502, "Layout konnte nicht gelesen werden."},
    {12504, "Die Toplevelnavigationselemente konnten nicht geladen werden."},
    {12505, "Normal"},
    {12506, "selektiert"},
    {12507, "Submenü"},
    {12508, "  Anwendungstitel"},
    {12509, "Favoriten"},
    {12510, "Liste"},
    {12511, "Suche"},
    {12512, "Einstellungen"},
    {12513, "Hilfe"},
    {12514, "Standardstartseite"},
    {12515, "Anwendungsseiten"},
    {12516, "Submenü-Überschrift"},
    {12517, "Maus auf Text"},
    {12518, "Anwendungsmenü"},
    {12519, "Hauptmenü"},
    {12520, "Seitenkopf"},
    {12521, "Überschrift 1"},
    {12522, "Überschrift 2"},
    {12523, "Überschrift 3"},
    {12524, "Tabellenüberschrift"},
    {12525, "Normaler Text"},
    {12526, "Link"},
    {12527, "Link mit Mauskontakt"},
    {12529, "Hervorgehobene Links"},
    {12530, "Anwendungsseite"},
    {12531, "mit Mauskontakt"},
    {12532, "selektiert"},
    {12533, "Aktives Layout"},
    {12534, "Layout wird geladen..."},
    {12535, "Neues Layout"},
    {12536, "Layout: %s"},
    {12538, "Layout konnte nicht gespeichert werden."},
    {12539, "Layout speichern"},
    {12540, "Layout laden"},
    {12541, "Speichern"},
    {12543, "Das Layout wurde verändert. Wollen Sie es speichern?"},
    {12544, "Wollen Sie das Layout \"%s\" wirklich löschen?"},
    {12545, "Sie haben keinen Layoutnamen angegeben."},
    {12546, "Layout löschen"},
    {12547, "Layout konnte nicht gelöscht werden."},
    {12548, "Das aktive Layout kann nicht gelöscht werden."},
    {12549, "Für das Löschen muß ein existierendes Layout ausgewählt sein."},
    {12550, "Schließen"},
    {12551, "Firmenlogo konnte nicht gelesen werden."},
    {12555, "Imagedateien (*.jpg;*.jpeg;*.png;*.gif)|*.jpg;*.jpeg;*.png;*.gif|"},
    {12556, "Active Server Page für Fülllogo konnte nicht gespeichert werden."},
    {12560, "Sie haben Eigenschaften geändert ( z.B. Firmenlogo oder Begrüßungstext ) ,\ndie beim Speichern "
            "sofort in das laufende System übernommen werden.\nWollen Sie wirklich speichern?"},
    {12561, "Sie müssen einen Menüeintragsnamen angeben."},
    {12562, "Der Menüeintrag muß eine eindeutige Bezeichnung besitzen."},
    {12563, "Die Hauptmenüeinträge konnten nicht gespeichert werden."},
    {12565, "Zugriffsrechte für Menüpunkt \"%s\""},
    {12566, "Die Liste der berechtigten Benutzer konnte nicht gelesen werden."},
    {12571, "Wollen Sie dieses Layout wirklich als aktives Layout speichern?"},
    {12573, "Layoutdatei wurde nicht gefunden."},
    {12575, "Mit dem Serverumgebungsobjekt konnte nicht gelesen werden."},
    {12576, "Berechtigtenliste wird geladen..."},
    {12577, "Dieser Menüeintrag kann nicht gelöscht werden."},
    {12578, "Die Startseiteninformation konnte nicht gelesen werden."},
    {12579, "Wollen Sie die Startseite(n) wirklich ändern?"},
    {12580, "Webseiten (*.asp;*.htm;*.html)|*.asp;*.htm;*.html|"},
    {12581, "Dieser Menüpunkt enthält noch Anwendungen und kann deshalb nicht gelöscht werden."},
    {12582, "Das Datumsformat kann nicht gelesen werden."},
    {12583, "Das Datumsformat kann nicht geschrieben werden."},
    {12584, "Wollen Sie die Ländereinstellungen wirklich ändern?"},
    {12588, "Wollen Sie die Startseite des Menüpunkts \"%s\" wirklich ändern."},
    {12590, "keine Bilddatei ausgewählt"},
    {12592, "Portal-Überschrift"},
    {12593, "Submenü-Logo"},
    {12595, "Die Spezialformate konnten nicht gespeichert werden."},
    {12596, "Dieser Eintrag darf nicht verschoben werden."},
    {12598, "Fehler beim Speichern der Einstellungen des persönlichen Kalenders"},
    {12601, "../KwApplications/KwArea/KwArea.asp"},
    {12602, "Startseite des Menüpunkts \"%s\""},
    {12604, "Um ein neues Layout als aktives Layout zu speichern, müssen Sie dem neuen Layout einen Namen "
            "geben!"},
    {12605, "backgrnd_CornerImage.gif"},
    {12606, "Layout öffnen"},
    {12607, "Diese Kombination von Tausender- und Dezimaltrennzeichen ist nicht erlaubt. Das "
            "Tausendertrennzeichen darf nicht im Dezimaltrennzeichen enthalten sein."},
    {12608,
     "Das Dezimal- oder Tausendertrennzeichen enthält nicht erlaubte Zeichen, z.B. Ziffern, Vorzeichen"},
    {12609, "Das Dezimaltrennzeichen darf nicht leer sein."},
    {12610, "Die Formaterweiterungen konnten nicht gespeichert werden."},
    {32908, "Allgemein"},
    {32909, "Speichern - Neu"},
    {32910, "Speichern - Gehe Zu"},
    {32911, "Speichern - Ändern"},
    {32912, "Löschen"},
    {32913, "Abbrechen"},
    {32914, "Gehe zu - Neu"},
    {32915, "Gehe zu - Seite"},
    {32916, "Gehe zu - andere Anwendung"},
    {32917, "Neuer Stil"},
    {32918, ","},
    {32919, "."},
    {32950, "Das Layout wurde verändert. Exportiert wird der zuletzt gespeicherte Stand."},
    {32951, "Layout konnte nicht exportiert werden."},
    {32952, "Layout konnte nicht importiert werden."},
    {32953, "Diese Bilder des Layouts wurden nicht exportiert:\n%s"},
    {32954,
     "Im Portal gibt es schon Bilder dieses Namens mit anderem Inhalt: %s.\nLayouts, die sie verwenden, "
     "zeigen danach die neuen Bilder. Wollen Sie sie ersetzen?"},
    {32955, "Das Layout \"%s\" gibt es schon. Wollen Sie es ersetzen?"},
    {32956, "Layout-Pakete (*.kwlayout)"},
    {32957, "Layout wird exportiert..."},
    {32958, "Layout wird importiert..."},
    {32959, "Das Layout verwendet Bilder, die weder im Paket noch im Portal sind: %s."},
    {58508, "Typ"},
    {58509, "Sprache"},
    {58510, "Text"},
    {58511, "Titel"},
    {58512, "Wert"},
    {58513, "Titel links"},
    {58514, "Titel rechts"},
    {58515, "Knopf"},
    {58516, "Seitenname"},
    {58517, "Menutitel"},
    {58518, "Gruppenname"},
    {58519, "Applikationsname"},
    {58520, "Hauptnavigation - Menüpunkte -"},
    {58521, "Welcome Text Eigenschaften"},
    {58522, "Beim erneuten Laden der sprachabhängigen Texte ist ein Fehler aufgetreten."},
    {59001, "Der Schaltflächenstil muß eine Bezeichnung besitzen."},
    {59002, "Der Schaltflächenstil muß eine eindeutige Bezeichnung besitzen."},
    {59011, "Die Startseiteninformation konnte nicht geschrieben werden."},
    {59012,
     "Das Hauptmenü wurde geändert, seit es hier geöffnet wurde (von einem anderen Administrator oder "
     "Programm).\nWollen Sie es trotzdem mit Ihren Änderungen speichern?\n\nJa: Ihre Änderungen werden "
     "gespeichert; was dort geändert wurde, wird überschrieben.\nNein: Das Hauptmenü wird neu geladen; "
     "Ihre Änderungen gehen verloren.\nAbbrechen: Nichts wird gespeichert; Sie bearbeiten Ihre Änderungen "
     "weiter."},
    {59013, "Der Text kann nicht in ein Skript des Portals geschrieben werden, denn die Skripte sind im "
            "Zeichensatz Windows-1252 gespeichert, der diese Zeichen nicht enthält: %s"},
    {59014, "Das Dezimal- oder Tausendertrennzeichen kann nicht gespeichert werden, denn KwDataFormat.asp "
            "nimmt nur Zeichen des Zeichensatzes Windows-1252 auf."},
    {59015, "Der Begrüssungstext kann nicht veröffentlicht werden. %s"},
    {59016, "Der Name des Firmenlogos kann nicht veröffentlicht werden. %s"},
};

} // namespace

std::string_view loadString(int id)
{
    const auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                                     [](const Entry &e, int value) { return e.id < value; });
    if (it == std::end(kStrings) || it->id != id)
        return {};
    return it->text;
}

std::string_view loadString(StringId id)
{
    return loadString(static_cast<int>(id));
}

std::string formatString(StringId id, std::string_view value)
{
    std::string text(loadString(id));
    const auto pos = text.find("%s");
    if (pos != std::string::npos)
        text.replace(pos, 2, value);
    return text;
}

} // namespace kw
