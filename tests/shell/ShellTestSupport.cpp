#include "ShellTestSupport.h"

#include "demo/DemoPortal.h"
#include "platform/HelpLauncher.h"
#include "platform/HostMessages.h"
#include "shell/CChildFrame.h"
#include "shell/CKwLOutTabbedView.h"
#include "shell/DocTemplate.h"
#include "shell/ModuleState.h"
#include "shell/Resource.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include <algorithm>

namespace kw::shell::test {

namespace fs = std::filesystem;

DemoPortal::DemoPortal(const std::string &user)
{
    demo::createDemoPortal(m_dir.path());
    m_env = server::LocalPortal::open(m_dir.path(), user);
}

fs::path DemoPortal::local(const std::string &serverPath) const
{
    std::string path = serverPath;
    std::replace(path.begin(), path.end(), '\\', '/');
    return m_dir.path() / path;
}

bool DemoPortal::exists(const std::string &serverPath) const
{
    return fs::exists(local(serverPath));
}

std::string DemoPortal::read(const std::string &serverPath) const
{
    return exists(serverPath) ? kw::test::readFile(local(serverPath)) : std::string();
}

void DemoPortal::write(const std::string &serverPath, const std::string &bytes) const
{
    kw::test::writeFile(local(serverPath), bytes);
}

ModuleTest::ModuleTest()
{
    ModuleState &state = moduleState();
    state.factory = portal.env().factory;
    state.session = portal.env().session;
    state.idleInit = true;
    state.prompter = &prompter;
    state.waitIndicator = &wait;
    state.dialogRunner = [this](QDialog &dialog) {
        auto *list = dynamic_cast<CLayoutListDlg *>(&dialog);
        if (!list) {
            ADD_FAILURE() << "an unexpected dialog ran: " << dialog.objectName().toStdString();
            return res::IDCANCEL;
        }
        m_modes.push_back(list->mode());
        if (m_steps.empty()) {
            ADD_FAILURE() << "the layout list dialog ran without a scripted step";
            return res::IDCANCEL;
        }
        DialogStep step = std::move(m_steps.front());
        m_steps.pop_front();
        return step(*list);
    };
    m_previousLauncher = platform::replaceHelpLauncher(
        std::make_unique<platform::HelpLauncher>([] { return QStringLiteral("/usr/bin/kchmviewer"); },
                                                 [this](const QString &, const QStringList &arguments) {
                                                     m_help.push_back(arguments.join(QLatin1Char(' ')));
                                                     return true;
                                                 }));
}

ModuleTest::~ModuleTest()
{
    ModuleState &state = moduleState();
    state.factory.reset();
    state.session.reset();
    state.idleInit = false;
    state.prompter = nullptr;
    state.waitIndicator = nullptr;
    state.dialogRunner = {};
    state.registration.reset();
    platform::replaceHelpLauncher(std::move(m_previousLauncher));
    EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " scripted dialog run(s) did not happen";
}

QListWidget *listOf(CLayoutListDlg &dialog)
{
    return dialog.findChild<QListWidget *>(QString::number(res::IDC_LAYOUTLIST));
}

QLineEdit *nameEditOf(CLayoutListDlg &dialog)
{
    return dialog.findChild<QLineEdit *>(QString::number(res::IDC_LAYOUTNAME));
}

QPushButton *buttonOf(CLayoutListDlg &dialog, int id)
{
    return dialog.findChild<QPushButton *>(QString::number(id));
}

std::vector<std::string> rowsOf(CLayoutListDlg &dialog)
{
    std::vector<std::string> rows;
    QListWidget *list = listOf(dialog);
    for (int i = 0; i < list->count(); ++i)
        rows.push_back(list->item(i)->text().toStdString());
    return rows;
}

void selectRow(CLayoutListDlg &dialog, const std::string &text)
{
    QListWidget *list = listOf(dialog);
    const QList<QListWidgetItem *> found = list->findItems(QString::fromStdString(text), Qt::MatchExactly);
    ASSERT_FALSE(found.isEmpty()) << "no row " << text;
    list->setCurrentItem(found.front());
}

void typeName(CLayoutListDlg &dialog, const std::string &text)
{
    QLineEdit *edit = nameEditOf(dialog);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, QString::fromStdString(text));
}

int press(CLayoutListDlg &dialog, int id)
{
    QPushButton *button = buttonOf(dialog, id);
    EXPECT_TRUE(button && button->isEnabled()) << "button " << id << " cannot be pressed";
    if (button)
        button->click();
    return dialog.result();
}

using namespace kw::server;

