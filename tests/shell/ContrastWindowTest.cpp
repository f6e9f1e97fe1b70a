// The contrast tools of the module's window, driven offscreen: the status bar, the "Kontrastprüfung"
// window with its list, double click and "Vorschlag übernehmen", and the sample page in the browser.
#include "ShellTestSupport.h"

#include "shell/CChildFrame.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/CKwLOutView.h"
#include "shell/ContrastTools.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include <filesystem>

namespace kw::shell::test {
namespace {

constexpr int IDOK = res::IDOK;

class ContrastWindow : public ModuleTest {
protected:
    void SetUp() override
    {
        moduleState().idleInit = false;
        expectDialog([](CLayoutListDlg &d) {
            selectRow(d, "Blau");
            return press(d, IDOK);
        });
        console.open();
        frame = console.frame();
        view = console.view();
        ASSERT_TRUE(frame && view && view->document().isOpen());
    }
    void TearDown() override
    {
        if (view)
            view->document().setModified(false);
    }

    QString status() const { return frame->findChild<QLabel *>(QStringLiteral("contrastStatus"))->text(); }
    CContrastDlg *openDialog()
    {
        frame->routeCommand(res::ID_CONTRAST_CHECK);
        CContrastDlg *dialog = frame->contrastTools()->dialog();
        EXPECT_TRUE(dialog && dialog->isVisible() && !dialog->isModal());
        return dialog;
    }
    static QStringList rows(const CContrastDlg &dialog)
    {
        QStringList ids;
        for (int i = 0; i < dialog.list()->topLevelItemCount(); ++i)
            ids << dialog.list()->topLevelItem(i)->text(0);
        return ids;
    }
    static QTreeWidgetItem *row(const CContrastDlg &dialog, const QString &id)
    {
        const auto found = dialog.list()->findItems(id, Qt::MatchExactly, 0);
        return found.isEmpty() ? nullptr : found.front();
    }

