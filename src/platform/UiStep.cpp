#include "platform/UiStep.h"

#include "platform/UiThread.h"

namespace platform {

void runUiStep(const std::function<void()> &step)
{
    if (!synchronize(step))
        throw HandOverRefused();
}

} // namespace platform
