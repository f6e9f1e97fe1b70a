// The server file dialog on a temporary portal: listing, filtering, preselection, preview and errors.
#include "controls/CKwPictureCtrl.h"
#include "controls/CSrvFileSelDlg.h"

#include "FaultInjection.h"
#include "PagesTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QBuffer>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

namespace kw::controls {
namespace {

using kw::pages::test::whenModal;

std::string png(QColor color)
{
    QImage image(8, 5, QImage::Format_RGB32);
    image.fill(color);
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return data.toStdString();
}

FileSelection imageSelection(std::string proposed = {})
{
    return {"Images\\Company",
            std::move(proposed),
            ".jpg",
            {".jpg", ".jpeg", ".png", ".gif"},
            "Imagedateien (*.jpg;*.jpeg;*.png;*.gif)|*.jpg;*.jpeg;*.png;*.gif|"};
}

class FileSelDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        portal.write("Images\\Company\\red.png", png(Qt::red));
        portal.write("Images\\Company\\Blue.PNG", png(Qt::blue));
        portal.write("Images\\Company\\broken.gif", "GIF89a but nothing else");
        portal.write("Images\\Company\\notes.txt", "text");
        portal.write("Images\\Company\\archive.png.bak", "old");
    }

    kw::test::TempPortal portal{false};
    kw::test::ScriptedPrompter prompter;
};

QListWidget &fileList(QDialog &dialog)
{
    return *dialog.findChild<QListWidget *>(QStringLiteral("files"));
}

CKwPictureCtrl &preview(QDialog &dialog)
{
    return *dialog.findChild<CKwPictureCtrl *>(QStringLiteral("preview"));
}

void highlight(QDialog &dialog, const QString &name)
{
    QListWidget &list = fileList(dialog);
    const auto found = list.findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    const QRect where = list.visualItemRect(found.front());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, where.center());
}

