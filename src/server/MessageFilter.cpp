// The thread's message-filter settings. They live in a shared library of their own so that the host and
// the module it loads, each linking the server code, see the same settings of a thread.
#include "server/MessageFilter.h"

namespace kw::server {

MessageFilterSettings &threadMessageFilter()
{
    thread_local MessageFilterSettings settings;
    return settings;
}

} // namespace kw::server
