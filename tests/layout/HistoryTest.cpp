// The layout's undo history and the modified mark that follows it: steps recorded from edits, undo, redo
// and jumps restoring exactly what a step changed, merged typing, the saved state, the company settings'
// publish mark, a damaged step that changes nothing, and the document starting a new history on load.
#include "layout/LayoutDocument.h"
#include "layout/LayoutHistory.h"

#include "HistoryTestAccess.h"

#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <gtest/gtest.h>

namespace kw::layout {

namespace {

// A history over values of its own, as the document holds them.
class HistoryTest : public ::testing::Test {
protected:
    LayoutModel model;
    LayoutFlags flags;
    CompanySettings company;
    LayoutHistory history{model, flags, company};
    int notified = 0;

    void SetUp() override
    {
        company.logoFile = "logo.png";
        company.shownWelcome = "Willkommen";
        history.reset();
        history.setObserver([this] { ++notified; });
    }
    RegionStyle &header() { return model.region(RegionId::KwRootTop); }
    bool setHeaderColor(Color color, const char *name = "Seitenkopf bearbeiten")
    {
        return history.record(name, [&] { header().backgroundColor = color; });
    }
    bool typeWelcome(const std::string &text)
    {
        return history.record(
            "Begrüssungstext bearbeiten", [&] { company.shownWelcome = text; }, StepMerge::WelcomeText);
    }
};

TEST_F(HistoryTest, AStepIsUndoneAndRedoneExactly)
{
    const LayoutModel loaded = model;
    const bool recorded = history.record("Allgemein bearbeiten", [&] {
        header().backgroundColor = rgb(1, 2, 3);
        header().fontFamily = "Arial";
        header().fontSize = 17;
        model.page().linkColor = rgb(9, 9, 9);
        model.buttons().add("Speichern unter");
        flags.buttonStylesLoaded = !flags.buttonStylesLoaded;
    });
    ASSERT_TRUE(recorded);
    const LayoutModel edited = model;
    const LayoutFlags editedFlags = flags;
    EXPECT_EQ(notified, 1);
    EXPECT_TRUE(history.differsFromSaved());
    ASSERT_NE(history.undoStep(), nullptr);
    EXPECT_EQ(history.undoStep()->name, "Allgemein bearbeiten");
    EXPECT_EQ(history.redoStep(), nullptr);

    const LayoutChanges undone = history.undo();
    EXPECT_EQ(model, loaded);
    EXPECT_EQ(flags, LayoutFlags{});
    EXPECT_TRUE(undone.values);
    EXPECT_FALSE(undone.company);
    EXPECT_FALSE(undone.switches[0] || undone.switches[1]);
    EXPECT_FALSE(history.differsFromSaved());
    EXPECT_FALSE(history.canUndo());
    EXPECT_EQ(history.redoStep()->name, "Allgemein bearbeiten");

    history.redo();
    EXPECT_EQ(model, edited);
    EXPECT_EQ(flags, editedFlags);
    EXPECT_TRUE(history.differsFromSaved());
    EXPECT_EQ(notified, 3);
}

TEST_F(HistoryTest, AnEditThatChangesNothingOrFailsLeavesNoStep)
{
    EXPECT_FALSE(history.record("Seitenkopf bearbeiten", [&] { header().fontSize = header().fontSize; }));
    EXPECT_TRUE(history.steps().empty());
    EXPECT_EQ(notified, 0);

    const LayoutModel before = model;
    EXPECT_THROW(history.record("Seitenkopf bearbeiten",
                                [&] {
                                    header().backgroundColor = rgb(7, 7, 7);
                                    company.logoFile = "anderes.png";
                                    throw std::runtime_error("mitten im Schritt");
                                }),
                 std::runtime_error);
    EXPECT_EQ(model, before) << "half an edit is put back";
    EXPECT_EQ(company.logoFile, "logo.png");
    EXPECT_TRUE(history.steps().empty());
}

TEST_F(HistoryTest, ASwitchOfOnePaneIsUndoneInThatPaneOnly)
{
    model.setSwitch(&PaneSwitches::showLogo, true);
    history.reset();
    history.record("Logo anzeigen: aus", [&] { model.switches(Pane::StartPage).showLogo = false; });
    history.record("Menü rechts anzeigen: ein", [&] { model.setSwitch(&PaneSwitches::menuRight, true); });
    EXPECT_TRUE(history.differsFromSaved()) << "the switches are saved with the layout";

    LayoutChanges changes = history.undo();
    EXPECT_TRUE(changes.switchesOf(Pane::StartPage));
    EXPECT_TRUE(changes.switchesOf(Pane::ApplicationPages));
    EXPECT_FALSE(changes.values);
    EXPECT_FALSE(model.switches(Pane::ApplicationPages).menuRight);

    changes = history.undo();
    EXPECT_TRUE(changes.switchesOf(Pane::StartPage));
    EXPECT_FALSE(changes.switchesOf(Pane::ApplicationPages));
    EXPECT_TRUE(model.switches(Pane::StartPage).showLogo);
    EXPECT_TRUE(model.switches(Pane::ApplicationPages).showLogo);
    EXPECT_FALSE(history.differsFromSaved());
}

TEST_F(HistoryTest, TheSavedStateDecidesTheModifiedMark)
{
    for (unsigned i = 1; i <= 5; ++i)
        setHeaderColor(rgb(i, 0, 0));
    EXPECT_EQ(history.position(), 5u);
    history.goTo(0);
    EXPECT_FALSE(history.differsFromSaved()) << "five edits undone reach the loaded state";
    EXPECT_EQ(history.savedPosition(), 0u);

    history.goTo(3);
    history.markSaved();
    EXPECT_FALSE(history.differsFromSaved());
    EXPECT_EQ(history.savedPosition(), 3u);
    history.undo();
    EXPECT_TRUE(history.differsFromSaved()) << "undoing past the save is a change again";
    history.redo();
    EXPECT_FALSE(history.differsFromSaved());

    // The same values reached by another way count as saved too.
    setHeaderColor(rgb(9, 9, 9));
    setHeaderColor(rgb(3, 0, 0));
    EXPECT_FALSE(history.differsFromSaved());

    // A new step after undoing past the saved position makes it unreachable.
    history.goTo(2);
    setHeaderColor(rgb(0, 0, 1));
    EXPECT_EQ(history.savedPosition(), std::nullopt);
    EXPECT_EQ(history.steps().size(), 3u);
    EXPECT_TRUE(history.differsFromSaved());
}

TEST_F(HistoryTest, ConsecutiveTypingIsOneStep)
{
    typeWelcome("Willkommen!");
    typeWelcome("Willkommen!!");
    typeWelcome("Willkommen!!!");
    ASSERT_EQ(history.steps().size(), 1u);
    EXPECT_EQ(history.steps()[0].name, "Begrüssungstext bearbeiten");
    history.undo();
    EXPECT_EQ(company.shownWelcome, "Willkommen");
    history.redo();
    EXPECT_EQ(company.shownWelcome, "Willkommen!!!");

    // Another step in between, or a save, starts a new one.
    setHeaderColor(rgb(1, 1, 1));
    typeWelcome("Hallo");
    history.markSaved();
    typeWelcome("Hallo!");
    EXPECT_EQ(history.steps().size(), 4u);
    history.undo();
    EXPECT_EQ(company.shownWelcome, "Hallo");
    EXPECT_FALSE(history.differsFromSaved());

    // Typing back to where the step began leaves no step.
    history.redo();
    typeWelcome("Hallo!?");
    typeWelcome("Hallo");
    EXPECT_EQ(history.steps().size(), 3u);
    EXPECT_EQ(history.position(), 3u);
    EXPECT_FALSE(history.differsFromSaved());
}

TEST_F(HistoryTest, TheCompanyMarkFollowsThePublishedLogo)
{
    history.record("Logo auswählen", [&] { company.logoFile = "neu.png"; });
    EXPECT_TRUE(company.changed) << "a chosen logo is to be published";
    history.undo();
    EXPECT_FALSE(company.changed) << "back to the published logo";
    history.redo();
    EXPECT_TRUE(company.changed);

    // Publishing clears the mark; undoing then brings back a logo the portal no longer has.
    company.changed = false;
    history.markSaved();
    history.undo();
    EXPECT_EQ(company.logoFile, "logo.png");
    EXPECT_TRUE(company.changed);
    history.redo();
    EXPECT_FALSE(company.changed);
}

TEST_F(HistoryTest, AChangeWrittenToTheServerAtOnceIsNoStepAndCountsAsSaved)
{
    typeWelcome("Getippt");
    history.adoptSavedChange([&] { company.shownWelcome = "Aus dem Übersetzungsspeicher"; });
    EXPECT_EQ(history.steps().size(), 1u);
    EXPECT_FALSE(history.differsFromSaved());

    // The typing undone shows the old text, which the portal no longer has.
    company.changed = false;
    history.undo();
    EXPECT_EQ(company.shownWelcome, "Willkommen");
    EXPECT_TRUE(history.differsFromSaved());
    EXPECT_TRUE(company.changed);
}

TEST_F(HistoryTest, ADamagedStepChangesNothing)
{
    setHeaderColor(rgb(1, 0, 0), "Erster Schritt");
    setHeaderColor(rgb(2, 0, 0), "Zweiter Schritt");
    setHeaderColor(rgb(3, 0, 0), "Dritter Schritt");
    HistoryTestAccess::damage(history, 0);
    const LayoutModel before = model;
    const int notes = notified;

    // A jump to the start applies the third and second step to a copy before it meets the damaged first.
    try {
        history.goTo(0);
        FAIL() << "the damaged step was applied";
    } catch (const HistoryError &error) {
        EXPECT_STREQ(error.what(), "Der Schritt \"Erster Schritt\" kann nicht rückgängig gemacht werden. Das "
                                   "Layout bleibt unverändert.");
    }
    EXPECT_EQ(model, before);
    EXPECT_EQ(history.position(), 3u);
    EXPECT_EQ(notified, notes);
    history.undo();
    EXPECT_EQ(header().backgroundColor, rgb(2, 0, 0)) << "the sound steps still work";
}

// Every field of every record is kept by a step: a model whose every value differs is reached and left
// exactly, button styles added, renamed and deleted included.
TEST(LayoutDeltaTest, EveryValueGoesBothWays)
{
    LayoutSnapshot before;
    before.model.buttons().add("Alt");
    LayoutSnapshot after = before;
    int n = 0;
    auto changeAll = [&n](auto &record, auto fields) {
        for (const auto &field : fields)
            std::visit(
                [&](auto member) {
                    using Value = std::remove_reference_t<decltype(record.*member)>;
                    ++n;
                    if constexpr (std::is_same_v<Value, std::string>)
                        record.*member += "x" + std::to_string(n);
                    else if constexpr (std::is_same_v<Value, bool>)
                        record.*member = !(record.*member);
                    else
                        record.*member += static_cast<Value>(n);
                },
                field.member);
    };
    for (RegionId region : kAllRegions)
        changeAll(after.model.region(region), regionFields());
    changeAll(after.model.page(), pageFields());
    changeAll(after.model.switches(Pane::StartPage), switchFields());
    changeAll(after.model.switches(Pane::ApplicationPages), switchFields());
    ButtonStyleList &buttons = after.model.buttons();
    buttons.remove(); // "Alt", the current style
    buttons.add("Neu");
    buttons.select(0);
    buttons.current().denotation = "Umbenannt";
    ASSERT_EQ(buttons.find(buttonKeyFromName("Alt")), nullptr);
    after.flags.entryStyleFromCss = true;
    after.logoFile = "logo.gif";
    after.shownWelcome = "Hallo";

    const LayoutDelta delta = LayoutDelta::between(before, after);
    LayoutSnapshot forth = before;
    ASSERT_TRUE(delta.applyTo(forth, LayoutDelta::Side::After));
    EXPECT_TRUE(forth == after);
    LayoutSnapshot back = after;
    ASSERT_TRUE(delta.applyTo(back, LayoutDelta::Side::Before));
    EXPECT_TRUE(back == before);
    const LayoutChanges changes = delta.changes();
    EXPECT_TRUE(changes.values && changes.company && changes.switches[0] && changes.switches[1]);
}

// The document: loading and creating a layout start a new history, saving marks the saved step, and
// undoing back to it clears the modified mark that the close question asks about.
class DocumentHistoryTest : public ::testing::Test {
protected:
    test::TempPortal portal{true};
    test::ScriptedPrompter prompter;
    NoLayoutChooser chooser;
    NoWaitIndicator wait;
    LayoutDocument document{portal.env(), prompter, chooser, wait};

