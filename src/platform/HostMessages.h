// Registered messages between the console and the module: a name stands for one event type in the whole
// process, whichever binary asks first. Lives in its own small shared library so that the console and the
// module, each linking it, always agree on the numbers.
#pragma once

#include <QEvent>
#include <QPointer>

#include <cstdint>
#include <string_view>

#if defined(KW_HOSTMESSAGES_BUILD)
#define KW_HOSTMESSAGES_API Q_DECL_EXPORT
#else
#define KW_HOSTMESSAGES_API Q_DECL_IMPORT
#endif

namespace kw::platform {

/// The names of the messages the console and the module exchange.
namespace messages {
/// module → console, sent: lParam is the frame widget; the result is not used.
inline constexpr std::string_view GetDockStateName = "KwGetDockStateName";
/// module → console, posted: lParam is the frame's toolbar (a QToolBar) for the console to dock.
inline constexpr std::string_view PaneCreated = "KwPaneCreated";
/// module → console, posted: lParam is the frame's title (a QString), valid while the sender lives.
inline constexpr std::string_view ShowFrameTitle = "KwShowFrameTitle";
/// console → the module's view, sent: close the open layout, saving it when the user agrees.
inline constexpr std::string_view CleanUpSnapIn = "KwCleanUpSnapIn";
/// console → a module frame, sent: wParam is a command number, which takes the route of the frame's menu
/// commands (the active pane first); the result is 1 when some window handled it.
inline constexpr std::string_view Command = "KwCommand";
/// inside the module: the language texts changed.
inline constexpr std::string_view LanguageDataUpdate = "LanguageData updaten";
} // namespace messages

/// The event type registered for `name`. The first call for a name registers a new type with Qt; every
/// later call, from any binary of the process and any thread, returns the same type.
KW_HOSTMESSAGES_API QEvent::Type registeredMessage(std::string_view name);

/// A registered message with its two parameters. `source` is the object that sent it; a receiver of a
/// posted message checks that it still lives before it trusts a pointer in lParam.
class KW_HOSTMESSAGES_API HostMessageEvent : public QEvent {
public:
    HostMessageEvent(std::string_view name, std::uintptr_t wParam, std::intptr_t lParam,
                     QObject *source = nullptr);
    ~HostMessageEvent() override;

    std::uintptr_t wParam() const { return m_wParam; }
    std::intptr_t lParam() const { return m_lParam; }
    /// The sender; null when it was destroyed since (or none was given).
    QObject *source() const { return m_source.data(); }
    bool hadSource() const { return m_hadSource; }

    /// The receiver's answer to a sent message (0 unless it sets one).
    std::intptr_t result() const { return m_result; }
    void setResult(std::intptr_t result) { m_result = result; }

    /// Whether `event` is the registered message `name` (and so a HostMessageEvent).
    static bool is(const QEvent *event, std::string_view name);
    /// The event as a registered message of that name, or null.
    static HostMessageEvent *as(QEvent *event, std::string_view name);

private:
    std::uintptr_t m_wParam;
    std::intptr_t m_lParam;
    QPointer<QObject> m_source;
    bool m_hadSource;
    std::intptr_t m_result = 0;
};

/// Delivers the message at once and returns the receiver's result (0 for a null receiver).
KW_HOSTMESSAGES_API std::intptr_t sendHostMessage(QObject *receiver, std::string_view name,
                                                  std::uintptr_t wParam, std::intptr_t lParam,
                                                  QObject *source = nullptr);
/// Queues the message for the receiver's event loop (nothing for a null receiver).
KW_HOSTMESSAGES_API void postHostMessage(QObject *receiver, std::string_view name, std::uintptr_t wParam,
                                         std::intptr_t lParam, QObject *source = nullptr);

} // namespace kw::platform
