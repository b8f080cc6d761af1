#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace dictmanager {

// One line of a dictionary file that carries tokens. The number counts every line read,
// comments and empty lines included, as an editor numbers them.
struct DictionaryLine {
    int number = 0;
    QStringList tokens;
    bool operator==(const DictionaryLine &) const = default;
};

// The grammar both readers share: lines cut into segments of at most 254 characters,
// "#" in the first column starts a comment, tokens are separated by blanks, tabs, CR, LF.
class DictionaryLineReader {
public:
    static constexpr int SegmentLength = 254;

    static QList<DictionaryLine> parse(const QString &text);
    // The file's text: UTF-8, or Latin-1 when it is not valid UTF-8, so no byte is lost.
    static std::optional<QString> readFile(const QString &path);
    static QString decode(const QByteArray &bytes);
};

} // namespace dictmanager
