// The portal's start pages: the script KwStartPage.asp names the page anonymous visitors see first and the
// one every other user sees; how it is read and written, and the page-content record that goes with the
// user-defined page content.
#pragma once

#include "base/Prompter.h"
#include "server/LocalPortal.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kw::portalsettings {

inline constexpr const char *kStartPageScript = "KwStartPage.asp";
/// The portal folder the alternative start pages are picked from, and the prefix of their targets.
inline constexpr const char *kStartPageFolder = "KwApplications/KwArea";
inline constexpr std::string_view kStartPagePrefix = "KwApplications/KwArea/";
/// The page-content record (kind 1) that the user-defined page content needs.
inline constexpr std::int32_t kStartPageContentId = 31;
inline constexpr int kStartPageContentKind = 1;

/// What a group of the dialog chose.
enum StartChoice : int { StandardStartPage = 0, CustomPageContent = 1, AlternativeStartPage = 2 };

/// One group: the choice, and the alternative page (used only for AlternativeStartPage).
struct StartPageTarget {
    int choice = StandardStartPage;
    std::string page;
    bool operator==(const StartPageTarget &) const = default;
};

/// What the dialog's controls hold.
struct StartPageValues {
    StartPageTarget anonymous;
    StartPageTarget main;
    bool operator==(const StartPageValues &) const = default;
};

/// The relative address the script stores for a target: the fixed page of choices 0 and 1, the alternative
/// page prefixed with "KwApplications/KwArea/" when it holds neither a slash nor a backslash.
std::string startPageAddress(const StartPageTarget &target);
/// The target of a stored address (case-insensitive; the prefix is cut off an alternative page directly in
/// the folder, a page in a sub-folder keeps its whole path).
StartPageTarget classifyStartPageAddress(std::string_view address);

/// The script's four CR LF lines; each target is a VBScript string expression that means exactly it.
std::string composeStartPageScript(const StartPageValues &values);
/// Reads a script leniently: without "l_strAnoTarget" and its "=" nothing is taken; a variable without a
/// closed string after its "=" is skipped. Never throws.
StartPageValues parseStartPageScript(std::string_view text);

/// The file the "Liste" button proposes: the page when it is a bare file name, else nothing.
std::string proposedListFile(const std::string &page);

/// The start page dialog without its window: reading, the changed flag, and what OK does.
class PortalStartPage {
public:
    PortalStartPage(server::Environment env, Prompter &prompter);

    /// Reads the script into the controls. A server error is reported (12578) and false is answered; what
    /// was read stays.
    bool read();
    /// A radio button or an edit changed.
    void edited() { m_changed = true; }

    enum class Outcome { Unchanged, Refused, Declined, Written, Failed };
    /// OK: nothing without a change; an alternative page that cannot be written into the script is
    /// refused with its message (59013), before anything is asked; else asks 12579, keeps the page-content
    /// record in step with the choices and writes the script. A server error is reported; what was done
    /// before it stays.
    Outcome accept();

    StartPageValues controls;
    bool changed() const { return m_changed; }
    /// Whether OK changed the page-content record (31, 1), which belongs to the main menu and so moves
    /// the menu's version.
    bool menuChanged() const { return m_menuChanged; }

private:
    void updatePageContentRecord();

    server::Environment m_env;
    Prompter &m_prompter;
    bool m_changed = false;
    bool m_menuChanged = false;
};

} // namespace kw::portalsettings
