// Command routing inside the module: menu and toolbar commands by number, and their update requests.
#pragma once

#include <optional>
#include <string>

namespace kw::shell {

/// What an update request sets on a menu item or toolbar button.
struct CommandState {
    bool enabled = true;
    /// The check mark; nothing for an item without one.
    std::optional<bool> checked;
    /// A text that changes with the state (with its mnemonic, without the accelerator); nothing keeps the
    /// item's own text.
    std::optional<std::string> text;
};

/// A window on the command route. Each handles what it knows and passes the rest on; an update request
/// answered by nobody greys the command.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    /// Runs the command; false when this target does not handle it.
    virtual bool onCommand(int id) = 0;
    /// Sets the command's state; false when this target does not handle the command.
    virtual bool onUpdateCommand(int id, CommandState &state) = 0;

protected:
    CommandTarget() = default;
    CommandTarget(const CommandTarget &) = default;
    CommandTarget &operator=(const CommandTarget &) = default;
};

} // namespace kw::shell
