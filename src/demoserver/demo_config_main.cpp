// pellion-demo-config DIR: writes the demo server's FreeRADIUS configuration below DIR
// (DIR/raddb, DIR/log, DIR/run) and prints the endpoint as shell assignments.
#include "demoserver/FreeRadiusConfig.h"

#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
        return 2;
    }
    const demoserver::FreeRadiusConfig config = demoserver::demo::config();
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
