#include "pages/CN2NDPropPage.h"

#include "base/StringTable.h"
#include "base/Values.h"
#include "controls/CFontChooserCtrl.h"
#include "controls/CKwColorBtn.h"
#include "controls/CKwNiceStatic.h"
#include "controls/DataExchange.h"
#include "image/ImageType.h"
#include "pages/CWebPagePropSheet.h"
#include "pages/ImageChooser.h"
#include "platform/QtStrings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kw::pages {

using layout::GeneralValues;
using namespace general;

namespace {

using platform::qt;

enum Label { FontLabel, SizeLabel, PixelLabel, WeightLabel, NormalLabel, SelectedLabel, HoverLabel };
enum Colour { Normal, Selected, Hover };

constexpr std::array<const char *, 7> kLabelTexts = {
    "Schrift&art",           "G&röße", "Pixel", "&Schnitt", "Farbe &normal", "Farbe bei S&elektion",
    "Farbe bei &Mauskontakt"};
/// What a screen reader says for the controls of a group that show no text of their own.
constexpr std::array<const char *, 3> kColourNames = {"Farbe normal", "Farbe bei Selektion",
                                                      "Farbe bei Mauskontakt"};

/// Space between a colour button and its label.
constexpr int kLabelGap = 6;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

QString idName(int id)
{
    return QString::number(id);
}

template <class T> T *named(T *widget, int id)
{
    widget->setObjectName(idName(id));
    return widget;
}

} // namespace

/// The IDs, caption and fields of one text group.
struct CN2NDPropPage::TextGroupSpec {
    int header;
    const char *caption;
    const char *whose; // added to the accessible names of the sub-entries' controls
    int font, size, weight;
    std::array<int, 3> colors;
    std::array<int, 7> labels;
    std::string GeneralValues::*family;
    int GeneralValues::*fontSize;
    int GeneralValues::*fontWeight;
    std::array<Color GeneralValues::*, 3> colorFields;
};

const std::array<CN2NDPropPage::TextGroupSpec, 2> &CN2NDPropPage::textGroupSpecs()
{
    static const std::array<CN2NDPropPage::TextGroupSpec, 2> specs = {{
        {MainHeader,
         " Text Haupteinträge",
         "",
         MainFont,
         MainSize,
         MainWeight,
         {MainColor, MainSelected, MainHover},
         {MainFontLabel, MainSizeLabel, MainPixelLabel, MainWeightLabel, MainColorLabel, MainSelectedLabel,
          MainHoverLabel},
         &GeneralValues::fontFamily,
         &GeneralValues::fontSize,
         &GeneralValues::fontWeightIndex,
         {&GeneralValues::textColor, &GeneralValues::selectedColor, &GeneralValues::hoverColor}},
        {SubHeader,
         " Text Untereinträge",
         "Untereinträge",
         SubFont,
         SubSize,
         SubWeight,
         {SubColor, SubSelected, SubHover},
         {SubFontLabel, SubSizeLabel, SubPixelLabel, SubWeightLabel, SubColorLabel, SubSelectedLabel,
          SubHoverLabel},
         &GeneralValues::subFontFamily,
         &GeneralValues::subFontSize,
         &GeneralValues::subFontWeightIndex,
         {&GeneralValues::subTextColor, &GeneralValues::subSelectedColor, &GeneralValues::subHoverColor}},
    }};
    return specs;
}

CN2NDPropPage::CN2NDPropPage() : CPropertyPage(PageSlot::General) {}

CN2NDPropPage::~CN2NDPropPage() = default;

// --- controls -------------------------------------------------------------------------------------

void CN2NDPropPage::buildControls()
{
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    buildTextGroup(textGroupSpecs()[0], m_main, 0);
    buildTextGroup(textGroupSpecs()[1], m_sub, 4);
    buildBackground(8);
    m_extensionsHeader = named(new controls::CKwNiceStatic(text(" Erweiterungen"), this), ExtensionsHeader);
    m_extensionsHeader->setHeaderMode(true);
    grid->addWidget(m_extensionsHeader, 12, 0, 1, 6, Qt::AlignBottom);
    m_favorites = named(new QCheckBox(text("Zeige Favoriten"), this), ShowFavorites);
    grid->addWidget(m_favorites, 13, 0, 1, 6);
    grid->setRowStretch(14, 1);
    // Room above every header but the first.
    for (int headerRow : {4, 8, 12})
        grid->setRowMinimumHeight(headerRow, m_extensionsHeader->sizeHint().height() + kGroupGap);
    grid->setColumnStretch(3, 1);

    // The sub-entries stay disabled unless the rules below enable them.
    setGroupEnabled(m_sub, false);
}

