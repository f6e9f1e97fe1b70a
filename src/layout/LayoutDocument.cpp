#include "layout/LayoutDocument.h"

#include "base/TextCodec.h"
#include "css/CssDocument.h"
#include "layout/LayoutList.h"
#include "publish/ButtonStylesheet.h"
#include "publish/LayoutStylesheet.h"
#include "publish/MenuStylesheet.h"
#include "publish/SettingsScripts.h"
#include "server/PortalAccess.h"

#include <functional>
#include <memory>
#include <utility>

namespace kw::layout {

using namespace kw::server;

namespace {

constexpr const char *kMenuCss = "menu.css";
constexpr const char *kButtonStylesCss = "buttonstyles.css";
constexpr const char *kNavTopScript = "NavTop.asp";
constexpr const char *kLayoutSettingsScript = "LayoutSettings.asp";
constexpr const char *kStylesScript = "KwStyles.asp";

std::unique_ptr<css::CCssDocument> parseFile(IServerFolder &folder, const std::string &name)
{
    const std::string text = readTextFile(folder, name);
    auto document = std::make_unique<css::CCssDocument>();
    document->New();
    document->LoadCss(text.data(), static_cast<int>(text.size()), true);
    return document;
}

// Creates the file when missing (taking the name it got) or opens it for writing, then replaces it.
void writeWholeFile(IServerFolder &folder, std::string name, const std::string &text)
{
    Ref<IServerFile> file;
    if (!folder.HasFile(name)) {
        const std::size_t split = name.size() >= 4 ? name.size() - 4 : 0;
        file = folder.NewFile(name.substr(0, split), name.substr(split));
        name = file->GetFileName();
    } else {
        file = folder.GetFile(name, ModeCreateDenyWrite);
    }
    putText(*file, text);
}

std::string generate(const std::function<void(css::CCssElement &)> &build)
{
    css::CCssDocument document;
    document.New();
    build(document.Root());
    return document.GenerateCss();
}

} // namespace

void readStoredLayout(const PortalConnection &connection, const std::string &fileName, LayoutModel &model,
                      ColorSet &colors, LayoutFlags &flags)
{
    const bool active = isActiveLayoutFile(fileName);
    Ref<IServerFolder> folder = connection.folder(active ? folders::Style : folders::Templates);
    const auto layoutFile = parseFile(*folder, fileName);
    const auto menuFile = folder->HasFile(kMenuCss) ? parseFile(*folder, kMenuCss) : nullptr;
    const auto buttonFile =
        folder->HasFile(kButtonStylesCss) ? parseFile(*folder, kButtonStylesCss) : nullptr;

    ButtonStyleList &buttons = model.buttons();
    publish::readButtonStyles(buttons, active && buttonFile ? &buttonFile->Root() : nullptr,
                              layoutFile->Root());
    for (const ButtonStyle &button : buttons.styles())
        for (Color c : {button.backgroundColor, button.textColor, button.borderTopLeftColor,
                        button.borderBottomRightColor})
            colors.add(c);
    flags.buttonStylesLoaded = buttons.foundInCss;

    readLayoutTree(layoutFile->Root(), model, colors, flags.entryStyleFromCss);

    // The settings script belongs to every portal (each one is created with an active layout); a missing
    // one is a server error like any other unreadable file.
    Ref<IServerFolder> settings = connection.folder(folders::CompanySettings);
    const publish::FavoriteSwitches favorites =
        publish::readLayoutSettings(readTextFile(*settings, kLayoutSettingsScript));
    if (favorites.infoFavorites)
        model.region(RegionId::KwRootTop).showFavorites = *favorites.infoFavorites;
    if (favorites.secondLevelFavorites)
        model.region(RegionId::KwNavigate).showFavorites = *favorites.secondLevelFavorites;

    if (menuFile)
        readLayoutTree(menuFile->Root(), model, colors, flags.entryStyleFromCss);
}

std::string namedLayoutText(LayoutModel &model, const LayoutFlags &flags)
{
    model.buttons().resetUnknownTextAlignments();
    publish::LayoutTreeOptions options;
    options.entryStyleFromCss = flags.entryStyleFromCss;
    options.buttonStylesLoaded = flags.buttonStylesLoaded;
    return generate([&](css::CCssElement &root) { publish::buildLayoutTree(model, options, root); });
}

LayoutDocument::LayoutDocument(Environment env, Prompter &prompter, LayoutChooser &chooser,
                               WaitIndicator &wait)
    : m_env(std::move(env)), m_prompter(prompter), m_chooser(chooser), m_wait(wait)
{
    updateTitle();
    m_history.setObserver([this] {
        if (m_listener)
            m_listener->historyChanged();
    });
}

void LayoutDocument::setModified(bool on)
{
    if (on)
        m_history.markUnsaved();
    else
        m_history.markSaved();
}

std::string LayoutDocument::layoutLabel() const
{
    return formatString(StringId::LayoutLabel, m_title);
}

void LayoutDocument::updateTitle()
{
    m_active = isActiveLayoutFile(m_name);
    m_title = layoutTitle(m_name);
}

bool LayoutDocument::load()
{
    const bool read = readLayout();
    m_history.reset();
    return read;
}

bool LayoutDocument::readLayout()
{
    m_model.resetRegions();
    updateTitle();
    m_sourceTitle = m_title;
    if (m_name.empty()) {
        if (m_listener)
            m_listener->layoutLoaded();
        return true;
    }
    WaitScope waitBox(m_wait, loadString(StringId::LayoutLoading));
    try {
        PortalConnection connection(*m_env.factory, m_env.session);
        Ref<IServerFolder> style = connection.folder(folders::Style);
        if (style->HasFile(kNavTopScript)) {
            m_navTopRemoved = true;
            style->RemoveFile(kNavTopScript);
        }
        readStoredLayout(connection, m_name, m_model, m_colors, m_flags);
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::LayoutNotRead, error);
        if (m_listener)
            m_listener->layoutLoaded();
        return false;
    }
    if (m_listener)
        m_listener->layoutLoaded();
    return true;
}

