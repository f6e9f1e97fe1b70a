// How kwlayout answers the core's questions: from --yes/--no, or from what the command itself asks for;
// never silently. Messages and errors go to standard error.
#pragma once

#include "Commands.h"
#include "base/Prompter.h"
#include "layout/LayoutDocument.h"

#include <optional>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>

namespace kw::cli {

/// A question the command line could not answer; the command stops.
class UnansweredQuestion : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class CliPrompter final : public Prompter {
public:
    CliPrompter(std::optional<bool> answer, std::ostream &err) : m_answer(answer), m_err(err) {}

    /// A question that the command itself answers with Yes (the user asked for exactly that).
    void implyYes(StringId question) { m_implied.insert(std::string(loadString(question))); }

    void tell(std::string_view message) override;
    Answer ask(std::string_view question) override;
    void showExtendedError(StringId message, const ServerError &error) override;
    using Prompter::ask;
    using Prompter::tell;

    /// Whether an error was reported (the command then ends with a non-zero status).
    bool failed() const { return m_failed; }

private:
    std::optional<bool> m_answer;
    std::ostream &m_err;
    std::set<std::string> m_implied;
    bool m_failed = false;
};

/// The layout list dialog of the command line: the target the command names.
class CliChooser final : public layout::LayoutChooser {
public:
    void setSaveTarget(std::string fileName) { m_target = std::move(fileName); }
    std::optional<std::string> chooseForOpen() override { return std::nullopt; }
    std::optional<std::string> chooseForSave() override { return m_target; }

private:
    std::optional<std::string> m_target;
};

/// A batch of the session's writes that is never published: whatever is written while it lives is
/// dropped at its end, so a command that only shows something changes nothing. It takes no lock and reads
/// no journal, so such a command runs on a portal that it may only read.
class DiscardedBatch {
public:
    /// Throws ServerError when the batch cannot be begun.
    DiscardedBatch(const server::Environment &env, const std::string &name);
    ~DiscardedBatch();
    DiscardedBatch(const DiscardedBatch &) = delete;
    DiscardedBatch &operator=(const DiscardedBatch &) = delete;

    server::IPublishing &publishing() { return *m_publishing; }

private:
    server::Ref<server::IPublishing> m_publishing;
};

/// One opened portal (see `openPortal`) and a document on it, with the command line's prompter and
/// chooser.
class PortalSession {
public:
    explicit PortalSession(const Invocation &invocation);

    layout::LayoutDocument &document() { return m_document; }
    CliPrompter &prompter() { return m_prompter; }
    CliChooser &chooser() { return m_chooser; }
    server::Environment &env() { return m_env; }

    /// Opens a layout by name ("Aktives Layout" or a named one); false (reported) when it could not be
    /// read. When loading removed an old NavTop.asp, the layout is saved again at once.
    bool open(const std::string &name);
    /// The same for a command that only shows the layout: loading runs in a discarded batch, so an old
    /// NavTop.asp stays (what the other commands would do is told instead).
    bool openToShow(const std::string &name);
    /// The same inside a DiscardedBatch the caller holds, for a command that shows what another would
    /// write: an old NavTop.asp is removed in the batch only, and what that command would do is told.
    bool openInTrial(const std::string &name);
    int status() const { return m_prompter.failed() ? 1 : 0; }

private:
    CliPrompter m_prompter;
    CliChooser m_chooser;
    NoWaitIndicator m_wait;
    server::Environment m_env;
    layout::LayoutDocument m_document;
};

} // namespace kw::cli
