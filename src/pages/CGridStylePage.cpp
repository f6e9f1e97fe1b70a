#include "pages/CGridStylePage.h"

#include "base/Values.h"
#include "controls/CFontChooserCtrl.h"
#include "controls/CKwColorBtn.h"
#include "controls/CKwNiceStatic.h"
#include "controls/DataExchange.h"
#include "pages/CWebPagePropSheet.h"
#include "platform/QtStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include <limits>

namespace kw::pages {

namespace {

using platform::qt;

/// Colour buttons (with their captions) side by side in one row.
constexpr int kCellsPerRow = 3;
/// Space between a caption and its control.
constexpr int kLabelGap = 6;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

/// The caption as a screen reader says it, with the group it belongs to.
QString spoken(const char *caption, const QString &whose)
{
    return text(caption).remove(QLatin1Char('&')) + QLatin1Char(' ') + whose;
}

template <class T> T *named(T *widget, int id)
{
    widget->setObjectName(QString::number(id));
    return widget;
}

/// A caption, its control and an optional unit, as one cell of the grid.
QHBoxLayout *captioned(QWidget *parent, const char *caption, QWidget *control, const char *unit)
{
    auto *cell = new QHBoxLayout;
    cell->setSpacing(kLabelGap);
    auto *label = new QLabel(text(caption), parent);
    label->setBuddy(control);
    cell->addWidget(label);
    cell->addWidget(control);
    if (unit)
        cell->addWidget(new QLabel(text(unit), parent));
    cell->addStretch();
    return cell;
}

} // namespace

CGridStylePage::CGridStylePage(PageSlot slot, const Spec &spec) : CPropertyPage(slot), m_spec(spec) {}

CGridStylePage::~CGridStylePage() = default;

// --- controls -------------------------------------------------------------------------------------

QLineEdit *CGridStylePage::sizeEdit(int id, const QString &name)
{
    auto *edit = named(new QLineEdit(this), id);
    edit->setAccessibleName(name);
    edit->setMaxLength(5);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    return edit;
}

int CGridStylePage::buildFontGroup(int index, const QString &whose, int row)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    const FontGroup &spec = m_spec.fonts[static_cast<std::size_t>(index)];
    FontControls &group = m_fonts[static_cast<std::size_t>(index)];

    group.font = named(new controls::CFontChooserCtrl(this), spec.font);
    group.font->setAccessibleName(spoken(spec.fontCaption, whose));
    auto *fontLabel = new QLabel(text(spec.fontCaption), this);
    fontLabel->setBuddy(group.font);
    grid->addWidget(fontLabel, row, 0);
    grid->addWidget(group.font, row, 1, 1, 3);

    group.weight = named(new QComboBox(this), spec.weight);
    group.weight->setAccessibleName(spoken(spec.weightCaption, whose));
    for (std::string_view weight : kWeightChoices)
        group.weight->addItem(qt(weight));
    auto *weightLabel = new QLabel(text(spec.weightCaption), this);
    weightLabel->setBuddy(group.weight);
    grid->addWidget(weightLabel, row, 4);
    grid->addWidget(group.weight, row, 5);

    group.size = sizeEdit(spec.size, spoken(spec.sizeCaption, whose));
    auto *sizeLabel = new QLabel(text(spec.sizeCaption), this);
    sizeLabel->setBuddy(group.size);
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(group.size);
    sizeRow->addWidget(new QLabel(text("Pixel"), this));
    sizeRow->addStretch();
    grid->addWidget(sizeLabel, row + 1, 0);
    grid->addLayout(sizeRow, row + 1, 1, 1, 3);
    return row + 2;
}

