#include "PreviewTestSupport.h"

#include "demo/DemoPortal.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace kw::preview::test {

DemoPreview::DemoPreview()
{
    EXPECT_NE(QCoreApplication::instance(), nullptr) << "the tests' main makes the application";
    demo::createDemoPortal(m_dir.path());
    portalpage::HeaderDate date;
    date.today =
        std::chrono::year_month_day(std::chrono::year(2026), std::chrono::December, std::chrono::day(4));
    m_preview = std::make_unique<LayoutPreview>(server::LocalPortal::open(m_dir.path()), m_prompter, date);
}

void DemoPreview::openActiveWithClassicMenu()
{
    ASSERT_TRUE(m_preview->open("Aktives Layout")) << m_prompter.describe();
    layout::LayoutModel &model = m_preview->document().model();
    model.setSwitch(&layout::PaneSwitches::useTreeMenu, false);
    model.setSwitch(&layout::PaneSwitches::menuRight, false);
    m_preview->applySwitches();
}

} // namespace kw::preview::test
