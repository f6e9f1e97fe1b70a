// The operating system's reasons in German: known numbers by their text, others by number, and error codes
// of the standard library the same way.
#include "base/SystemErrorText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <future>
#include <string>

namespace kw {
namespace {

TEST(SystemErrorTextTest, GermanForTheErrorsOfAFileAccess)
{
    EXPECT_EQ(systemErrorText(ENOSPC), "Auf dem Datenträger ist kein Platz mehr");
    EXPECT_EQ(systemErrorText(EACCES), "Keine Berechtigung");
    EXPECT_EQ(systemErrorText(ENOENT), "Datei oder Ordner nicht vorhanden");
    EXPECT_EQ(systemErrorText(EROFS), "Das Dateisystem ist nur lesbar eingebunden");
    EXPECT_EQ(systemErrorText(EDOM), "Systemfehler " + std::to_string(EDOM));
    EXPECT_EQ(systemErrorText(std::error_code(EIO, std::system_category())),
              "Ein-/Ausgabefehler des Datenträgers");
    EXPECT_EQ(systemErrorText(std::make_error_code(std::errc::permission_denied)), "Keine Berechtigung");
    // Another category keeps its own text.
    const std::error_code future = std::make_error_code(std::future_errc::no_state);
    EXPECT_EQ(systemErrorText(future), future.message());
}

} // namespace
} // namespace kw
