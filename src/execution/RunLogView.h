#pragma once

#include "execution/RunClient.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace execution {

struct Settings;

// A run's own page of the log, written on the user-interface thread.
class RunPage {
public:
    virtual ~RunPage() = default;
    virtual void appendLines(const QList<ClientLine> &lines) = 0;
};

// The log a run writes to, on the user-interface thread: a page of its own while it runs,
// then its lines in the common log. The window layer shows it; the run engine only asks.
class RunLogView {
public:
    virtual ~RunLogView() = default;
    // Opens the run's page, its lines in the colours of the run's settings, and makes it
    // the active one; the view keeps it.
    virtual RunPage *openRunPage(const QString &taskName, const Settings &settings) = 0;
    // Copies the finished run's lines to the common log in the page's colours, then closes
    // the page.
    virtual void finishRunPage(RunPage *page, const QStringList &lines) = 0;
};

} // namespace execution
