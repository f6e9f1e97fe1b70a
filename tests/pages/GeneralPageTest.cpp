// The page "Allgemein": its enable rules, the background flows and what OK takes back into the layout.
#include "pages/CWebPagePropSheet.h"
#include "pages/ElementProperties.h"

#include "controls/CFontChooserCtrl.h"
#include "controls/CKwColorBtn.h"
#include "controls/CSrvFileSelDlg.h"
#include "layout/LayoutDocument.h"
#include "portalpage/PortalPane.h"

#include "PagesTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace kw::pages {
namespace {

using namespace kw::pages::test;
using layout::GeneralValues;
using layout::Pane;
using layout::RegionId;

bool enabled(QWidget &page, int id)
{
    QWidget *widget = control<QWidget>(page, id);
    return widget && widget->isEnabled();
}

std::vector<int> enabledOf(QWidget &page, std::initializer_list<int> ids)
{
    std::vector<int> on;
    for (int id : ids)
        if (enabled(page, id))
            on.push_back(id);
    return on;
}

constexpr std::initializer_list<int> kMainText = {1222, 1004, 1003, 1223, 1010, 1005, 1225,
                                                  1226, 1109, 1231, 1227, 1111, 1112};
constexpr std::initializer_list<int> kSubEntries = {1007, 1008, 1009, 1224, 1013, 1006, 1230,
                                                    1015, 1115, 1116, 1117, 1228, 1229};
constexpr std::initializer_list<int> kImageControls = {1092, 1099, 1100, 1104, 1102, 1113, 1101};

class GeneralPageTest : public ::testing::Test {
protected:
    /// Opens the sheet of `region` in `pane`, runs `step` on it (which closes it), returns the result.
    bool edit(RegionId region, std::function<void(QDialog &)> step, Pane pane = Pane::ApplicationPages,
              bool treeMenu = false)
    {
        portalpage::PortalPane preview(pane, document.model());
        preview.submenu().treeMenuShown = treeMenu;
        whenModal(std::move(step));
        return editElementProperties(nullptr, *preview.element(region), document, portal.env(), prompter);
    }
    layout::RegionStyle &style(RegionId region) { return document.model().region(region); }

