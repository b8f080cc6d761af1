#pragma once

#include "taskstore/TaskRecord.h"

#include <QString>

namespace execution {

// The client's complete command line for a task, program name first: radeapclient for
// "EAP-MD5" and "EAP-SIM" (exact case) and the EAP methods of the enterprise modes
// (-a with the task's EAP settings), radclient for every other mode (MS-CHAPv2 with
// -a mschapv2). A server address
// or secret holding a blank, a tab or a double quote (or empty) is quoted reversibly
// (platform::quoteCommandWord), so that it reaches the client as the one word it is.
// A task's transport settings go in only where they differ from the defaults.
QString BuildCommandLine(const taskstore::TaskRecord &task);

// The line that runs one of our own clients: the same, but the secret is read from
// /dev/fd/3 (-S), a pipe the run writes, and its place holds clients::kSecretPlaceholder,
// so that no other local user sees it in the process list.
QString BuildPrivateCommandLine(const taskstore::TaskRecord &task);
// radclient -B for the task's server, with its time-out and retries; privately: the
// secret read from /dev/fd/3 as above.
QString BuildSecurityCheckLine(const taskstore::TaskRecord &task, bool privately);
// Whether the secret survives the hand-over: the client takes the first line of the pipe.
bool CanHandOverSecret(const QString &secret);

} // namespace execution
