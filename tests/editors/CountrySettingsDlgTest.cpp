// The dialog "Ländereinstellungen" on a temporary portal: what it shows after reading, the checks at OK
// and the question before the script is written.
#include "editors/CCountrySettingsDlg.h"

#include "EditorsTestSupport.h"
#include "ScriptedPrompter.h"
#include "TempPortal.h"

#include <QLabel>
#include <QRadioButton>

namespace kw::editors {
namespace {

using namespace kw::editors::test;

constexpr const char *kScriptPath = "_KwInclude\\KwCompany\\KwDataFormat.asp";
constexpr const char *kQuestion = "Wollen Sie die Ländereinstellungen wirklich ändern?";

std::string script(const char *lcid, const char *d, const char *g, const char *md, const char *mg)
{
    return std::string("<SCRIPT LANGUAGE=VBScript RUNAT=Server>\r\n\r\nsub SetDataFormat()\r\n") +
           "\tApplication(\"g_LCID\") = " + lcid + "\r\n\tApplication(\"g_strDecimalSymbol\") = \"" + d +
           "\"\r\n\tApplication(\"g_strDecimalGroupingSymbol\") = \"" + g +
           "\"\r\n\tApplication(\"g_strMonetaryDecimalSymbol\") = \"" + md +
           "\"\r\n\tApplication(\"g_strMonetaryDecimalGroupingSymbol\") = \"" + mg +
           "\"\r\n\r\nend sub\r\n\r\n</Script>\r\n";
}

class CountrySettingsDlgTest : public ::testing::Test {
protected:
    kw::test::TempPortal portal{false};
    kw::test::ScriptedPrompter prompter;

