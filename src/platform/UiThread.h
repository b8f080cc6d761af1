#pragma once

#include <exception>
#include <functional>
#include <memory>

namespace platform {

// Runs `step` on the user-interface thread and returns when it has run: true. Called from
// the user-interface thread itself, it runs the step directly. A worker's step is never
// run on the worker: false, without running it, when the worker's hand-over line is
// closed (also for a step that was waiting when it closed), or when the application
// discarded the step because it is ending.
bool synchronize(const std::function<void()> &step);

bool onUiThread();

// Raised on a worker whose step was refused, to end the worker's sequence.
class HandOverRefused : public std::exception {
public:
    const char *what() const noexcept override { return "the user-interface thread refused the step"; }
};

// One worker's way to the user-interface thread. The worker binds it to its thread while
// it runs; its owner closes it at shut-down, after which the worker's steps are refused.
class HandOverLine {
public:
    HandOverLine();
    ~HandOverLine();
    HandOverLine(const HandOverLine &) = delete;
    HandOverLine &operator=(const HandOverLine &) = delete;

    // Refuses every later step and releases a step that waits to run. Any thread.
    void close();
    bool isClosed() const;
    // Whether the worker waits for a step that has not run yet (tests).
    bool hasWaitingStep() const;

    // For the worker's run: synchronize() on this thread goes through the line.
    class Binding {
    public:
        explicit Binding(HandOverLine &line);
        ~Binding();
        Binding(const Binding &) = delete;
        Binding &operator=(const Binding &) = delete;
    };

    struct State;

private:
    std::shared_ptr<State> m_state;
};

} // namespace platform
