#pragma once

#include "RunnerProcess.h"
#include "support/SampleTask.h"
#include "support/TempProgramDir.h"
#include "taskdef/TaskSaver.h"
#include "taskstore/Connection.h"
#include "taskstore/ExpectationStore.h"
#include "taskstore/GroupStore.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace runnertest {

// A program directory laid out as installed, with our clients beside the database.
class ProgramDir {
public:
    ProgramDir()
    {
        for (const QString &built : {QStringLiteral(PELLION_RADCLIENT), QStringLiteral(PELLION_RADEAPCLIENT)}) {
            const QString target = dir.filePath(QFileInfo(built).fileName());
            clientsInstalled = clientsInstalled && QFile::copy(built, target)
                && QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }

    QString addGroup(const QString &name)
    {
        taskstore::GroupStore groups(connection);
        const QString id = groups.newGroupId().value();
        EXPECT_TRUE(groups.add(id, name).ok());
        return id;
    }

    QString addTask(const QString &groupId, const QString &name, const QByteArray &script,
                    const QList<taskstore::PacketExpectation> &expectations = {}, quint16 port = 1812,
                    const QString &secret = "testing123")
    {
        taskdef::TaskDraft draft;
        draft.task = testsupport::sampleTask(QString::number(++m_lastId));
        draft.task.GroupID = groupId;
        draft.task.TaskName = name;
        draft.task.Port = port;
        draft.task.SecretKey = secret;
        draft.task.ReplyTimeout = 2;
        draft.task.RetryTimes = 0;
        draft.script = script;
        taskdef::TaskSaver(connection).save(draft, QDateTime::currentDateTime());
        EXPECT_TRUE(taskstore::ExpectationStore(connection).replace(draft.task.TaskID, expectations).ok());
        return draft.task.TaskID;
    }

    RunnerOutput run(QStringList arguments, const std::function<void(const QString &)> &onOutput = {})
    {
        return runPellionRun(QStringList{"--program-dir", dir.path()} + arguments, files.path(),
                             dir.filePath(".settings"), onOutput);
    }

    QByteArray report(const QString &name) const
    {
        QFile file(files.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    testsupport::TempProgramDir dir;
    QTemporaryDir files; // where the caller is: reports and group files
    taskstore::Connection connection{taskstore::Connection::defaultPath()};
    bool clientsInstalled = true;

private:
    int m_lastId = 100;
};

inline taskstore::PacketExpectation expectReply(int code, QList<taskstore::AttributeCheck> checks = {})
{
    taskstore::PacketExpectation expectation;
    expectation.packetNumber = 1;
    expectation.replyCode = code;
    expectation.checks = checks;
    return expectation;
}

} // namespace runnertest