    std::string stored() const { return portal.read(kScriptPath); }
    static std::array<QString, 4> symbols(QWidget &dialog)
    {
        std::array<QString, 4> texts;
        const int ids[] = {res::IDC_DECIMAL, res::IDC_GROUPING, res::IDC_MONETARY_DECIMAL,
                           res::IDC_MONETARY_GROUPING};
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i] = control<QLineEdit>(dialog, ids[i])->text();
        return texts;
    }
    static int checkedFormat(QWidget &dialog)
    {
        for (int id : {res::IDC_FORMAT_US, res::IDC_FORMAT_UK, res::IDC_FORMAT_DE})
            if (control<QRadioButton>(dialog, id)->isChecked())
                return id;
        return 0;
    }
};

TEST_F(CountrySettingsDlgTest, OpensOnAMissingScriptWithAFreshOne)
{
    CCountrySettingsDlg dialog(portal.env(), prompter);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Ländereinstellungen"));
    EXPECT_EQ(stored(), script("1031", "", "", "", ""));
    EXPECT_EQ(checkedFormat(dialog), res::IDC_FORMAT_DE);
    EXPECT_EQ(symbols(dialog), (std::array<QString, 4>{}));
    for (int id :
         {res::IDC_DECIMAL, res::IDC_GROUPING, res::IDC_MONETARY_DECIMAL, res::IDC_MONETARY_GROUPING}) {
        EXPECT_EQ(control<QLineEdit>(dialog, id)->maxLength(), 1) << id;
        EXPECT_FALSE(control<QLineEdit>(dialog, id)->accessibleName().isEmpty()) << id;
    }
    EXPECT_EQ(control<QWidget>(dialog, res::IDC_HEADER_NUMBERS)->findChild<QLabel *>()->text(),
              QStringLiteral(" Zahlen"));

    // OK without a change closes and writes nothing more.
    portal.write(kScriptPath, "marker");
    click(dialog, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(stored(), "marker");
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
}

TEST_F(CountrySettingsDlgTest, ShowsTheScriptAndWritesTheChangeAfterYes)
{
    portal.write(kScriptPath, script("1033", ",", ".", ",", "."));
    RecordedHelp help;
    CCountrySettingsDlg dialog(portal.env(), prompter);
    dialog.show();
    EXPECT_EQ(checkedFormat(dialog), res::IDC_FORMAT_US);
    EXPECT_EQ(symbols(dialog), (std::array<QString, 4>{",", ".", ",", "."}));

    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_F1);
    EXPECT_TRUE(help.shown().contains(QStringLiteral("74_1.htm"))) << help.shown().join(' ').toStdString();

    click(dialog, res::IDC_FORMAT_UK);
    type(dialog, res::IDC_DECIMAL, QStringLiteral(".x")); // one character only
    type(dialog, res::IDC_GROUPING, QStringLiteral(","));
    type(dialog, res::IDC_MONETARY_DECIMAL, QStringLiteral("."));
    type(dialog, res::IDC_MONETARY_GROUPING, QString::fromUtf8("’"));
    prompter.answerYes();
    click(dialog, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{kQuestion});
    EXPECT_EQ(stored(), script("2057", ".", ",", ".", "\x92")); // the right quote in Windows-1252
}

TEST_F(CountrySettingsDlgTest, RefusalsKeepTheDialogOpenAndNoLeavesTheScript)
{
    const std::string before = script("1031", ",", ".", ",", ".");
    portal.write(kScriptPath, before);
    CCountrySettingsDlg dialog(portal.env(), prompter);
    dialog.show();

    const std::pair<std::pair<int, const char *>, const char *> steps[] = {
        {{res::IDC_DECIMAL, ""}, "Das Dezimaltrennzeichen darf nicht leer sein."},
        {{res::IDC_DECIMAL, "1"},
         "Das Dezimal- oder Tausendertrennzeichen enthält nicht erlaubte Zeichen, z.B. Ziffern, Vorzeichen"},
        {{res::IDC_DECIMAL, "."},
         "Diese Kombination von Tausender- und Dezimaltrennzeichen ist nicht erlaubt. Das "
         "Tausendertrennzeichen darf nicht im Dezimaltrennzeichen enthalten sein."},
        // A symbol the script's Windows-1252 cannot hold is refused, not written as "?".
        {{res::IDC_GROUPING, "☃"},
         "Das Dezimal- oder Tausendertrennzeichen kann nicht gespeichert werden, denn KwDataFormat.asp "
         "nimmt nur Zeichen des Zeichensatzes Windows-1252 auf."},
    };
    for (const auto &[edit, message] : steps) {
        prompter.clear();
        type(dialog, edit.first, QString::fromUtf8(edit.second));
        click(dialog, 1);
        EXPECT_TRUE(dialog.isVisible()) << message;
        EXPECT_EQ(prompter.messages(), std::vector<std::string>{message});
    }

    prompter.clear();
    type(dialog, res::IDC_GROUPING, QStringLiteral(" "));
    prompter.answerNo();
    click(dialog, 1);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{kQuestion});
    EXPECT_EQ(stored(), before);
}

TEST_F(CountrySettingsDlgTest, ClickOnTheChosenFormatAsksAndCancelNever)
{
    const std::string before = script("2057", ".", ",", ".", ",");
    portal.write(kScriptPath, before);
    {
        CCountrySettingsDlg dialog(portal.env(), prompter);
        dialog.show();
        click(dialog, res::IDC_FORMAT_UK);
        type(dialog, res::IDC_DECIMAL, QStringLiteral(";"));
        click(dialog, 2);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_TRUE(prompter.events().empty()) << prompter.describe();
    EXPECT_EQ(stored(), before);

    CCountrySettingsDlg dialog(portal.env(), prompter);
    dialog.show();
    ASSERT_EQ(checkedFormat(dialog), res::IDC_FORMAT_UK);
    click(dialog, res::IDC_FORMAT_UK);
    portal.write(kScriptPath, "marker");
    prompter.answerYes();
    click(dialog, 1);
    EXPECT_EQ(prompter.questions(), std::vector<std::string>{kQuestion});
    EXPECT_EQ(stored(), before); // the same values, written again
    EXPECT_TRUE(prompter.allAnswersUsed());
}

} // namespace
} // namespace kw::editors
