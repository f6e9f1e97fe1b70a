#include "editors/CLanguageSheet.h"

#include "base/ServerError.h"
#include "editors/DialogButtons.h"
#include "platform/HostMessages.h"
#include "platform/QtStrings.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kw::editors {

namespace {

using platform::qt;

enum Column { ColumnType, ColumnLanguage, ColumnText };
/// The widths of the three columns in units of a twelfth of the client width (less 15 pixels).
constexpr int kColumnUnits[] = {3, 4, 5};
constexpr int kUnitCount = 12;
constexpr int kWidthReserve = 15;
constexpr int kLanguageRole = Qt::UserRole;
constexpr int kTypeRole = Qt::UserRole + 1;

QTableWidgetItem *fixedItem(const std::string &text)
{
    auto *item = new QTableWidgetItem(qt(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

CIFLanguagePage::CIFLanguagePage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QString::number(res::IDD_LANGUAGE_PAGE));
    m_grid = new QTableWidget(this);
    m_grid->setObjectName(QString::number(res::IDC_LANGUAGE_GRID));
    m_grid->setAccessibleName(QStringLiteral("Sprachtexte"));
    m_grid->setColumnCount(3);
    m_grid->setHorizontalHeaderLabels({qt(loadString(StringId::LanguageColumnType)),
                                       qt(loadString(StringId::LanguageColumnLanguage)),
                                       qt(loadString(StringId::LanguageColumnText))});
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setShowGrid(true);
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setStretchLastSection(false);
    m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_grid);
    m_grid->installEventFilter(this);
    connect(m_grid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem *item) { textEdited(item); });
}

void CIFLanguagePage::OnInitDialog()
{
    setColumnWidths();
    if (!emptyGrid)
        fillGrid();
    m_initialised = true;
}

void CIFLanguagePage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_initialised)
        OnInitDialog();
}

bool CIFLanguagePage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_grid && event->type() == QEvent::Resize)
        setColumnWidths();
    return QWidget::eventFilter(watched, event);
}

void CIFLanguagePage::setColumnWidths()
{
    // The whole client width, scroll bar included: the reserve leaves room for it.
    const int unit = std::max(0, (m_grid->contentsRect().width() - kWidthReserve) / kUnitCount);
    for (int column = 0; column < 3; ++column)
        m_grid->setColumnWidth(column, kColumnUnits[column] * unit);
}

void CIFLanguagePage::fillGrid()
{
    m_filling = true;
    m_grid->clearContents();
    const std::vector<portalsettings::LanguageRow> rows = portalsettings::languageRows(fields, languages);
    m_grid->setRowCount(static_cast<int>(rows.size()));
    for (int row = 0; row < static_cast<int>(rows.size()); ++row) {
        const portalsettings::LanguageRow &rowData = rows[static_cast<std::size_t>(row)];
        m_grid->setItem(row, ColumnType, fixedItem(rowData.label));
        m_grid->setItem(row, ColumnLanguage, fixedItem(rowData.languageName));
        auto *text = new QTableWidgetItem(qt(rowData.text));
        text->setData(kLanguageRole, rowData.language);
        text->setData(kTypeRole, rowData.type);
        m_grid->setItem(row, ColumnText, text);
    }
    m_filling = false;
}

void CIFLanguagePage::textEdited(QTableWidgetItem *item)
{
    if (m_filling || !item || item->column() != ColumnText)
        return;
    const auto language = static_cast<std::int32_t>(item->data(kLanguageRole).toInt());
    if (!portalsettings::storeRowText(fields, item->data(kTypeRole).toInt(), language,
                                      item->text().toStdString()))
        return;
    if (QWidget *first = firstPageOfSheet()) {
        // The rebuild must not pull the item from under the edit that is ending: it runs once it is done.
        QMetaObject::invokeMethod(
            first,
            [first, language, self = QPointer<QWidget>(this)] {
                platform::HostMessageEvent update(platform::messages::LanguageDataUpdate,
                                                  static_cast<std::uintptr_t>(language), 0, self.data());
                QCoreApplication::sendEvent(first, &update);
            },
            Qt::QueuedConnection);
    }
}

QWidget *CIFLanguagePage::firstPageOfSheet()
{
    for (QWidget *parent = parentWidget(); parent; parent = parent->parentWidget())
        if (auto *tabs = qobject_cast<QTabWidget *>(parent))
            return tabs->widget(0);
    return this;
}

bool CIFLanguagePage::event(QEvent *event)
{
    if (platform::HostMessageEvent::is(event, platform::messages::LanguageDataUpdate)) {
        fillGrid();
        return true;
    }
    return QWidget::event(event);
}

CLanguageSheet::CLanguageSheet(StringId caption, server::Environment env, Prompter &prompter, QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(qt(loadString(caption)));
    auto *tabs = new QTabWidget(this);
    m_page = new CIFLanguagePage;
    tabs->addTab(m_page, QString::fromUtf8("Spracheinstellungen"));
    try {
        if (!env.session)
            throw ServerError(ServerError::NullPointer, "Das Modul hat keine Sitzung mit dem Portalserver.");
        m_languages = portalsettings::readLanguages(*env.session);
        m_page->languages = m_languages.languages;
    } catch (const ServerError &error) {
        prompter.showExtendedError(StringId::ServerEnvironmentNotRead, error);
    }
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    layout->addWidget(makeOkCancelBox(*this));
    resize(520, 300);
}

QWidget *CLanguageSheet::firstPage() const
{
    return m_page;
}

} // namespace kw::editors