bool LayoutDocument::writeSettingsScript(const char *fileName, const std::string &text, StringId failure)
{
    try {
        PortalConnection connection(*m_env.factory, m_env.session);
        writeTextFile(*connection.folder(folders::CompanySettings), fileName, text);
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(failure, error);
        return false;
    }
    return true;
}

bool LayoutDocument::writeStylesheets(const std::function<void()> &companySettings)
{
    m_model.buttons().resetUnknownTextAlignments();
    try {
        PortalConnection connection(*m_env.factory, m_env.session);
        Ref<IServerFolder> folder = connection.folder(m_active ? folders::Style : folders::Templates);
        publish::LayoutTreeOptions options;
        options.active = m_active;
        options.entryStyleFromCss = m_flags.entryStyleFromCss;
        options.buttonStylesLoaded = m_flags.buttonStylesLoaded;
        options.companySettings = companySettings;
        writeWholeFile(*folder, m_name, generate([&](css::CCssElement &root) {
            publish::buildLayoutTree(m_model, options, root);
        }));
        if (!m_active)
            return true;
        writeWholeFile(*folder, kMenuCss, generate([&](css::CCssElement &root) {
            publish::buildMenuTree(m_model, m_flags.entryStyleFromCss, root, companySettings);
        }));
        writeWholeFile(*folder, kButtonStylesCss, generate([&](css::CCssElement &root) {
            publish::buildButtonStylesheet(m_model.buttons(), m_flags.buttonStylesLoaded, root);
        }));
        writeWholeFile(*folder, "rollover.asp", publish::makeRollover(m_model));
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::LayoutNotSaved, error);
        return false;
    }
    return true;
}

// The active layout's three parts are one batch: the portal sees all their files change at once. A part
// that fails is reported and contributes nothing; a batch that cannot be published is a failed save.
// True when every part was published.
bool LayoutDocument::publishActiveLayout()
{
    // Question 12560 comes before the batch takes the portal's write lock, so that no other program waits
    // for the answer. A No is asked once more, where building the menu tree would ask again.
    bool publishCompany = askToPublishCompanySettings(m_company, m_prompter) ||
                          askToPublishCompanySettings(m_company, m_prompter);
    // A text the scripts cannot hold is refused here too, so that its message is not on screen while
    // the batch holds the lock; the layout is published without the company settings, which stay marked.
    if (publishCompany) {
        if (const std::optional<std::string> refusal = companyScriptsRefusal(m_company)) {
            m_prompter.showExtendedError(StringId::LogoScriptNotSaved,
                                         ServerError(ServerError::InvalidArgument, *refusal));
            publishCompany = false;
        }
    }
    bool companyTried = false;
    bool companyWritten = false;
    auto companySettings = [&] {
        if (publishCompany && !std::exchange(companyTried, true))
            companyWritten = writeCompanyScripts(m_env, m_company, m_prompter);
    };
    std::optional<PublishScope> batch;
    try {
        batch.emplace(*m_env.factory, m_env.session, m_sourceTitle);
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::LayoutNotSaved, error);
        return false;
    }
    try {
        const bool styles = batch->part([this] {
            return writeSettingsScript(kStylesScript, publish::makeKwStyles(m_model),
                                       StringId::SpecialFormatsNotSaved);
        });
        const bool settings = batch->part([this] {
            return writeSettingsScript(kLayoutSettingsScript, publish::makeLayoutSettings(m_model),
                                       StringId::FormatExtensionsNotSaved);
        });
        const bool stylesheets = batch->part([&] { return writeStylesheets(companySettings); });
        batch->commit();
        // The mark goes only once the scripts are in the running portal: a failed part or commit keeps it
        // for the next save.
        if (stylesheets && companyWritten)
            m_company.changed = false;
        return styles && settings && stylesheets;
    } catch (const ServerError &error) {
        m_prompter.showExtendedError(StringId::LayoutNotSaved, error);
        return false;
    }
}