void CN2NDPropPage::buildTextGroup(const TextGroupSpec &spec, TextGroup &group, int row)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    const QString whose = *spec.whose ? QLatin1Char(' ') + text(spec.whose) : QString();
    group.header = named(new controls::CKwNiceStatic(text(spec.caption), this), spec.header);
    group.header->setHeaderMode(true);
    grid->addWidget(group.header, row, 0, 1, 6, Qt::AlignBottom);

    for (std::size_t i = 0; i < group.labels.size(); ++i)
        group.labels[i] = named(new QLabel(text(kLabelTexts[i]), this), spec.labels[i]);

    group.font = named(new controls::CFontChooserCtrl(this), spec.font);
    group.font->setAccessibleName(text("Schriftart") + whose);
    group.size = named(new QLineEdit(this), spec.size);
    group.size->setAccessibleName(text("Größe") + whose);
    group.size->setMaxLength(5);
    group.size->setFixedWidth(group.size->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    group.weight = named(new QComboBox(this), spec.weight);
    group.weight->setAccessibleName(text("Schnitt") + whose);
    for (std::string_view weight : kWeightChoices)
        group.weight->addItem(qt(weight));
    for (std::size_t i = 0; i < group.colors.size(); ++i) {
        group.colors[i] = named(new controls::CKwColorBtn(this), spec.colors[i]);
        group.colors[i]->setAccessibleName(text(kColourNames[i]) + whose);
    }
    group.labels[FontLabel]->setBuddy(group.font);
    group.labels[SizeLabel]->setBuddy(group.size);
    group.labels[WeightLabel]->setBuddy(group.weight);
    group.labels[NormalLabel]->setBuddy(group.colors[Normal]);
    group.labels[SelectedLabel]->setBuddy(group.colors[Selected]);
    group.labels[HoverLabel]->setBuddy(group.colors[Hover]);

    grid->addWidget(group.labels[FontLabel], row + 1, 0);
    grid->addWidget(group.font, row + 1, 1, 1, 3);
    grid->addWidget(group.labels[WeightLabel], row + 1, 4);
    grid->addWidget(group.weight, row + 1, 5);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(group.size);
    sizeRow->addWidget(group.labels[PixelLabel]);
    sizeRow->addStretch();
    grid->addWidget(group.labels[SizeLabel], row + 2, 0);
    grid->addLayout(sizeRow, row + 2, 1, 1, 3);
    for (std::size_t i = 0; i < group.colors.size(); ++i) {
        auto *cell = new QHBoxLayout;
        cell->setSpacing(kLabelGap);
        cell->addWidget(group.labels[NormalLabel + i]);
        cell->addWidget(group.colors[i]);
        cell->addStretch();
        grid->addLayout(cell, row + 3, static_cast<int>(2 * i), 1, 2);
    }

    // With one text colour only, the hover and selected colours follow the normal one.
    group.colors[Normal]->onColorChanged = [this, &group](Color color) {
        if (!values.singleColor)
            return;
        group.colors[Selected]->setColor(color);
        group.colors[Hover]->setColor(color);
    };
}

