#include "controls/CObjectRightsDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <charconv>
#include <set>

namespace kw::controls {

namespace {

constexpr const char *kGroupsStatement = "SELECT id, name FROM user_groups ORDER BY name, id";

bool contains(const std::vector<std::int32_t> &list, std::int32_t id)
{
    return std::find(list.begin(), list.end(), id) != list.end();
}

} // namespace

CObjectRightsDlg::CObjectRightsDlg(server::Environment env, Prompter &prompter, QWidget *parent)
    : QDialog(parent), m_env(std::move(env)), m_prompter(prompter)
{
    setObjectName(QStringLiteral("CObjectRightsDlg"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QString::fromUtf8("&Benutzergruppen mit Zugriff:"), this);
    layout->addWidget(label);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("groups"));
    m_list->setAccessibleName(QString::fromUtf8("Benutzergruppen"));
    m_list->setMinimumSize(260, 180);
    label->setBuddy(m_list);
    layout->addWidget(m_list, 1);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CObjectRightsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::vector<UserGroup> CObjectRightsDlg::readUserGroups(const server::Environment &env)
{
    server::Ref<server::IQuery> query = server::createObject<server::IQuery>(*env.factory);
    query->QueryRun(0, kGroupsStatement);
    std::vector<UserGroup> groups;
    const long rows = query->QueryRowCount();
    for (long row = 0; row < rows; ++row) {
        const std::string id = query->QueryValue(row, 0);
        UserGroup group;
        const auto [end, error] = std::from_chars(id.data(), id.data() + id.size(), group.id);
        if (error != std::errc() || end != id.data() + id.size())
            continue;
        group.name = query->QueryValue(row, 1);
        groups.push_back(std::move(group));
    }
    return groups;
}

QString CObjectRightsDlg::unknownGroupName(std::int32_t id)
{
    return QStringLiteral("Gruppe %1").arg(id);
}

int CObjectRightsDlg::exec()
{
    m_changed = false;
    std::vector<UserGroup> known;
    try {
        known = readUserGroups(m_env);
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::ServerEnvironmentNotRead, error);
        return QDialog::Rejected;
    }
    fillList(known);
    // Wide enough for the caption the caller set (it names the object), which the title bar would cut.
    QFont title = font();
    title.setBold(true);
    setMinimumWidth(std::max(minimumWidth(), QFontMetrics(title).horizontalAdvance(windowTitle()) + 120));
    return QDialog::exec();
}

void CObjectRightsDlg::fillList(const std::vector<UserGroup> &known)
{
    const std::vector<std::int32_t> &groups = *m_groups;
    m_list->clear();
    auto add = [this](std::int32_t id, const QString &name, bool checked) {
        auto *item = new QListWidgetItem(name, m_list);
        item->setData(Qt::UserRole, id);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    };
    std::set<std::int32_t> listed;
    for (const UserGroup &group : known) {
        add(group.id, QString::fromStdString(group.name), contains(groups, group.id));
        listed.insert(group.id);
    }
    for (const std::int32_t id : groups)
        if (listed.insert(id).second)
            add(id, unknownGroupName(id), true);
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);
}

void CObjectRightsDlg::accept()
{
    std::vector<std::int32_t> checked;
    for (int row = 0; row < m_list->count(); ++row) {
        const QListWidgetItem *item = m_list->item(row);
        if (item->checkState() == Qt::Checked)
            checked.push_back(item->data(Qt::UserRole).toInt());
    }
    const std::set<std::int32_t> before(m_groups->begin(), m_groups->end());
    const std::set<std::int32_t> after(checked.begin(), checked.end());
    if (before != after) {
        std::vector<std::int32_t> result;
        for (const std::int32_t id : *m_groups)
            if (after.count(id) && !contains(result, id))
                result.push_back(id);
        for (const std::int32_t id : checked)
            if (!contains(result, id))
                result.push_back(id);
        *m_groups = std::move(result);
        m_changed = true;
    }
    QDialog::accept();
}

} // namespace kw::controls
