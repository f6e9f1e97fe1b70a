// The colour button, header caption, font chooser, border style box, picture control and the data exchange.
#include "controls/CBorderStyleBox.h"
#include "controls/CFontChooserCtrl.h"
#include "controls/CKwColorBtn.h"
#include "controls/CKwNiceStatic.h"
#include "controls/CKwPictureCtrl.h"
#include "controls/DataExchange.h"

#include "base/Values.h"

#include "PagesTestSupport.h"
#include "ScriptedPrompter.h"

#include <QBuffer>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

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
    // Around the swatch it is a push button like any other.
    QPushButton plain;
    plain.resize(60, 24);
    const QImage bevel = plain.grab().toImage();
    for (const QPoint at : {QPoint(1, 12), QPoint(30, 1), QPoint(58, 22)})
        EXPECT_EQ(shot.pixelColor(at), bevel.pixelColor(at)) << at.x() << "," << at.y();

    // Disabled, the colour still shows, veiled: a colour that follows another one stays visible.
    button.setColor(rgb(0, 0, 0));
    button.setEnabled(false);
    const QColor veiled = button.grab().toImage().pixelColor(shot.width() / 2, shot.height() / 2);
    EXPECT_NE(veiled, button.palette().color(QPalette::Window));
    EXPECT_LT(veiled.lightness(), button.palette().color(QPalette::Window).lightness());
}

// In header mode the caption is a bold text on a bar shaded from left to right, underlined across its width.
TEST(HeaderCaptionTest, ShowsABoldTextOnAShadedUnderlinedBar)
{
    CKwNiceStatic header(QStringLiteral(" Rahmen"));
    header.setHeaderMode(true);
    EXPECT_TRUE(header.font().bold());
    header.resize(200, header.sizeHint().height());
    const QImage shot = header.grab().toImage();
    const QPalette colors = header.palette();
    const int bottom = shot.height() - 1;
    for (int x : {0, 100, 199})
        EXPECT_EQ(QColor(shot.pixel(x, bottom)).name(), colors.color(QPalette::Dark).name()) << x;
    EXPECT_EQ(QColor(shot.pixel(199, 1)).name(), colors.color(QPalette::Window).name())
        << "the shade ends in the page's colour";
    EXPECT_NE(shot.pixelColor(0, 1), shot.pixelColor(199, 1)) << "shaded";
    // The text is drawn in the left part only.
    int textPixels = 0;
    for (int y = 1; y < bottom; ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (shot.pixelColor(x, y).lightness() < colors.color(QPalette::Dark).lightness())
                textPixels += x < 100 ? 1 : 1000;
    EXPECT_GT(textPixels, 0);
    EXPECT_LT(textPixels, 1000);
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

// In its own size the control takes the picture's size (and its frame) in a layout, at once for every
// picture loaded and cleared.
TEST(PictureCtrlTest, TakesEachPicturesSizeInALayout)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *control = new CKwPictureCtrl;
    layout->addWidget(control, 0, Qt::AlignLeft | Qt::AlignTop);
    window.resize(400, 300);
    window.show();
    const QSize frame(2 * control->frameWidth(), 2 * control->frameWidth());
    const QSize empty = control->size();
    for (const QSize size : {QSize(40, 30), QSize(12, 9)}) {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::green);
        ASSERT_TRUE(control->loadPicture(pngBytes(picture), 4));
        QCoreApplication::processEvents();
        EXPECT_EQ(control->size(), size + frame);
    }
    control->clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(control->size(), empty);
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

// Switches, radio groups, lists and texts go into the controls and back unchanged; a disabled number field
// keeps its value; a refused field gets the focus with its text selected.
TEST(DataExchangeTest, EveryKindOfControlGoesBothWays)
{
    kw::test::ScriptedPrompter prompter;
    QWidget window;
    auto *box = new QCheckBox(&window);
    QRadioButton *radios[] = {new QRadioButton(&window), new QRadioButton(&window),
                              new QRadioButton(&window)};
    auto *list = new QComboBox(&window);
    list->addItems({"100", "200", "300"});
    auto *edit = new QLineEdit(&window);
    auto *number = new QLineEdit(&window);
    window.show();

    bool on = true;
    int choice = 2, index = 1, size = 7;
    std::string text = "Tahoma";
    auto exchange = [&](DataExchange &dx) {
        dx.check(box, on);
        dx.radio({radios[0], radios[1], radios[2]}, choice);
        dx.index(list, index);
        dx.text(edit, text);
        dx.number(number, size, 0, 100);
    };
    ASSERT_TRUE(DataExchange::run(false, prompter, exchange));
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(radios[2]->isChecked());
    EXPECT_FALSE(radios[0]->isChecked());
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(edit->text(), QStringLiteral("Tahoma"));

    box->setChecked(false);
    radios[1]->setChecked(true);
    list->setCurrentIndex(2);
    edit->setText(QStringLiteral("Courier"));
    number->setText(QStringLiteral("12"));
    ASSERT_TRUE(DataExchange::run(true, prompter, exchange));
    EXPECT_FALSE(on);
    EXPECT_EQ(choice, 1);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(text, "Courier");
    EXPECT_EQ(size, 12);

    // An index outside the list shows no selection; a disabled number field is not read.
    index = 7;
    ASSERT_TRUE(DataExchange::run(false, prompter, exchange));
    EXPECT_EQ(list->currentIndex(), -1);
    number->setText(QStringLiteral("kein"));
    number->setEnabled(false);
    ASSERT_TRUE(DataExchange::run(true, prompter, exchange));
    EXPECT_EQ(size, 12);
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();

    number->setEnabled(true);
    number->setText(QStringLiteral("kein"));
    EXPECT_FALSE(DataExchange::run(true, prompter, exchange));
    EXPECT_EQ(window.focusWidget(), number);
    EXPECT_EQ(number->selectedText(), QStringLiteral("kein"));
}

} // namespace
} // namespace kw::controls
