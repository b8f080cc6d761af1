#pragma once

#include <QString>
#include <QTemporaryDir>

namespace testsupport {

// A throwaway PKI made with the openssl command line (EC P-256, valid two days): a CA
// with a server certificate for localhost, 127.0.0.1 and ::1 and a client certificate,
// and for refusals a server certificate that has expired, one naming another host, and
// a second CA that signed none of them.
class TestPki {
public:
    // False with the reason (openssl's output) when a step failed.
    bool create(QString *error);

    QString caFile() const { return path(QStringLiteral("ca.pem")); }
    QString otherCaFile() const { return path(QStringLiteral("other-ca.pem")); }
    // name: "server", "client", "expired", "wrongname"
    QString certificate(const char *name) const { return path(QLatin1String(name) + QStringLiteral(".pem")); }
    QString key(const char *name) const { return path(QLatin1String(name) + QStringLiteral(".key")); }

private:
    QString path(const QString &file) const { return m_dir.filePath(file); }
    bool openssl(const QStringList &arguments, QString *error);
    bool makeCa(const QString &name, const QString &subject, QString *error);
    bool sign(const QString &name, const QString &extensions, int days, QString *error);

    QTemporaryDir m_dir;
};

} // namespace testsupport
