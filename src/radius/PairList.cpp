#include "radius/PairList.h"

#include "radius/CConvert.h"

#include <new>

namespace radius {

namespace {
constexpr size_t ErrorSize = 512;

// PairOperator is handed to the C face by number.
static_assert(int(PairOperator::Equal) == PR_OP_EQ && int(PairOperator::Set) == PR_OP_SET
              && int(PairOperator::Less) == PR_OP_LT && int(PairOperator::RegexMatch) == PR_OP_REG_EQ
              && int(PairOperator::Exists) == PR_OP_CMP_TRUE && int(PairOperator::Compare) == PR_OP_CMP_EQ);

pr_pairs *newOrThrow()
{
    pr_pairs *p = pr_pairs_new();
    if (!p)
        throw std::bad_alloc();
    return p;
}

Status statusOf(int rcode, const char *err)
{
    return rcode < 0 ? Status::failure(QString::fromUtf8(err)) : Status();
}

std::optional<pr_attr_info> attributeNamed(const QByteArray &name)
{
    pr_attr_info info{};
    if (pr_dict_attr_by_name(name.constData(), &info) < 0)
        return std::nullopt;
    return info;
}
} // namespace

void PairList::Free::operator()(pr_pairs *p) const
{
    pr_pairs_free(p);
}

PairList::PairList() : m_pairs(newOrThrow())
{
}

PairList::PairList(pr_pairs *adopted) : m_pairs(adopted)
{
}

PairList PairList::copy() const
{
    pr_pairs *p = pr_pairs_copy(m_pairs.get());
    if (!p)
        throw std::bad_alloc();
    return PairList(p);
}

Status PairList::add(const QString &name, const QString &value, PairOperator op)
{
    return add(name.toUtf8(), value.toUtf8(), op);
}

Status PairList::add(const QByteArray &name, const QByteArray &value, PairOperator op)
{
    char err[ErrorSize] = {};
    return statusOf(
        pr_pairs_add(m_pairs.get(), name.constData(), value.constData(), static_cast<int>(op), err, sizeof err), err);
}

Result<PairList> PairList::parse(const QString &text)
{
    PairList list;
    char err[ErrorSize] = {};
    if (pr_pairs_add_text(list.m_pairs.get(), text.toUtf8().constData(), err, sizeof err) < 0)
        return Result<PairList>::failure(QString::fromUtf8(err));
    return list;
}

Status PairList::addOctets(unsigned number, unsigned vendor, const QByteArray &value)
{
    char err[ErrorSize] = {};
    return statusOf(pr_pairs_add_octets(m_pairs.get(), number, vendor,
                                        reinterpret_cast<const uint8_t *>(value.constData()), size_t(value.size()), err,
                                        sizeof err),
                    err);
}

int PairList::size() const
{
    return int(pr_pairs_count(m_pairs.get()));
}

PairValue PairList::at(int index) const
{
    pr_pair_view view{};
    PairValue value;
    if (index < 0 || pr_pairs_get(m_pairs.get(), size_t(index), &view) < 0)
        return value;
    value.attribute = attributeFromC(view.attr);
    value.tag = view.tag;
    value.integer = view.integer;
    value.octets = QByteArray(reinterpret_cast<const char *>(view.data), qsizetype(view.length));
    return value;
}

QString PairList::valueText(int index) const
{
    if (index < 0)
        return {};
    char buffer[8192];
    buffer[0] = '\0';
    pr_pairs_value_text(m_pairs.get(), size_t(index), buffer, sizeof buffer);
    return QString::fromUtf8(buffer);
}

int PairList::indexOf(unsigned number, unsigned vendor) const
{
    return int(pr_pairs_find(m_pairs.get(), number, vendor));
}

int PairList::indexOf(const QByteArray &name) const
{
    const auto info = attributeNamed(name);
    return info ? indexOf(info->number, info->vendor) : -1;
}

std::optional<QByteArray> PairList::value(const QByteArray &name) const
{
    const int index = indexOf(name);
    if (index < 0)
        return std::nullopt;
    return at(index).octets;
}

QByteArray PairList::joined(const QByteArray &name) const
{
    QByteArray out;
    const auto info = attributeNamed(name);
    for (int i = 0; info && i < size(); ++i) {
        const PairValue pair = at(i);
        if (pair.attribute.number == info->number && pair.attribute.vendor == info->vendor)
            out += pair.octets;
    }
    return out;
}

std::optional<quint64> PairList::integer(const QByteArray &name) const
{
    const int index = indexOf(name);
    if (index < 0)
        return std::nullopt;
    return at(index).integer;
}

QList<QByteArray> PairList::lines() const
{
    QList<QByteArray> out;
    char buffer[8192];
    for (int i = 0; i < size(); ++i) {
        buffer[0] = '\0';
        const size_t length = pr_pairs_line(m_pairs.get(), size_t(i), buffer, sizeof buffer);
        out << QByteArray(buffer, qsizetype(qMin(length, sizeof buffer - 1)));
    }
    return out;
}

void PairList::removeAll(const QByteArray &name)
{
    for (int index = indexOf(name); index >= 0; index = indexOf(name))
        remove(index);
}

Status PairList::addOctets(const QByteArray &name, const QByteArray &value)
{
    const auto info = attributeNamed(name);
    if (!info)
        return Status::failure(QStringLiteral("Unknown name \"%1\"").arg(QString::fromUtf8(name)));
    return addOctets(info->number, info->vendor, value);
}

Status PairList::setValue(int index, const QString &text)
{
    char err[ErrorSize] = {};
    return statusOf(pr_pairs_set_value(m_pairs.get(), size_t(index), text.toUtf8().constData(), err, sizeof err), err);
}

Status PairList::setOctets(int index, const QByteArray &value)
{
    char err[ErrorSize] = {};
    return statusOf(pr_pairs_set_octets(m_pairs.get(), size_t(index),
                                        reinterpret_cast<const uint8_t *>(value.constData()), size_t(value.size()), err,
                                        sizeof err),
                    err);
}

Status PairList::replaceWithOctets(int index, unsigned number, unsigned vendor, const QByteArray &value)
{
    char err[ErrorSize] = {};
    return statusOf(pr_pairs_replace_octets(m_pairs.get(), size_t(index), number, vendor,
                                            reinterpret_cast<const uint8_t *>(value.constData()), size_t(value.size()),
                                            err, sizeof err),
                    err);
}

void PairList::remove(int index)
{
    if (index >= 0)
        pr_pairs_remove(m_pairs.get(), size_t(index));
}

void PairList::moveToFront(int index)
{
    if (index > 0)
        pr_pairs_move_first(m_pairs.get(), size_t(index));
}

} // namespace radius
