// Qt's own texts in German.
#include "platform/GermanQtTexts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <array>
#include <cstring>

namespace kw::platform {

namespace {

// Qt's German texts for what the window shows (the same as in qtbase_de.qm).
constexpr std::array<QtText, 41> kTexts = {{
    {"QPlatformTheme", "OK", "OK"},
    {"QPlatformTheme", "&Yes", "&Ja"},
    {"QPlatformTheme", "&No", "&Nein"},
    {"QPlatformTheme", "Cancel", "Abbrechen"},
    {"QPlatformTheme", "Help", "Hilfe"},
    {"QPlatformTheme", "Close", "Schließen"},
    {"QPlatformTheme", "Apply", "Anwenden"},
    {"QPlatformTheme", "Save", "Speichern"},
    {"QPlatformTheme", "Open", "Öffnen"},
    {"QPlatformTheme", "Discard", "Verwerfen"},
    {"QPlatformTheme", "Reset", "Zurücksetzen"},
    {"QMessageBox", "Show Details...", "Details einblenden..."},
    {"QMessageBox", "Hide Details...", "Details ausblenden..."},
    {"QLineEdit", "&Undo", "&Rückgängig"},
    {"QLineEdit", "&Redo", "Wieder&herstellen"},
    {"QLineEdit", "Cu&t", "&Ausschneiden"},
    {"QLineEdit", "&Copy", "&Kopieren"},
    {"QLineEdit", "&Paste", "Einf&ügen"},
    {"QLineEdit", "Delete", "Löschen"},
    {"QLineEdit", "Select All", "Alles auswählen"},
    {"QWidgetTextControl", "&Undo", "&Rückgängig"},
    {"QWidgetTextControl", "&Redo", "Wieder&herstellen"},
    {"QWidgetTextControl", "Cu&t", "&Ausschneiden"},
    {"QWidgetTextControl", "&Copy", "&Kopieren"},
    {"QWidgetTextControl", "&Paste", "Einf&ügen"},
    {"QWidgetTextControl", "Delete", "Löschen"},
    {"QWidgetTextControl", "Select All", "Alles auswählen"},
    {"QAbstractSpinBox", "&Select All", "&Alles auswählen"},
    {"QColorDialog", "Select Color", "Farbauswahl"},
    {"QColorDialog", "&Basic colors", "Grundfar&ben"},
    {"QColorDialog", "&Custom colors", "&Benutzerdefinierte Farben"},
    {"QColorDialog", "&Add to Custom Colors", "Zu benutzerdefinierten Farben &hinzufügen"},
    {"QColorDialog", "&Pick Screen Color", "&Farbe vom Bildschirm wählen"},
    {"QColorDialog", "Hu&e:", "Farb&ton:"},
    {"QColorDialog", "&Sat:", "&Sättigung:"},
    {"QColorDialog", "&Val:", "&Helligkeit:"},
    {"QColorDialog", "&Red:", "&Rot:"},
    {"QColorDialog", "&Green:", "&Grün:"},
    {"QColorDialog", "Bl&ue:", "Bla&u:"},
    {"QColorDialog", "A&lpha channel:", "A&lphakanal:"},
    {"QColorDialog", "&HTML:", "&HTML:"},
}};

/// The built-in texts as a translator.
class BuiltInTranslator final : public QTranslator {
public:
    QString translate(const char *context, const char *sourceText, const char * = nullptr,
                      int = -1) const override
    {
        if (!context || !sourceText)
            return {};
        for (const QtText &text : kTexts)
            if (std::strcmp(text.context, context) == 0 && std::strcmp(text.source, sourceText) == 0)
                return QString::fromUtf8(text.german);
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

bool qtTextsTranslated()
{
    static constexpr const char *kProbe = "&Yes";
    return QCoreApplication::translate("QPlatformTheme", kProbe) != QLatin1String(kProbe);
}

std::span<const QtText> builtInGermanQtTexts()
{
    return kTexts;
}

GermanQtTexts::GermanQtTexts(const QString &folder)
{
    if (!QCoreApplication::instance() || qtTextsTranslated())
        return;
    auto file = std::make_unique<QTranslator>();
    const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
    if (file->load(QStringLiteral("qtbase_de"), from)) {
        m_translator = std::move(file);
        m_source = Source::QtFile;
    } else {
        m_translator = std::make_unique<BuiltInTranslator>();
        m_source = Source::BuiltIn;
    }
    QCoreApplication::installTranslator(m_translator.get());
}

// The translator leaves the application as it goes.
GermanQtTexts::~GermanQtTexts() = default;

} // namespace kw::platform
