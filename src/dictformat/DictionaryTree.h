#pragma once

#include "dictformat/DictionaryLine.h"

#include <QSet>
#include <QString>

namespace dictformat {

// What a reader of a dictionary and the files it includes is told, file by file.
class DictionaryVisitor {
public:
    virtual ~DictionaryVisitor() = default;
    // Whether to read this file (its canonical path).
    virtual bool wants(const QString &canonicalPath) { return !canonicalPath.isEmpty(); }
    virtual void beginFile(const QString &path) { (void)path; }
    virtual void endFile(const QString &path) { (void)path; }
    // Every line but the include lines, which the walk follows itself.
    virtual void line(const QString &path, const DictionaryLine &line) = 0;
    virtual void problem(const QString &path, int lineNumber, const QString &text)
    {
        (void)path, (void)lineNumber, (void)text;
    }
};

// Reads a dictionary file and, at each "$INCLUDE" or "$INCLUDE-" line, the file it names,
// relative to the including file's directory, as the library does: each file once, a missing
// file reported unless included with "$INCLUDE-".
class DictionaryTree {
public:
    static constexpr int MaxDepth = 32;

    static void walk(const QString &mainFile, DictionaryVisitor &visitor);

private:
    explicit DictionaryTree(DictionaryVisitor &visitor) : m_visitor(visitor) {}
    void readFile(const QString &path, int depth);
    void include(const QString &path, const DictionaryLine &line, int depth);

    DictionaryVisitor &m_visitor;
    QSet<QString> m_read;
    QSet<QString> m_open;
};

} // namespace dictformat