void CN2NDPropPage::buildBackground(int row)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    m_backgroundHeader = named(new controls::CKwNiceStatic(text(" Hintergrund"), this), BackgroundHeader);
    m_backgroundHeader->setHeaderMode(true);
    grid->addWidget(m_backgroundHeader, row, 0, 1, 6, Qt::AlignBottom);

    m_useImage = named(new QCheckBox(text("Hintergrundbild verwenden"), this), UseImage);
    grid->addWidget(m_useImage, row + 1, 0, 1, 3);
    m_background = named(new controls::CKwColorBtn(this), BackgroundColor);
    m_background->setAccessibleName(text("Hintergrundfarbe"));
    auto *backgroundLabel = new QLabel(text("&Hintergrundfarbe"), this);
    backgroundLabel->setBuddy(m_background);
    auto *colourCell = new QHBoxLayout;
    colourCell->setSpacing(kLabelGap);
    colourCell->addWidget(backgroundLabel);
    colourCell->addWidget(m_background);
    colourCell->addStretch();
    grid->addLayout(colourCell, row + 1, 4, 1, 2);

    m_fileLabel = named(new QLabel(text("Bild-Datei :"), this), ImageFileLabel);
    m_file = named(new QLineEdit(this), ImageFile);
    m_file->setReadOnly(true);
    m_file->setAccessibleName(text("Bild-Datei"));
    m_fileLabel->setBuddy(m_file);
    m_change = named(new QPushButton(text("Ändern..."), this), ChangeImage);
    grid->addWidget(m_fileLabel, row + 2, 0);
    grid->addWidget(m_file, row + 2, 1, 1, 4);
    grid->addWidget(m_change, row + 2, 5);

    m_repeatLabel = named(new QLabel(text("Bild-Wiederholung"), this), RepeatLabel);
    m_noRepeat = named(new QRadioButton(text("keine Wiederholung"), this), NoRepeat);
    m_repeat = named(new QRadioButton(text("Bildwiederholung"), this), Repeat);
    auto *radios = new QButtonGroup(this);
    radios->addButton(m_noRepeat);
    radios->addButton(m_repeat);
    m_watermarkBox = named(new QCheckBox(text("Wasserzeichen"), this), Watermark);
    auto *repeatRow = new QHBoxLayout;
    repeatRow->addWidget(m_noRepeat);
    repeatRow->addWidget(m_repeat);
    repeatRow->addStretch();
    repeatRow->addWidget(m_watermarkBox);
    grid->addWidget(m_repeatLabel, row + 3, 0);
    grid->addLayout(repeatRow, row + 3, 1, 1, 5);

    connect(m_useImage, &QCheckBox::clicked, this, [this] { useImageClicked(); });
    connect(m_change, &QPushButton::clicked, this, [this] { chooseImage(); });
}

void CN2NDPropPage::setGroupEnabled(const TextGroup &group, bool on)
{
    group.font->setEnabled(on);
    group.size->setEnabled(on);
    group.weight->setEnabled(on);
    for (controls::CKwColorBtn *button : group.colors)
        button->setEnabled(on);
    for (QLabel *label : group.labels)
        label->setEnabled(on);
}

// --- the page cycle -------------------------------------------------------------------------------

void CN2NDPropPage::OnInitDialog()
{
    buildControls();
    m_noImageText = QString::fromUtf8(loadString(StringId::NoImageFileChosen).data());

    if (values.backgroundImage.empty()) {
        values.useImage = false;
        values.backgroundImage = m_noImageText.toStdString();
    }
    m_repeatChoice = values.backgroundRepeat == "repeat" ? 1 : 0;
    m_watermark = values.backgroundAttachment == "fixed";

    m_background->setColor(values.backgroundColor);
    const auto &specs = textGroupSpecs();
    for (std::size_t g = 0; g < specs.size(); ++g) {
        TextGroup &group = g == 0 ? m_main : m_sub;
        const auto &fields = specs[g].colorFields;
        const Color normal = values.*fields[Normal];
        group.colors[Normal]->setColor(normal);
        group.colors[Selected]->setColor(values.singleColor ? normal : values.*fields[Selected]);
        group.colors[Hover]->setColor(values.singleColor ? normal : values.*fields[Hover]);
    }
    applySwitchRules();

    m_opened = values;
    UpdateData(false);
    applyBackgroundRule();
}

void CN2NDPropPage::applySwitchRules()
{
    if (values.singleColor) {
        for (Colour c : {Selected, Hover}) {
            m_main.colors[c]->setEnabled(false);
            m_main.labels[NormalLabel + static_cast<int>(c)]->setEnabled(false);
        }
    }
    if (values.noText) {
        for (controls::CKwColorBtn *button : m_main.colors)
            button->setEnabled(false);
        for (QLabel *label : m_main.labels)
            label->setEnabled(false);
        m_main.font->setEnabled(false);
        m_main.weight->setEnabled(false);
        m_main.size->setEnabled(false);
        m_watermarkBox->setEnabled(false);
        m_watermark = false;
    }
    m_favorites->setEnabled(values.menuLevel == 0 || values.menuLevel == 1);
    setGroupEnabled(m_sub, values.menuLevel == 1 && values.treeMenu);
}

void CN2NDPropPage::applyBackgroundRule()
{
    const bool on = m_useImage->isChecked();
    for (QWidget *control : std::initializer_list<QWidget *>{m_repeatLabel, m_noRepeat, m_repeat,
                                                             m_watermarkBox, m_fileLabel, m_file, m_change})
        control->setEnabled(on);
    if (values.noText) {
        m_watermarkBox->setEnabled(false);
        m_watermarkBox->setChecked(false);
        m_watermark = false;
    }
}

