// The contrast tools of the module's window, driven offscreen: the status bar, the "Kontrastprüfung"
// window with its German list, double click, "Vorschlag übernehmen" and the frame's undo keys, an audit
// that fails, and the sample page in the browser.
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
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>
#include <QUrl>

#include <filesystem>
#include <stdexcept>

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
        QStringList captions;
        for (int i = 0; i < dialog.list()->topLevelItemCount(); ++i)
            captions << dialog.list()->topLevelItem(i)->text(0);
        return captions;
    }
    /// The row of a pair by its id ("REGION/STATE").
    static QTreeWidgetItem *row(const CContrastDlg &dialog, const QString &id)
    {
        for (int i = 0; i < dialog.list()->topLevelItemCount(); ++i)
            if (QTreeWidgetItem *item = dialog.list()->topLevelItem(i); item->data(0, Qt::UserRole) == id)
                return item;
        return nullptr;
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
    // The pair in German; the proposal says which colour it changes.
    EXPECT_EQ(hover->text(0), QStringLiteral("Anwendungsmenü: Einträge mit Mauskontakt"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Text: #[0-9A-F]{6} \\(\\d+\\.\\d\\d:1\\)$"))
                    .match(hover->text(6))
                    .hasMatch())
        << hover->text(6).toStdString();
    // The swatches show their colour in a selected row too, not tinted with the selection.
    dialog->list()->setCurrentItem(hover);
    for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Selected}) {
        const QImage text = hover->icon(1).pixmap(QSize(16, 16), mode).toImage();
        EXPECT_EQ(text.pixelColor(8, 8), QColor(QStringLiteral("#C0392B"))) << mode;
        const QImage background = hover->icon(2).pixmap(QSize(16, 16), mode).toImage();
        EXPECT_EQ(background.pixelColor(8, 8), QColor(QStringLiteral("#D6E2EF"))) << mode;
    }

    // All pairs on request.
    QTest::mouseClick(dialog->findChild<QCheckBox *>(QStringLiteral("showAll")), Qt::LeftButton);
    EXPECT_EQ(rows(*dialog).size(), 58);
    EXPECT_EQ(row(*dialog, QStringLiteral("KwRootNavigate/normal"))->text(5), QStringLiteral("erfüllt"));
    EXPECT_EQ(row(*dialog, QStringLiteral("KwApplication/heading1"))->text(0),
              QStringLiteral("Anwendungsseite: Überschrift 1"));
    for (const QString &caption : rows(*dialog))
        EXPECT_FALSE(caption.contains(QLatin1Char('/')) || caption.contains(QStringLiteral("Kw")))
            << "not named in German: " << caption.toStdString();
    // Every proposal says which of the pair's colours it changes.
    for (const audit::PairResult &pair : frame->contrastTools()->monitor().result().pairs) {
        QTreeWidgetItem *item = row(*dialog, QString::fromStdString(pair.pair.id()));
        ASSERT_TRUE(item) << pair.pair.id();
        if (pair.proposals.empty())
            continue;
        const bool text = pair.proposals.front().field == pair.pair.foreground;
        EXPECT_TRUE(
            item->text(6).startsWith(text ? QStringLiteral("Text: #") : QStringLiteral("Hintergrund: #")))
            << pair.pair.id() << " " << item->text(6).toStdString();
    }

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
    const QString proposal = link->text(6).section(QLatin1Char(' '), 1, 1);
    ASSERT_TRUE(link->text(6).startsWith(QStringLiteral("Text: ")));
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

TEST_F(ContrastWindow, TheFramesUndoKeysWorkWhileTheWindowIsActive)
{
    CContrastDlg *dialog = openDialog();
    ASSERT_TRUE(dialog);
    const Color loaded = view->document().model().page().tableHeadLinkColor;
    dialog->list()->setCurrentItem(row(*dialog, QStringLiteral("KwApplication/tableHeadLink")));
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("applyProposal")), Qt::LeftButton);
    ASSERT_NE(view->document().model().page().tableHeadLinkColor, loaded);

    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog->list(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view->document().model().page().tableHeadLinkColor, loaded)
        << "Ctrl+Z in the window undid nothing";
    EXPECT_FALSE(view->document().isModified());
    QTest::keyClick(dialog->list(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_NE(view->document().model().page().tableHeadLinkColor, loaded);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(ContrastWindow, AFailingAuditIsToldOnceAndTheStatusSaysSo)
{
    CContrastDlg *dialog = openDialog();
    ASSERT_TRUE(dialog);
    const AuditRunner previous =
        replaceAuditRunner([](const layout::LayoutModel &, audit::AuditSwitches, audit::Level,
                              const audit::BackdropSource *) -> audit::AuditResult {
            throw std::runtime_error("Das Bild \"x.gif\" ist beschädigt.");
        });
    frame->routeCommand(res::ID_USE_TREE_MENU);
    frame->routeCommand(res::ID_USE_TREE_MENU);
    replaceAuditRunner(previous);
    EXPECT_EQ(prompter.messages(),
              std::vector<std::string>{"Die Kontrastprüfung des Layouts ist fehlgeschlagen.\n"
                                       "Das Bild \"x.gif\" ist beschädigt."})
        << "told once, not on every change";
    EXPECT_EQ(status(), QStringLiteral("Kontrast: nicht geprüft"));
    EXPECT_EQ(dialog->list()->topLevelItemCount(), 0);

    // Working again, the audit shows its result at the next change.
    frame->routeCommand(res::ID_USE_TREE_MENU);
    frame->routeCommand(res::ID_USE_TREE_MENU);
    EXPECT_EQ(status(), QStringLiteral("Kontrast: 10 Probleme"));
    EXPECT_EQ(prompter.messages().size(), 1u);
}

} // namespace
} // namespace kw::shell::test
