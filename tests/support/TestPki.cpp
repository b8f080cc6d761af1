#include "support/TestPki.h"

#include "support/ProcessEnd.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

namespace testsupport {

namespace {

const QStringList kNewKey{"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};

} // namespace

bool TestPki::openssl(const QStringList &arguments, QString *error)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    process.start("openssl", arguments);
    if (awaitCleanExit(process))
        return true;
    *error = "openssl " + arguments.join(' ') + " failed: " + process.errorString() + "\n"
        + QString::fromUtf8(process.readAll());
    return false;
}

bool TestPki::makeCa(const QString &name, const QString &subject, QString *error)
{
    return openssl(QStringList{"req", "-x509"} + kNewKey
                       + QStringList{"-keyout", path(name + ".key"), "-out", path(name + ".pem"), "-days", "2", "-subj",
                                     subject, "-addext", "basicConstraints=critical,CA:TRUE", "-addext",
                                     "keyUsage=critical,keyCertSign,cRLSign"},
                   error);
}

// A key and a certificate signed by the CA; days -1 makes one that has already expired.
bool TestPki::sign(const QString &name, const QString &extensions, int days, QString *error)
{
    QFile ext(path(name + ".ext"));
    if (!ext.open(QIODevice::WriteOnly) || ext.write(extensions.toUtf8()) < 0) {
        *error = "cannot write " + ext.fileName();
        return false;
    }
    ext.close();
    return openssl(QStringList{"req"} + kNewKey
                       + QStringList{"-keyout", path(name + ".key"), "-out", path(name + ".csr"), "-subj",
                                     "/CN=" + name + ".test"},
                   error)
        && openssl({"x509", "-req", "-in", path(name + ".csr"), "-CA", caFile(), "-CAkey", path("ca.key"),
                    "-CAcreateserial", "-out", path(name + ".pem"), "-days", QString::number(days), "-extfile",
                    ext.fileName()},
                   error);
}

bool TestPki::create(QString *error)
{
    if (!m_dir.isValid()) {
        *error = "no temporary directory";
        return false;
    }
    const QString server =
        "basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature,keyEncipherment\n"
        "extendedKeyUsage=serverAuth\n";
    const QString here = "subjectAltName=DNS:localhost,IP:127.0.0.1,IP:::1\n";
    return makeCa("ca", "/CN=Throwaway Test CA", error) && makeCa("other-ca", "/CN=Another Throwaway CA", error)
        && sign("server", server + here, 2, error)
        && sign("client",
                "basicConstraints=CA:FALSE\nkeyUsage=critical,digitalSignature,keyEncipherment\n"
                "extendedKeyUsage=clientAuth\n",
                2, error)
        && sign("expired", server + here, -1, error)
        && sign("wrongname", server + "subjectAltName=DNS:elsewhere.test,IP:192.0.2.1\n", 2, error);
}

} // namespace testsupport
