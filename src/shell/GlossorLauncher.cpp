#include "shell/GlossorLauncher.h"

#include "platform/ProgramDirectory.h"
#include "radius/Dictionary.h"
#include "taskdef/TfrmPackage.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>

namespace shell {

namespace {
// Every file below the dictionary folder with its size and time: Glossor changed the
// dictionaries when this differs after it ended.
QStringList dictionaryFiles()
{
    const QString root = platform::ProgramDirectory::filePath(QStringLiteral("dictionary"));
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        files << QStringLiteral("%1|%2|%3")
                     .arg(file.filePath())
                     .arg(file.size())
                     .arg(file.lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
}
} // namespace

GlossorLauncher::GlossorLauncher(Say say, QObject *parent) : QObject(parent), m_say(std::move(say))
{
}

GlossorLauncher::~GlossorLauncher()
{
    // Glossor goes on by itself when Pellion ends first: its process object is let go
    // unended, as deleting it would end Glossor with the user's work.
    if (isRunning()) {
        m_process->disconnect(this);
        m_process->setParent(nullptr);
    }
}

bool GlossorLauncher::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

void GlossorLauncher::start()
{
    if (isRunning())
        return;
    delete m_process;
    m_process = new QProcess(this);
    m_process->setProgram(platform::ProgramDirectory::filePath(QStringLiteral("Glossor")));
    m_process->setWorkingDirectory(platform::ProgramDirectory::path());
    m_process->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(m_process, &QProcess::finished, this, &GlossorLauncher::ended);
    // A failed start is not reported, as before: nothing was changed.
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Q_EMIT glossorEnded();
    });
    m_filesBefore = dictionaryFiles();
    Q_EMIT radius::DictionaryEvents::instance().filesAboutToChange();
    m_process->start();
}

void GlossorLauncher::ended()
{
    if (dictionaryFiles() != m_filesBefore) {
        const bool wasStale = radius::Dictionary::isStale();
        if (!radius::Dictionary::reload().ok())
            m_say(taskdef::TfrmPackage::staleDictionaryText());
        else if (wasStale)
            m_say(QString());
    }
    Q_EMIT glossorEnded();
}

} // namespace shell
