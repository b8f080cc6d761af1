#include "dictformat/DictionaryTree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dictformat {

void DictionaryTree::walk(const QString &mainFile, DictionaryVisitor &visitor)
{
    DictionaryTree tree(visitor);
    tree.readFile(mainFile, 0);
}

void DictionaryTree::readFile(const QString &path, int depth)
{
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (m_open.contains(canonical)) {
        m_visitor.problem(path, 0, QStringLiteral("includes itself"));
        return;
    }
    if (!canonical.isEmpty() && m_read.contains(canonical))
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_visitor.problem(path, 0, file.errorString());
        return;
    }
    if (!m_visitor.wants(canonical))
        return;
    m_read.insert(canonical);
    m_open.insert(canonical);
    const QByteArray content = file.readAll();
    m_visitor.beginFile(path);
    for (const DictionaryLine &line : DictionaryLineReader::parse(content)) {
        const Keyword keyword = line.keyword();
        if (keyword == Keyword::Include || keyword == Keyword::OptionalInclude)
            include(path, line, depth);
        else
            m_visitor.line(path, line);
    }
    m_visitor.endFile(path);
    m_open.remove(canonical);
}

void DictionaryTree::include(const QString &path, const DictionaryLine &line, int depth)
{
    if (line.fields.size() < 2) {
        m_visitor.problem(path, line.number, QStringLiteral("$INCLUDE without a file name"));
        return;
    }
    const QString name = QString::fromLocal8Bit(line.fields.at(1));
    const QString target = QFileInfo(path).absoluteDir().absoluteFilePath(name);
    if (!QFileInfo::exists(target)) {
        if (line.keyword() == Keyword::Include)
            m_visitor.problem(path, line.number, QStringLiteral("cannot open %1").arg(target));
        return;
    }
    if (depth >= MaxDepth) {
        m_visitor.problem(path, line.number, QStringLiteral("includes nested too deeply"));
        return;
    }
    readFile(target, depth + 1);
}

} // namespace dictformat
