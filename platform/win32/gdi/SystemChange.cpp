#include "platform/win32/gdi/SystemChange.h"

#include <atomic>

namespace tw::gdi {

namespace system_change_detail {
std::atomic<SystemChangeListener> g_listener{nullptr};
}  // namespace system_change_detail

SystemChangeListener SetSystemChangeListener(SystemChangeListener listener)
{
    return system_change_detail::g_listener.exchange(listener);
}

void AnnounceSystemChange(SystemChange change)
{
    if (SystemChangeListener listener = system_change_detail::g_listener.load())
        listener(change);
}

}  // namespace tw::gdi
