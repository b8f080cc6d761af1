#include "scheduling/UiStep.h"

#include "platform/UiThread.h"

#include <exception>

namespace scheduling {

void runUiStep(const std::function<void()> &step)
{
    std::exception_ptr error;
    platform::synchronize([&] {
        try {
            step();
        } catch (...) {
            error = std::current_exception();
        }
    });
    if (error)
        std::rethrow_exception(error);
}

} // namespace scheduling
