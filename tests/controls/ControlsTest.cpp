// The colour button, font chooser, border style box, picture control and the data exchange.
#include "controls/CBorderStyleBox.h"
#include "controls/CFontChooserCtrl.h"
#include "controls/CKwColorBtn.h"
#include "controls/CKwPictureCtrl.h"
#include "controls/DataExchange.h"

#include "base/Values.h"

#include "PagesTestSupport.h"
#include "ScriptedPrompter.h"

#include <QBuffer>
#include <QColorDialog>
#include <QFontDatabase>
#include <QLineEdit>

namespace kw::controls {
namespace {

using kw::pages::test::whenModal;

TEST(ColorButtonTest, PickerStartsOnTheColourOffersTheLayoutColoursAndReportsAChange)
{
    CKwColorBtn button;
    button.setAccessibleName(QStringLiteral("Farbe normal"));
    button.setColor(rgb(0x10, 0x20, 0x30));
    const std::vector<Color> layoutColors = {rgb(0xAA, 0, 0), rgb(0, 0xBB, 0)};
    CKwColorBtn::SetColors(layoutColors);
    std::vector<Color> reported;
    button.onColorChanged = [&](Color c) { reported.push_back(c); };

    whenModal([](QDialog &dialog) {
        auto *picker = qobject_cast<QColorDialog *>(&dialog);
        ASSERT_NE(picker, nullptr);
        EXPECT_EQ(picker->currentColor(), QColor(0x10, 0x20, 0x30));
        EXPECT_EQ(QColorDialog::customColor(0), QColor(0xAA, 0, 0));
        EXPECT_EQ(QColorDialog::customColor(1), QColor(0, 0xBB, 0));
        picker->setCurrentColor(QColor(0xFF, 0x80, 0x01));
        picker->accept();
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(button.color(), rgb(0xFF, 0x80, 0x01));
    EXPECT_EQ(reported, std::vector<Color>{rgb(0xFF, 0x80, 0x01)});

    // Cancel and picking the same colour again report nothing.
    whenModal([](QDialog &dialog) {
        static_cast<QColorDialog &>(dialog).setCurrentColor(Qt::blue);
        dialog.reject();
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    whenModal([](QDialog &dialog) { dialog.accept(); });
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(button.color(), rgb(0xFF, 0x80, 0x01));
    EXPECT_EQ(reported.size(), 1u);
}

TEST(ColorButtonTest, ShowsItsColour)
{
    CKwColorBtn button;
    button.resize(60, 24);
    button.setColor(rgb(0x12, 0x34, 0x56));
    const QImage shot = button.grab().toImage();
    EXPECT_EQ(shot.pixelColor(shot.width() / 2, shot.height() / 2), QColor(0x12, 0x34, 0x56));

    // Disabled, the colour still shows, veiled: a colour that follows another one stays visible.
    button.setColor(rgb(0, 0, 0));
    button.setEnabled(false);
    const QColor veiled = button.grab().toImage().pixelColor(shot.width() / 2, shot.height() / 2);
    EXPECT_NE(veiled, button.palette().color(QPalette::Window));
    EXPECT_LT(veiled.lightness(), button.palette().color(QPalette::Window).lightness());
}

TEST(FontChooserTest, OffersTheSystemFamiliesAndReportsOnlyTheUsersEdits)
{
    CFontChooserCtrl chooser;
    const QStringList families = QFontDatabase::families();
    ASSERT_FALSE(families.isEmpty());
    EXPECT_EQ(chooser.count(), families.size());
    EXPECT_GE(chooser.findText(families.front()), 0);

    std::vector<std::string> edits;
    chooser.onEdited = [&](const std::string &text) { edits.push_back(text); };
    chooser.setText("Verdana, Arial");
    EXPECT_EQ(chooser.text(), "Verdana, Arial"); // a family list the system does not know stays as it is
    EXPECT_TRUE(edits.empty());

    chooser.lineEdit()->clear();
    QTest::keyClicks(chooser.lineEdit(), "Ab");
    EXPECT_EQ(chooser.text(), "Ab");
    ASSERT_FALSE(edits.empty());
    EXPECT_EQ(edits.back(), "Ab");

    chooser.setCurrentIndex(0);
    EXPECT_EQ(chooser.text(), families.front().toStdString());
}

TEST(BorderStyleBoxTest, NinePicturesInKeywordOrderSelectedByExactKeyword)
{
    CBorderStyleBox box;
    ASSERT_EQ(box.count(), 9);
    EXPECT_FALSE(box.borderStyle().has_value());
    for (int i = 0; i < box.count(); ++i) {
        EXPECT_TRUE(box.itemText(i).isEmpty());
        EXPECT_EQ(box.itemData(i, Qt::AccessibleTextRole).toString().toStdString(),
                  kBorderStyles[static_cast<std::size_t>(i)]);
        const QImage picture =
            box.itemIcon(i).pixmap(CBorderStyleBox::kPictureWidth, CBorderStyleBox::kPictureHeight).toImage();
        ASSERT_EQ(picture.size(), QSize(48, 18)) << i;
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << "the magenta corner is transparent, item " << i;
    }
    // The solid and the double frame differ from the empty picture of "none".
    const auto image = [&](int i) { return box.itemIcon(i).pixmap(48, 18).toImage(); };
    EXPECT_NE(image(0), image(1));
    EXPECT_NE(image(1), image(4));

    box.setBorderStyle("groove");
    EXPECT_EQ(box.borderStyle(), "groove");
    box.setBorderStyle("Groove"); // not exactly a keyword: the selection stays
    box.setBorderStyle("");
    EXPECT_EQ(box.borderStyle(), "groove");
    box.clearSelection();
    EXPECT_FALSE(box.borderStyle().has_value());
}

std::vector<std::uint8_t> pngBytes(const QImage &image)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {data.begin(), data.end()};
}

TEST(PictureCtrlTest, DecodesThroughTheImageObjectAndTellsWhyNot)
{
    QImage source(6, 4, QImage::Format_RGB32);
    source.fill(QColor(0x20, 0x40, 0xC0));
    CKwPictureCtrl control;
    ASSERT_TRUE(control.loadPicture(pngBytes(source), 4));
    ASSERT_EQ(control.picture().size(), QSize(6, 4));
    EXPECT_EQ(control.picture().pixelColor(5, 3), QColor(0x20, 0x40, 0xC0));

    const std::vector<std::uint8_t> junk = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'};
    EXPECT_FALSE(control.loadPicture(junk, 4));
    EXPECT_TRUE(control.picture().isNull());
    EXPECT_FALSE(control.lastError().empty());
}

TEST(DataExchangeTest, RefusesNonNumbersAndValuesOutOfRangeWithTheStandardMessage)
{
    kw::test::ScriptedPrompter prompter;
    QLineEdit edit;
    int value = 11;
    ASSERT_TRUE(
        DataExchange::run(false, prompter, [&](DataExchange &dx) { dx.number(&edit, value, 0, 1000); }));
    EXPECT_EQ(edit.text(), QStringLiteral("11"));

    struct Case {
        const char *text;
        bool accepted;
        int value;
        std::string message;
    };
    const Case cases[] = {
        {" 42 ", true, 42, ""},
        {"1000", true, 1000, ""},
        {"12px", false, 42, notANumberMessage()},
        {"", false, 42, notANumberMessage()},
        {"1001", false, 42, outOfRangeMessage(0, 1000)},
        {"-1", false, 42, outOfRangeMessage(0, 1000)},
    };
    value = 42;
    for (const Case &c : cases) {
        prompter.clear();
        edit.setText(QString::fromUtf8(c.text));
        int taken = value;
        const bool ok =
            DataExchange::run(true, prompter, [&](DataExchange &dx) { dx.number(&edit, taken, 0, 1000); });
        EXPECT_EQ(ok, c.accepted) << c.text;
        if (ok)
            EXPECT_EQ(taken, c.value) << c.text;
        else
            EXPECT_EQ(prompter.messages(), std::vector<std::string>{c.message}) << c.text;
    }
    EXPECT_EQ(outOfRangeMessage(0, 1000), "Bitte geben Sie eine ganze Zahl zwischen 0 und 1000 ein.");
}

} // namespace
} // namespace kw::controls
