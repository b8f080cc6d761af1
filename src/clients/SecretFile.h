#pragma once

#include <string>

namespace clients {

// Reads the secret given with -S: the file's first line, without its line end, as Debian's
// clients read it. The file may be a pipe (/dev/fd/N) that Pellion writes and closes.
// Empty on success, else the message for an "Error:" line.
std::string readSecretFile(const std::string &path, std::string &secret);

} // namespace clients
