#pragma once

#include "taskstore/TaskEapSettings.h"

#include <QString>

#include <optional>

namespace taskdef {

class PacketTable;

// The EAP settings a mode keeps: the values it does not use go back to their defaults, so
// that a task of another mode stores no row and a line carries nothing it does not use.
taskstore::TaskEapSettings settingsForMode(const QString &mode, const taskstore::TaskEapSettings &entered);

// Why a task of this mode cannot run with these settings and packets, in the current
// language; none when it can (and for every mode without EAP settings).
std::optional<QString> eapSettingsProblem(const QString &mode, const taskstore::TaskEapSettings &settings,
                                          const PacketTable &packets);

} // namespace taskdef
