// The local portal's file side: paths, modes, searching, atomic replacement, confinement.
#include "BackendTest.h"
#include "TempPortal.h"

#include "base/TextCodec.h"
#include "server/PortalFileSystem.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kw::server {
namespace {

namespace fs = std::filesystem;
using test::TempPortal;

Bytes bytesOf(const std::string &text)
{
    return Bytes(text.begin(), text.end());
}
std::string textOf(const Bytes &bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

class FileServiceTest : public test::BackendTest {
protected:
    TempPortal portal{false, {}, backend()};
    PortalConnection connection{portal.factory(), portal.session()};
};
KW_ON_BOTH_BACKENDS(FileServiceTest);

TEST_P(FileServiceTest, ResolvesBothSeparatorsAndAnyCase)
{
    portal.write("_KwInclude/KwCompany/KwStyles.asp", "x");
    Ref<IServerFolder> folder = connection.folder("_kwinclude/KWCOMPANY");
    EXPECT_TRUE(folder->HasFile("kwstyles.ASP"));
    EXPECT_EQ(textOf(folder->GetFile("KWSTYLES.asp", ModeRead)->GetBytes()), "x");
    EXPECT_EQ(folder->GetFile("kwstyles.asp", ModeRead)->GetFileName(), "KwStyles.asp");
    EXPECT_TRUE(connection.fileService()
                    .GetFolder(connection.basePath() + "_KwInclude\\KwCompany")
                    ->HasFile("KwStyles.asp"));
}

TEST_P(FileServiceTest, RefusesPathsOutsideThePortal)
{
    for (const std::string &path :
         {connection.basePath() + "..\\", connection.basePath() + "_KwStyle\\..\\..", std::string("/etc"),
          std::string("/tmp")}) {
        try {
            connection.fileService().GetFolder(path);
            ADD_FAILURE() << path << " was accepted";
        } catch (const ServerError &error) {
            EXPECT_EQ(error.code(), ServerError::AccessDenied) << path;
            EXPECT_NE(std::string(error.what()).find("führt aus dem Portalordner hinaus"), std::string::npos);
        }
    }
    Ref<IServerFolder> style = connection.folder("_KwStyle");
    EXPECT_THROW(style->GetFile("..", ModeRead), ServerError);
    EXPECT_THROW(style->GetFile("a/b.css", ModeCreateWrite), ServerError);
}

TEST_P(FileServiceTest, RefusesSymbolicLinksOut)
{
    test::TempDir outside;
    test::writeFile(outside.path() / "secret.txt", "secret");
    fs::create_symlink(outside.path() / "secret.txt", portal.local("_KwStyle/link.css"));
    fs::create_directory_symlink(outside.path(), portal.local("Images/out"));
    Ref<IServerFolder> style = connection.folder("_KwStyle");
    EXPECT_THROW(style->GetFile("link.css", ModeRead), ServerError);
    EXPECT_THROW(style->GetFile("link.css", ModeCreateWrite), ServerError);
    EXPECT_THROW(connection.folder("Images\\out"), ServerError);
    EXPECT_EQ(test::readFile(outside.path() / "secret.txt"), "secret");
}

TEST_P(FileServiceTest, MissingFolderAndFileAreNamed)
{
    try {
        connection.folder("_KwNowhere");
        FAIL();
    } catch (const ServerError &error) {
        EXPECT_EQ(error.code(), ServerError::NotFound);
        EXPECT_NE(std::string(error.what()).find("_KwNowhere"), std::string::npos);
    }
    try {
        connection.folder("_KwStyle")->GetFile("global.css", ModeRead);
        FAIL();
    } catch (const ServerError &error) {
        EXPECT_EQ(error.code(), ServerError::NotFound);
        EXPECT_NE(std::string(error.what()).find("global.css"), std::string::npos);
    }
    EXPECT_THROW(connection.folder("_KwStyle")->RemoveFile("global.css"), ServerError);
}

TEST_P(FileServiceTest, ModesDecideWhatAHandleMayDo)
{
    Ref<IServerFolder> folder = connection.folder("_KwStyle");
    Ref<IServerFile> created = folder->GetFile("menu.css", ModeCreateWrite);
    EXPECT_FALSE(folder->HasFile("menu.css")); // appears with the first write
    created->PutBytes(bytesOf("A{}"));
    EXPECT_EQ(portal.read("_KwStyle/menu.css"), "A{}");

    Ref<IServerFile> reader = folder->GetFile("menu.css", ModeRead);
    EXPECT_THROW(reader->PutBytes(bytesOf("B")), ServerError);
    EXPECT_THROW(reader->AppendText("B"), ServerError);
    EXPECT_EQ(textOf(reader->GetBytes()), "A{}");

    Ref<IServerFile> appender = folder->GetFile("menu.css", ModeReadAppend);
    appender->AppendText("ä");
    EXPECT_EQ(portal.read("_KwStyle/menu.css"), "A{}\xE4"); // stored as Windows-1252

    EXPECT_THROW(folder->GetFile("menu.css", 0x12), ServerError);
}

TEST_P(FileServiceTest, CreateModeAppendStartsFromNothing)
{
    portal.write("_KwStyle/welcome.asp", "old contents");
    Ref<IServerFile> file = connection.folder("_KwStyle")->GetFile("welcome.asp", ModeCreateWrite);
    file->AppendText("<%\n");
    file->AppendText("%>\n");
    EXPECT_EQ(portal.read("_KwStyle/welcome.asp"), "<%\n%>\n");
}

TEST_P(FileServiceTest, DenyWriteKeepsOtherWritersOut)
{
    Ref<IServerFolder> folder = connection.folder("_KwStyle");
    {
        Ref<IServerFile> holder = folder->GetFile("global.css", ModeCreateDenyWrite);
        try {
            folder->GetFile("GLOBAL.css", ModeCreateWrite);
            FAIL() << "a second writer was let in";
        } catch (const ServerError &error) {
            EXPECT_EQ(error.code(), ServerError::SharingViolation);
        }
        EXPECT_NO_THROW(folder->GetFile("other.css", ModeCreateWrite));
    }
    EXPECT_NO_THROW(folder->GetFile("global.css", ModeCreateWrite)); // released with the handle
}

TEST_P(FileServiceTest, NewFileNamesAreUnique)
{
    Ref<IServerFolder> folder = connection.folder("_KwTemplates");
    Ref<IServerFile> first = folder->NewFile("Blau", ".kwc");
    EXPECT_EQ(first->GetFileName(), "Blau.kwc");
    first->PutBytes(bytesOf("1"));
    Ref<IServerFile> second = folder->NewFile("blau", ".kwc");
    EXPECT_EQ(second->GetFileName(), "blau_1.kwc");
    second->PutBytes(bytesOf("2"));
    EXPECT_EQ(folder->NewFile("Blau", ".kwc")->GetFileName(), "Blau_2.kwc");
    EXPECT_EQ(portal.read("_KwTemplates/Blau.kwc"), "1");
}

TEST_P(FileServiceTest, MatchesInNameOrderIgnoringCase)
{
    for (const char *name : {"b.kwc", "A.KWC", "c.txt", "global.css", "a2.kwc"})
        portal.write(std::string("_KwTemplates/") + name, "x");
    fs::create_directory(portal.local("_KwTemplates/dir.kwc"));
    Ref<IServerFolder> folder = connection.folder("_KwTemplates");
    std::vector<std::string> found;
    for (std::string name = folder->FirstMatch("*.kwc"); folder->SearchDone() == 0;
         name = folder->NextMatch())
        found.push_back(name);
    folder->EndMatch();
    EXPECT_EQ(found, (std::vector<std::string>{"A.KWC", "a2.kwc", "b.kwc"}));

    EXPECT_EQ(folder->FirstMatch("GLOBAL.CSS"), "global.css");
    EXPECT_EQ(folder->SearchDone(), 0);
    EXPECT_EQ(folder->NextMatch(), "");
    EXPECT_NE(folder->SearchDone(), 0);
    EXPECT_EQ(folder->FirstMatch("?.kwc"), "A.KWC");
    EXPECT_EQ(folder->FirstMatch("nothing*"), "");
    EXPECT_NE(folder->SearchDone(), 0);
}

TEST_P(FileServiceTest, ReplacementIsAtomicForReaders)
{
    portal.write("_KwStyle/global.css", "old");
    const int reader = ::open(portal.local("_KwStyle/global.css").c_str(), O_RDONLY);
    ASSERT_GE(reader, 0);
    writeTextFile(*connection.folder("_KwStyle"), "global.css", "new and longer");
    char buffer[32] = {};
    ASSERT_EQ(::read(reader, buffer, sizeof buffer), 3);
    EXPECT_EQ(std::string(buffer), "old"); // a reader that opened before sees the whole old file
    ::close(reader);
    EXPECT_EQ(portal.read("_KwStyle/global.css"), "new and longer");
    for (const auto &entry : fs::directory_iterator(portal.local("_KwStyle")))
        EXPECT_EQ(entry.path().filename().string().find(".kwtmp"), std::string::npos);
}

TEST_P(FileServiceTest, FailedWriteLeavesEverythingAsItWas)
{
    portal.write("_KwStyle/menu.css", "menu");
    fs::create_directory(portal.local("_KwStyle/global.css")); // a folder where the file should go
    Ref<IServerFolder> folder = connection.folder("_KwStyle");
    EXPECT_THROW(writeTextFile(*folder, "global.css", "x"), ServerError);
    EXPECT_EQ(portal.read("_KwStyle/menu.css"), "menu");
    std::size_t files = 0;
    for ([[maybe_unused]] const auto &entry : fs::directory_iterator(portal.local("_KwStyle")))
        ++files;
    EXPECT_EQ(files, 2u); // no temporary file left behind
}

TEST_P(FileServiceTest, TextHelpersConvertWindows1252)
{
    writeTextFile(*connection.folder("_KwStyle"), "welcome.asp", "Grüße");
    EXPECT_EQ(portal.read("_KwStyle/welcome.asp"), "Gr\xFC\xDF"
                                                   "e");
    EXPECT_EQ(readTextFile(*connection.folder("_KwStyle"), "welcome.asp"), "Grüße");
}

// A text Windows-1252 cannot hold is refused, never written with question marks in its place.
TEST_P(FileServiceTest, TextWindows1252CannotHoldIsRefused)
{
    writeTextFile(*connection.folder("_KwStyle"), "welcome.asp", "alt");
    try {
        writeTextFile(*connection.folder("_KwStyle"), "welcome.asp", "Schnee ☃");
        ADD_FAILURE() << "written";
    } catch (const ServerError &error) {
        EXPECT_EQ(error.code(), ServerError::InvalidArgument);
        EXPECT_NE(std::string(error.what()).find("welcome.asp wird nicht geschrieben"), std::string::npos);
    }
    EXPECT_EQ(portal.read("_KwStyle/welcome.asp"), "alt");
}

// Replacing a file, alone or in a batch, keeps its mode and (where this process may give it) its group.
TEST_P(FileServiceTest, ReplacingAFileKeepsItsModeAndGroup)
{
    // Root may give any group; another user only one of its own.
    gid_t group = ::getegid();
    if (::geteuid() == 0) {
        group = 4321;
    } else {
        gid_t groups[64];
        const int count = ::getgroups(64, groups);
        for (int i = 0; i < count; ++i)
            if (groups[i] != ::getegid())
                group = groups[i];
    }
    for (const char *name : {"menu.css", "global.css"}) {
        const fs::path file = portal.local(std::string("_KwStyle/") + name);
        portal.write(std::string("_KwStyle/") + name, "old");
        ASSERT_EQ(::chown(file.c_str(), static_cast<uid_t>(-1), group), 0);
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    }
    writeTextFile(*connection.folder("_KwStyle"), "menu.css", "new");
    {
        PublishScope batch(portal.factory(), portal.session(), "Herbst");
        writeTextFile(*connection.folder("_KwStyle"), "global.css", "new");
        writeTextFile(*connection.folder("_KwStyle"), "fresh.css", "new");
        batch.commit();
    }
    for (const char *name : {"menu.css", "global.css"}) {
        struct stat status {};
        ASSERT_EQ(::stat(portal.local(std::string("_KwStyle/") + name).c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, 0640u) << name;
        EXPECT_EQ(status.st_gid, group) << name;
        EXPECT_EQ(portal.read(std::string("_KwStyle/") + name), "new");
    }
    struct stat fresh {};
    ASSERT_EQ(::stat(portal.local("_KwStyle/fresh.css").c_str(), &fresh), 0);
    EXPECT_EQ(fresh.st_mode & 07777, 0644u) << "a new file";
}

TEST(FileServiceSessionTest, NeedsASessionFirst)
{
    TempPortal portal{false};
    Ref<IFileService> files = createObject<IFileService>(portal.factory());
    EXPECT_THROW(files->GetFolder(portal.root().string()), ServerError);
}

TEST(WildcardTest, Patterns)
{
    struct Case {
        const char *pattern, *name;
        bool matches;
    };
    for (const Case &c :
         std::initializer_list<Case>{{"*.kwc", "Blau.KWC", true},
                                     {"*", "", true},
                                     {"a*b*c", "aXbYbZc", true},
                                     {"*.kwc", "kwc", false},
                                     {"?", "", false},
                                     {"g?obal.css", "GLOBAL.css", true},
                                     // several stars, backtracking past a false start
                                     {"*a*b*", "xxaYYbzz", true},
                                     {"*a*b*", "xxbYYazz", false},
                                     {"a**b", "ab", true},
                                     {"*ab", "aab", true},
                                     {"a*b*c*d", "abcabcd", true},
                                     {"a*b*c*d", "abcabc", false},
                                     // a star at the start and at the end
                                     {"*css", "global.css", true},
                                     {"*css", "global.cs", false},
                                     {"glob*", "global.css", true},
                                     {"glob*", "glo", false},
                                     // '?' against the last character, and a pattern longer than the name
                                     {"Blau.kw?", "Blau.kwc", true},
                                     {"Blau.kw?", "Blau.kw", false},
                                     {"Blau.kwcx", "Blau.kwc", false},
                                     {"Blau.kwc*", "Blau.kwc", true},
                                     {"Blau.kwc?", "Blau.kwc", false},
                                     {"", "x", false}})
        EXPECT_EQ(wildcardMatch(c.pattern, c.name), c.matches) << c.pattern << " against " << c.name;
}

TEST(WriteFailureTest, RefusalsAreAccessErrorsEverythingElseAWriteFault)
{
    for (const int refusal : {EACCES, EPERM, EROFS})
        EXPECT_EQ(writeFailureCode(refusal), ServerError::AccessDenied) << refusal;
    for (const int fault : {ENOSPC, EIO, EDQUOT, EFBIG, ENOENT, 0})
        EXPECT_EQ(writeFailureCode(fault), ServerError::WriteFault) << fault;
}

TEST_P(FileServiceTest, RelativePathsAndPathsUnderThePortalFolderAreTheSame)
{
    portal.write("_KwStyle/global.css", "active");
    PortalFileSystem files(portal.root());
    const fs::path style = fs::canonical(portal.local("_KwStyle"));
    for (const std::string &path :
         {std::string("_KwStyle"), std::string("_kwstyle/"), portal.root().string() + "/_KwStyle",
          connection.basePath() + "_KwStyle", fs::canonical(portal.root()).string() + "\\_KWSTYLE"})
        EXPECT_EQ(fs::canonical(files.resolveFolder(path)), style) << path;
    EXPECT_EQ(fs::canonical(files.resolveFolder("")), fs::canonical(portal.root()));
    EXPECT_EQ(fs::canonical(files.resolveFolder(portal.root().string())), fs::canonical(portal.root()));
    // A path that leaves the folder is refused, relative or not; ".." is never followed.
    EXPECT_THROW(files.resolveFolder("_KwStyle/../.."), ServerError);
    EXPECT_THROW(files.resolveFolder("_KwTemplates/../_KwStyle"), ServerError);
    EXPECT_THROW(files.resolveFolder(portal.root().string() + "x"), ServerError);
}

} // namespace
} // namespace kw::server
