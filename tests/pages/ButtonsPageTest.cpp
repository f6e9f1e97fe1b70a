// The page "Schaltflächen": the switch and its enable rule, the list editing through the name box and its
// buttons, clamped and refused numbers, what marks the layout changed, and the styles reaching
// buttonstyles.css.
#include "pages/CWebPagePropSheet.h"
#include "pages/ElementProperties.h"

#include "controls/CBorderStyleBox.h"
#include "controls/CKwColorBtn.h"
#include "controls/CKwNiceStatic.h"
#include "controls/DataExchange.h"
#include "layout/LayoutDocument.h"
#include "portalpage/PortalPane.h"

#include "PagesTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>

namespace kw::pages {
namespace {

using namespace kw::pages::test;
using layout::ButtonStyle;
using layout::Pane;
using layout::RegionId;

QComboBox *nameBox(QWidget &page)
{
    return control<QComboBox>(page, 1149);
}

void typeName(QWidget &page, const char *name)
{
    QLineEdit *edit = nameBox(page)->lineEdit();
    edit->selectAll();
    for (QChar ch : QString::fromUtf8(name)) // as typed, umlauts too
        QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

/// Chooses entry `position` of the name box from its list, as the user does.
void chooseName(QWidget &page, int position)
{
    QComboBox *box = nameBox(page);
    box->showPopup();
    QAbstractItemView *view = box->view();
    const QRect item = view->visualRect(view->model()->index(position, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
    ASSERT_EQ(box->currentIndex(), position);
}

class ButtonsPageTest : public ::testing::Test {
protected:
    /// The General page turns the empty keywords of a layout never loaded into its own the first time it
    /// is closed; after one untouched OK only the edits of a case count.
    void SetUp() override
    {
        editButtons([](CButtonStyleProp &) {});
        document.setModified(false);
    }

    /// Opens the application page's sheet, shows "Schaltflächen", runs `step` on it and presses OK.
    /// Returns what editing reported.
    bool editButtons(const std::function<void(CButtonStyleProp &)> &step)
    {
        portalpage::PortalPane preview(Pane::ApplicationPages, document.model());
        whenModal([&](QDialog &dialog) {
            auto &sheet = static_cast<CWebPagePropSheet &>(dialog);
            ASSERT_TRUE(showTab(dialog, "Schaltflächen"));
            step(sheet.buttonsPage);
            click(dialog, 1);
        });
        return editElementProperties(nullptr, *preview.element(RegionId::KwApplication), document,
                                     portal.env(), prompter);
    }
    layout::ButtonStyleList &styles() { return document.model().buttons(); }
    ButtonStyle &style(std::string_view key) { return *styles().find(key); }

    kw::test::TempPortal portal{false};
    kw::test::ScriptedPrompter prompter;
    layout::NoLayoutChooser chooser;
    NoWaitIndicator wait;
    layout::LayoutDocument document{portal.env(), prompter, chooser, wait};
};

TEST_F(ButtonsPageTest, WithTheSwitchOffOnlyTheSwitchIsUsable)
{
    style("KwButton").borderStyle = "solid";
    auto onlySwitchUsable = [](QWidget &page) {
        // The section headers only name their groups and stay readable.
        for (QWidget *widget : page.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            EXPECT_EQ(widget->isEnabled(), widget->objectName() == QStringLiteral("1140") ||
                                               dynamic_cast<controls::CKwNiceStatic *>(widget))
                << widget->objectName().toStdString();
        EXPECT_EQ(control<controls::CBorderStyleBox>(page, 1133)->currentIndex(), -1);
    };
    EXPECT_FALSE(editButtons([&](CButtonStyleProp &page) {
        EXPECT_FALSE(control<QCheckBox>(page, 1140)->isChecked());
        onlySwitchUsable(page);
    }));

    document.flags().buttonStylesLoaded = true;
    EXPECT_TRUE(editButtons([&](CButtonStyleProp &page) {
        auto *border = control<controls::CBorderStyleBox>(page, 1133);
        EXPECT_EQ(border->borderStyle(), "solid");
        EXPECT_TRUE(control<QWidget>(page, 1120)->isEnabled());
        click(page, 1140);
        onlySwitchUsable(page);
    }));
    EXPECT_FALSE(document.flags().buttonStylesLoaded);
    EXPECT_EQ(style("KwButton").borderStyle, "solid");
    EXPECT_TRUE(document.isModified()) << "the switch decides what is published";
}

TEST_F(ButtonsPageTest, NewDeleteAndRenameEditTheList)
{
    document.flags().buttonStylesLoaded = true;
    EXPECT_TRUE(editButtons([](CButtonStyleProp &page) {
        auto *remove = control<QPushButton>(page, 1151);
        for (int i = 0; i < 9; ++i) {
            chooseName(page, i);
            EXPECT_FALSE(remove->isEnabled()) << i; // the predefined styles stay
        }
        click(page, 1150);
        click(page, 1150); // the same name again: the style added first is shown
        EXPECT_EQ(nameBox(page)->count(), 10);
        EXPECT_EQ(nameBox(page)->currentIndex(), 9);
        EXPECT_EQ(nameBox(page)->currentText(), QStringLiteral("Neuer Stil"));
        EXPECT_TRUE(remove->isEnabled());
        typeInto(page, 1180, "40");
        typeName(page, "Rot Grün");
        click(page, 1150); // a second new style; the first is re-keyed from its name
        typeName(page, "Weg");
        click(page, 1151);
        EXPECT_EQ(nameBox(page)->count(), 10);
        EXPECT_EQ(nameBox(page)->currentText(), QStringLiteral("Rot Grün")); // the one before the last
    }));
    ASSERT_EQ(styles().size(), 10u);
    EXPECT_EQ(styles().find("KwButtonNeuer_Stil"), nullptr);
    const ButtonStyle &renamed = style("KwButtonRot_Gruen");
    EXPECT_EQ(renamed.denotation, "Rot Grün");
    EXPECT_EQ(renamed.height, 40);
    EXPECT_TRUE(renamed.deletable);
    EXPECT_TRUE(document.isModified());

    // A style that was there before keeps its key under its new name and its look.
    document.setModified(false);
    const ButtonStyle before = renamed;
    EXPECT_TRUE(editButtons([](CButtonStyleProp &page) {
        chooseName(page, 9);
        typeName(page, "Blau");
    }));
    ButtonStyle expected = before;
    expected.denotation = "Blau";
    EXPECT_EQ(style("KwButtonRot_Gruen"), expected);
    EXPECT_TRUE(document.isModified());
}

TEST_F(ButtonsPageTest, ANameThatIsEmptyOrAnotherStylesIsRefused)
{
    document.flags().buttonStylesLoaded = true;
    EXPECT_TRUE(editButtons([this](CButtonStyleProp &page) {
        auto *sheet = static_cast<QDialog *>(page.window());
        click(page, 1150);
        QLineEdit *edit = nameBox(page)->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        click(page, 1150);
        typeName(page, "Allgemein"); // the first style's name
        click(page, 1150);
        typeName(page, "SaveNew"); // a name of its own, but the key of "Speichern - Neu"
        click(*sheet, 1);
        EXPECT_TRUE(sheet->isVisible());
        EXPECT_EQ(nameBox(page)->count(), 10); // nothing was added while the name was refused
        const std::string missing(loadString(StringId::ButtonStyleNameMissing));
        const std::string taken(loadString(StringId::ButtonStyleNameTaken));
        EXPECT_EQ(prompter.messages(), (std::vector<std::string>{missing, taken, taken}));
        typeName(page, "Grün");
    }));
    ASSERT_EQ(styles().size(), 10u);
    EXPECT_EQ(style("KwButtonGruen").denotation, "Grün");
    EXPECT_EQ(style("KwButton").denotation, "Allgemein");
    EXPECT_EQ(style("KwButtonSaveNew").denotation, "Speichern - Neu");
}

TEST_F(ButtonsPageTest, SwitchingStylesKeepsTheEditsOfTheStyleLeft)
{
    document.flags().buttonStylesLoaded = true;
    EXPECT_TRUE(editButtons([](CButtonStyleProp &page) {
        typeInto(page, 1180, "33");
        pickColor(page, 1125, QColor(0x12, 0x34, 0x56));
        chooseName(page, 2);
        EXPECT_EQ(control<QLineEdit>(page, 1180)->text(), QStringLiteral("27"));
        EXPECT_EQ(nameBox(page)->currentText(), QStringLiteral("Speichern - Gehe Zu"));
        typeInto(page, 1180, "44");
        chooseName(page, 0);
        EXPECT_EQ(control<QLineEdit>(page, 1180)->text(), QStringLiteral("33"));
    }));
    EXPECT_EQ(style("KwButton").height, 33);
    EXPECT_EQ(style("KwButton").textColor, rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(style("KwButtonSaveGoto").height, 44);
    EXPECT_EQ(style("KwButtonSaveGoto").denotation, "Speichern - Gehe Zu");
}

TEST_F(ButtonsPageTest, BorderWidthsAreClampedAndNonNumbersRefused)
{
    document.flags().buttonStylesLoaded = true;
    for (const auto &[typed, stored] : {std::pair{"0", 1}, std::pair{"500", 100}}) {
        editButtons([typed](CButtonStyleProp &page) { typeInto(page, 1120, typed); });
        EXPECT_EQ(style("KwButton").borderWidth, stored) << typed;
    }
    editButtons([this](CButtonStyleProp &page) {
        auto *sheet = static_cast<QDialog *>(page.window());
        typeInto(page, 1161, "2x");
        click(*sheet, 1);
        EXPECT_TRUE(sheet->isVisible());
        EXPECT_TRUE(showTab(*sheet, "Allgemein"));
        EXPECT_EQ(static_cast<CWebPagePropSheet *>(sheet)->activePage(), &page);
        const std::string refused = controls::notANumberMessage();
        EXPECT_EQ(prompter.messages(), (std::vector<std::string>{refused, refused}));
        typeInto(page, 1161, "3");
    });
    EXPECT_EQ(style("KwButton").marginRight, 3);
}

TEST_F(ButtonsPageTest, OnlyAModifiedListOrAChosenImageMarksTheLayout)
{
    portal.write("Images\\Company\\knopf.png", "x");
    document.flags().buttonStylesLoaded = true;
    struct Case {
        const char *what;
        std::function<void(CButtonStyleProp &)> step;
        bool reported, marks;
    };
    const Case cases[] = {
        {"nothing", [](CButtonStyleProp &) {}, false, false},
        {"only looking at another style", [](CButtonStyleProp &p) { chooseName(p, 4); }, false, false},
        {"a typed size", [](CButtonStyleProp &p) { typeInto(p, 1156, "13"); }, true, true},
        {"a border style", [](CButtonStyleProp &p) { control<QComboBox>(p, 1133)->setCurrentIndex(3); }, true,
         true},
        {"an image chosen",
         [](CButtonStyleProp &p) {
             chooseImage(p, QStringLiteral("knopf.png"), 1178);
             EXPECT_TRUE(p.imageChanged);
             EXPECT_EQ(control<QLineEdit>(p, 1174)->text(), QStringLiteral("knopf.png"));
         },
         true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        document.setModified(false);
        EXPECT_EQ(editButtons(c.step), c.reported);
        EXPECT_EQ(document.isModified(), c.marks);
    }
    EXPECT_EQ(style("KwButton").fontSize, 13);
    EXPECT_EQ(style("KwButton").borderStyle, "dashed");
    EXPECT_EQ(style("KwButton").backgroundImage, "knopf.png");
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(ButtonsPageTest, EditedStylesReachButtonstylesCss)
{
    EXPECT_TRUE(editButtons([](CButtonStyleProp &page) {
        click(page, 1140);
        chooseName(page, 1);
        pickColor(page, 1119, QColor(0x12, 0xAB, 0x34));
        typeInto(page, 1180, "31");
    }));
    EXPECT_TRUE(document.flags().buttonStylesLoaded);
    ASSERT_TRUE(saveAsActive(document, prompter));
    std::string css = portal.read("_KwStyle\\buttonstyles.css");
    const std::string body = partOf(css, ".KwButtonSaveNew");
    EXPECT_NE(body.find("#12AB34"), std::string::npos) << css;
    EXPECT_NE(body.find("31px"), std::string::npos) << css;

    // Switched off again, the active layout publishes no button rules.
    EXPECT_TRUE(editButtons([](CButtonStyleProp &page) { click(page, 1140); }));
    document.commandSaveAsActive();
    ASSERT_TRUE(document.saved()) << prompter.describe();
    css = portal.read("_KwStyle\\buttonstyles.css");
    EXPECT_EQ(css.find("KwButton"), std::string::npos) << css;
}

TEST_F(ButtonsPageTest, ThePageShowsItsHelpAndNamesItsTextlessControls)
{
    static std::vector<std::string> topics;
    const HelpHandler previous = setHelpHandler([](std::string_view topic) { topics.emplace_back(topic); });
    editButtons([](CButtonStyleProp &page) {
        QTest::keyClick(page.window(), Qt::Key_F1);
        QStringList names;
        for (QWidget *widget : page.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const bool textless = qobject_cast<QComboBox *>(widget) || qobject_cast<QLineEdit *>(widget) ||
                                  dynamic_cast<controls::CKwColorBtn *>(widget);
            if (!textless)
                continue;
            EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
            names << widget->accessibleName();
        }
        EXPECT_EQ(names.size(), 5 + 4 + 12); // lists, colour buttons, fields
        EXPECT_EQ(names.removeDuplicates(), 0) << names.join(QStringLiteral(", ")).toStdString();
    });
    setHelpHandler(previous);
    EXPECT_EQ(topics, (std::vector<std::string>{"::/87_6.htm"}));
}

} // namespace
} // namespace kw::pages
