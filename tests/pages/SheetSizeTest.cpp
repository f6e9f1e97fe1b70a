// The property sheet opens as large as its largest page: showing another page never resizes it, and every
// page fits.
#include "AppPageSheet.h"

#include <QTabBar>

namespace kw::pages {
namespace {

using namespace kw::pages::test;

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

class SheetSizeTest : public AppPageSheetTest {};

TEST_F(SheetSizeTest, ShowingEachPageKeepsTheSizeTheSheetOpenedWith)
{
    for (layout::Pane pane : {layout::Pane::StartPage, layout::Pane::ApplicationPages}) {
        editSheet(
            [](CWebPagePropSheet &sheet) {
                settle();
                const QSize opened = sheet.size();
                auto *tabs = sheet.findChild<QTabBar *>(QStringLiteral("tabs"));
                ASSERT_GE(tabs->count(), 6);
                for (int i = 0; i < tabs->count(); ++i) {
                    const std::string caption = tabs->tabText(i).toStdString();
                    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
                    settle();
                    ASSERT_EQ(sheet.activeIndex(), i) << caption;
                    EXPECT_EQ(sheet.size(), opened) << caption << " resized the sheet";
                    const QWidget &page = *sheet.activePage();
                    EXPECT_GE(page.width(), page.minimumSizeHint().width()) << caption << " is cut";
                    EXPECT_GE(page.height(), page.minimumSizeHint().height()) << caption << " is cut";
                }
            },
            false, pane);
    }
}

} // namespace
} // namespace kw::pages
