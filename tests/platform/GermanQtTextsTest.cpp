// Qt's own texts in German: from Qt's translation file, from the built-in texts when that file is missing,
// and left alone when the host translated them already; the message boxes' buttons either way.
#include "platform/GermanQtTexts.h"
#include "platform/QtPrompter.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

namespace kw::platform {
namespace {

/// The texts of the boxes the prompter shows: a question's buttons, and the error box's buttons.
QStringList buttonTexts(QMessageBox &box)
{
    QStringList texts;
    for (const QPushButton *button : box.findChildren<QPushButton *>())
        texts << button->text();
    texts.sort();
    return texts;
}

/// The edit menu of an entry field, without shortcuts and separators.
QStringList editMenu()
{
    QLineEdit edit(QStringLiteral("Text"));
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().section(QLatin1Char('\t'), 0, 0);
    return texts;
}

void expectGermanBoxesAndMenus()
{
    QtPrompter prompter;
    EXPECT_EQ(buttonTexts(*prompter.questionBox("Frage?")), (QStringList{"&Ja", "&Nein"}));
    EXPECT_EQ(buttonTexts(*prompter.messageBox("Hinweis")), QStringList{"OK"});
    EXPECT_EQ(
        buttonTexts(*prompter.errorBox(StringId::LayoutNotRead, ServerError(ServerError::NotFound, "x"))),
        (QStringList{"Details einblenden...", "OK"}));
    EXPECT_EQ(editMenu(), (QStringList{"&Rückgängig", "Wieder&herstellen", "&Ausschneiden", "&Kopieren",
                                       "Einf&ügen", "Löschen", "Alles auswählen"}));
}

TEST(GermanQtTexts, QtsOwnTranslationFileMakesBoxesAndMenusGerman)
{
    ASSERT_FALSE(qtTextsTranslated()) << "a test left a translator installed";
    {
        const GermanQtTexts german;
        EXPECT_EQ(german.source(), GermanQtTexts::Source::QtFile)
            << "qtbase_de.qm (qt6-translations-l10n) is missing from "
            << QLibraryInfo::path(QLibraryInfo::TranslationsPath).toStdString();
        EXPECT_TRUE(qtTextsTranslated());
        expectGermanBoxesAndMenus();
        // What the built-in texts do not cover comes from the file too.
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Save All"),
                  QStringLiteral("Alles speichern"));
    }
    EXPECT_FALSE(qtTextsTranslated()) << "the translation leaves with its owner";
    EXPECT_EQ(editMenu().front(), QStringLiteral("&Undo"));
}

TEST(GermanQtTexts, WithoutTheFileTheBuiltInTextsSpeakGerman)
{
    QTemporaryDir noTranslations;
    ASSERT_TRUE(noTranslations.isValid());
    const GermanQtTexts german(noTranslations.path());
    EXPECT_EQ(german.source(), GermanQtTexts::Source::BuiltIn);
    expectGermanBoxesAndMenus();
}

TEST(GermanQtTexts, AHostsOwnTranslationIsLeftAlone)
{
    const GermanQtTexts host;
    ASSERT_TRUE(qtTextsTranslated());
    const GermanQtTexts module;
    EXPECT_EQ(module.source(), GermanQtTexts::Source::Untouched);
}

TEST(GermanQtTexts, TheBuiltInTextsAreQtsOwnGermanTexts)
{
    QTranslator file;
    ASSERT_TRUE(file.load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    for (const QtText &text : builtInGermanQtTexts())
        EXPECT_EQ(file.translate(text.context, text.source), QString::fromUtf8(text.german))
            << text.context << " " << text.source;
}

} // namespace
} // namespace kw::platform
