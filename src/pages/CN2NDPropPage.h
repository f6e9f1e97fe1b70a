// The page "Allgemein" (dialog 12011): text of the main and sub-entries, background and the favourites
// switch of one element.
#pragma once

#include "layoutmodel/GeneralValues.h"
#include "pages/PropertyPage.h"

#include <array>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kw::controls {
class CFontChooserCtrl;
class CKwColorBtn;
class CKwNiceStatic;
class DataExchange;
} // namespace kw::controls

namespace kw::pages {

/// Control IDs of dialog 12011, the controls' object names.
namespace general {
inline constexpr int IDD = 12011;
inline constexpr int MainHeader = 1219, MainFont = 1223, MainSize = 1010, MainWeight = 1005;
inline constexpr int MainColor = 1222, MainSelected = 1004, MainHover = 1003;
inline constexpr int MainFontLabel = 1109, MainSizeLabel = 1231, MainPixelLabel = 1111,
                     MainWeightLabel = 1112;
inline constexpr int MainColorLabel = 1227, MainSelectedLabel = 1225, MainHoverLabel = 1226;
inline constexpr int SubHeader = 1085, SubFont = 1224, SubSize = 1013, SubWeight = 1006;
inline constexpr int SubColor = 1007, SubSelected = 1008, SubHover = 1009;
inline constexpr int SubFontLabel = 1230, SubSizeLabel = 1015, SubPixelLabel = 1115, SubWeightLabel = 1116;
inline constexpr int SubColorLabel = 1117, SubSelectedLabel = 1228, SubHoverLabel = 1229;
inline constexpr int BackgroundHeader = 1220, UseImage = 1090, BackgroundColor = 1001, Watermark = 1104;
inline constexpr int ImageFile = 1113, ImageFileLabel = 1102, ChangeImage = 1101;
inline constexpr int NoRepeat = 1099, Repeat = 1100, RepeatLabel = 1092;
inline constexpr int ExtensionsHeader = 1221, ShowFavorites = 1217;
/// Sizes the page accepts, in pixels.
inline constexpr int kMinSize = 0, kMaxSize = 1000;
} // namespace general

class CN2NDPropPage final : public CPropertyPage {
public:
    CN2NDPropPage();
    ~CN2NDPropPage() override;

    /// The page's fields: filled by the opening element, read back by it on OK.
    layout::GeneralValues values;

    bool OnKillActive() override;
    void OnOK() override;
    /// The fields as OK gives them back when nothing on the page was touched: the keywords its controls
    /// stand for ("no-repeat", "scroll") and, with one text colour, that colour for mouse-over and
    /// selection. Only for a page that was created; before, the fields as they were given.
    layout::GeneralValues untouchedValues() const;

protected:
    void OnInitDialog() override;

private:
    /// The controls of one text group (main or sub-entries).
    struct TextGroup {
        controls::CKwNiceStatic *header = nullptr;
        controls::CFontChooserCtrl *font = nullptr;
        QLineEdit *size = nullptr;
        QComboBox *weight = nullptr;
        std::array<controls::CKwColorBtn *, 3> colors{}; // normal, selected, hover
        std::array<QLabel *, 7> labels{};                // font, size, pixel, weight, normal, selected, hover
    };
    struct TextGroupSpec;
    /// The main and the sub-entries group, in that order.
    static const std::array<TextGroupSpec, 2> &textGroupSpecs();

    void buildControls();
    void buildTextGroup(const TextGroupSpec &spec, TextGroup &group, int row);
    void buildBackground(int row);
    void setGroupEnabled(const TextGroup &group, bool on);

    void DoDataExchange(controls::DataExchange &dx);
    /// Turns the picture name and the background controls' states into the model's keywords.
    void takeBackKeywords(layout::GeneralValues &fields, bool repeat, bool watermark) const;
    bool UpdateData(bool saving);
    void applySwitchRules();
    void applyBackgroundRule();
    void useImageClicked();
    void chooseImage();

    QString m_noImageText;
    /// The fields as the page showed them first (the font and colours to compare on leaving).
    layout::GeneralValues m_opened;
    int m_repeatChoice = 0;
    bool m_watermark = false;

    TextGroup m_main, m_sub;
    controls::CKwNiceStatic *m_backgroundHeader = nullptr, *m_extensionsHeader = nullptr;
    QCheckBox *m_useImage = nullptr;
    controls::CKwColorBtn *m_background = nullptr;
    QCheckBox *m_watermarkBox = nullptr;
    QLabel *m_fileLabel = nullptr;
    QLineEdit *m_file = nullptr;
    QPushButton *m_change = nullptr;
    QLabel *m_repeatLabel = nullptr;
    QRadioButton *m_noRepeat = nullptr, *m_repeat = nullptr;
    QCheckBox *m_favorites = nullptr;
};

} // namespace kw::pages