    FakeConsole console;
    CChildFrame *frame = nullptr;
    CKwLOutTabbedView *view = nullptr;
};

TEST_F(ContrastWindow, ListAndStatusShowTheFailingPairsAndFollowEveryChange)
{
    // The stored demo layout "Blau": ten pairs fail AA (as `kwlayout audit Blau` says).
    EXPECT_EQ(status(), QStringLiteral("Kontrast: 10 Probleme"));
    CContrastDlg *dialog = openDialog();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(rows(*dialog).size(), 10);
    QTreeWidgetItem *hover = row(*dialog, QStringLiteral("KwStartNavigate/hover"));
    ASSERT_TRUE(hover);
    EXPECT_EQ(hover->text(1), QStringLiteral("#C0392B"));
    EXPECT_EQ(hover->text(2), QStringLiteral("#D6E2EF"));
    EXPECT_EQ(hover->text(3), QStringLiteral("4.14:1"));
    EXPECT_EQ(hover->text(4), QStringLiteral("4.50:1"));
    EXPECT_TRUE(hover->text(6).startsWith(QStringLiteral("#")));
    EXPECT_FALSE(hover->icon(1).isNull()); // the swatches

    // All pairs on request.
    QTest::mouseClick(dialog->findChild<QCheckBox *>(QStringLiteral("showAll")), Qt::LeftButton);
    EXPECT_EQ(rows(*dialog).size(), 58);
    EXPECT_EQ(row(*dialog, QStringLiteral("KwRootNavigate/normal"))->text(5), QStringLiteral("erfüllt"));

    // A display switch: with the tree menu the main menu's pairs are not shown.
    frame->routeCommand(res::ID_USE_TREE_MENU);
    EXPECT_EQ(row(*dialog, QStringLiteral("KwRootNavigate/normal"))->text(5),
              QStringLiteral("nicht angezeigt"));
    frame->routeCommand(res::ID_USE_TREE_MENU);

    // The stricter level asks more of the same colours.
    dialog->findChild<QComboBox *>(QStringLiteral("level"))->setCurrentIndex(1);
    EXPECT_TRUE(status().startsWith(QStringLiteral("Kontrast: "))) << status().toStdString();
    EXPECT_NE(status(), QStringLiteral("Kontrast: 10 Probleme"));
    dialog->findChild<QComboBox *>(QStringLiteral("level"))->setCurrentIndex(0);
    EXPECT_EQ(status(), QStringLiteral("Kontrast: 10 Probleme"));
    EXPECT_FALSE(view->document().isModified());
}

TEST_F(ContrastWindow, DoubleClickShowsTheRegionAndOpensItsSheet)
{
    CContrastDlg *dialog = openDialog();
    ASSERT_TRUE(dialog);
    std::vector<std::string> opened;
    view->elementHooks().editProperties = [&](const portalpage::CPreviewElement &element) {
        opened.emplace_back(element.name());
        // The sheet's OK with a darker hover colour.
        view->document().model().region(element.region()).hoverColor = rgb(0x80, 0x20, 0x10);
        view->document().setModified(true);
        return true;
    };
    view->setCurrentWidget(view->startPagePane());
    QTreeWidgetItem *hover = row(*dialog, QStringLiteral("KwStartNavigate/hover"));
    ASSERT_TRUE(hover);
    const QRect place = dialog->list()->visualItemRect(hover);
    QTest::mouseClick(dialog->list()->viewport(), Qt::LeftButton, {}, place.center());
    QTest::mouseDClick(dialog->list()->viewport(), Qt::LeftButton, {}, place.center());

    EXPECT_EQ(opened, std::vector<std::string>{"KwStartNavigate"});
    // The application menu is only on the application pages: that pane is shown, its element selected.
    EXPECT_EQ(view->currentWidget(), view->appPagesPane());
    EXPECT_TRUE(view->appPagesPane()->element("KwStartNavigate")->selected());
    // The list followed the sheet's change at once.
    EXPECT_FALSE(row(*dialog, QStringLiteral("KwStartNavigate/hover")));
    EXPECT_EQ(status(), QStringLiteral("Kontrast: 9 Probleme"));
}

TEST_F(ContrastWindow, ApplyingAProposalIsAnEditOfTheLayout)
{
    CContrastDlg *dialog = openDialog();
    ASSERT_TRUE(dialog);
    auto *apply = dialog->findChild<QPushButton *>(QStringLiteral("applyProposal"));
    ASSERT_TRUE(apply);
    EXPECT_FALSE(apply->isEnabled()); // nothing selected yet
    QTreeWidgetItem *link = row(*dialog, QStringLiteral("KwApplication/tableHeadLink"));
    ASSERT_TRUE(link);
    dialog->list()->setCurrentItem(link);
    const QString proposal = link->text(6).left(7);
    ASSERT_TRUE(apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton);

    const layout::LayoutDocument &doc = view->document();
    EXPECT_TRUE(doc.isModified());
    EXPECT_EQ(QString::fromStdString(formatColor(doc.model().page().tableHeadLinkColor)), proposal);
    EXPECT_FALSE(row(*dialog, QStringLiteral("KwApplication/tableHeadLink")));
    EXPECT_EQ(status(), QStringLiteral("Kontrast: 9 Probleme"));
    // Saving asks nothing more than before: the audit only informs.
    EXPECT_TRUE(prompter.questions().empty());

    // The proposal is one step of the layout's history: undoing it brings the colour and the problem back,
    // and the list and the status follow at once.
    ASSERT_TRUE(doc.history().undoStep());
    EXPECT_EQ(doc.history().undoStep()->name, "Kontrastvorschlag übernehmen");
    frame->routeCommand(res::ID_EDIT_UNDO);
    EXPECT_FALSE(doc.isModified());
    EXPECT_NE(QString::fromStdString(formatColor(doc.model().page().tableHeadLinkColor)), proposal);
    EXPECT_TRUE(row(*dialog, QStringLiteral("KwApplication/tableHeadLink")));
    EXPECT_EQ(status(), QStringLiteral("Kontrast: 10 Probleme"));
}

TEST_F(ContrastWindow, TheSamplePageOpensInTheBrowser)
{
    // "Im Browser ansehen" stands in "Ansicht", usable while a layout is open.
    frame->updateCommandStates();
    const QList<QAction *> actions = frame->actionsOf(res::ID_VIEW_IN_BROWSER);
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions.front()->text(), QStringLiteral("Im &Browser ansehen"));
    EXPECT_TRUE(actions.front()->isEnabled());
    EXPECT_TRUE(frame->menus().at(2)->actions().contains(actions.front()));

    QList<QUrl> opened;
    const UrlOpener previous = replaceUrlOpener([&](const QUrl &url) {
        opened << url;
        return true;
    });
    frame->routeCommand(res::ID_VIEW_IN_BROWSER);
    replaceUrlOpener(previous);
    ASSERT_EQ(opened.size(), 1);
    const std::filesystem::path index = opened.front().toLocalFile().toStdString();
    EXPECT_EQ(index.filename(), "index.html");
    EXPECT_TRUE(std::filesystem::exists(index.parent_path() / "css" / "global.css"));
    EXPECT_TRUE(std::filesystem::exists(index.parent_path() / "frames" / "KwApplication.html"));
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

} // namespace
} // namespace kw::shell::test
