#include "runner/RunReports.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QXmlStreamWriter>

namespace runner {

namespace {
const QString kNoGroup = QStringLiteral("(no group)");

QString suiteName(const TaskResult &result)
{
    return result.task.groupName.isEmpty() ? kNoGroup : result.task.groupName;
}

double seconds(const TaskResult &result)
{
    return double(result.start.msecsTo(result.end)) / 1000.0;
}

QString secondsText(double value)
{
    return QString::number(value, 'f', 3);
}

// XML 1.0 cannot carry most control characters, even escaped: they are written as \xHH.
QString xmlSafe(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const bool allowed = u == 0x09 || u == 0x0A || u == 0x0D || (u >= 0x20 && u != 0xFFFE && u != 0xFFFF);
        if (allowed)
            out += c;
        else
            out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
    }
    return out;
}

struct Counts {
    int tests = 0;
    int failures = 0;
    int errors = 0;
    double time = 0;
    void add(const TaskResult &result)
    {
        ++tests;
        failures += result.verdict == Verdict::Fail ? 1 : 0;
        errors += result.verdict == Verdict::NotEvaluated ? 1 : 0;
        time += seconds(result);
    }
    void write(QXmlStreamWriter &xml) const
    {
        xml.writeAttribute(QStringLiteral("tests"), QString::number(tests));
        xml.writeAttribute(QStringLiteral("failures"), QString::number(failures));
        xml.writeAttribute(QStringLiteral("errors"), QString::number(errors));
        xml.writeAttribute(QStringLiteral("time"), secondsText(time));
    }
};

void writeTestCase(QXmlStreamWriter &xml, const TaskResult &result)
{
    xml.writeStartElement(QStringLiteral("testcase"));
    xml.writeAttribute(QStringLiteral("name"), xmlSafe(result.task.taskName));
    xml.writeAttribute(QStringLiteral("classname"), xmlSafe(suiteName(result)));
    xml.writeAttribute(QStringLiteral("time"), secondsText(seconds(result)));
    if (result.verdict == Verdict::Fail) {
        xml.writeStartElement(QStringLiteral("failure"));
        xml.writeAttribute(
            QStringLiteral("message"),
            xmlSafe(result.failedChecks.isEmpty() ? verdictText(result.verdict) : result.failedChecks.first()));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("verdict"));
        xml.writeCharacters(xmlSafe(result.failedChecks.join(QLatin1Char('\n'))));
        xml.writeEndElement();
    } else if (result.verdict == Verdict::NotEvaluated) {
        xml.writeStartElement(QStringLiteral("error"));
        xml.writeAttribute(QStringLiteral("message"), verdictText(result.verdict));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("not-evaluated"));
        xml.writeCharacters(xmlSafe(result.verdictLine));
        xml.writeEndElement();
    }
    xml.writeTextElement(QStringLiteral("system-out"), xmlSafe(result.lines.join(QLatin1Char('\n'))));
    xml.writeEndElement();
}
} // namespace

QByteArray junitReport(const QList<TaskResult> &results)
{
    QMap<QString, QList<const TaskResult *>> suites;
    Counts total;
    for (const TaskResult &result : results) {
        suites[suiteName(result)].append(&result);
        total.add(result);
    }
    QByteArray out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("testsuites"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("pellion-run"));
    total.write(xml);
    int id = 0;
    for (auto suite = suites.cbegin(); suite != suites.cend(); ++suite) {
        Counts counts;
        for (const TaskResult *result : suite.value())
            counts.add(*result);
        xml.writeStartElement(QStringLiteral("testsuite"));
        xml.writeAttribute(QStringLiteral("name"), xmlSafe(suite.key()));
        xml.writeAttribute(QStringLiteral("id"), QString::number(id++));
        counts.write(xml);
        xml.writeAttribute(QStringLiteral("skipped"), QStringLiteral("0"));
        xml.writeAttribute(QStringLiteral("timestamp"),
                           suite.value().first()->start.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
        for (const TaskResult *result : suite.value())
            writeTestCase(xml, *result);
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return out;
}

QByteArray jsonReport(const QList<TaskResult> &results)
{
    QJsonArray tasks;
    QMap<Verdict, int> counts;
    for (const TaskResult &result : results) {
        ++counts[result.verdict];
        tasks.append(QJsonObject{
            {QStringLiteral("group"), result.task.groupName},
            {QStringLiteral("task"), result.task.taskName},
            {QStringLiteral("verdict"), verdictText(result.verdict)},
            {QStringLiteral("verdictLine"), result.verdictLine},
            {QStringLiteral("start"), result.start.toString(Qt::ISODateWithMs)},
            {QStringLiteral("end"), result.end.toString(Qt::ISODateWithMs)},
            {QStringLiteral("durationMs"), result.start.msecsTo(result.end)},
            {QStringLiteral("failedChecks"), QJsonArray::fromStringList(result.failedChecks)},
        });
    }
    const QJsonObject report{
        {QStringLiteral("passed"), counts.value(Verdict::Pass)},
        {QStringLiteral("failed"), counts.value(Verdict::Fail)},
        {QStringLiteral("notEvaluated"), counts.value(Verdict::NotEvaluated)},
        {QStringLiteral("tasks"), tasks},
    };
    return QJsonDocument(report).toJson(QJsonDocument::Indented);
}

namespace {
QString csvField(const QString &value)
{
    if (!value.contains(QLatin1Char(',')) && !value.contains(QLatin1Char('"')) && !value.contains(QLatin1Char('\n'))
        && !value.contains(QLatin1Char('\r')))
        return value;
    QString doubled = value;
    return QLatin1Char('"') + doubled.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}
} // namespace

QByteArray csvReport(const QList<TaskResult> &results)
{
    QString out = QStringLiteral("group,task,verdict,start,end,duration_ms,failed_checks\r\n");
    for (const TaskResult &result : results) {
        const QStringList fields = {
            result.task.groupName,
            result.task.taskName,
            verdictText(result.verdict),
            result.start.toString(Qt::ISODateWithMs),
            result.end.toString(Qt::ISODateWithMs),
            QString::number(result.start.msecsTo(result.end)),
            result.failedChecks.join(QLatin1Char('\n')),
        };
        QStringList quoted;
        for (const QString &field : fields)
            quoted << csvField(field);
        out += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out.toUtf8();
}

} // namespace runner
