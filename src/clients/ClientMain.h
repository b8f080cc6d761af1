#pragma once

namespace clients {

// The whole life of radclient (eapClient false) or radeapclient (true): parse the
// command line, load the dictionary from dictionary/dictionary in the current
// directory, read the packet file, send, summarise. Returns the exit status:
// 0 every request answered, 1 a failure or a lost request, 2 a bad command line.
int runClient(int argc, char **argv, bool eapClient);

} // namespace clients
