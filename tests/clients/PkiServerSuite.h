#pragma once

#include "ClientRunner.h"
#include "support/ServerSuite.h"

// The client suites' private server: the secret "s3cret", and a client runner per test.
class PkiServerSuite : public testsupport::ServerSuite {
protected:
    static void startServer(const Configure &configure) { ServerSuite::startServer("s3cret", configure); }

    ClientRunner m_runner;
};