    kw::test::TempPortal portal{false};
    kw::test::ScriptedPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document{portal.env(), prompter, chooser, wait};
};

TEST_F(GeneralPageTest, SingleColourElementsShowAndStoreTheNormalColourForHoverAndSelection)
{
    style(RegionId::KwApplication).textColor = rgb(0x11, 0x22, 0x33);
    style(RegionId::KwApplication).hoverColor = rgb(0xFF, 0, 0);
    EXPECT_TRUE(edit(RegionId::KwApplication, [](QDialog &sheet) {
        for (int id : {1003, 1004}) {
            auto *button = control<controls::CKwColorBtn>(sheet, id);
            EXPECT_EQ(button->color(), rgb(0x11, 0x22, 0x33)) << id;
            EXPECT_FALSE(button->isEnabled()) << id;
        }
        EXPECT_EQ(enabledOf(sheet, kMainText),
                  (std::vector<int>{1222, 1223, 1010, 1005, 1109, 1231, 1227, 1111, 1112}));
        EXPECT_TRUE(enabledOf(sheet, kSubEntries).empty());
        pickColor(sheet, 1222, QColor(0x44, 0x55, 0x66));
        EXPECT_EQ(control<controls::CKwColorBtn>(sheet, 1003)->color(), rgb(0x44, 0x55, 0x66));
        click(sheet, 1);
    }));
    const layout::RegionStyle &page = style(RegionId::KwApplication);
    EXPECT_EQ(page.textColor, rgb(0x44, 0x55, 0x66));
    EXPECT_EQ(page.hoverColor, rgb(0x44, 0x55, 0x66));
    EXPECT_EQ(page.selectedColor, rgb(0x44, 0x55, 0x66));
    EXPECT_TRUE(document.isModified());
}

TEST_F(GeneralPageTest, AnElementWithoutTextHasNoTextControlsAndNoWatermark)
{
    style(RegionId::KwPics).backgroundImage = "corner.gif";
    style(RegionId::KwPics).backgroundAttachment = "fixed";
    edit(RegionId::KwPics, [](QDialog &sheet) {
        EXPECT_TRUE(enabledOf(sheet, kMainText).empty());
        EXPECT_FALSE(enabled(sheet, 1104));
        EXPECT_FALSE(control<QCheckBox>(sheet, 1104)->isChecked());
        EXPECT_TRUE(enabled(sheet, 1001));
        EXPECT_TRUE(enabled(sheet, 1101));
        // The background rule keeps the watermark off when the image is switched off and on again.
        click(sheet, 1090);
        click(sheet, 1090);
        EXPECT_FALSE(enabled(sheet, 1104));
        click(sheet, 1);
    });
    EXPECT_EQ(style(RegionId::KwPics).backgroundAttachment, "scroll");
}

TEST_F(GeneralPageTest, SubEntriesAreUsableOnlyForTheSubmenuWithTheTreeMenu)
{
    edit(
        RegionId::KwNavigate,
        [](QDialog &sheet) {
            EXPECT_EQ(enabledOf(sheet, kSubEntries), std::vector<int>(kSubEntries));
            EXPECT_TRUE(enabled(sheet, 1217));
            click(sheet, 2);
        },
        Pane::StartPage, true);
    edit(RegionId::KwNavigate, [](QDialog &sheet) {
        EXPECT_TRUE(enabledOf(sheet, kSubEntries).empty());
        EXPECT_EQ(enabledOf(sheet, kMainText), std::vector<int>(kMainText));
        click(sheet, 2);
    });
    edit(RegionId::KwRootNavigate, [](QDialog &sheet) {
        EXPECT_TRUE(enabledOf(sheet, kSubEntries).empty());
        EXPECT_FALSE(enabled(sheet, 1217));
        click(sheet, 2);
    });
}

TEST_F(GeneralPageTest, WithoutAnImageTheImageControlsWaitForTheSwitch)
{
    layout::RegionStyle &header = style(RegionId::KwRootTop);
    header.backgroundImage.clear();
    header.backgroundRepeat.clear();
    header.backgroundAttachment.clear();
    EXPECT_TRUE(edit(RegionId::KwRootTop, [](QDialog &sheet) {
        EXPECT_FALSE(control<QCheckBox>(sheet, 1090)->isChecked());
        EXPECT_EQ(control<QLineEdit>(sheet, 1113)->text(), QString::fromUtf8("keine Bilddatei ausgewählt"));
        EXPECT_TRUE(control<QRadioButton>(sheet, 1099)->isChecked());
        EXPECT_TRUE(enabledOf(sheet, kImageControls).empty());
        click(sheet, 1090);
        EXPECT_EQ(enabledOf(sheet, kImageControls), std::vector<int>(kImageControls));
        click(sheet, 1090);
        EXPECT_TRUE(enabledOf(sheet, kImageControls).empty());
        click(sheet, 1);
    }));
    EXPECT_EQ(header.backgroundImage, "");
    EXPECT_EQ(header.backgroundRepeat, "no-repeat");
    EXPECT_EQ(header.backgroundAttachment, "scroll");
    EXPECT_FALSE(document.isModified());
}

TEST_F(GeneralPageTest, SwitchingTheImageOffStoresNoImage)
{
    layout::RegionStyle &heading = style(RegionId::KwNavigateHeader);
    heading.backgroundImage = "stripes.png";
    heading.backgroundRepeat = "repeat";
    heading.backgroundAttachment = "fixed";
    edit(RegionId::KwNavigateHeader, [](QDialog &sheet) {
        EXPECT_TRUE(control<QCheckBox>(sheet, 1090)->isChecked());
        EXPECT_EQ(control<QLineEdit>(sheet, 1113)->text(), QStringLiteral("stripes.png"));
        EXPECT_TRUE(control<QRadioButton>(sheet, 1100)->isChecked());
        EXPECT_TRUE(control<QCheckBox>(sheet, 1104)->isChecked());
        click(sheet, 1104);
        click(sheet, 1090);
        EXPECT_EQ(control<QLineEdit>(sheet, 1113)->text(), QString::fromUtf8("keine Bilddatei ausgewählt"));
        click(sheet, 1);
    });
    EXPECT_EQ(heading.backgroundImage, "");
    EXPECT_EQ(heading.backgroundRepeat, "repeat");
    EXPECT_EQ(heading.backgroundAttachment, "scroll");
}

TEST_F(GeneralPageTest, ChoosingTheSameImageIsNoChangeAnotherOneIs)
{
    portal.write("Images\\Company\\one.png", "x");
    portal.write("Images\\Company\\two.gif", "x");
    style(RegionId::KwRootNavigate).backgroundImage = "one.png";
    document.setModified(false);

    edit(RegionId::KwRootNavigate, [](QDialog &sheet) {
        chooseImage(sheet, QStringLiteral("one.png"));
        auto &general = static_cast<CWebPagePropSheet &>(sheet).generalPage;
        EXPECT_FALSE(general.values.imageChanged);
        EXPECT_FALSE(static_cast<CWebPagePropSheet &>(sheet).changed);
        click(sheet, 1);
    });
    EXPECT_FALSE(document.isModified());

    edit(RegionId::KwRootNavigate, [](QDialog &sheet) {
        chooseImage(sheet, QStringLiteral("two.gif"));
        auto &general = static_cast<CWebPagePropSheet &>(sheet).generalPage;
        EXPECT_TRUE(general.values.imageChanged);
        EXPECT_EQ(general.values.imageType, 3);
        EXPECT_EQ(control<QLineEdit>(sheet, 1113)->text(), QStringLiteral("two.gif"));
        click(sheet, 1);
    });
    EXPECT_EQ(style(RegionId::KwRootNavigate).backgroundImage, "two.gif");
    EXPECT_TRUE(document.isModified());
}

TEST_F(GeneralPageTest, SizesWeightsAndSubColoursAreTakenBackAndMarkTheLayout)
{
    layout::RegionStyle &submenu = style(RegionId::KwNavigate);
    submenu.fontSize = 11;
    submenu.fontWeight = "700";
    document.setModified(false);
    EXPECT_TRUE(edit(
        RegionId::KwNavigate,
        [](QDialog &sheet) {
            EXPECT_EQ(control<QComboBox>(sheet, 1005)->currentText(), QStringLiteral("700 (fett)"));
            auto *size = control<QLineEdit>(sheet, 1010);
            size->selectAll();
            QTest::keyClicks(size, "15");
            control<QComboBox>(sheet, 1005)->setCurrentIndex(3);
            pickColor(sheet, 1008, QColor(0x01, 0x02, 0x03));
            click(sheet, 1);
        },
        Pane::StartPage, true));
    EXPECT_EQ(submenu.fontSize, 15);
    EXPECT_EQ(submenu.fontWeight, "400");
    EXPECT_EQ(submenu.subSelectedColor, rgb(0x01, 0x02, 0x03));
    EXPECT_TRUE(document.isModified());
}

TEST_F(GeneralPageTest, OkWithoutChangeKeepsAnEarlierMarkAndCancelChangesNothing)
{
    document.history().record("Submenü-Logo bearbeiten",
                              [&] { style(RegionId::KwPics).backgroundColor = rgb(1, 2, 3); });
    ASSERT_TRUE(document.isModified());
    edit(RegionId::KwRootNavigate, [](QDialog &sheet) { click(sheet, 1); });
    EXPECT_TRUE(document.isModified());

    document.setModified(false);
    const layout::LayoutModel before = document.model();
    EXPECT_FALSE(edit(RegionId::KwRootNavigate, [](QDialog &sheet) {
        pickColor(sheet, 1001, QColor(0x99, 0x88, 0x77));
        control<controls::CFontChooserCtrl>(sheet, 1223)->setEditText(QStringLiteral("Courier"));
        click(sheet, 1090);
        click(sheet, 2);
    }));
    EXPECT_EQ(document.model(), before);
    EXPECT_FALSE(document.isModified());
}

TEST_F(GeneralPageTest, AColourEditedOnTheRealControlsReachesTheModelAndTheActiveStylesheet)
{
    EXPECT_TRUE(edit(RegionId::KwRootTop, [](QDialog &sheet) {
        whenModal([](QDialog &picker) {
            static_cast<QColorDialog &>(picker).setCurrentColor(QColor(0xFE, 0x80, 0x01));
            picker.accept();
        });
        QTest::mouseClick(control<QWidget>(sheet, 1001), Qt::LeftButton);
        auto *font = control<controls::CFontChooserCtrl>(sheet, 1223);
        font->lineEdit()->selectAll();
        QTest::keyClicks(font->lineEdit(), "Tahoma");
        click(sheet, 1);
    }));
    EXPECT_EQ(style(RegionId::KwRootTop).backgroundColor, rgb(0xFE, 0x80, 0x01));
    EXPECT_EQ(style(RegionId::KwRootTop).fontFamily, "Tahoma");
    EXPECT_TRUE(document.isModified());

    EXPECT_EQ(portal.read("_KwStyle\\global.css").find("#FE8001"), std::string::npos);
    ASSERT_TRUE(saveAsActive(document, prompter));
    const std::string css = portal.read("_KwStyle\\global.css");
    EXPECT_NE(partOf(css, "BODY.KwRootTop").find("#FE8001"), std::string::npos) << css;
    EXPECT_NE(partOf(css, "TD.KwRootTop").find("Tahoma"), std::string::npos) << css;
}

// "Zeige Favoriten" of the page header and of the submenu each reach their own line of LayoutSettings.asp.
TEST_F(GeneralPageTest, ShowFavoritesReachesItsLineOfTheLayoutSettings)
{
    style(RegionId::KwRootTop).showFavorites = false;
    style(RegionId::KwNavigate).showFavorites = false;
    auto showFavorites = [](QDialog &sheet) {
        click(sheet, 1217);
        click(sheet, 1);
    };
    auto published = [this](const char *key) {
        return scriptValue(portal.read("_KwInclude\\KwCompany\\LayoutSettings.asp"), key);
    };
    EXPECT_TRUE(edit(RegionId::KwRootTop, showFavorites, Pane::StartPage));
    EXPECT_TRUE(style(RegionId::KwRootTop).showFavorites);
    ASSERT_TRUE(saveAsActive(document, prompter));
    EXPECT_EQ(published("g_bShowInfoFav"), "true");
    EXPECT_EQ(published("g_bShowSecondLevelFav"), "false");

    EXPECT_TRUE(edit(RegionId::KwNavigate, showFavorites, Pane::ApplicationPages));
    EXPECT_TRUE(style(RegionId::KwNavigate).showFavorites);
    ASSERT_TRUE(saveAsActive(document, prompter));
    EXPECT_EQ(published("g_bShowInfoFav"), "true");
    EXPECT_EQ(published("g_bShowSecondLevelFav"), "true");
}

TEST_F(GeneralPageTest, ControlsWithoutTextHaveAccessibleNames)
{
    CWebPagePropSheet sheet(QStringLiteral("Test"), PageContext{portal.env(), prompter});
    sheet.show();
    EXPECT_EQ(control<QWidget>(sheet, 1222)->accessibleName(), QStringLiteral("Farbe normal"));
    EXPECT_EQ(control<QWidget>(sheet, 1001)->accessibleName(), QStringLiteral("Hintergrundfarbe"));
    EXPECT_EQ(control<QWidget>(sheet, 1009)->accessibleName(),
              QString::fromUtf8("Farbe bei Mauskontakt Untereinträge"));
    int checked = 0;
    for (QWidget *widget : sheet.generalPage.findChildren<QWidget *>()) {
        const bool textless = qobject_cast<QComboBox *>(widget) || qobject_cast<QLineEdit *>(widget) ||
                              dynamic_cast<controls::CKwColorBtn *>(widget);
        if (!textless || widget->parentWidget() != &sheet.generalPage)
            continue;
        ++checked;
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
    }
    EXPECT_EQ(checked,
              2 * (3 + 3) + 2); // per group font, size, weight and three colours; background colour, file
}

} // namespace
} // namespace kw::pages
