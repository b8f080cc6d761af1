#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace dictmanager {

// How a dictionary file's octets are shown as text: UTF-8 when they are valid UTF-8, else
// Latin-1, one character per octet, as older tools wrote them. Text made for such a file is
// written back the same way, so a name keeps its octets and still matches packet scripts.
class FileEncoding {
public:
    enum class Kind { Utf8, Latin1 };

    static FileEncoding of(QByteArrayView bytes);

    Kind kind() const { return m_kind; }
    QString decode(QByteArrayView bytes) const;
    // Latin-1 for a Latin-1 file while every character fits in it, else UTF-8.
    QByteArray encode(const QString &text) const;

    bool operator==(const FileEncoding &) const = default;

private:
    Kind m_kind = Kind::Utf8;
};

} // namespace dictmanager