void CGridStylePage::buildControls()
{
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    int row = 0;
    for (std::size_t g = 0; g < m_spec.groups.size(); ++g) {
        const Group &group = m_spec.groups[g];
        auto *header = named(new controls::CKwNiceStatic(text(group.caption), this), group.header);
        header->setHeaderMode(true);
        if (row > 0)
            grid->setRowMinimumHeight(row, header->sizeHint().height() + kGroupGap);
        grid->addWidget(header, row++, 0, 1, 6, Qt::AlignBottom);
        const QString whose = text(group.caption).trimmed();
        if (group.fontGroup >= 0)
            row = buildFontGroup(group.fontGroup, whose, row);

        // The group's colours, then its further control, fill cells of kCellsPerRow a row.
        int cell = 0;
        auto place = [&](QLayout *item) {
            grid->addLayout(item, row + cell / kCellsPerRow, 2 * (cell % kCellsPerRow), 1, 2);
            ++cell;
        };
        for (const Colour &colour : m_spec.colours) {
            if (colour.group != static_cast<int>(g))
                continue;
            auto *button = named(new controls::CKwColorBtn(this), colour.id);
            button->setAccessibleName(spoken(colour.caption, whose));
            m_colors[static_cast<std::size_t>(colour.slot)] = button;
            place(captioned(this, colour.caption, button, nullptr));
        }
        if (group.further) {
            if (m_spec.further == Further::BorderWidth) {
                m_borderWidth = sizeEdit(m_spec.furtherId, spoken(m_spec.furtherCaption, whose));
                place(captioned(this, m_spec.furtherCaption, m_borderWidth, "Pixel"));
            } else {
                m_shadow = named(new QCheckBox(text(m_spec.furtherCaption), this), m_spec.furtherId);
                auto *box = new QHBoxLayout;
                box->addWidget(m_shadow);
                place(box);
            }
        }
        row += (cell + kCellsPerRow - 1) / kCellsPerRow;
    }
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(3, 1);
}

// --- the page cycle -------------------------------------------------------------------------------

void CGridStylePage::OnInitDialog()
{
    buildControls();
    for (std::size_t slot = 0; slot < m_colors.size(); ++slot)
        m_colors[slot]->setColor(values.colors[slot]);
    UpdateData(false);
    connectChangeRules();
}

void CGridStylePage::connectChangeRules()
{
    // These edits mark the sheet changed at once; the second font and the colours are compared on leaving.
    auto mark = [this] { sheet().changed = true; };
    for (const FontControls &group : m_fonts) {
        connect(group.weight, &QComboBox::currentIndexChanged, this, mark);
        connect(group.size, &QLineEdit::textChanged, this, mark);
    }
    m_fonts[0].font->onEdited = [mark](const std::string &) { mark(); };
    if (m_borderWidth)
        connect(m_borderWidth, &QLineEdit::textChanged, this, mark);
}

void CGridStylePage::DoDataExchange(controls::DataExchange &dx)
{
    // The second size has no range of its own: only non-numbers are refused.
    constexpr int kAnyMin = std::numeric_limits<int>::min(), kAnyMax = std::numeric_limits<int>::max();
    dx.text(m_fonts[0].font, values.titleFont);
    dx.number(m_fonts[0].size, values.titleSize, kMinTitleSize, kMaxTitleSize);
    dx.index(m_fonts[0].weight, values.titleWeight);
    dx.text(m_fonts[1].font, values.secondFont);
    dx.number(m_fonts[1].size, values.secondSize, kAnyMin, kAnyMax);
    dx.index(m_fonts[1].weight, values.secondWeight);
    if (m_borderWidth)
        dx.number(m_borderWidth, values.borderWidth, kMinBorderWidth, kMaxBorderWidth);
    if (m_shadow)
        dx.check(m_shadow, values.showShadow);
}

bool CGridStylePage::UpdateData(bool saving)
{
    return controls::DataExchange::run(saving, context().prompter,
                                       [this](controls::DataExchange &dx) { DoDataExchange(dx); });
}

bool CGridStylePage::OnKillActive()
{
    if (!UpdateData(true))
        return false;
    // The slot-0 colour alone does not count as a change.
    if (!sheet().changed)
        for (std::size_t slot = 1; slot < m_colors.size(); ++slot)
            if (m_colors[slot]->color() != values.colors[slot])
                sheet().changed = true;
    for (std::size_t slot = 0; slot < m_colors.size(); ++slot)
        values.colors[slot] = m_colors[slot]->color();
    return true;
}

} // namespace kw::pages
