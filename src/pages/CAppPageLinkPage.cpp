#include "pages/CAppPageLinkPage.h"

#include "controls/CFontChooserCtrl.h"
#include "controls/CKwColorBtn.h"
#include "controls/CKwNiceStatic.h"
#include "controls/DataExchange.h"
#include "pages/CN2NDPropPage.h"
#include "pages/CWebPagePropSheet.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace kw::pages {

using namespace links;

namespace {

} // namespace

CAppPageLinkPage::CAppPageLinkPage() : CPropertyPage(PageSlot::Links) {}

CAppPageLinkPage::~CAppPageLinkPage() = default;

void CAppPageLinkPage::OnInitDialog()
{
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    grid->addWidget(makeHeader(" Alle Links", AllLinksHeader, this), 0, 0, 1, 5, Qt::AlignBottom);
    m_color = makeColorButton(LinkColor, QStringLiteral("Farbe"), this);
    m_hoverColor = makeColorButton(LinkHoverColor, QStringLiteral("Farbe bei Mauskontakt"), this);
    grid->addWidget(makeLabel("Farbe", m_color, this), 1, 0);
    grid->addWidget(m_color, 1, 1, Qt::AlignLeft);
    grid->addWidget(makeLabel("Farbe bei &Mauskontakt", m_hoverColor, this), 1, 3);
    grid->addWidget(m_hoverColor, 1, 4, Qt::AlignLeft);

    // "Hervorgehobene Links" with an etched line to the right.
    auto *emphasisRow = new QHBoxLayout;
    emphasisRow->addWidget(new QLabel(QStringLiteral("Hervorgehobene Links"), this));
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    emphasisRow->addWidget(line, 1);
    grid->addLayout(emphasisRow, 2, 0, 1, 5, Qt::AlignBottom);
    grid->setRowMinimumHeight(2, fontMetrics().height() + 2 * kGroupGap);
    m_emphasis.build({EmphasisFont, EmphasisSize, EmphasisWeight, "&Schriftart", "G&röße", "&Schnitt",
                      QStringLiteral("hervorgehobene Links")},
                     *grid, 3, this);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(2, 1);

    m_color->setColor(values.linkColor);
    m_hoverColor->setColor(values.linkHoverColor);
    m_opened = values;
    UpdateData(false);

    const auto markChanged = [this] {
        if (!m_showing)
            sheet().changed = true;
    };
    connect(m_emphasis.size, &QLineEdit::textChanged, this, markChanged);
    connect(m_emphasis.weight, &QComboBox::currentIndexChanged, this, markChanged);
}

void CAppPageLinkPage::DoDataExchange(controls::DataExchange &dx)
{
    dx.text(m_emphasis.font, values.emphasisFont);
    dx.number(m_emphasis.size, values.emphasisSize, general::kMinSize, general::kMaxSize);
    dx.index(m_emphasis.weight, values.emphasisWeight);
}

bool CAppPageLinkPage::UpdateData(bool saving)
{
    const bool wasShowing = m_showing;
    m_showing = !saving;
    const bool taken = controls::DataExchange::run(
        saving, context().prompter, [this](controls::DataExchange &dx) { DoDataExchange(dx); });
    m_showing = wasShowing;
    return taken;
}

bool CAppPageLinkPage::OnKillActive()
{
    if (!UpdateData(true))
        return false;
    if (!sheet().changed &&
        (m_color->color() != m_opened.linkColor || m_hoverColor->color() != m_opened.linkHoverColor ||
         values.emphasisFont != m_opened.emphasisFont))
        sheet().changed = true;
    values.linkColor = m_color->color();
    values.linkHoverColor = m_hoverColor->color();
    return true;
}

} // namespace kw::pages
