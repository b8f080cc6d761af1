#pragma once

#include <QByteArray>

namespace testsupport {

// The start of a stand-in client's shell script: it answers -v at once as another origin's
// client, so the run engine's question about its origin neither waits nor runs the body.
inline QByteArray standInClientHead()
{
    return "#!/bin/sh\n[ \"$1\" = -v ] && { echo 'radclient: stand-in'; exit 0; }\n";
}

} // namespace testsupport