TEST_F(FileSelDlgTest, ListsThePortalFolderFilteredAndPreselectsTheProposedFile)
{
    CSrvFileSelDlg dialog(portal.env(), prompter, imageSelection("RED.png"));
    whenModal([](QDialog &shown) {
        auto &self = static_cast<CSrvFileSelDlg &>(shown);
        EXPECT_EQ(kw::test::misplacedControls(shown).join(", ").toStdString(), "");
        EXPECT_EQ(self.listedFiles(), (std::vector<std::string>{"Blue.PNG", "broken.gif", "red.png"}));
        ASSERT_NE(fileList(shown).currentItem(), nullptr);
        EXPECT_EQ(fileList(shown).currentItem()->text(), QStringLiteral("red.png"));
        EXPECT_EQ(shown.findChild<QLineEdit *>(QStringLiteral("fileName"))->text(),
                  QStringLiteral("red.png"));
        EXPECT_EQ(shown.findChild<QComboBox *>(QStringLiteral("fileType"))->currentText(),
                  QStringLiteral("Imagedateien (*.jpg;*.jpeg;*.png;*.gif)"));
        // The preview is the decoded picture.
        ASSERT_FALSE(preview(shown).picture().isNull());
        EXPECT_EQ(preview(shown).picture().pixelColor(0, 0), QColor(Qt::red));

        highlight(shown, QStringLiteral("Blue.PNG"));
        EXPECT_EQ(preview(shown).picture().pixelColor(7, 4), QColor(Qt::blue));
        kw::pages::test::click(shown, 1);
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.fileName(), "Blue.PNG");
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(FileSelDlgTest, APictureThatCannotBeDecodedIsNotPreviewedAndTheDialogStaysUsable)
{
    std::optional<std::string> chosen;
    whenModal([](QDialog &shown) {
        highlight(shown, QStringLiteral("broken.gif"));
        EXPECT_TRUE(preview(shown).picture().isNull());
        EXPECT_EQ(preview(shown).text(), noPreviewText());
        highlight(shown, QStringLiteral("red.png"));
        EXPECT_FALSE(preview(shown).picture().isNull());
        highlight(shown, QStringLiteral("broken.gif"));
        kw::pages::test::click(shown, 1);
    });
    chosen = CSrvFileSelDlg::choose(portal.env(), prompter, imageSelection());
    EXPECT_EQ(chosen, "broken.gif");
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(FileSelDlgTest, ATypedNameGetsTheDefaultExtensionAndMustExist)
{
    portal.write("Images\\Company\\photo.jpg", "not really a jpeg");
    whenModal([this](QDialog &shown) {
        auto *name = shown.findChild<QLineEdit *>(QStringLiteral("fileName"));
        name->setText(QStringLiteral("missing"));
        kw::pages::test::click(shown, 1);
        EXPECT_TRUE(shown.isVisible());
        EXPECT_EQ(prompter.messages().size(), 1u);
        name->setText(QStringLiteral("PHOTO"));
        kw::pages::test::click(shown, 1);
    });
    EXPECT_EQ(CSrvFileSelDlg::choose(portal.env(), prompter, imageSelection()), "photo.jpg");
}

// What the list does not offer cannot be typed either: another extension, another file type chosen, no
// name at all.
TEST_F(FileSelDlgTest, ANameTheListDoesNotOfferIsRefused)
{
    FileSelection selection = imageSelection();
    selection.filter = "GIF-Dateien (*.gif)|*.gif|PNG-Dateien (*.png)|*.png|";
    whenModal([this](QDialog &shown) {
        auto &self = static_cast<CSrvFileSelDlg &>(shown);
        auto *name = shown.findChild<QLineEdit *>(QStringLiteral("fileName"));
        auto *type = shown.findChild<QComboBox *>(QStringLiteral("fileType"));
        EXPECT_EQ(self.listedFiles(), std::vector<std::string>{"broken.gif"});
        for (const char *typed : {"notes.txt", "archive.png.bak", "red.png"}) {
            name->setText(QString::fromUtf8(typed));
            kw::pages::test::click(shown, 1);
            EXPECT_TRUE(shown.isVisible()) << typed;
            // The refused name is ready to be typed over.
            EXPECT_EQ(shown.focusWidget(), name) << typed;
            EXPECT_EQ(name->selectedText(), QString::fromUtf8(typed));
        }
        EXPECT_EQ(
            prompter.messages(),
            (std::vector<std::string>{"Die Datei \"notes.txt\" wurde in diesem Ordner nicht gefunden.",
                                      "Die Datei \"archive.png.bak\" wurde in diesem Ordner nicht gefunden.",
                                      "Die Datei \"red.png\" wurde in diesem Ordner nicht gefunden."}));
        name->clear();
        kw::pages::test::click(shown, 1);
        EXPECT_TRUE(shown.isVisible());
        EXPECT_EQ(prompter.messages().size(), 3u) << "an empty name is no answer";

        // The other file type lists and accepts the pictures of its own kind.
        type->setFocus();
        QTest::keyClick(type, Qt::Key_Down);
        EXPECT_EQ(self.listedFiles(), (std::vector<std::string>{"Blue.PNG", "red.png"}));
        name->setText(QStringLiteral("broken.gif"));
        kw::pages::test::click(shown, 1);
        EXPECT_TRUE(shown.isVisible());
        name->setText(QStringLiteral("RED.png"));
        kw::pages::test::click(shown, 1);
    });
    EXPECT_EQ(CSrvFileSelDlg::choose(portal.env(), prompter, selection), "red.png");
    EXPECT_EQ(prompter.messages().size(), 4u);
}

TEST_F(FileSelDlgTest, ServerErrorsAreReportedOnce)
{
    // A folder that is not there: reported, the dialog does not open.
    FileSelection missing = imageSelection();
    missing.folder = "Images\\Nowhere";
    EXPECT_EQ(CSrvFileSelDlg::choose(portal.env(), prompter, missing), std::nullopt);
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12575});
    EXPECT_NE(prompter.events().front().serverMessage.find("Nowhere"), std::string::npos);

    // A picture that cannot be read: reported the first time only, the dialog stays.
    prompter.clear();
    kw::test::FaultPlan plan;
    plan.failReads = {"red.png"};
    server::Environment faulty = kw::test::withFaults(portal.env(), plan);
    whenModal([this](QDialog &shown) {
        highlight(shown, QStringLiteral("red.png"));
        EXPECT_EQ(preview(shown).text(), noPreviewText());
        highlight(shown, QStringLiteral("Blue.PNG"));
        highlight(shown, QStringLiteral("red.png"));
        EXPECT_EQ(prompter.errorIds(), std::vector<int>{12575});
        kw::pages::test::click(shown, 2);
    });
    EXPECT_EQ(CSrvFileSelDlg::choose(faulty, prompter, imageSelection()), std::nullopt);
    EXPECT_EQ(prompter.errorIds(), std::vector<int>{12575});
}

TEST(FileSelFilterTest, FilterStringsSplitIntoDescriptionsAndPatterns)
{
    const auto entries =
        CSrvFileSelDlg::parseFilter("Webseiten (*.asp;*.htm;*.html)|*.asp;*.htm;*.html|Alle (*.*)|*.*|");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].description, "Webseiten (*.asp;*.htm;*.html)");
    EXPECT_EQ(entries[0].patterns, (std::vector<std::string>{"*.asp", "*.htm", "*.html"}));
    EXPECT_EQ(entries[1].patterns, std::vector<std::string>{"*.*"});
    EXPECT_TRUE(CSrvFileSelDlg::parseFilter("").empty());
}

} // namespace
} // namespace kw::controls
