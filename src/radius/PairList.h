#pragma once

#include "radius/AttributeInfo.h"
#include "radius/PairOperator.h"
#include "radius/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

struct pr_pairs;

namespace radius {

// One pair as read from a list: the attribute, its tag, its value.
struct PairValue {
    AttributeInfo attribute;
    int tag = 0;
    quint64 integer = 0; // integer, date, byte, short, signed, integer64
    QByteArray octets;   // text and octets values; host-order raw bytes of other types
};

// An owned list of typed attribute-value pairs, values parsed by the dictionary's types.
class PairList {
public:
    PairList();
    PairList(PairList &&) noexcept = default;
    PairList &operator=(PairList &&) noexcept = default;
    PairList copy() const;

    // "name op value", the value parsed by the attribute's type.
    Status add(const QString &name, const QString &value, PairOperator op = PairOperator::Equal);
    // The same with the value's octets as they stand (a script value may hold any octet).
    Status add(const QByteArray &name, const QByteArray &value, PairOperator op = PairOperator::Equal);
    // "Attr = value, Attr2 = value" through the library's own line reader.
    static Result<PairList> parse(const QString &text);
    Status addOctets(unsigned number, unsigned vendor, const QByteArray &value);

    int size() const;
    bool isEmpty() const { return size() == 0; }
    PairValue at(int index) const;
    QString valueText(int index) const;                      // as the library prints it
    int indexOf(unsigned number, unsigned vendor = 0) const; // -1 when absent
    int indexOf(const QByteArray &name) const;               // -1 when absent or not in the dictionary
    // The first value's octets (text and octets values), none when absent.
    std::optional<QByteArray> value(const QByteArray &name) const;
    // Every value of the attribute joined in order (EAP-Message spans several).
    QByteArray joined(const QByteArray &name) const;
    std::optional<quint64> integer(const QByteArray &name) const;
    // "Name = value" for each pair, in order, as the library prints them.
    QList<QByteArray> lines() const;

    Status setValue(int index, const QString &text);
    Status setOctets(int index, const QByteArray &value);
    // Puts an octets attribute in the place of the pair at index.
    Status replaceWithOctets(int index, unsigned number, unsigned vendor, const QByteArray &value);
    void remove(int index);
    void moveToFront(int index);
    void removeAll(const QByteArray &name);
    // Appends a text or octets attribute holding value as it stands.
    Status addOctets(const QByteArray &name, const QByteArray &value);

    const pr_pairs *handle() const { return m_pairs.get(); }
    // Takes ownership of a list made by the C face.
    static PairList adopt(pr_pairs *list) { return PairList(list); }

private:
    struct Free {
        void operator()(pr_pairs *p) const;
    };
    explicit PairList(pr_pairs *adopted);
    std::unique_ptr<pr_pairs, Free> m_pairs;
};

} // namespace radius
