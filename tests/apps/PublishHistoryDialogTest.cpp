// The console's "Veröffentlichungsverlauf..." dialog on a real portal: the list, the changes a rollback
// would make, and "Zurücksetzen" after the question.
#include "PublishHistoryDialog.h"

#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include "server/PortalAccess.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

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
    // The newest is selected: rolling it back would bring Blau's stylesheet back.
    EXPECT_TRUE(diffText().contains("--- a/_KwStyle/global.css\n+++ b/_KwStyle/global.css\n"));
    EXPECT_TRUE(diffText().contains("-BODY { COLOR: brown; }\n+BODY { COLOR: blue; }"))
        << diffText().toStdString();

    // The oldest created the file: rolling it back would remove it.
    list()->setCurrentItem(list()->topLevelItem(1));
    EXPECT_TRUE(diffText().contains("+++ /dev/null")) << diffText().toStdString();

    list()->setCurrentItem(list()->topLevelItem(0));
    prompter.answerNo();
    clickRollback();
    ASSERT_EQ(prompter.questions().size(), 1u);
    EXPECT_NE(prompter.questions()[0].find("Herbst"), std::string::npos);
    EXPECT_EQ(portal.read("_KwStyle/global.css"), "BODY { COLOR: brown; }\n");
    EXPECT_EQ(list()->topLevelItemCount(), 2);

    prompter.answerYes();
    clickRollback();
    EXPECT_EQ(portal.read("_KwStyle/global.css"), "BODY { COLOR: blue; }\n");
    ASSERT_EQ(list()->topLevelItemCount(), 3);
    EXPECT_EQ(list()->topLevelItem(0)->text(2), "Blau"); // the layout that was active before Herbst
    EXPECT_TRUE(prompter.allAnswersUsed());
}

} // namespace
} // namespace kw::console
