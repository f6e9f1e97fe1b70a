// Qt's own texts in German: the standard buttons, the edit menus and the colour dialog of the window.
#pragma once

#include <QString>

#include <memory>
#include <span>

class QTranslator;

namespace kw::platform {

/// Whether Qt's own texts are translated in the running application already ("&Yes" is not "&Yes").
bool qtTextsTranslated();

/// One of Qt's own texts and its German text.
struct QtText {
    const char *context;
    const char *source;
    const char *german;
};

/// The texts the built-in translation gives when Qt's German file is missing: the standard buttons of
/// message boxes and dialogs, the details button, the edit menus of entry fields and text controls, the
/// spin boxes' menu and the colour dialog.
std::span<const QtText> builtInGermanQtTexts();

/// Makes Qt's own texts German in the running application while it lives: Qt's German translation file
/// (`qtbase_de.qm` of Debian's qt6-translations-l10n) from `folder`, or, when that file is missing, the
/// built-in texts above. Does nothing when Qt's texts are translated already (a host that installed its own
/// translation keeps it).
class GermanQtTexts {
public:
    enum class Source {
        Untouched, ///< Qt's texts were translated before; nothing installed
        QtFile,    ///< qtbase_de.qm
        BuiltIn,   ///< the built-in texts
    };

    /// `folder` defaults to Qt's translations folder.
    explicit GermanQtTexts(const QString &folder = {});
    ~GermanQtTexts();
    GermanQtTexts(const GermanQtTexts &) = delete;
    GermanQtTexts &operator=(const GermanQtTexts &) = delete;

    Source source() const { return m_source; }

private:
    std::unique_ptr<QTranslator> m_translator;
    Source m_source = Source::Untouched;
};

} // namespace kw::platform
