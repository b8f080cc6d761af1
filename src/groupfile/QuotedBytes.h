#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace groupfile {

// A value between double quotes on one line of a group file. UTF-8 text stays readable;
// the quote, the backslash, control characters and octets that are not UTF-8 are escaped
// (\" \\ \t \r \n \xHH), so any octets come back as themselves.
QByteArray quoted(QByteArrayView octets);

// Reads a quoted value at the start of `text` (the opening quote included) and answers
// its octets; `consumed` gets the characters read. Nothing, with the reason, when the
// value is not closed or holds an unknown escape.
std::optional<QByteArray> unquoted(QByteArrayView text, qsizetype *consumed, QString *reason);

// The length of the UTF-8 sequence that starts at `at`, 0 when the octets there are not
// one (a stray continuation octet, an overlong form, a surrogate, a cut-off sequence).
qsizetype utf8SequenceLength(QByteArrayView octets, qsizetype at);

} // namespace groupfile
