#pragma once

#include "execution/ClientLaunch.h"
#include "execution/RunClient.h"
#include "execution/RunFlags.h"

#include <QStringList>

// The client's lines for a launch, run as Pellion runs it (the secret on its pipe).
inline QStringList launchLines(const execution::ClientLaunch &launch, execution::RunFlags &flags)
{
    QStringList lines;
    execution::RunClient(
        launch.commandLine,
        [&](const QList<execution::ClientLine> &batch) {
            for (const execution::ClientLine &line : batch)
                lines << line.text;
        },
        flags, launch.handedSecret);
    return lines;
}
