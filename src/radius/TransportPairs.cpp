#include "radius/TransportPairs.h"

#include "radius/PairList.h"
#include "radius/transport_radius.h"

#include <utility>

namespace radius {

namespace {
constexpr std::size_t kMaxValue = 65536;

using ValueReader = int (*)(pel_tr_pairs const *, char const *, std::uint8_t *, std::size_t);

std::optional<Bytes> readValue(ValueReader read, const pel_tr_pairs *pairs, const char *name)
{
    Bytes buf(kMaxValue);
    const int n = read(pairs, name, buf.data(), buf.size());
    if (n < 0) return std::nullopt;
    buf.resize(static_cast<std::size_t>(n));
    return buf;
}
} // namespace

TransportPairs::TransportPairs() : m_pairs(pel_tr_pairs_new()) {}

TransportPairs::TransportPairs(pel_tr_pairs *adopted) : m_pairs(adopted ? adopted : pel_tr_pairs_new()) {}

TransportPairs::~TransportPairs()
{
    pel_tr_pairs_free(m_pairs);
}

TransportPairs::TransportPairs(TransportPairs &&other) noexcept : m_pairs(std::exchange(other.m_pairs, nullptr)) {}

TransportPairs &TransportPairs::operator=(TransportPairs &&other) noexcept
{
    std::swap(m_pairs, other.m_pairs);
    return *this;
}

TransportPairs TransportPairs::fromPairList(const PairList &list)
{
    return TransportPairs(pel_tr_pairs_from_list(list.handle()));
}

TransportPairs TransportPairs::copy() const
{
    return TransportPairs(pel_tr_pairs_copy(m_pairs));
}

int TransportPairs::count() const
{
    return pel_tr_pairs_count(m_pairs);
}

bool TransportPairs::has(const char *name) const
{
    std::uint8_t probe = 0;
    return pel_tr_pairs_bytes(m_pairs, name, &probe, 0) >= 0;
}

std::optional<std::uint32_t> TransportPairs::integer(const char *name) const
{
    std::uint32_t value = 0;
    if (pel_tr_pairs_integer(m_pairs, name, &value)) return value;
    return std::nullopt;
}

std::optional<Bytes> TransportPairs::bytes(const char *name) const
{
    return bytesOf(m_pairs, name);
}

std::optional<Bytes> TransportPairs::joined(const char *name) const
{
    return joinedOf(m_pairs, name);
}

void TransportPairs::remove(const char *name)
{
    pel_tr_pairs_remove(m_pairs, name);
}

std::string TransportPairs::add(const char *name, const Bytes &value)
{
    char err[512] = {};
    if (pel_tr_pairs_add_bytes(m_pairs, name, value.data(), value.size(), err, sizeof(err)) == 0) return {};
    return err;
}

std::vector<std::string> TransportPairs::lines() const
{
    return linesOf(m_pairs);
}

std::optional<Bytes> TransportPairs::bytesOf(const pel_tr_pairs *pairs, const char *name)
{
    return readValue(pel_tr_pairs_bytes, pairs, name);
}

std::optional<Bytes> TransportPairs::joinedOf(const pel_tr_pairs *pairs, const char *name)
{
    return readValue(pel_tr_pairs_joined, pairs, name);
}

std::vector<std::string> TransportPairs::linesOf(const pel_tr_pairs *pairs)
{
    std::vector<std::string> out;
    pel_tr_pairs_print(
        pairs, [](void *ctx, const char *text) { static_cast<std::vector<std::string> *>(ctx)->emplace_back(text); },
        &out);
    return out;
}

} // namespace radius
