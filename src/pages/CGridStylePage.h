// The common build of the pages "Tabellen" and "Portal": eleven colour buttons, two font groups and one
// further value, laid out in header groups that each page describes in a table.
#pragma once

#include "layoutmodel/PageValues.h"
#include "pages/PropertyPage.h"

#include <array>
#include <span>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kw::controls {
class CFontChooserCtrl;
class CKwColorBtn;
class DataExchange;
} // namespace kw::controls

namespace kw::pages {

class CGridStylePage : public CPropertyPage {
public:
    /// Title sizes the pages accept, in pixels.
    static constexpr int kMinTitleSize = 0, kMaxTitleSize = 1000;
    /// Border widths the Tables page accepts, in pixels.
    static constexpr int kMinBorderWidth = 0, kMaxBorderWidth = 100;

    /// One header group of the page. `fontGroup` is 0 for the first font group, 1 for the second, -1 for
    /// none; `further` puts the page's further control into the group.
    struct Group {
        int header;
        const char *caption;
        int fontGroup;
        bool further;
    };
    /// One colour button: the group it belongs to, its slot of `colors`, its ID and its caption.
    struct Colour {
        int group;
        int slot;
        int id;
        const char *caption;
    };
    /// The controls of one font group with their captions.
    struct FontGroup {
        int font, size, weight;
        const char *fontCaption, *sizeCaption, *weightCaption;
    };
    enum class Further { BorderWidth, Shadow };
    struct Spec {
        std::span<const Group> groups;
        std::span<const Colour> colours;
        std::array<FontGroup, 2> fonts;
        Further further;
        int furtherId;
        const char *furtherCaption;
    };

    ~CGridStylePage() override;

    /// The page's fields: filled by the application page element, read back by it on OK.
    layout::GridValues values;

    bool OnKillActive() override;

protected:
    CGridStylePage(PageSlot slot, const Spec &spec);
    void OnInitDialog() override;

private:
    struct FontControls {
        controls::CFontChooserCtrl *font = nullptr;
        QLineEdit *size = nullptr;
        QComboBox *weight = nullptr;
    };

    void buildControls();
    int buildFontGroup(int index, const QString &whose, int row);
    QLineEdit *sizeEdit(int id, const QString &name);
    void connectChangeRules();
    void DoDataExchange(controls::DataExchange &dx);
    bool UpdateData(bool saving);

    const Spec &m_spec;
    std::array<controls::CKwColorBtn *, layout::GridValues::kColorSlots> m_colors{};
    std::array<FontControls, 2> m_fonts{};
    QLineEdit *m_borderWidth = nullptr;
    QCheckBox *m_shadow = nullptr;
};

} // namespace kw::pages
