// The switches of the pages "Eingabefelder" and "Schaltflächen" clicked while a number field holds no
// number: the value is refused, the click is undone, and the page stays in the state of its switch.
#include "AppPageSheet.h"

#include "controls/CBorderStyleBox.h"
#include "controls/CKwNiceStatic.h"

#include <QCheckBox>

namespace kw::pages {
namespace {

using namespace kw::pages::test;

struct SwitchPage {
    const char *caption;
    int switchId, numberId, borderStyleId;
    bool entryFields; ///< the page "Eingabefelder", else "Schaltflächen"
    int furtherRuled; ///< a control with a further condition ("Löschen": a deletable style), 0 none
};

constexpr SwitchPage kEntryFields{"Eingabefelder", 1147, 1117, 1132, true, 0};
constexpr SwitchPage kButtons{"Schaltflächen", 1140, 1120, 1133, false, 1151};

void PrintTo(const SwitchPage &page, std::ostream *out)
{
    *out << page.caption;
}

/// Clicks a check box on its indicator, as the user does.
void clickSwitch(QWidget &page, int id)
{
    auto *box = control<QCheckBox>(page, id);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

/// The page as its switch describes it: every control but the switch (and the section headers, which only
/// name their groups) enabled exactly when the switch is on, a border style shown only then.
void expectStateOfTheSwitch(QWidget &page, const SwitchPage &spec)
{
    const bool on = control<QCheckBox>(page, spec.switchId)->isChecked();
    for (QWidget *widget : page.findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (widget->objectName() == QString::number(spec.switchId) ||
            widget->objectName() == QString::number(spec.furtherRuled) ||
            dynamic_cast<controls::CKwNiceStatic *>(widget))
            continue;
        EXPECT_EQ(widget->isEnabled(), on) << spec.caption << ": " << widget->objectName().toStdString();
    }
    EXPECT_EQ(control<controls::CBorderStyleBox>(page, spec.borderStyleId)->currentIndex() >= 0, on)
        << spec.caption;
}

class SwitchAfterRefusalTest : public AppPageSheetTest, public ::testing::WithParamInterface<SwitchPage> {
protected:
    void SetUp() override
    {
        document.flags().entryStyleFromCss = true;
        document.flags().buttonStylesLoaded = true;
        document.model().page().entryBorderStyle = "dashed";
        for (const layout::ButtonStyle &style : document.model().buttons().styles())
            document.model().buttons().find(style.key)->borderStyle = "dashed";
    }
    /// Whether the layout keeps the page's switch on.
    bool switchOn() const
    {
        return GetParam().entryFields ? document.flags().entryStyleFromCss
                                      : document.flags().buttonStylesLoaded;
    }
};

TEST_P(SwitchAfterRefusalTest, TheClickIsUndoneAndThePageKeepsTheStateOfItsSwitch)
{
    const SwitchPage &spec = GetParam();
    editPage(spec.caption, [&](QWidget &page) {
        typeInto(page, spec.numberId, "abc");
        clickSwitch(page, spec.switchId);
        EXPECT_EQ(prompter.messages(), std::vector<std::string>{"Bitte geben Sie eine ganze Zahl ein."});
        EXPECT_TRUE(control<QCheckBox>(page, spec.switchId)->isChecked()) << "the click was refused";
        expectStateOfTheSwitch(page, spec);

        // Corrected, the switch goes off, and the page with it.
        typeInto(page, spec.numberId, "2");
        clickSwitch(page, spec.switchId);
        EXPECT_FALSE(control<QCheckBox>(page, spec.switchId)->isChecked());
        expectStateOfTheSwitch(page, spec);
    });
    EXPECT_FALSE(switchOn());
    EXPECT_EQ(prompter.messages().size(), 1u) << prompter.describe();
}

TEST_P(SwitchAfterRefusalTest, WhatIsPickedAfterTheRefusalGoesWithTheSwitchOn)
{
    const SwitchPage &spec = GetParam();
    editPage(spec.caption, [&](QWidget &page) {
        typeInto(page, spec.numberId, "abc");
        clickSwitch(page, spec.switchId);
        typeInto(page, spec.numberId, "3");
        auto *border = control<controls::CBorderStyleBox>(page, spec.borderStyleId);
        ASSERT_TRUE(border->isEnabled());
        border->setBorderStyle("groove");
    });
    EXPECT_TRUE(switchOn()) << "the border style picked is used: the switch stayed on";
    if (spec.entryFields)
        EXPECT_EQ(document.model().page().entryBorderStyle, "groove");
    else
        EXPECT_EQ(document.model().buttons().styles().front().borderStyle, "groove");
}

INSTANTIATE_TEST_SUITE_P(Pages, SwitchAfterRefusalTest, ::testing::Values(kEntryFields, kButtons),
                         [](const auto &test) {
                             return test.param.entryFields ? "Eingabefelder" : "Schaltflaechen";
                         });

} // namespace
} // namespace kw::pages