namespace {

ServerError broken(const char *what)
{
    return ServerError(ServerError::Fail, std::string("broken on purpose: ") + what);
}

class BrokenFolder final : public IServerFolder {
public:
    BrokenFolder(Ref<IServerFolder> inner, const ServerFaults &faults)
        : m_inner(std::move(inner)), m_faults(faults)
    {
    }
    bool HasFile(const std::string &name) override
    {
        if (m_faults.hasFile)
            throw broken("HasFile");
        return m_inner->HasFile(name);
    }
    void RemoveFile(const std::string &name) override
    {
        if (m_faults.removeFile)
            throw broken("RemoveFile");
        m_inner->RemoveFile(name);
    }
    Ref<IServerFile> GetFile(const std::string &name, std::uint32_t mode) override
    {
        return m_inner->GetFile(name, mode);
    }
    Ref<IServerFile> NewFile(const std::string &base, const std::string &extension) override
    {
        return m_inner->NewFile(base, extension);
    }
    std::string FirstMatch(const std::string &pattern) override
    {
        if (m_faults.search)
            throw broken("FirstMatch");
        return m_inner->FirstMatch(pattern);
    }
    std::string NextMatch() override { return m_inner->NextMatch(); }
    int SearchDone() override { return m_inner->SearchDone(); }
    void EndMatch() override { m_inner->EndMatch(); }

private:
    Ref<IServerFolder> m_inner;
    const ServerFaults &m_faults;
};

class BrokenFileService final : public IFileService {
public:
    BrokenFileService(Ref<IFileService> inner, const ServerFaults &faults)
        : m_inner(std::move(inner)), m_faults(faults)
    {
    }
    void AttachSession(const Ref<ISession> &session) override
    {
        if (m_faults.attachSession)
            throw broken("AttachSession");
        m_inner->AttachSession(session);
    }
    Ref<IServerFolder> GetFolder(const std::string &path) override
    {
        return makeRef<BrokenFolder>(m_inner->GetFolder(path), m_faults);
    }
    long ExecuteSql(const std::string &statement) override { return m_inner->ExecuteSql(statement); }

private:
    Ref<IFileService> m_inner;
    const ServerFaults &m_faults;
};

class BrokenFactory final : public IObjectFactory {
public:
    BrokenFactory(Ref<IObjectFactory> inner, const ServerFaults &faults)
        : m_inner(std::move(inner)), m_faults(faults)
    {
    }
    Ref<IServerObject> CreateObject(ServerClass cls) override
    {
        if (cls != ServerClass::FileService)
            return m_inner->CreateObject(cls);
        if (m_faults.createObject)
            throw broken("CreateObject");
        Ref<IFileService> files = createObject<IFileService>(*m_inner);
        return makeRef<BrokenFileService>(files, m_faults);
    }

private:
    Ref<IObjectFactory> m_inner;
    const ServerFaults &m_faults;
};

} // namespace

Environment withServerFaults(const Environment &inner, const ServerFaults &faults)
{
    return {makeRef<BrokenFactory>(inner.factory, faults), inner.session};
}

FakeConsole::FakeConsole() : m_template(std::make_unique<CKwLOutDocTemplate>(moduleResources()))
{
    mdi = new QMdiArea(this);
    setCentralWidget(mdi);
    resize(900, 700);
    show();
}

ModuleWindow FakeConsole::open()
{
    m_window = new QMdiSubWindow;
    mdi->addSubWindow(m_window);
    m_opened = m_template->openDocumentFile(*m_window);
    return m_opened;
}

CChildFrame *FakeConsole::frame() const
{
    return dynamic_cast<CChildFrame *>(m_opened.frame);
}

CKwLOutTabbedView *FakeConsole::view() const
{
    return dynamic_cast<CKwLOutTabbedView *>(m_opened.view);
}

bool FakeConsole::event(QEvent *event)
{
    using platform::HostMessageEvent;
    namespace messages = platform::messages;
    if (auto *message = HostMessageEvent::as(event, messages::GetDockStateName)) {
        ++announced;
        announcedFrame = reinterpret_cast<QWidget *>(message->lParam());
        return true;
    }
    if (auto *message = HostMessageEvent::as(event, messages::PaneCreated)) {
        if (message->source()) {
            auto *bar = reinterpret_cast<QToolBar *>(message->lParam());
            addToolBar(bar);
            bar->show();
            docked.append(bar);
        }
        return true;
    }
    if (auto *message = HostMessageEvent::as(event, messages::ShowFrameTitle)) {
        if (message->source())
            titles.append(*reinterpret_cast<const QString *>(message->lParam()));
        return true;
    }
    return QMainWindow::event(event);
}

} // namespace kw::shell::test
