#pragma once

#include "taskdef/ScriptToken.h"

#include <QByteArrayView>

namespace taskdef {

// Splits one line (without its line end) into operator tokens and words.
class ScriptTokenizer {
public:
    static constexpr int NameLimit = 64;   // characters of the line a name word may take
    static constexpr int ValueLimit = 256; // the same for a value word

    explicit ScriptTokenizer(QByteArrayView line) : m_line(line) {}

    // The next token; a word takes at most limit characters of the line (an opening quote
    // not counted), whatever is left of it is the next token.
    ScriptToken next(int limit);
    qsizetype position() const { return m_pos; }

    static const char *operatorText(ScriptOperator op);

private:
    bool operatorAt(qsizetype pos, ScriptOperator *op, int *length) const;
    QByteArrayView m_line;
    qsizetype m_pos = 0;
};

} // namespace taskdef
