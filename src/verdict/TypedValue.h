#pragma once

#include <QString>

namespace verdict {

// Whether a reply's value equals an expected one as the dictionary types the attribute:
// integers by number or by the value's name, addresses, dates and octets by what they
// hold, strings by their text. An attribute the dictionary does not know, or a value that
// does not read as its type, compares by text.
bool typedValuesEqual(const QString &attribute, const QString &received, const QString &expected);

} // namespace verdict
