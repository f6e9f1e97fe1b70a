// Reading a bundle from outside: a valid one comes back whole; every fault of the bad-input list is refused
// with the file's name and the reason, one case per fault (the crafted bundles of CraftedBundles.cpp).
#include "CraftedBundles.h"

#include "bundle/BundleReader.h"
#include "bundle/LayoutTransfer.h"

#include "TempPortal.h"

#include <gtest/gtest.h>

#include <fstream>

namespace kw::bundle {
namespace {

using test::craftedFaults;
using test::demoBundle;

TEST(BundleReader, AWrittenBundleReadsBackWithEveryMemberAndItsManifest)
{
    Bundle written = demoBundle();
    ASSERT_EQ(written.pictures.size(), 5u);
    const Bytes zip = writeBundle(written);
    const Bundle read = readBundle(zip, "blau.kwlayout");
    fillManifestMembers(written);
    EXPECT_EQ(read.manifest, written.manifest);
    EXPECT_EQ(read.manifest.format, 1);
    EXPECT_EQ(read.manifest.layout, "Blau");
    EXPECT_EQ(read.manifest.portal, "Demo-Portal");
    EXPECT_EQ(read.manifest.program, "KwLOutMan10 " KW_VERSION);
    EXPECT_EQ(read.manifest.created.size(), 20u);
    EXPECT_EQ(read.layout, written.layout);
    ASSERT_EQ(read.pictures.size(), written.pictures.size());
    for (std::size_t i = 0; i < read.pictures.size(); ++i) {
        EXPECT_EQ(read.pictures[i].name, written.pictures[i].name);
        EXPECT_EQ(read.pictures[i].bytes, written.pictures[i].bytes);
    }
    // The manifest lists every member with its size and SHA-256.
    ASSERT_EQ(read.manifest.members.size(), 6u);
    EXPECT_EQ(read.manifest.members[0].name, "layout.kwc");
    EXPECT_EQ(read.manifest.members[0].size, written.layout.size());
    EXPECT_EQ(read.manifest.members[0].sha256, sha256Hex(written.layout));
    EXPECT_EQ(sha256Hex(Bytes{'a', 'b', 'c'}),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

TEST(BundleReader, AStandardZipToolsFolderEntryIsNoFault)
{
    std::vector<test::CraftedMember> members = test::bundleMembers(demoBundle());
    members.insert(members.begin() + 2, {"pictures/", {}});
    EXPECT_NO_THROW(readBundle(test::craftZip(members), "rezipped.kwlayout"));
}

TEST(BundleReader, ThePicturesAndTheLayoutAreCheckedByTheProgramsOwnReaders)
{
    // A picture that decodes is no fault; a layout file's own text is what the reader reads.
    EXPECT_NO_THROW(checkPicture("item.gif", demoBundle().pictures[2].bytes));
    EXPECT_NE(pictureNameFault("a:b.gif"), "");
    EXPECT_NE(pictureNameFault(".hidden.gif"), "");
    EXPECT_NE(pictureNameFault("bild.txt"), "");
    EXPECT_EQ(pictureNameFault("Grün Bild.JPEG"), "");
    const std::vector<std::string> pictures = picturesOfLayoutFile(demoBundle().layout);
    EXPECT_NE(std::find(pictures.begin(), pictures.end(), "item.gif"), pictures.end());
}

class BundleRefusal : public ::testing::TestWithParam<test::CraftedFault> {};

TEST_P(BundleRefusal, IsRefusedNamingTheFileAndTheReason)
{
    const test::CraftedFault &fault = GetParam();
    const Bytes zip = fault.craft(demoBundle());
    try {
        readBundle(zip, "/tmp/eingang/fremd.kwlayout");
        FAIL() << "the bundle was accepted";
    } catch (const BundleError &error) {
        EXPECT_EQ(error.file(), "/tmp/eingang/fremd.kwlayout");
        EXPECT_NE(std::string(error.what()).find("\"/tmp/eingang/fremd.kwlayout\""), std::string::npos);
        EXPECT_NE(error.reason().find(fault.reason), std::string::npos) << error.reason();
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFault, BundleRefusal, ::testing::ValuesIn(craftedFaults()),
                         [](const ::testing::TestParamInfo<test::CraftedFault> &fault) {
                             return fault.param.name;
                         });

TEST(BundleReader, AFileLargerThanAnyBundleIsRefusedBeforeItIsRead)
{
    test::TempDir dir;
    const auto file = dir.path() / "riesig.kwlayout";
    {
        std::ofstream out(file, std::ios::binary);
        out.seekp((80u << 20) - 1);
        out.put('x');
    }
    try {
        readBundleFile(file);
        FAIL() << "accepted";
    } catch (const BundleError &error) {
        EXPECT_NE(error.reason().find("Bytes groß"), std::string::npos) << error.reason();
    }
    EXPECT_THROW(readBundleFile(dir.path() / "gibt-es-nicht.kwlayout"), BundleError);
}

} // namespace
} // namespace kw::bundle
