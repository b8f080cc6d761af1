#pragma once

namespace execution {

// The enabled states of the three run commands (Run/Resume, Suspend, Stop); each
// command's tool button, menu item and context item follow it together.
enum class RunCommandState { Idle, Running, Suspended };

struct RunCommandEnabled {
    bool run;
    bool suspend;
    bool stop;
};

constexpr RunCommandEnabled enabledCommands(RunCommandState state)
{
    switch (state) {
    case RunCommandState::Running: return {false, true, true};
    case RunCommandState::Suspended: return {true, false, true};
    case RunCommandState::Idle: break;
    }
    return {true, false, false};
}

} // namespace execution
