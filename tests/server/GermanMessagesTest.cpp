// The server environment's errors as the window shows them: German, naming what failed, on both backends.
#include "BackendTest.h"
#include "EnglishWords.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace kw::server {
namespace {

class GermanMessagesTest : public test::BackendTest {
protected:
    test::TempPortal portal{false, {}, backend()};
    PortalConnection connection{portal.factory(), portal.session()};

    Ref<IPublishing> publishing()
    {
        auto object = createObject<IPublishing>(portal.factory());
        object->AttachSession(portal.session());
        return object;
    }
    // The message without what is not ours to translate: the portal's folder (a temporary name) and the
    // database library's own words in brackets.
    std::string ownWords(std::string message) const
    {
        const std::string root = std::filesystem::canonical(portal.root()).string();
        for (std::size_t at; (at = message.find(root)) != std::string::npos;)
            message.erase(at, root.size());
        for (const char *library : {"(SQLite: ", "(PostgreSQL: "})
            if (const std::size_t at = message.find(library); at != std::string::npos)
                message.erase(at, message.rfind(')') + 1 - at);
        return message;
    }
};
KW_ON_BOTH_BACKENDS(GermanMessagesTest);

TEST_P(GermanMessagesTest, TypicalFailuresSayInGermanWhatWentWrong)
{
    portal.write("_KwStyle\\global.css", "BODY {}");
    const struct {
        const char *what;
        std::function<void()> fail;
        std::string said;
    } cases[] = {
        {"a missing file", [&] { connection.folder("_KwStyle")->GetFile("fehlt.css", ModeRead); },
         "Die Datei \"fehlt.css\" ist im Ordner /_KwStyle nicht vorhanden."},
        {"a missing folder", [&] { connection.folder("_KwGibtsNicht"); },
         "Den Ordner \"\\_KwGibtsNicht\" gibt es im Portal  nicht."},
        {"a path out of the portal", [&] { connection.folder("..\\"); },
         "Der Pfad \"\\..\\\" führt aus dem Portalordner hinaus und wird abgelehnt."},
        {"no file name", [&] { connection.folder("_KwStyle")->GetFile("a/b.css", ModeCreateWrite); },
         "\"a/b.css\" ist kein Dateiname (Ordner /_KwStyle)."},
        {"a file opened for reading",
         [&] { connection.folder("_KwStyle")->GetFile("global.css", ModeRead)->PutBytes({}); },
         "Die Datei /_KwStyle/global.css wurde zum Lesen geöffnet und kann nicht ersetzt werden."},
        {"a character outside Windows-1252",
         [&] { writeTextFile(*connection.folder("_KwStyle"), "welcome.asp", "\xE2\x98\x83"); },
         "Die Datei welcome.asp wird nicht geschrieben: Ihr Text enthält Zeichen, die es im Zeichensatz der "
         "Portaldateien (Windows-1252) nicht gibt."},
        {"an unknown history entry", [&] { publishing()->HistoryRollback(4711); },
         "Der Veröffentlichungsverlauf hat keinen Eintrag 4711."},
        {"a commit without a batch", [&] { publishing()->BatchCommit(); },
         "Es wurde kein Schreibvorgang begonnen."},
        {"an unknown application",
         [&] { createObject<INavigation>(portal.factory())->NavInit(portal.session(), 4711); },
         "Das Portal hat keine Anwendung 4711."},
        {"a statement the database refuses", [&] { connection.fileService().ExecuteSql("SELEC 1"); },
         "Die Datenbank des Portals "},
    };
    for (const auto &c : cases) {
        try {
            c.fail();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const ServerError &error) {
            const std::string message = ownWords(error.what());
            EXPECT_NE(message.find(c.said), std::string::npos) << c.what << ": " << error.what();
            EXPECT_EQ(test::englishWordsIn(message), std::vector<std::string>{})
                << c.what << ": " << error.what();
        }
    }
}

} // namespace
} // namespace kw::server
