#include "base/SystemErrorText.h"

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <string_view>

namespace kw {

namespace {

struct ErrorText {
    int number;
    std::string_view text;
};

// The errors a file, folder or lock access of the portal can meet. The C library's own texts follow the
// process's locale and are English where no German catalogue is installed; these do not.
const ErrorText kTexts[] = {
    {EPERM, "Der Vorgang ist nicht erlaubt"},
    {ENOENT, "Datei oder Ordner nicht vorhanden"},
    {EINTR, "Der Aufruf wurde unterbrochen"},
    {EIO, "Ein-/Ausgabefehler des Datenträgers"},
    {ENXIO, "Das Gerät ist nicht vorhanden"},
    {EBADF, "Ungültiger Dateideskriptor"},
    {EAGAIN, "Die Ressource ist vorübergehend nicht verfügbar"},
    {ENOMEM, "Es ist nicht genug Speicher frei"},
    {EACCES, "Keine Berechtigung"},
    {EBUSY, "Die Datei oder das Gerät ist belegt"},
    {EEXIST, "Die Datei ist schon vorhanden"},
    {EXDEV, "Quelle und Ziel liegen auf verschiedenen Dateisystemen"},
    {ENOTDIR, "Ein Teil des Pfads ist kein Ordner"},
    {EISDIR, "Das ist ein Ordner"},
    {EINVAL, "Ungültiges Argument"},
    {ENFILE, "Im System sind zu viele Dateien geöffnet"},
    {EMFILE, "Das Programm hat zu viele Dateien geöffnet"},
    {ETXTBSY, "Die Datei wird gerade ausgeführt"},
    {EFBIG, "Die Datei ist zu groß"},
    {ENOSPC, "Auf dem Datenträger ist kein Platz mehr"},
    {EROFS, "Das Dateisystem ist nur lesbar eingebunden"},
    {EMLINK, "Zu viele Verweise auf die Datei"},
    {ENAMETOOLONG, "Der Name ist zu lang"},
    {ENOLCK, "Es sind keine Sperren mehr verfügbar"},
    {ENOTEMPTY, "Der Ordner ist nicht leer"},
    {ELOOP, "Zu viele Ebenen symbolischer Verweise"},
    {EDQUOT, "Das Speicherkontingent ist ausgeschöpft"},
    {ESTALE, "Die Netzwerkdatei ist nicht mehr gültig"},
};

} // namespace

std::string systemErrorText(int errorNumber)
{
    const auto *found =
        std::find_if(std::begin(kTexts), std::end(kTexts),
                     [errorNumber](const ErrorText &entry) { return entry.number == errorNumber; });
    if (found != std::end(kTexts))
        return std::string(found->text);
    return "Systemfehler " + std::to_string(errorNumber);
}

std::string systemErrorText(const std::error_code &error)
{
    if (error.category() == std::system_category() || error.category() == std::generic_category())
        return systemErrorText(error.value());
    return error.message();
}

} // namespace kw
