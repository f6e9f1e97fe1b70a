// The pictures a layout names are found through the field tables: every field whose value the published
// files and the layout file write as a picture of Images\Company is marked as a picture, so a layout
// carries it when it moves to another portal.
#include "layoutmodel/PictureReferences.h"
#include "layout/LayoutDocument.h"

#include "TempPortal.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>

namespace kw::layout {
namespace {

class SilentPrompter final : public Prompter {
public:
    void tell(std::string_view) override {}
    Answer ask(std::string_view) override { return Answer::Yes; }
    void showExtendedError(StringId, const ServerError &error) override { ADD_FAILURE() << error.what(); }
};

// Every text field of a record gets a picture name of its own: "<prefix>-<field>.gif".
template <class Record>
void probeTextFields(Record &record, std::span<const Field<Record>> fields, const std::string &prefix)
{
    for (const Field<Record> &field : fields)
        if (const auto *member = std::get_if<std::string Record::*>(&field.member))
            record.**member = prefix + "-" + std::string(field.name) + ".gif";
}

// The file names every "images/company/NAME" reference of a text names.
std::set<std::string> writtenPictures(const std::string &text)
{
    static const std::regex reference(R"re(images/company/([^)"'\s;,]+))re", std::regex::icase);
    std::set<std::string> names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), reference); it != std::sregex_iterator();
         ++it)
        names.insert((*it)[1]);
    return names;
}

// The field a probe name stands for ("region-KwNavigate-closeLeafsImage.gif" -> "closeLeafsImage").
std::string fieldOf(const std::string &probe)
{
    return probe.substr(probe.rfind('-') + 1, probe.size() - probe.rfind('-') - 5);
}

TEST(PictureReferencesTest, EveryPictureTheWrittenFilesNameIsAPictureFieldOfTheModel)
{
    test::TempPortal portal{false};
    SilentPrompter prompter;
    NoLayoutChooser chooser;
    NoWaitIndicator wait;
    LayoutDocument document(portal.env(), prompter, chooser, wait);
    LayoutModel &model = document.model();
    for (RegionId id : kAllRegions) {
        probeTextFields(model.region(id), regionFields(), "region-" + std::string(regionName(id)));
        model.region(id).useBackgroundImage = true;
    }
    probeTextFields(model.page(), pageFields(), "page");
    for (std::size_t i = 0; i < model.buttons().size(); ++i)
        probeTextFields(const_cast<ButtonStyle &>(model.buttons().styles()[i]), buttonStyleFields(),
                        "button" + std::to_string(i));
    document.flags().buttonStylesLoaded = true;
    document.flags().entryStyleFromCss = true;
    const std::vector<std::string> referenced = referencedPictures(model);

    document.setName("probe.kwc");
    document.save(false);
    document.setName("global.css");
    document.save(false);
    std::set<std::string> written;
    for (const char *file :
         {"_KwTemplates\\probe.kwc", "_KwStyle\\global.css", "_KwStyle\\menu.css",
          "_KwStyle\\buttonstyles.css", "_KwStyle\\rollover.asp", "_KwInclude\\KwCompany\\KwStyles.asp",
          "_KwInclude\\KwCompany\\LayoutSettings.asp"})
        written.merge(writtenPictures(portal.read(file)));
    ASSERT_GT(written.size(), 20u);

    std::set<std::string> writtenFields;
    for (const std::string &name : written) {
        EXPECT_NE(std::find(referenced.begin(), referenced.end(), name), referenced.end())
            << name << " is written as a picture, but its field is not marked as one";
        writtenFields.insert(fieldOf(name));
    }
    // And no field is marked that is never written as a picture.
    std::set<std::string> markedFields;
    auto collectMarked = [&](auto fields) {
        for (const auto &field : fields)
            if (field.role == FieldRole::Picture)
                markedFields.insert(std::string(field.name));
    };
    collectMarked(regionFields());
    collectMarked(pageFields());
    collectMarked(buttonStyleFields());
    EXPECT_EQ(markedFields, writtenFields);
}

TEST(PictureReferencesTest, NamesComeOnceIgnoringCaseInTableOrderWithoutEmptyOrPathValues)
{
    LayoutModel model;
    model.region(RegionId::KwRootTop).backgroundImage = "Top.GIF";
    model.region(RegionId::KwRootNavigate).separatorImage = "sep.gif";
    model.region(RegionId::KwNavigate).itemImage = "top.gif";              // the same file as Top.GIF
    model.region(RegionId::KwNavigate).closeLeafsImage = "../other/x.gif"; // no bare file name
    model.page().requiredImage = "required.png";
    model.page().bulletBigPath = "";
    ButtonStyle &button = model.buttons().current();
    button.backgroundImage = "button.jpg";
    model.region(RegionId::KwNavigate).fontFamily = "font.gif"; // not a picture field

    const std::vector<std::string> expected = {"Top.GIF", "sep.gif", "required.png", "button.jpg"};
    // The tree pictures of a fresh model are empty; only what was set above is named.
    EXPECT_EQ(referencedPictures(model), expected);
}

} // namespace
} // namespace kw::layout
