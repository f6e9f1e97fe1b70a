// Button styles: reading both stylesheet forms, the editing operations and change tracking.
#include "css/CssDocument.h"
#include "publish/ButtonStylesheet.h"

#include <gtest/gtest.h>

namespace kw::layout {
namespace {

std::unique_ptr<css::CCssDocument> parse(std::string_view text)
{
    auto document = std::make_unique<css::CCssDocument>();
    document->New();
    document->LoadCss(text.data(), static_cast<int>(text.size()), true);
    return document;
}

TEST(ButtonStyleTest, NothingInTheFilesGivesTheNinePredefinedStyles)
{
    ButtonStyleList list;
    publish::readButtonStyles(list, nullptr, parse("BODY { COLOR: #000000; }")->Root());
    ASSERT_EQ(list.size(), 9u);
    EXPECT_FALSE(list.foundInCss);
    for (std::size_t i = 0; i < 9; ++i) {
        const ButtonStyle &style = list.styles()[i];
        EXPECT_EQ(style.key, predefinedButtonKeys()[i]);
        EXPECT_FALSE(style.deletable);
        ButtonStyle expected = ButtonStyle::withDefaults(style.key);
        expected.deletable = false;
        EXPECT_EQ(style, expected);
    }
}

TEST(ButtonStyleTest, ReadsRulesAndBlock)
{
    const auto file = parse(R"(
INPUT.KwButtonSaveNew { BORDER: #FF0000 2px dotted; FONT-WEIGHT: BOLD; TEXT-ALIGN: left; HEIGHT: 30px;
                        BACKGROUND-IMAGE: url(../images/company/btn.gif); COLOR: #00ff00; }
INPUT.Other { COLOR: #123456; }
INPUT.KwButtonPlain { FONT-WEIGHT: normal; }
INPUT.KwButtonShouting { FONT-WEIGHT: NORMAL; }
INPUT.KwButtonExtra { BACKGROUND: pic.gif #0000FF no-repeat; BORDER-LEFT-COLOR: #111111; FONT-WEIGHT: 300; }
@kw-settings KwButtonStyles {
  .KwButton { DENOTATION: "Allgemein"; DESCRIPTION: "x"; DELETABLE: "true"; }
  .KwButtonExtra { DENOTATION: "Extra"; DELETABLE: "TRUE"; }
  .KwButtonNamed { DENOTATION: "Nur benannt"; DELETABLE: "true"; }
}
)");
    ButtonStyleList list;
    publish::readButtonStyles(list, nullptr, file->Root());
    EXPECT_TRUE(list.foundInCss);
    EXPECT_EQ(list.find("Other"), nullptr); // not a button class
    const ButtonStyle &saveNew = *list.find("KwButtonSaveNew");
    EXPECT_EQ(saveNew.borderTopLeftColor, rgb(0xFF, 0, 0));
    EXPECT_EQ(saveNew.borderBottomRightColor, rgb(0xFF, 0, 0));
    EXPECT_EQ(saveNew.borderWidth, 2);
    EXPECT_EQ(saveNew.borderStyle, "dotted");
    EXPECT_EQ(saveNew.fontWeight, 6);
    EXPECT_EQ(saveNew.textAlign, 1);
    EXPECT_EQ(saveNew.height, 30);
    EXPECT_EQ(saveNew.backgroundImage, "btn.gif");
    EXPECT_EQ(saveNew.textColor, rgb(0, 0xFF, 0));
    EXPECT_TRUE(saveNew.fromFile);

    const ButtonStyle &extra = *list.find("KwButtonExtra");
    EXPECT_EQ(extra.backgroundColor, rgb(0, 0, 0xFF));
    EXPECT_EQ(extra.backgroundImage, "pic.gif");
    EXPECT_EQ(extra.borderBottomRightColor, rgb(0x11, 0x11, 0x11)); // follows the left colour
    EXPECT_EQ(extra.fontWeight, 2);
    EXPECT_FALSE(extra.deletable); // "TRUE" is not "true"
    EXPECT_EQ(list.find("KwButtonNamed")->denotation, "Nur benannt");
    EXPECT_EQ(*list.find("KwButtonNamed"), [] {
        ButtonStyle s = ButtonStyle::withDefaults("KwButtonNamed");
        s.denotation = "Nur benannt";
        return s;
    }());
    EXPECT_FALSE(list.styles().front().deletable); // the first style never is
    EXPECT_EQ(list.find("KwButtonPlain")->fontWeight, 3);
    EXPECT_EQ(list.find("KwButtonShouting")->fontWeight, -1); // no keyword, no leading number: weight 0
    EXPECT_EQ(list.size(), 13u);
}

// BORDER and BACKGROUND are taken only when they have all three blank-separated parts; the third part is
// everything after the second blank.
TEST(ButtonStyleTest, ShorthandsNeedAllThreeParts)
{
    const auto file = parse(R"(
INPUT.KwButtonA { BORDER: #FF0000; BACKGROUND: pic.gif; }
INPUT.KwButtonB { BORDER: #FF0000 3px; BACKGROUND: pic.gif #0000FF; }
INPUT.KwButtonC { BORDER: #FF0000 3px dotted double; BACKGROUND: pic.gif #0000FF no-repeat; }
)");
    ButtonStyleList list;
    publish::readButtonStyles(list, nullptr, file->Root());
    for (const char *key : {"KwButtonA", "KwButtonB"}) {
        const ButtonStyle defaults = ButtonStyle::withDefaults(key);
        const ButtonStyle &style = *list.find(key);
        EXPECT_EQ(style.borderTopLeftColor, defaults.borderTopLeftColor) << key;
        EXPECT_EQ(style.borderWidth, defaults.borderWidth) << key;
        EXPECT_EQ(style.borderStyle, defaults.borderStyle) << key;
        EXPECT_EQ(style.backgroundColor, defaults.backgroundColor) << key;
        EXPECT_EQ(style.backgroundImage, defaults.backgroundImage) << key;
    }
    const ButtonStyle &complete = *list.find("KwButtonC");
    EXPECT_EQ(complete.borderTopLeftColor, rgb(0xFF, 0, 0));
    EXPECT_EQ(complete.borderWidth, 3);
    EXPECT_EQ(complete.borderStyle, "dotted double");
    EXPECT_EQ(complete.backgroundColor, rgb(0, 0, 0xFF));
    EXPECT_EQ(complete.backgroundImage, "pic.gif");
}

TEST(ButtonStyleTest, WritesBoldBackAndTheBlockReadsBack)
{
    ButtonStyleList list;
    list.find("KwButton")->fontWeight = 6;
    list.find("KwButtonCancel")->fontWeight = 3;
    list.find("KwButtonDelete")->fontWeight = 1;
    css::CCssDocument document;
    document.New();
    css::CCssElement &input =
        *document.Root().SetChild(std::make_unique<css::CCssElement>("INPUT", css::CSS_TAG));
    publish::writeButtonRules(list, input);
    publish::writeButtonBlock(list, document.Root());
    EXPECT_EQ(*input.FindChild("KwButton")->GetProperty("FONT-WEIGHT"), "bold");
    EXPECT_EQ(*input.FindChild("KwButtonCancel")->GetProperty("FONT-WEIGHT"), "normal");
    EXPECT_EQ(*input.FindChild("KwButtonDelete")->GetProperty("FONT-WEIGHT"), "200");

    const auto reread = parse(document.GenerateCss());
    ButtonStyleList copy;
    publish::readButtonStyles(copy, nullptr, reread->Root());
    for (std::size_t i = 0; i < list.size(); ++i) {
        ButtonStyle expected = list.styles()[i];
        expected.fromFile = true;
        EXPECT_EQ(copy.styles()[i], expected) << expected.key;
    }
}

TEST(ButtonStyleTest, AddRemoveAndRekey)
{
    ButtonStyleList list;
    list.add("Neuer Stil");
    list.add("Neuer Stil");
    EXPECT_EQ(list.size(), 10u);
    EXPECT_EQ(list.current().key, "KwButtonNeuer_Stil");
    EXPECT_TRUE(list.current().deletable);
    EXPECT_EQ(buttonKeyFromName("Größe-Ü ä"), "KwButtonGroesse_UE_ae");

    list.current().denotation = "Rot Grün";
    list.rekeyFromDenotation();
    EXPECT_EQ(list.current().key, "KwButtonRot_Gruen");
    EXPECT_EQ(list.find("KwButtonNeuer_Stil"), nullptr);
    EXPECT_EQ(list.size(), 10u);

    list.remove(); // the last style: the one before it becomes current
    EXPECT_EQ(list.size(), 9u);
    EXPECT_EQ(list.current().key, "KwButtonGotoOther");
    list.select(0);
    list.current().deletable = true;
    list.ensurePredefined();
    list.remove(); // the first style can never be deleted
    EXPECT_EQ(list.size(), 9u);
}

TEST(ButtonStyleTest, DefaultDenotationsAreFilledIn)
{
    ButtonStyleList list;
    list.select(3);
    EXPECT_EQ(list.denotationOfCurrent(), "Speichern - Ändern");
    EXPECT_EQ(list.current().denotation, "Speichern - Ändern");
    list.select(8);
    EXPECT_EQ(list.denotationOfCurrent(), "Gehe zu - andere Anwendung");
    list.add("X");
    list.current().denotation.clear();
    EXPECT_EQ(list.denotationOfCurrent(), ""); // position 9 has none

    // Filling in another position's denotation leaves the current style and the tracking alone.
    ButtonStyleList names;
    names.select(2);
    names.startTracking();
    EXPECT_EQ(names.denotationAt(5), "Abbrechen");
    EXPECT_EQ(names.styles()[5].denotation, "Abbrechen");
    EXPECT_EQ(names.currentPosition(), 2);
    EXPECT_FALSE(names.isModified());
}

TEST(ButtonStyleTest, ACopyTakesTheStylesButNotTheTracking)
{
    ButtonStyleList list;
    list.add("Rot");
    list.foundInCss = true;
    list.startTracking();
    list.current().height = 40;

    ButtonStyleList copy(list);
    ButtonStyleList assigned;
    assigned.startTracking();
    assigned = list;
    for (ButtonStyleList *other : {&copy, &assigned}) {
        EXPECT_TRUE(*other == list);
        EXPECT_EQ(other->current().key, "KwButtonRot");
        EXPECT_FALSE(other->isModified());
        other->add("Blau"); // a list that does not track marks nothing
        EXPECT_FALSE(other->isModified());
    }
    EXPECT_TRUE(list.isModified());
}

TEST(ButtonStyleTest, TrackingSeesEditsAndStructuralChanges)
{
    ButtonStyleList list;
    EXPECT_FALSE(list.isModified()); // tracking off
    list.startTracking();
    EXPECT_FALSE(list.isModified());
    list.current().height = 12;
    EXPECT_TRUE(list.isModified());
    list.select(1); // the change stays counted after moving on
    EXPECT_TRUE(list.isModified());

    ButtonStyleList other;
    other.startTracking();
    other.select(2);
    other.select(0);
    EXPECT_FALSE(other.isModified());
    other.add("Neu");
    EXPECT_TRUE(other.isModified());
}

} // namespace
} // namespace kw::layout