void CN2NDPropPage::DoDataExchange(controls::DataExchange &dx)
{
    const auto &specs = textGroupSpecs();
    for (std::size_t g = 0; g < specs.size(); ++g) {
        const TextGroup &group = g == 0 ? m_main : m_sub;
        dx.text(group.font, values.*specs[g].family);
        dx.number(group.size, values.*specs[g].fontSize, kMinSize, kMaxSize);
        dx.index(group.weight, values.*specs[g].fontWeight);
    }
    dx.check(m_useImage, values.useImage);
    dx.text(m_file, values.backgroundImage);
    dx.radio({m_noRepeat, m_repeat}, m_repeatChoice);
    dx.check(m_watermarkBox, m_watermark);
    dx.check(m_favorites, values.showFavorites);
}

bool CN2NDPropPage::UpdateData(bool saving)
{
    return controls::DataExchange::run(saving, context().prompter,
                                       [this](controls::DataExchange &dx) { DoDataExchange(dx); });
}

void CN2NDPropPage::useImageClicked()
{
    if (!UpdateData(true)) {
        QSignalBlocker quiet(m_useImage);
        m_useImage->setChecked(!m_useImage->isChecked());
        return;
    }
    const std::string noImage = m_noImageText.toStdString();
    if (!values.useImage) {
        values.backgroundImage = noImage;
    } else if (!values.backgroundImage.empty() && values.backgroundImage != noImage) {
        values.imageType = image::KwGetImageType(values.backgroundImage);
        values.imageChanged = true;
        sheet().changed = true;
    }
    UpdateData(false);
    applyBackgroundRule();
}

void CN2NDPropPage::chooseImage()
{
    if (!UpdateData(true))
        return;
    const std::string noImage = m_noImageText.toStdString();
    const std::string current = values.backgroundImage == noImage ? std::string() : values.backgroundImage;
    const std::optional<std::string> chosen = chooseCompanyImage(context(), current, this);
    if (chosen && *chosen != values.backgroundImage) {
        sheet().changed = true;
        values.imageChanged = true;
        values.backgroundImage = *chosen;
        values.imageType = image::KwGetImageType(values.backgroundImage);
    }
    UpdateData(false);
}

bool CN2NDPropPage::OnKillActive()
{
    if (!UpdateData(true))
        return false;
    if (!sheet().changed) {
        const bool differs =
            m_background->color() != m_opened.backgroundColor ||
            m_main.colors[Normal]->color() != m_opened.textColor ||
            (!values.singleColor && (m_main.colors[Hover]->color() != m_opened.hoverColor ||
                                     m_main.colors[Selected]->color() != m_opened.selectedColor)) ||
            values.fontFamily != m_opened.fontFamily;
        if (differs)
            sheet().changed = true;
    }
    values.backgroundColor = m_background->color();
    const auto &specs = textGroupSpecs();
    for (std::size_t g = 0; g < specs.size(); ++g) {
        const TextGroup &group = g == 0 ? m_main : m_sub;
        for (std::size_t c = 0; c < group.colors.size(); ++c)
            values.*specs[g].colorFields[c] = group.colors[c]->color();
    }
    return true;
}

void CN2NDPropPage::OnOK()
{
    UpdateData(true);
    takeBackKeywords(values, m_repeat->isChecked(), m_watermarkBox->isChecked());
}

void CN2NDPropPage::takeBackKeywords(layout::GeneralValues &fields, bool repeat, bool watermark) const
{
    if (fields.backgroundImage == m_noImageText.toStdString())
        fields.backgroundImage.clear();
    fields.backgroundRepeat = repeat ? "repeat" : "no-repeat";
    fields.backgroundAttachment = watermark ? "fixed" : "scroll";
}

layout::GeneralValues CN2NDPropPage::untouchedValues() const
{
    if (!isCreated())
        return values;
    layout::GeneralValues untouched = m_opened;
    if (untouched.singleColor)
        untouched.hoverColor = untouched.selectedColor = untouched.textColor;
    takeBackKeywords(untouched, m_opened.backgroundRepeat == "repeat",
                     !m_opened.noText && m_opened.backgroundAttachment == "fixed");
    return untouched;
}

} // namespace kw::pages