    // The active layout published, and two stored layouts to open.
    void SetUp() override
    {
        for (const char *name : {"global.css", "Blau.kwc", "Herbst.kwc"}) {
            document.setName(name);
            document.save(false);
        }
        ASSERT_TRUE(prompter.events().empty()) << prompter.describe();
    }
    bool edit(Color color)
    {
        return document.history().record("Seitenkopf bearbeiten", [&] {
            document.model().region(RegionId::KwRootTop).backgroundColor = color;
        });
    }
};

TEST_F(DocumentHistoryTest, LoadingStartsANewHistoryAndSavingMarksTheSavedStep)
{
    ASSERT_TRUE(document.openLayout("Blau.kwc"));
    EXPECT_FALSE(document.isModified());
    edit(rgb(1, 2, 3));
    edit(rgb(4, 5, 6));
    EXPECT_TRUE(document.isModified());
    document.commandSave();
    EXPECT_FALSE(document.isModified());
    EXPECT_EQ(document.history().savedPosition(), 2u);
    EXPECT_EQ(document.history().steps().size(), 2u) << "saving keeps the history";

    document.history().undo();
    EXPECT_TRUE(document.isModified());
    document.history().redo();
    EXPECT_FALSE(document.isModified());

    // Another layout: an empty history, nothing to ask on leaving.
    document.history().undo();
    ASSERT_TRUE(document.openLayout("Herbst.kwc"));
    EXPECT_TRUE(document.history().steps().empty());
    EXPECT_FALSE(document.history().canUndo());
    EXPECT_FALSE(document.isModified());

    // A new layout, corner picture included, is not modified until edited.
    document.commandNew();
    EXPECT_TRUE(document.history().steps().empty());
    EXPECT_FALSE(document.isModified());
}

TEST_F(DocumentHistoryTest, UndoingBackToTheLoadedStateLeavesNothingToAskOnClose)
{
    ASSERT_TRUE(document.openLayout("Blau.kwc"));
    for (unsigned i = 1; i <= 5; ++i)
        edit(rgb(i, i, i));
    document.history().goTo(0);
    document.close();
    EXPECT_TRUE(prompter.questions().empty()) << prompter.describe();

    ASSERT_TRUE(document.openLayout("Blau.kwc"));
    edit(rgb(1, 1, 1));
    prompter.answerNo();
    document.close();
    EXPECT_EQ(prompter.questions().size(), 1u);
}

} // namespace
} // namespace kw::layout
