#pragma once

#include <QObject>
#include <QThread>

#include <algorithm>
#include <memory>
#include <vector>

namespace platform {

// Worker threads owned on the user-interface thread. One that has ended is deleted on
// the next event, never inside its own signal; at shut-down each is told to end, waited
// for and deleted.
template <typename Thread>
class OwnedThreads {
public:
    Thread *add(std::unique_ptr<Thread> thread)
    {
        m_live.push_back(std::move(thread));
        return m_live.back().get();
    }

    // On its `finished`: false when it is no longer held (waited for at shut-down).
    bool retire(const Thread *thread, QObject *context)
    {
        const auto found =
            std::find_if(m_live.begin(), m_live.end(), [thread](const auto &owned) { return owned.get() == thread; });
        if (found == m_live.end())
            return false;
        (*found)->wait();
        m_ended.push_back(std::move(*found));
        m_live.erase(found);
        QMetaObject::invokeMethod(
            context, [this] { m_ended.clear(); }, Qt::QueuedConnection);
        return true;
    }

    // `tell` makes one end without the user-interface thread; then all are waited for.
    template <typename Tell>
    void endAll(Tell tell)
    {
        endAll(tell, [](Thread &) {});
    }
    // `ended` runs for each on this thread once all have ended, before they are deleted.
    template <typename Tell, typename Ended>
    void endAll(Tell tell, Ended ended)
    {
        for (const auto &thread : m_live)
            tell(*thread);
        for (const auto &thread : m_live)
            thread->wait();
        for (const auto &thread : m_live)
            ended(*thread);
        m_live.clear();
        m_ended.clear();
    }

    template <typename Predicate>
    bool any(Predicate predicate) const
    {
        return std::any_of(m_live.begin(), m_live.end(), [&](const auto &thread) { return predicate(*thread); });
    }
    bool empty() const { return m_live.empty(); }
    int size() const { return int(m_live.size()); }

private:
    std::vector<std::unique_ptr<Thread>> m_live;  // not yet ended
    std::vector<std::unique_ptr<Thread>> m_ended; // deleted on the next event
};

} // namespace platform
