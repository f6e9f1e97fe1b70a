#include "pages/CAppPageHdrPage.h"

#include "controls/CFontChooserCtrl.h"
#include "controls/CKwColorBtn.h"
#include "controls/CKwNiceStatic.h"
#include "controls/DataExchange.h"
#include "pages/CN2NDPropPage.h"
#include "pages/CWebPagePropSheet.h"
#include "pages/ImageChooser.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace kw::pages {

using namespace headings;

namespace {

/// The captions of one heading level; the mnemonics differ from level to level.
struct LevelCaptions {
    const char *header, *font, *size, *weight, *color, *bullet, *changeBullet;
};

constexpr std::array<LevelCaptions, 3> kCaptions = {{
    {" Überschrift 1", "&Schriftart", "&Größe", "S&chnitt", "&Farbe", "Glieder&ungssymbol", "Ä&ndern..."},
    {" Überschrift 2", "Sc&hriftart", "G&röße", "Schn&itt", "Far&be", "Gliederungss&ymbol", "Än&dern..."},
    {" Überschrift 3", "Schrift&art", "Gr&öße", "Schni&tt", "Farb&e", nullptr, nullptr},
}};

/// Rows of one level: header, font and weight, size and colour, outline symbol.
constexpr int kRowsPerLevel = 4;

} // namespace

CAppPageHdrPage::CAppPageHdrPage() : CPropertyPage(PageSlot::Headings) {}

CAppPageHdrPage::~CAppPageHdrPage() = default;

void CAppPageHdrPage::buildLevel(std::size_t level, int row)
{
    auto *grid = static_cast<QGridLayout *>(layout());
    const LevelIds &ids = kLevels[level];
    const LevelCaptions &captions = kCaptions[level];
    const QString whose = QString::fromUtf8(captions.header).trimmed();
    Level &controls = m_levels[level];

    auto *header = makeHeader(captions.header, ids.header, this);
    grid->addWidget(header, row, 0, 1, 5, Qt::AlignBottom);
    if (row > 0)
        grid->setRowMinimumHeight(row, header->sizeHint().height() + kGroupGap);
    controls.text.build(
        {ids.font, ids.size, ids.weight, captions.font, captions.size, captions.weight, whose}, *grid,
        row + 1, this);
    controls.color = makeColorButton(ids.color, QStringLiteral("Farbe ") + whose, this);
    grid->addWidget(makeLabel(captions.color, controls.color, this), row + 2, 3);
    grid->addWidget(controls.color, row + 2, 4, Qt::AlignLeft);

    connect(controls.text.size, &QLineEdit::textChanged, this, [this] { markChanged(); });
    connect(controls.text.weight, &QComboBox::currentIndexChanged, this, [this] { markChanged(); });

    if (!captions.bullet)
        return; // heading 3 has no outline symbol
    controls.bullet = withId(new QLineEdit(this), ids.bullet);
    controls.bullet->setReadOnly(true);
    controls.bullet->setAccessibleName(QString::fromUtf8("Gliederungssymbol ") + whose);
    controls.changeBullet =
        withId(new QPushButton(QString::fromUtf8(captions.changeBullet), this), ids.changeBullet);
    grid->addWidget(makeLabel(captions.bullet, controls.bullet, this), row + 3, 0);
    grid->addWidget(controls.bullet, row + 3, 1, 1, 3);
    grid->addWidget(controls.changeBullet, row + 3, 4);
    connect(controls.changeBullet, &QPushButton::clicked, this, [this, level] { chooseBullet(level); });
}

void CAppPageHdrPage::OnInitDialog()
{
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    for (std::size_t level = 0; level < m_levels.size(); ++level)
        buildLevel(level, static_cast<int>(level) * kRowsPerLevel);
    grid->setRowStretch(static_cast<int>(m_levels.size()) * kRowsPerLevel, 1);
    grid->setColumnStretch(2, 1);

    for (std::size_t level = 0; level < m_levels.size(); ++level) {
        m_levels[level].color->setColor(values.levels[level].color);
        m_openedFonts[level] = values.levels[level].font;
    }
    UpdateData(false);
}

void CAppPageHdrPage::DoDataExchange(controls::DataExchange &dx)
{
    for (std::size_t level = 0; level < m_levels.size(); ++level) {
        layout::HeadingLevel &fields = values.levels[level];
        const Level &controls = m_levels[level];
        dx.text(controls.text.font, fields.font);
        dx.number(controls.text.size, fields.size, general::kMinSize, general::kMaxSize);
        dx.index(controls.text.weight, fields.weight);
        if (controls.bullet)
            dx.text(controls.bullet, fields.bullet);
    }
}

bool CAppPageHdrPage::UpdateData(bool saving)
{
    const bool wasShowing = m_showing;
    m_showing = !saving;
    const bool taken = controls::DataExchange::run(
        saving, context().prompter, [this](controls::DataExchange &dx) { DoDataExchange(dx); });
    m_showing = wasShowing;
    return taken;
}

void CAppPageHdrPage::markChanged()
{
    if (!m_showing)
        sheet().changed = true;
}

void CAppPageHdrPage::chooseBullet(std::size_t level)
{
    if (!UpdateData(true))
        return;
    std::string &bullet = values.levels[level].bullet;
    const std::optional<std::string> chosen = chooseCompanyImage(context(), bullet, this);
    if (chosen && *chosen != bullet) {
        sheet().changed = true;
        bullet = *chosen;
    }
    UpdateData(false);
}

bool CAppPageHdrPage::OnKillActive()
{
    if (!UpdateData(true))
        return false;
    for (std::size_t level = 0; level < m_levels.size(); ++level) {
        layout::HeadingLevel &fields = values.levels[level];
        const Color shown = m_levels[level].color->color();
        if (shown != fields.color) {
            sheet().changed = true;
            fields.color = shown;
        }
        if (fields.font != m_openedFonts[level])
            sheet().changed = true;
    }
    return true;
}

} // namespace kw::pages
