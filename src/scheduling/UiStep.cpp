#include "scheduling/UiStep.h"

#include "platform/UiThread.h"

namespace scheduling {

void runUiStep(const std::function<void()> &step)
{
    if (!platform::synchronize(step))
        throw platform::HandOverRefused();
}

} // namespace scheduling
