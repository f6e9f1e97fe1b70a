#include "pages/CMenuSpecials.h"

#include "controls/CBorderStyleBox.h"
#include "controls/CKwColorBtn.h"
#include "controls/CKwNiceStatic.h"
#include "pages/CWebPagePropSheet.h"
#include "pages/FontGroupControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kw::pages {

using namespace specials;

namespace {

/// One colour button: its slot in `MenuSpecialValues::effectColors`, ID, caption and grid cell.
struct EffectColorSpec {
    int slot, id;
    const char *caption;
    int row, column;
};

constexpr EffectColorSpec kEffectColors[] = {
    {0, HoverColor, "&Farbe bei Mauskontakt", 2, 0},
    {2, ClickColor, "Farbe bei &Mausklick", 2, 3},
    {1, HoverBorderColor, "Rahmenfarbe bei Maus&kontakt", 3, 0},
    {3, ClickBorderColor, "R&ahmenfarbe bei Mausklick", 3, 3},
};

/// The pictures in the page's order (normal, selected, mouse-over, link, separator) with their rows.
const ImageFieldSpec kPictureSpecs[] = {
    {ImageNormal, ChangeImageNormal, "&Hintergrundbild normal", "&Ändern..."},
    {ImageSelected, ChangeImageSelected, "Hintergrundbild bei &Selektion", "Ä&ndern..."},
    {ImageHover, ChangeImageHover, "Hintergr&undbild bei Mauskontakt", "Än&dern..."},
    {LinkImage, ChangeLinkImage, "B&ild-Datei", "Änd&ern..."},
    {SeparatorImage, ChangeSeparatorImage, "Bi&ld-Datei", "Ände&rn...", SeparatorLabel},
};
constexpr int kPictureRows[] = {5, 6, 7, 9, 11};

constexpr const char *kNoBorder = "none";

} // namespace

CMenuSpecials::CMenuSpecials() : CPropertyPage(PageSlot::SpecialSettings) {}

CMenuSpecials::~CMenuSpecials() = default;

void CMenuSpecials::OnInitDialog()
{
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(makeHeader(" Buttoneffekte", EffectsHeader, this), 0, 0, 1, 6);
    m_effectsBox = withId(new QCheckBox(QStringLiteral("&Buttoneffekte anwenden"), this), ButtonEffects);
    grid->addWidget(m_effectsBox, 1, 0, 1, 6);
    for (const EffectColorSpec &spec : kEffectColors) {
        const auto slot = static_cast<std::size_t>(spec.slot);
        m_colors[slot] =
            makeColorButton(spec.id, QString::fromUtf8(spec.caption).remove(QLatin1Char('&')), this);
        m_colorLabels[slot] = makeLabel(spec.caption, m_colors[slot], this);
        grid->addWidget(m_colorLabels[slot], spec.row, spec.column);
        grid->addWidget(m_colors[slot], spec.row, spec.column + 1, Qt::AlignLeft);
    }
    m_borderStyle = withId(new controls::CBorderStyleBox(this), BorderStyle);
    m_borderStyle->setAccessibleName(QStringLiteral("Rahmenart"));
    m_borderStyleLabel = makeLabel("Rah&menart", m_borderStyle, this);
    grid->addWidget(m_borderStyleLabel, 4, 0);
    grid->addWidget(m_borderStyle, 4, 1, Qt::AlignLeft);
    for (int picture = 0; picture < kPictures; ++picture)
        m_images[static_cast<std::size_t>(picture)].build(kPictureSpecs[picture], *grid,
                                                          kPictureRows[picture], 0, this);
    auto *linksHeader = makeHeader(" Links", LinksHeader, this);
    grid->addWidget(linksHeader, 8, 0, 1, 6, Qt::AlignBottom);
    m_separatorHeader = makeHeader(" Trennzeichen", SeparatorHeader, this);
    grid->addWidget(m_separatorHeader, 10, 0, 1, 6, Qt::AlignBottom);
    // Some air above the groups that follow the picture rows.
    for (int headerRow : {8, 10})
        grid->setRowMinimumHeight(headerRow, linksHeader->sizeHint().height() + kGroupGap);
    grid->setRowStretch(12, 1);
    grid->setColumnStretch(2, 1);

    imageChanged = false;
    applyEnableRule();
    showFields();

    connect(m_effectsBox, &QCheckBox::clicked, this, [this] {
        values.buttonEffects = m_effectsBox->checkState() != Qt::Unchecked;
        applyEnableRule();
    });
    for (int picture = 0; picture < kPictures; ++picture)
        connect(m_images[static_cast<std::size_t>(picture)].change, &QPushButton::clicked, this,
                [this, picture] { onChangeImage(static_cast<Picture>(picture)); });
}

std::string &CMenuSpecials::pictureValue(Picture picture)
{
    switch (picture) {
    case Normal:
        return values.imageNormal;
    case Selected:
        return values.imageSelected;
    case Hover:
        return values.imageHover;
    case Link:
        return values.linkImage;
    case Separator:
    case kPictures:
        break;
    }
    return values.separatorImage;
}

void CMenuSpecials::showFields()
{
    if (values.effectBorderStyle.empty())
        values.effectBorderStyle = kNoBorder;
    m_borderStyle->setBorderStyle(values.effectBorderStyle);
    for (std::size_t slot = 0; slot < m_colors.size(); ++slot)
        m_colors[slot]->setColor(values.effectColors[slot]);
    m_effectsBox->setChecked(values.buttonEffects);
    for (int picture = 0; picture < kPictures; ++picture)
        m_images[static_cast<std::size_t>(picture)].edit->setText(
            QString::fromStdString(pictureValue(static_cast<Picture>(picture))));
}

void CMenuSpecials::takeFields()
{
    if (m_borderStyle->currentIndex() >= 0)
        values.effectBorderStyle = m_borderStyle->borderStyle().value_or(kNoBorder);
    for (std::size_t slot = 0; slot < m_colors.size(); ++slot)
        values.effectColors[slot] = m_colors[slot]->color();
}

void CMenuSpecials::applyEnableRule()
{
    const bool effects = values.buttonEffects;
    for (std::size_t slot = 0; slot < m_colors.size(); ++slot) {
        m_colors[slot]->setEnabled(effects);
        m_colorLabels[slot]->setEnabled(effects);
    }
    m_borderStyle->setEnabled(effects);
    m_borderStyleLabel->setEnabled(effects);
    for (Picture picture : {Normal, Selected, Hover})
        m_images[picture].setEnabled(effects);
    const bool separator = sheet().specialSettingsKind() != kSubmenuKind;
    m_images[Separator].setVisible(separator);
    m_separatorHeader->setVisible(separator);
}

void CMenuSpecials::onChangeImage(Picture picture)
{
    if (chooseImageInto(context(), pictureValue(picture), sheet().changed, imageChanged, this))
        m_images[picture].edit->setText(QString::fromStdString(pictureValue(picture)));
}

bool CMenuSpecials::OnKillActive()
{
    if (!sheet().changed) {
        bool differs = imageChanged;
        for (std::size_t slot = 0; slot < m_colors.size(); ++slot)
            differs |= m_colors[slot]->color() != values.effectColors[slot];
        if (differs)
            sheet().changed = true;
    }
    takeFields();
    return true;
}

} // namespace kw::pages
