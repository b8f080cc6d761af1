#include "clients/ProcessorAffinity.h"

#include <sched.h>

namespace clients {

void keepToCurrentProcessor()
{
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (::sched_getaffinity(0, sizeof(allowed), &allowed) != 0 || CPU_COUNT(&allowed) < 2)
        return;
    const int current = ::sched_getcpu();
    if (current < 0 || current >= CPU_SETSIZE)
        return;
    cpu_set_t one;
    CPU_ZERO(&one);
    CPU_SET(current, &one);
    // Only a hint for speed: where it is refused, the run goes on as it was.
    (void)::sched_setaffinity(0, sizeof(one), &one);
}

} // namespace clients
