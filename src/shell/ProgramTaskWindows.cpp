#include "shell/ProgramTaskWindows.h"

#include "radius/Dictionary.h"
#include "radius/DictionaryFileReader.h"
#include "reports/TfrmViewTask.h"
#include "taskdef/TfrmServer.h"
#include "taskdef/TfrmTask.h"

namespace shell {

// Connected before any packet editor is: the catalog is new when the editors fill again.
ProgramTaskWindows::ProgramTaskWindows()
    : m_reloaded(QObject::connect(&radius::DictionaryEvents::instance(), &radius::DictionaryEvents::reloaded,
                                  [this] {
                                      if (m_catalog)
                                          *m_catalog = radius::DictionaryFileReader::readProgramDictionary();
                                  })),
      // Read before Glossor changes the files: when the dictionary cannot be read again,
      // the lists stay what the loaded dictionary knows.
      m_filesAboutToChange(QObject::connect(&radius::DictionaryEvents::instance(),
                                            &radius::DictionaryEvents::filesAboutToChange, [this] { catalog(); }))
{
}

ProgramTaskWindows::~ProgramTaskWindows()
{
    QObject::disconnect(m_reloaded);
    QObject::disconnect(m_filesAboutToChange);
}

const radius::DictionaryCatalog *ProgramTaskWindows::catalog()
{
    if (!m_catalog)
        m_catalog = radius::DictionaryFileReader::readProgramDictionary();
    return &*m_catalog;
}

bool ProgramTaskWindows::openNewTask(QWidget *parent, const QString &taskId, const QString &groupId)
{
    if (!m_connection)
        return false;
    taskdef::TfrmTask editor(*m_connection, catalog(), parent);
    editor.startNew(taskId, groupId);
    return editor.exec() == QDialog::Accepted && editor.savedRow().has_value();
}

bool ProgramTaskWindows::openEditTask(QWidget *parent, const QString &taskId)
{
    if (!m_connection)
        return false;
    taskdef::TfrmTask editor(*m_connection, catalog(), parent);
    if (!editor.loadTask(taskId))
        return false;
    return editor.exec() == QDialog::Accepted && editor.savedRow().has_value();
}

void ProgramTaskWindows::openView(QWidget *parent, const QString &taskId)
{
    if (m_connection)
        reports::TfrmViewTask::viewTask(*m_connection, taskId, parent);
}

void ProgramTaskWindows::openServerManager(QWidget *parent)
{
    if (m_connection)
        taskdef::TfrmServer::open(*m_connection, parent);
}

} // namespace shell
