#include "taskdef/ScriptLineParser.h"

#include "taskdef/ScriptTokenizer.h"

namespace taskdef {

namespace {
using radius::PairOperator;

bool pairOperator(const ScriptToken &t, PairOperator *op)
{
    if (t.kind != ScriptToken::Kind::Operator)
        return false;
    switch (t.op) {
    case ScriptOperator::Add: *op = PairOperator::Add; return true;
    case ScriptOperator::Subtract: *op = PairOperator::Subtract; return true;
    case ScriptOperator::Set: *op = PairOperator::Set; return true;
    // '#' is accepted where an operator stands, and treated as '='.
    case ScriptOperator::Hash:
    case ScriptOperator::Equal: *op = PairOperator::Equal; return true;
    case ScriptOperator::NotEqual: *op = PairOperator::NotEqual; return true;
    case ScriptOperator::GreaterEqual: *op = PairOperator::GreaterEqual; return true;
    case ScriptOperator::Greater: *op = PairOperator::Greater; return true;
    case ScriptOperator::LessEqual: *op = PairOperator::LessEqual; return true;
    case ScriptOperator::Less: *op = PairOperator::Less; return true;
    case ScriptOperator::RegexMatch: *op = PairOperator::RegexMatch; return true;
    case ScriptOperator::RegexNoMatch: *op = PairOperator::RegexNoMatch; return true;
    case ScriptOperator::Exists: *op = PairOperator::Exists; return true;
    case ScriptOperator::NotExists: *op = PairOperator::NotExists; return true;
    case ScriptOperator::Compare: *op = PairOperator::Compare; return true;
    default: return false;
    }
}

ScriptLineParser::Outcome failure(const char *message)
{
    ScriptLineParser::Outcome out;
    out.error = QString::fromLatin1(message);
    return out;
}
} // namespace

ScriptLineParser::Outcome ScriptLineParser::parse(QByteArrayView line)
{
    Outcome out;
    ScriptTokenizer tokens(line);
    for (;;) {
        const ScriptToken name = tokens.next(ScriptTokenizer::NameLimit);
        if (name.isOperator(ScriptOperator::Hash))
            return failure("Read a comment instead of a token");
        if (name.kind != ScriptToken::Kind::Word || name.text.isEmpty())
            return failure("No token read where we expected an attribute name");

        ScriptPair pair;
        pair.name = name.text;
        if (!pairOperator(tokens.next(ScriptTokenizer::NameLimit), &pair.op))
            return failure("expecting '='");

        const ScriptToken value = tokens.next(ScriptTokenizer::ValueLimit);
        // An unterminated quote would swallow the rest of the line silently.
        if (value.kind != ScriptToken::Kind::Word || value.unterminated)
            return failure("failed to get value");
        pair.value = value.text;
        out.pairs.append(pair);

        const ScriptToken after = tokens.next(ScriptTokenizer::NameLimit);
        if (after.kind == ScriptToken::Kind::EndOfLine || after.isOperator(ScriptOperator::Hash))
            return out;
        if (!after.isOperator(ScriptOperator::Comma))
            return failure("Expected end of line or comma");
    }
}

} // namespace taskdef
