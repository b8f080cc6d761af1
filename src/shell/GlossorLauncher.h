#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QProcess;

namespace shell {

// Glossor, started from the Manager menu as a child of this program. When it ends after
// changing the dictionary files, the dictionary is read again, so the lists built from it
// offer the new and changed vendors; when that cannot be done, `say` tells the user to
// restart.
class GlossorLauncher : public QObject {
    Q_OBJECT
public:
    using Say = std::function<void(const QString &)>;
    GlossorLauncher(Say say, QObject *parent = nullptr);
    ~GlossorLauncher() override;

    // A second start while Glossor runs is left alone: one Glossor at a time.
    void start();
    bool isRunning() const;

Q_SIGNALS:
    // Glossor ended and what it changed was handled.
    void glossorEnded();

private:
    void ended();

    Say m_say;
    QProcess *m_process = nullptr;
    QStringList m_filesBefore; // the dictionary folder as Glossor found it
};

} // namespace shell
