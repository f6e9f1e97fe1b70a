#include "pages/CWebPagePropSheet.h"

#include "platform/HelpLauncher.h"
#include "platform/QtStrings.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <array>

namespace kw::pages {

namespace {

using platform::qt;

HelpHandler &helpHandler()
{
    static HelpHandler handler = &platform::showHelpTopic;
    return handler;
}

/// The MFC-style number of the help button, the button's object name.
constexpr int kHelpButtonId = 9;

} // namespace

HelpHandler setHelpHandler(HelpHandler handler)
{
    HelpHandler previous = helpHandler();
    helpHandler() = handler ? handler : &platform::showHelpTopic;
    return previous;
}

CWebPagePropSheet::CWebPagePropSheet(StringId caption, PageContext context, QWidget *parent)
    : CWebPagePropSheet(qt(loadString(caption)), std::move(context), parent)
{
}

CWebPagePropSheet::CWebPagePropSheet(const QString &caption, PageContext context, QWidget *parent)
    : QDialog(parent), m_context(std::move(context))
{
    build(caption);
    m_pageSet.push_back(PageSlot::General);
    AddPage(generalPage);
}

CWebPagePropSheet::~CWebPagePropSheet()
{
    // The page members go before the dialog: take them out of the stack so it does not delete them.
    for (CPropertyPage *page : m_pages)
        page->setParent(nullptr);
}

void CWebPagePropSheet::build(const QString &caption)
{
    setObjectName(QStringLiteral("CWebPagePropSheet"));
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tabs"));
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);
    m_tabs->setUsesScrollButtons(false); // the sheet is as wide as all its tabs, none hidden
    layout->addWidget(m_tabs);
    m_stack = new QStackedWidget(this);
    m_stack->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_stack, 1);
    layout->setSpacing(0);

    // OK, Cancel and Help only: there is no Apply.
    auto *buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    const struct {
        QDialogButtonBox::StandardButton button;
        const char *text;
        int id;
    } kButtons[] = {{QDialogButtonBox::Ok, "OK", 1},
                    {QDialogButtonBox::Cancel, "Abbrechen", 2},
                    {QDialogButtonBox::Help, "Hilfe", kHelpButtonId}};
    for (const auto &entry : kButtons) {
        QPushButton *button = buttons->button(entry.button);
        button->setText(QString::fromUtf8(entry.text));
        button->setObjectName(QString::number(entry.id));
    }
    buttons->setContentsMargins(0, 8, 0, 0);
    connect(buttons, &QDialogButtonBox::accepted, this, &CWebPagePropSheet::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CWebPagePropSheet::reject);
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this] { showHelp(); });
    layout->addWidget(buttons);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) { onTabChanged(index); });
}

void CWebPagePropSheet::Init(int kind, bool withPortal)
{
    using enum PageSlot;
    switch (kind) {
    case 1:
        for (PageSlot slot : {Headings, Tables, Links, EntryFields, Buttons})
            addSlot(slot);
        if (withPortal)
            addSlot(Portal);
        break;
    case 2:
    case 3:
    case 4:
        addSlot(SpecialSettings);
        if (generalPage.values.treeMenu)
            addSlot(TreeMenu);
        m_specialKind = kind;
        if (kind == 3)
            generalPage.values.menuLevel = 1;
        break;
    case 5:
        generalPage.values.menuLevel = 0;
        break;
    default:
        break;
    }
}

CPropertyPage *CWebPagePropSheet::pageFor(PageSlot slot)
{
    switch (slot) {
    case PageSlot::General:
        return &generalPage;
    case PageSlot::Headings:
        return &headingsPage;
    case PageSlot::Links:
        return &linksPage;
    case PageSlot::Tables:
        return &tablesPage;
    case PageSlot::Portal:
        return &portalPage;
    case PageSlot::Buttons:
        return &buttonsPage;
    case PageSlot::EntryFields:
        return &entryFieldsPage;
    case PageSlot::SpecialSettings:
        return &specialSettingsPage;
    case PageSlot::TreeMenu:
        return &treeMenuPage;
    }
    return nullptr;
}

void CWebPagePropSheet::addSlot(PageSlot slot)
{
    m_pageSet.push_back(slot);
    if (CPropertyPage *page = pageFor(slot))
        AddPage(*page);
}

void CWebPagePropSheet::AddPage(CPropertyPage &page)
{
    page.m_sheet = this;
    m_pages.push_back(&page);
    m_stack->addWidget(&page);
    QSignalBlocker quiet(m_tabs);
    m_tabs->addTab(QString::fromUtf8(page.info().caption));
}

int CWebPagePropSheet::activeIndex() const
{
    return m_current;
}

CPropertyPage *CWebPagePropSheet::activePage() const
{
    return m_current >= 0 ? m_pages[static_cast<std::size_t>(m_current)] : nullptr;
}

QSize CWebPagePropSheet::largestPageSize()
{
    // Measured once per page on a scratch sheet, whose pages show their default values: a page's size
    // depends on its controls, not on the values in them. The sheet's own pages stay unmade until shown.
    static std::array<QSize, kPageSlotCount> measured;
    QSize largest;
    for (PageSlot slot : m_pageSet) {
        QSize &size = measured[static_cast<std::size_t>(slot)];
        if (!size.isValid()) {
            CWebPagePropSheet scratch(QString(), m_context);
            CPropertyPage *page = scratch.pageFor(slot);
            if (slot != PageSlot::General)
                scratch.AddPage(*page);
            page->create();
            size = page->sizeHint().expandedTo(page->minimumSizeHint());
        }
        largest = largest.expandedTo(size);
    }
    return largest;
}

void CWebPagePropSheet::showEvent(QShowEvent *event)
{
    if (m_current < 0 && !m_pages.empty()) {
        // The sheet opens on its first page, made now that the element has filled its fields, and as
        // large as its largest page.
        m_current = 0;
        m_pages.front()->create();
        m_stack->setCurrentIndex(0);
        QSignalBlocker quiet(m_tabs);
        m_tabs->setCurrentIndex(0);
        m_stack->setMinimumSize(largestPageSize() + QSize(2, 2) * m_stack->frameWidth());
        adjustSize();
    }
    QDialog::showEvent(event);
}

bool CWebPagePropSheet::SetActivePage(int index)
{
    if (index < 0 || index >= static_cast<int>(m_pages.size()))
        return false;
    if (index == m_current)
        return true;
    if (CPropertyPage *leaving = activePage(); leaving && !leaving->OnKillActive())
        return false;
    m_current = index;
    CPropertyPage *page = m_pages[static_cast<std::size_t>(index)];
    page->create();
    m_stack->setCurrentWidget(page);
    QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(index);
    return true;
}

void CWebPagePropSheet::onTabChanged(int index)
{
    if (SetActivePage(index))
        return;
    QSignalBlocker quiet(m_tabs);
    m_tabs->setCurrentIndex(m_current);
}

void CWebPagePropSheet::accept()
{
    if (CPropertyPage *page = activePage(); page && !page->OnKillActive())
        return;
    for (CPropertyPage *page : m_pages)
        if (page->isCreated())
            page->OnOK();
    QDialog::accept();
}

void CWebPagePropSheet::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::HelpContents)) {
        showHelp();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CWebPagePropSheet::showHelp()
{
    if (CPropertyPage *page = activePage())
        helpHandler()(page->info().helpTopic);
}

} // namespace kw::pages
