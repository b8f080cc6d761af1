#include "taskdef/ExpectationRules.h"

#include "platform/CurrentLanguage.h"
#include "radius/AttributeValueCheck.h"

#include <QRegularExpression>

namespace taskdef {

namespace {
QString ruleText(const char *key, const char *builtIn)
{
    return platform::CurrentLanguage::text("frmTask", key, builtIn);
}

std::optional<QString> checkProblem(const QString &packet, const taskstore::AttributeCheck &check)
{
    if (check.attribute.trimmed().isEmpty())
        return ruleText("Expectation.NoAttribute", "%1: an attribute check names no attribute").arg(packet);
    const QString where = QStringLiteral("%1, %2: ").arg(packet, check.attribute);
    if (!taskstore::checkTakesValue(check.op))
        return std::nullopt;
    if (check.value.isEmpty())
        return where
            + ruleText("Expectation.NoValue", "the check \"%1\" needs a value")
                  .arg(taskstore::checkOperatorName(check.op));
    if (check.op == taskstore::CheckOperator::Matches) {
        const QRegularExpression expression(check.value);
        if (!expression.isValid())
            return where
                + ruleText("Expectation.BadExpression", "\"%1\" is not a valid regular expression (%2 at %3)")
                      .arg(check.value, expression.errorString())
                      .arg(expression.patternErrorOffset());
    }
    if (check.op == taskstore::CheckOperator::Equals) {
        const radius::ValueVerdict verdict = radius::AttributeValueCheck::check(check.attribute, check.value.toUtf8());
        if (!verdict.accepted())
            return where
                + ruleText("Expectation.BadValue", "\"%1\" is not a value of type %2")
                      .arg(check.value, radius::AttributeValueCheck::typeName(verdict.attribute.type));
    }
    return std::nullopt;
}
} // namespace

std::optional<QString> expectationProblem(const QString &packet, const taskstore::PacketExpectation &expectation)
{
    for (const taskstore::AttributeCheck &check : expectation.checks)
        if (std::optional<QString> problem = checkProblem(packet, check))
            return problem;
    return std::nullopt;
}

} // namespace taskdef
