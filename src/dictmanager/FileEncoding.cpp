#include "dictmanager/FileEncoding.h"

#include <QStringDecoder>

#include <algorithm>

namespace dictmanager {

FileEncoding FileEncoding::of(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes); // decoding happens on conversion
    FileEncoding encoding;
    encoding.m_kind = utf8.hasError() ? Kind::Latin1 : Kind::Utf8;
    return encoding;
}

QString FileEncoding::decode(QByteArrayView bytes) const
{
    return m_kind == Kind::Latin1 ? QString::fromLatin1(bytes) : QString::fromUtf8(bytes);
}

QByteArray FileEncoding::encode(const QString &text) const
{
    const bool fitsLatin1 = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xff; });
    return m_kind == Kind::Latin1 && fitsLatin1 ? text.toLatin1() : text.toUtf8();
}

} // namespace dictmanager
