#include "platform/HostMessages.h"

#include <QCoreApplication>

#include <map>
#include <mutex>
#include <string>

namespace kw::platform {

namespace {

struct Registry {
    std::mutex mutex;
    std::map<std::string, QEvent::Type, std::less<>> types;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

} // namespace

QEvent::Type registeredMessage(std::string_view name)
{
    Registry &r = registry();
    const std::lock_guard lock(r.mutex);
    if (const auto found = r.types.find(name); found != r.types.end())
        return found->second;
    const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    r.types.emplace(std::string(name), type);
    return type;
}

HostMessageEvent::HostMessageEvent(std::string_view name, std::uintptr_t wParam, std::intptr_t lParam,
                                   QObject *source)
    : QEvent(registeredMessage(name)), m_wParam(wParam), m_lParam(lParam), m_source(source),
      m_hadSource(source != nullptr)
{
}

HostMessageEvent::~HostMessageEvent() = default;

bool HostMessageEvent::is(const QEvent *event, std::string_view name)
{
    return event && event->type() == registeredMessage(name);
}

HostMessageEvent *HostMessageEvent::as(QEvent *event, std::string_view name)
{
    return is(event, name) ? static_cast<HostMessageEvent *>(event) : nullptr;
}

std::intptr_t sendHostMessage(QObject *receiver, std::string_view name, std::uintptr_t wParam,
                              std::intptr_t lParam, QObject *source)
{
    if (!receiver)
        return 0;
    HostMessageEvent event(name, wParam, lParam, source);
    QCoreApplication::sendEvent(receiver, &event);
    return event.result();
}

void postHostMessage(QObject *receiver, std::string_view name, std::uintptr_t wParam, std::intptr_t lParam,
                     QObject *source)
{
    if (receiver)
        QCoreApplication::postEvent(receiver, new HostMessageEvent(name, wParam, lParam, source));
}

} // namespace kw::platform
