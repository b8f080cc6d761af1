// pellion-demo-config DIR [AUTH-PORT ACCT-PORT COA-PORT]: writes the demo server's
// FreeRADIUS configuration below DIR (DIR/raddb, DIR/log, DIR/run) and prints the
// endpoint as shell assignments. Other ports than the demo's: for a port that is taken.
#include "demoserver/FreeRadiusConfig.h"

#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    demoserver::FreeRadiusConfig config = demoserver::demo::config();
    bool portsRead = argc == 2;
    if (argc == 5) {
        bool auth = false, acct = false, coa = false;
        config.authPort = QString::fromLocal8Bit(argv[2]).toUShort(&auth);
        config.acctPort = QString::fromLocal8Bit(argv[3]).toUShort(&acct);
        config.coaPort = QString::fromLocal8Bit(argv[4]).toUShort(&coa);
        portsRead = auth && acct && coa && config.authPort && config.acctPort && config.coaPort;
    }
    if (!portsRead) {
        std::fprintf(stderr, "usage: %s DIRECTORY [AUTH-PORT ACCT-PORT COA-PORT]\n", argv[0]);
        return 2;
    }
    const QString directory = QString::fromLocal8Bit(argv[1]);
    QString error;
    if (!config.write(directory, &error)) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 1;
    }
    std::printf("raddb=%s\nauth_port=%u\nacct_port=%u\ncoa_port=%u\nsecret=%s\n",
                demoserver::FreeRadiusConfig::raddbDir(directory).toLocal8Bit().constData(), unsigned(config.authPort),
                unsigned(config.acctPort), unsigned(config.coaPort), config.secret.toLocal8Bit().constData());
    return 0;
}
