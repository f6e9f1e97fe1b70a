// The name box of the page "Schaltflächen" as typed into: it shows exactly what is stored, only choosing an
// entry of its list switches the style shown, and a predefined style's name cannot be typed over.
#include "AppPageSheet.h"

#include <QComboBox>
#include <QLineEdit>

namespace kw::pages {
namespace {

using namespace kw::pages::test;

constexpr int kNameBox = 1149, kNewStyle = 1150, kDeleteStyle = 1151, kHeight = 1180;

class ButtonNameBoxTest : public AppPageSheetTest {
protected:
    void SetUp() override { document.flags().buttonStylesLoaded = true; }

    /// Clicks into the name box and types `text` over what it shows, key by key.
    static QLineEdit *typeIntoNameBox(QWidget &page, const char *text)
    {
        QLineEdit *edit = control<QComboBox>(page, kNameBox)->lineEdit();
        QTest::mouseClick(edit, Qt::LeftButton);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(text));
        return edit;
    }
    const layout::ButtonStyle *styleNamed(std::string_view name) const
    {
        for (const layout::ButtonStyle &style : document.model().buttons().styles())
            if (style.denotation == name)
                return &style;
        return nullptr;
    }
};

TEST_F(ButtonNameBoxTest, TheBoxShowsTheTypedNameWithoutCompletingItAndStoresIt)
{
    editPage("Schaltflächen", [](QWidget &page) {
        page.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.window()));
        click(page, kNewStyle);
        // "Spe" begins the names of two predefined styles; the box must not show either of them.
        QLineEdit *edit = typeIntoNameBox(page, "Spe");
        EXPECT_EQ(edit->text(), QStringLiteral("Spe"));
        EXPECT_EQ(control<QComboBox>(page, kNameBox)->currentText(), QStringLiteral("Spe"));
    });
    EXPECT_NE(styleNamed("Spe"), nullptr) << "the new style is stored under the name the box showed";
    EXPECT_EQ(styleNamed("Neuer Stil"), nullptr);
}

TEST_F(ButtonNameBoxTest, LeavingTheBoxWithAnotherStylesNameKeepsTheStyleShown)
{
    const int generalHeight = document.model().buttons().styles().front().height;
    editPage("Schaltflächen", [](QWidget &page) {
        page.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.window()));
        click(page, kNewStyle);
        auto *box = control<QComboBox>(page, kNameBox);
        const int newStyle = box->currentIndex();
        // The name of the first predefined style, typed whole, then the box is left.
        QLineEdit *edit = typeIntoNameBox(page, "Allgemein");
        QTest::keyClick(edit, Qt::Key_Tab);
        EXPECT_FALSE(edit->hasFocus());
        EXPECT_EQ(box->currentIndex(), newStyle) << "the style shown did not change";
        EXPECT_TRUE(control<QWidget>(page, kDeleteStyle)->isEnabled()) << "still the new, deletable style";

        // Named properly, the later edits go to the new style.
        typeIntoNameBox(page, "Mein Stil");
        typeInto(page, kHeight, "33");
    });
    ASSERT_NE(styleNamed("Mein Stil"), nullptr) << prompter.describe();
    EXPECT_EQ(styleNamed("Mein Stil")->height, 33);
    EXPECT_EQ(document.model().buttons().styles().front().height, generalHeight);
}

TEST_F(ButtonNameBoxTest, APredefinedStylesNameCannotBeTypedOver)
{
    const std::vector<layout::ButtonStyle> loaded = document.model().buttons().styles();
    ASSERT_FALSE(loaded.front().deletable);
    editPage("Schaltflächen", [&](QWidget &page) {
        page.window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(page.window()));
        auto *box = control<QComboBox>(page, kNameBox);
        ASSERT_TRUE(box->isEnabled());
        ASSERT_EQ(box->currentIndex(), 0);
        QLineEdit *edit = typeIntoNameBox(page, "Umbenannt");
        EXPECT_TRUE(edit->isReadOnly());
        EXPECT_EQ(edit->text(), QStringLiteral("Allgemein")) << "the box shows a name that is not stored";

        // A style of the user's takes a name; the predefined style before it, chosen in the list, does not.
        click(page, kNewStyle);
        EXPECT_FALSE(edit->isReadOnly());
        QTest::keyClick(box, Qt::Key_Up);
        ASSERT_EQ(box->currentIndex(), static_cast<int>(loaded.size()) - 1);
        EXPECT_TRUE(edit->isReadOnly());
    });
    EXPECT_NE(document.model().buttons().styles().front().denotation, "Umbenannt");
}

} // namespace
} // namespace kw::pages
