// The page "Überschriften" (dialog 12012): font, size, weight and colour of the application pages' three
// heading levels, and the outline symbols shown before headings 1 and 2.
#pragma once

#include "layoutmodel/PageValues.h"
#include "pages/FontGroupControls.h"
#include "pages/PropertyPage.h"

#include <array>
#include <string>

class QLineEdit;
class QPushButton;

namespace kw::controls {
class DataExchange;
}

namespace kw::pages {

/// Control IDs of dialog 12012, the controls' object names; one row per heading level.
namespace headings {
inline constexpr int IDD = 12012;
struct LevelIds {
    int header, font, size, weight, color, bullet, changeBullet; // bullet IDs 0: the level has none
};
inline constexpr std::array<LevelIds, 3> kLevels = {{
    {1082, 1153, 1023, 1024, 1025, 1214, 1178},
    {1083, 1154, 1063, 1065, 1067, 1175, 1179},
    {1084, 1155, 1096, 1097, 1098, 0, 0},
}};
} // namespace headings

class CAppPageHdrPage final : public CPropertyPage {
public:
    CAppPageHdrPage();
    ~CAppPageHdrPage() override;

    /// The page's fields: filled by the application page element, read back by it on OK.
    layout::HeadingValues values;

    bool OnKillActive() override;

protected:
    void OnInitDialog() override;

private:
    struct Level {
        FontGroupControls text;
        controls::CKwColorBtn *color = nullptr;
        QLineEdit *bullet = nullptr;
        QPushButton *changeBullet = nullptr;
    };

    void buildLevel(std::size_t level, int row);
    void DoDataExchange(controls::DataExchange &dx);
    bool UpdateData(bool saving);
    void chooseBullet(std::size_t level);
    /// A size typed or a weight selected by the user marks the sheet changed at once.
    void markChanged();

    std::array<Level, 3> m_levels;
    /// The font names as the page opened with them.
    std::array<std::string, 3> m_openedFonts;
    /// True while the fields are shown in the controls, so that showing them marks nothing.
    bool m_showing = false;
};

} // namespace kw::pages