void LayoutDocument::save(bool saveAs)
{
    if (saveAs || m_new) {
        if (m_new && !m_commandSave &&
            m_prompter.ask(StringId::NewLayoutNeedsName) != Prompter::Answer::Yes) {
            m_name.clear();
            return;
        }
        const std::optional<std::string> chosen = m_chooser.chooseForSave();
        if (!chosen)
            return;
        m_name = *chosen;
    }
    m_active = isActiveLayoutFile(m_name);
    bool written = false;
    if (m_active) {
        written = publishActiveLayout();
    } else {
        written = writeStylesheets([this] { publishCompanySettings(m_env, m_company, m_prompter); });
        if (written)
            m_sourceTitle = layoutTitle(m_name);
    }
    updateTitle();
    // The layout counts as saved either way (the commands go on as after a save), but the mark stays
    // until the server holds the values: a save that failed, wholly or in part, is repeated by the next.
    m_saved = true;
    if (written)
        m_history.markSaved();
    else
        m_history.markUnsaved();
    if (m_listener)
        m_listener->layoutSaved();
}

void LayoutDocument::saveLayout(bool saveAs)
{
    m_saved = false;
    save(saveAs);
    if (m_saved && m_new) {
        m_new = false;
        m_history.markUnsaved(); // the active layout is not published yet
        m_name = std::string(kActiveLayoutFile);
        m_active = true;
        save(false);
    }
    bool reloaded = false;
    try {
        reloaded = m_env.session && m_env.session->ReloadLanguageTexts(1);
    } catch (const ServerError &) {
        reloaded = false;
    }
    if (!reloaded)
        m_prompter.tell(StringId::LanguageTextsNotReloaded);
}

void LayoutDocument::saveBeforeLeaving()
{
    if (isModified()) {
        // A save that failed (already reported) leaves the mark: the question comes again, so the changes
        // go only on the user's No.
        while (isModified() && m_prompter.ask(StringId::AskSaveChangedLayout) == Prompter::Answer::Yes)
            saveLayout(false);
        m_navTopRemoved = false;
    }
    if (m_navTopRemoved) {
        saveLayout(false);
        m_navTopRemoved = false;
    }
    // The layout is left: after a No (or a silent save that failed, already reported) nothing is to be
    // saved any more.
    if (isModified())
        m_history.markSaved();
}

void LayoutDocument::close()
{
    saveBeforeLeaving();
    m_new = false;
    m_open = false;
    m_name.clear();
    load();
}

void LayoutDocument::cleanUp()
{
    saveBeforeLeaving();
    m_new = true;
    m_open = false;
    m_name.clear();
}

void LayoutDocument::commandNew()
{
    close();
    m_new = true;
    m_open = true;
    m_name.clear();
    load();
    giveNewLayoutPictures(m_model);
    m_history.reset();
}

void LayoutDocument::commandOpen()
{
    close();
    const std::optional<std::string> chosen = m_chooser.chooseForOpen();
    if (!chosen)
        return;
    openLayout(*chosen);
}

bool LayoutDocument::openLayout(const std::string &fileName)
{
    m_new = false;
    m_name = fileName;
    m_open = true;
    return load();
}

void LayoutDocument::commandSave()
{
    m_commandSave = true;
    saveLayout(false);
    m_commandSave = false;
}

void LayoutDocument::commandSaveAs()
{
    m_commandSave = true;
    saveLayout(true);
    m_commandSave = false;
}

void LayoutDocument::commandSaveAsActive()
{
    if (!isActiveLayoutFile(m_name) && m_prompter.ask(StringId::AskSaveAsActive) != Prompter::Answer::Yes)
        return;
    m_name = std::string(kActiveLayoutFile);
    saveLayout(false);
}

} // namespace kw::layout
