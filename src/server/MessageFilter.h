// The calling thread's message-filter settings: how long a busy server is waited for.
#pragma once

namespace kw::server {

/// Per-thread settings, as the module sets them when it receives its session. `retryReplyMs` 0 cancels a
/// call that the server rejects as busy; otherwise the call is retried at once during the first
/// `retryReplyMs` milliseconds, then once every `retryReplyMs`, until `messagePendingDelayMs` have passed.
struct MessageFilterSettings {
    bool busyDialogEnabled = true;
    int retryReplyMs = 0;
    int messagePendingDelayMs = 5000;

    /// The defaults of a thread nobody configured.
    static MessageFilterSettings defaults() { return {}; }
};

/// The settings of the calling thread (a thread starts with the defaults).
MessageFilterSettings &threadMessageFilter();

} // namespace kw::server
