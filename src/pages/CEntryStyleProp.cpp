#include "pages/CEntryStyleProp.h"

#include "controls/CBorderStyleBox.h"
#include "controls/CKwColorBtn.h"
#include "controls/CKwNiceStatic.h"
#include "controls/DataExchange.h"
#include "pages/CWebPagePropSheet.h"
#include "pages/FontGroupControls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <climits>

namespace kw::pages {

using namespace entry;

namespace {

/// One colour button: its slot in `EntryValues::colors`, ID, caption and grid cell.
struct EntryColorSpec {
    int slot, id;
    const char *caption;
    int row, column;
};

constexpr EntryColorSpec kEntryColors[] = {
    {0, BackgroundColor, "&Hintergrundfarbe", 1, 0}, {1, TextColor, "&Textfarbe", 1, 3},
    {4, BorderColor, "&Rahmenfarbe", 2, 0},          {2, SelectionBackground, "Hi&ntergrundfarbe", 5, 0},
    {3, SelectionText, "T&extfarbe", 5, 3},
};

} // namespace

CEntryStyleProp::CEntryStyleProp() : CPropertyPage(PageSlot::EntryFields) {}

CEntryStyleProp::~CEntryStyleProp() = default;

void CEntryStyleProp::OnInitDialog()
{
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    m_customBox = withId(
        new QCheckBox(QStringLiteral("&Benutzerdefinierte Einstellung der Eingabefelder"), this), Custom);
    // The switch above the groups, the groups' headers with their rows below it.
    grid->addWidget(m_customBox, 0, 0, 1, 6);
    grid->addWidget(makeHeader(" Allgemeine Einstellungen", GeneralHeader, this), 1, 0, 1, 6);
    for (const EntryColorSpec &spec : kEntryColors) {
        auto *button =
            makeColorButton(spec.id, QString::fromUtf8(spec.caption).remove(QLatin1Char('&')), this);
        m_colors[static_cast<std::size_t>(spec.slot)] = button;
        const int row = spec.row + 1;
        grid->addWidget(makeLabel(spec.caption, button, this), row, spec.column);
        grid->addWidget(button, row, spec.column + 1, Qt::AlignLeft);
    }
    m_borderWidth = withId(new QLineEdit(this), BorderWidth);
    m_borderWidth->setAccessibleName(QStringLiteral("Rahmenstärke"));
    m_borderWidth->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    auto *widthCell = new QHBoxLayout;
    widthCell->addWidget(m_borderWidth);
    widthCell->addWidget(new QLabel(QStringLiteral("Pixel"), this));
    widthCell->addStretch();
    grid->addWidget(makeLabel("R&ahmenstärke", m_borderWidth, this), 4, 0);
    grid->addLayout(widthCell, 4, 1, 1, 2);
    m_borderStyle = withId(new controls::CBorderStyleBox(this), BorderStyle);
    m_borderStyle->setAccessibleName(QStringLiteral("Rahmenart"));
    grid->addWidget(makeLabel("Rah&menart", m_borderStyle, this), 4, 3);
    grid->addWidget(m_borderStyle, 4, 4, Qt::AlignLeft);
    grid->addWidget(makeHeader(" Selektion", SelectionHeader, this), 5, 0, 1, 6);
    grid->addWidget(makeHeader(" Pflicht-Felder", RequiredHeader, this), 7, 0, 1, 6);
    m_image.build({RequiredImage, ChangeRequiredImage, "Hintergr&undbild", "Än&dern..."}, *grid, 8, 0, this);
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(2, 1);

    for (std::size_t slot = 0; slot < m_colors.size(); ++slot)
        m_colors[slot]->setColor(values.colors[slot]);
    m_custom = sheet().customEntryFields;
    if (m_custom)
        m_borderStyle->setBorderStyle(values.borderStyle);
    else
        m_borderStyle->clearSelection();
    UpdateData(false);
    applyEnableRule();

    connect(m_customBox, &QCheckBox::clicked, this, [this] { onCustomClicked(); });
    connect(m_image.change, &QPushButton::clicked, this, [this] { onChangeImage(); });
}

void CEntryStyleProp::DoDataExchange(controls::DataExchange &dx)
{
    dx.check(m_customBox, m_custom);
    // Any whole number is taken; leaving the page clamps it.
    dx.number(m_borderWidth, values.borderWidth, INT_MIN, INT_MAX);
    dx.text(m_image.edit, values.requiredImage);
}

bool CEntryStyleProp::UpdateData(bool saving)
{
    return controls::DataExchange::run(saving, context().prompter,
                                       [this](controls::DataExchange &dx) { DoDataExchange(dx); });
}

void CEntryStyleProp::applyEnableRule()
{
    enableControlsExcept(*this, m_customBox, m_custom);
}

void CEntryStyleProp::onCustomClicked()
{
    if (!takeSwitchClick(*m_customBox, m_custom, [this] { return UpdateData(true); }))
        return;
    if (m_custom)
        m_borderStyle->setBorderStyle(values.borderStyle);
    else
        m_borderStyle->clearSelection();
    UpdateData(false);
    applyEnableRule();
}

void CEntryStyleProp::onChangeImage()
{
    if (!UpdateData(true))
        return;
    if (chooseImageInto(context(), values.requiredImage, sheet().changed, imageChanged, this))
        UpdateData(false);
}

bool CEntryStyleProp::OnKillActive()
{
    if (!UpdateData(true))
        return false;
    if (const auto style = m_borderStyle->borderStyle())
        values.borderStyle = *style;
    sheet().customEntryFields = m_custom;
    values.borderWidth = std::clamp(values.borderWidth, kMinBorderWidth, kMaxBorderWidth);
    for (std::size_t slot = 0; slot < m_colors.size(); ++slot)
        values.colors[slot] = m_colors[slot]->color();
    return true;
}

} // namespace kw::pages
