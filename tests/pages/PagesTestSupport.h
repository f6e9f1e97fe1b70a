// Helpers of the property page tests: working a modal dialog from inside its event loop, and the controls
// found by their IDs.
#pragma once

#include "ScriptedPrompter.h"
#include "WidgetTestSupport.h"
#include "controls/CKwColorBtn.h"
#include "layout/LayoutDocument.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include <optional>
#include <string>
#include <string_view>

namespace kw::pages::test {

using kw::test::click;
using kw::test::control;
using kw::test::whenModal;

/// Picks `color` in the colour picker that clicking button `id` opens.
inline void pickColor(QWidget &page, int id, QColor color)
{
    whenModal([color](QDialog &picker) {
        static_cast<QColorDialog &>(picker).setCurrentColor(color);
        picker.accept();
    });
    click(page, id);
}

/// Chooses `name` in the image chooser that the "Ändern..." button `id` opens.
inline void chooseImage(QWidget &page, const QString &name, int id = 1101)
{
    whenModal([name](QDialog &dialog) {
        auto *list = dialog.findChild<QListWidget *>(QStringLiteral("files"));
        const auto found = list->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        list->setCurrentItem(found.front());
        click(dialog, 1);
    });
    click(page, id);
}

/// Shows the sheet's tab with that caption; false when the sheet has none.
inline bool showTab(QDialog &sheet, const char *caption)
{
    auto *tabs = sheet.findChild<QTabBar *>(QStringLiteral("tabs"));
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->tabText(i) == QString::fromUtf8(caption)) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
            return true;
        }
    return false;
}

/// The label that names `control` (its buddy), or null.
inline QLabel *labelOf(QWidget &page, const QWidget *control)
{
    for (QLabel *label : page.findChildren<QLabel *>())
        if (label->buddy() == control)
            return label;
    return nullptr;
}

/// The visible edits, lists and colour buttons under `page` that no label names (by object name): their
/// caption is missing.
inline QStringList uncaptionedControls(QWidget &page)
{
    QStringList found;
    for (QWidget *widget : page.findChildren<QWidget *>()) {
        const bool edit =
            qobject_cast<QLineEdit *>(widget) && !qobject_cast<QComboBox *>(widget->parentWidget());
        const bool input =
            edit || qobject_cast<QComboBox *>(widget) || dynamic_cast<controls::CKwColorBtn *>(widget);
        if (input && widget->isVisibleTo(&page) && !labelOf(page, widget))
            found << widget->objectName();
    }
    return found;
}

/// Replaces the text of edit `id` by typing `text`.
inline void typeInto(QWidget &page, int id, const char *text)
{
    auto *edit = control<QLineEdit>(page, id);
    edit->selectAll();
    QTest::keyClicks(edit, QString::fromUtf8(text));
}

/// Saves the document as the active layout, answering the publishing question with Yes.
inline ::testing::AssertionResult saveAsActive(layout::LayoutDocument &document,
                                               kw::test::ScriptedPrompter &prompter)
{
    prompter.answerYes();
    document.commandSaveAsActive();
    if (document.saved())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not saved: " << prompter.describe();
}

/// The part of a published file from the first `start` up to the next `end` (a rule's body, a script's
/// line); empty when `start` is missing.
inline std::string partOf(const std::string &text, std::string_view start, char end = '}')
{
    const std::size_t from = text.find(start);
    if (from == std::string::npos)
        return {};
    return text.substr(from, text.find(end, from) - from);
}

/// The value of the line `Application("key") = value` of a published script, as written (quotes kept);
/// empty when the script has no such line.
inline std::string scriptValue(const std::string &script, std::string_view key)
{
    const std::string line = partOf(script, "(\"" + std::string(key) + "\")", '\r');
    const std::size_t equals = line.find(" = ");
    return equals == std::string::npos ? std::string() : line.substr(equals + 3);
}

/// The value of the property `name` in the rule `rule` of a published stylesheet, as written (up to the
/// semicolon); empty when the rule or the property is missing.
inline std::string ruleValue(const std::string &css, std::string_view rule, std::string_view name)
{
    const std::string body = partOf(css, std::string(rule) + " {");
    const std::string property = partOf(body, " " + std::string(name) + ":", ';');
    return property.empty() ? property : property.substr(name.size() + 3);
}

} // namespace kw::pages::test
