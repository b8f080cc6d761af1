#pragma once

#include <QByteArray>

namespace taskdef {

// The operator tokens of a packet script line, in the order they are tried.
enum class ScriptOperator {
    RegexMatch,
    RegexNoMatch,
    LeftBrace,
    RightBrace,
    LeftParen,
    RightParen,
    Comma,
    Add,
    Subtract,
    Set,
    Exists,
    NotExists,
    Compare,
    Equal,
    NotEqual,
    GreaterEqual,
    Greater,
    LessEqual,
    Less,
    Hash,
    Semicolon
};

struct ScriptToken {
    enum class Kind { EndOfLine, Operator, Word };
    Kind kind = Kind::EndOfLine;
    ScriptOperator op = ScriptOperator::Equal; // for Kind::Operator
    QByteArray text;                           // a word after quote removal and escapes
    char quote = 0;                            // '"', '\'', '`' or 0 for a bare word
    bool unterminated = false;                 // a quoted word that met the line end

    bool isOperator(ScriptOperator o) const { return kind == Kind::Operator && op == o; }
};

} // namespace taskdef
