#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace verdict {

// A reply attribute with its value as the dictionary prints it.
struct ReplyAttribute {
    QString name;
    QString value;
};

// One line of a client's records file: one exchange of one packet.
struct Exchange {
    int packet = 0;
    int repetition = 0;
    std::optional<int> id; // none when the request could not be sent
    int requestCode = 0;
    std::optional<int> replyCode; // none when no verified reply came
    QList<ReplyAttribute> attributes;
    std::optional<double> responseMs;
    int retries = 0;
    bool verified = false;
};

// The records file: every line an exchange, in the order the exchanges ended.
struct ExchangeFile {
    QList<Exchange> exchanges;
    QString error; // the first line that does not read, with its number; empty when all read
};

// Reads the records file; nothing when it cannot be opened (the client did not write one).
std::optional<ExchangeFile> readExchangeFile(const QString &path);
// The same from the file's bytes.
ExchangeFile parseExchangeLines(const QByteArray &content);

} // namespace verdict
