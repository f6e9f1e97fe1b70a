// The console's "Veröffentlichungsverlauf..." dialog on a real portal: the list, the changes that going back
// to the state after the selected activation would make, and "Zurücksetzen" after the question.
#include "PublishHistoryDialog.h"

#include "EnglishWords.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include "publish/PublishingTexts.h"
#include "server/PortalAccess.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kw::console {
namespace {

class PublishHistoryDialogTest : public ::testing::Test {
protected:
    void publish(const std::string &layout, const std::string &css)
    {
        server::PublishScope batch(portal.factory(), portal.session(), layout);
        server::PortalConnection connection(portal.factory(), portal.session());
        server::writeTextFile(*connection.folder("_KwStyle"), "global.css", css);
        batch.commit();
    }
    QString diffText() const { return dialog->findChild<QPlainTextEdit *>("historyDiff")->toPlainText(); }
    QTreeWidget *list() const { return dialog->findChild<QTreeWidget *>("historyList"); }
    void clickRollback() const
    {
        QTest::mouseClick(dialog->findChild<QPushButton *>("rollback"), Qt::LeftButton);
    }

    test::TempPortal portal{true};
    test::ScriptedPrompter prompter;
    std::unique_ptr<PublishHistoryDialog> dialog;
};

TEST_F(PublishHistoryDialogTest, ListsTheHistoryShowsTheChangesAndRollsBackAfterTheQuestion)
{
    publish("Blau", "BODY { COLOR: blue; }\n");
    publish("Herbst", "BODY { COLOR: brown; }\n");
    dialog = std::make_unique<PublishHistoryDialog>(portal.env(), prompter);
    dialog->show();

    ASSERT_EQ(list()->topLevelItemCount(), 2);
    EXPECT_EQ(list()->topLevelItem(0)->text(2), "Herbst");
    EXPECT_EQ(list()->topLevelItem(0)->text(1), "admin");
    EXPECT_TRUE(list()->topLevelItem(0)->text(0).endsWith(" UTC"));
    // The newest is selected: the portal is in the state after it, so there is nothing to roll back.
    EXPECT_EQ(diffText().toStdString(), publish::kRollbackChangesNothing);
    EXPECT_FALSE(dialog->findChild<QPushButton *>("rollback")->isEnabled());

    // Back to the state right after the Blau activation: Blau's stylesheet comes back.
    list()->setCurrentItem(list()->topLevelItem(1));
    EXPECT_TRUE(diffText().contains("--- a/_KwStyle/global.css\n+++ b/_KwStyle/global.css\n"));
    EXPECT_TRUE(diffText().contains("-BODY { COLOR: brown; }\n+BODY { COLOR: blue; }"))
        << diffText().toStdString();

    prompter.answerNo();
    clickRollback();
    ASSERT_EQ(prompter.questions().size(), 1u);
    EXPECT_NE(prompter.questions()[0].find("Stand direkt nach der Aktivierung"), std::string::npos);
    // The entry is named as the list shows it, which has no ids.
    const std::string shown = "von \"Blau\" am " + list()->topLevelItem(1)->text(0).toStdString() + " ";
    EXPECT_NE(prompter.questions()[0].find(shown), std::string::npos) << prompter.questions()[0];
    EXPECT_EQ(portal.read("_KwStyle/global.css"), "BODY { COLOR: brown; }\n");
    EXPECT_EQ(list()->topLevelItemCount(), 2);

    prompter.answerYes();
    clickRollback();
    EXPECT_EQ(portal.read("_KwStyle/global.css"), "BODY { COLOR: blue; }\n");
    ASSERT_EQ(list()->topLevelItemCount(), 3);
    EXPECT_EQ(list()->topLevelItem(0)->text(2), "Blau"); // the layout of the state it went back to
    EXPECT_TRUE(prompter.allAnswersUsed());

    // The rollback is an entry of its own: going back to the entry before it undoes it.
    list()->setCurrentItem(list()->topLevelItem(1));
    prompter.answerYes();
    clickRollback();
    EXPECT_EQ(portal.read("_KwStyle/global.css"), "BODY { COLOR: brown; }\n");
}

// A state in which a file published now did not exist yet is not offered: the dialog says why and the
// button stays disabled.
TEST_F(PublishHistoryDialogTest, AStateWithoutAFilePublishedNowIsRefused)
{
    publish("Blau", "BODY { COLOR: blue; }\n");
    {
        server::PublishScope batch(portal.factory(), portal.session(), "Herbst");
        server::PortalConnection connection(portal.factory(), portal.session());
        server::writeTextFile(*connection.folder("_KwStyle"), "extra.css", "P {}\n");
        batch.commit();
    }
    dialog = std::make_unique<PublishHistoryDialog>(portal.env(), prompter);
    dialog->show();
    list()->setCurrentItem(list()->topLevelItem(1));
    // Why, in German as the dialog around it: the state is named, and so is the file and what to do.
    const std::string refusal = diffText().toStdString();
    EXPECT_TRUE(
        refusal.starts_with("Das Portal kann nicht auf den Stand nach der Aktivierung von \"Blau\" am " +
                            list()->topLevelItem(1)->text(0).toStdString() + " zurückgesetzt"))
        << refusal;
    EXPECT_TRUE(
        refusal.ends_with(" zurückgesetzt werden: _KwStyle/extra.css gab es damals noch nicht, und das "
                          "Zurücksetzen würde die Datei aus dem laufenden Portal löschen. Wählen Sie "
                          "eine spätere Aktivierung."))
        << refusal;
    EXPECT_EQ(test::englishWordsIn(refusal), std::vector<std::string>{}) << refusal;
    EXPECT_FALSE(dialog->findChild<QPushButton *>("rollback")->isEnabled());
    EXPECT_TRUE(portal.exists("_KwStyle/extra.css"));
}

} // namespace
} // namespace kw::console
