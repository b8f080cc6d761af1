#pragma once

#include <QString>

namespace execution {

// Whether the client a command word names is one of ours, which takes options beyond the
// ones every radclient knows (a records file, the secret from a file). The program file is
// asked once with -v and the answer kept while its size and change time stay; a program
// that cannot be found, answers otherwise or not within a few seconds is another origin's.
// Starts a process: call it off the user-interface thread.
bool isOwnClient(const QString &programWord);

} // namespace execution
