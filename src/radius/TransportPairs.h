#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct pel_tr_pairs;

namespace radius {

class PairList;

using Bytes = std::vector<std::uint8_t>;

// An attribute list of a request to send or of a reply; owns its memory.
class TransportPairs {
public:
    TransportPairs();
    explicit TransportPairs(pel_tr_pairs *adopted);
    ~TransportPairs();
    TransportPairs(TransportPairs &&other) noexcept;
    TransportPairs &operator=(TransportPairs &&other) noexcept;
    TransportPairs(const TransportPairs &) = delete;
    TransportPairs &operator=(const TransportPairs &) = delete;

    // The pairs of a packet read from a packet script file.
    static TransportPairs fromPairList(const PairList &list);
    TransportPairs copy() const;
    int count() const;
    bool has(const char *name) const;
    std::optional<std::uint32_t> integer(const char *name) const;
    std::optional<Bytes> bytes(const char *name) const;
    // Every value of the attribute joined in order (EAP-Message spans several).
    std::optional<Bytes> joined(const char *name) const;
    void remove(const char *name);
    // Empty on success, else the reason.
    std::string add(const char *name, const Bytes &value);
    // "Name = value" for each pair, in order.
    std::vector<std::string> lines() const;

    const pel_tr_pairs *handle() const { return m_pairs; }

    // The same readings of a list owned elsewhere (a packet's attributes).
    static std::optional<Bytes> bytesOf(const pel_tr_pairs *pairs, const char *name);
    static std::optional<Bytes> joinedOf(const pel_tr_pairs *pairs, const char *name);
    static std::vector<std::string> linesOf(const pel_tr_pairs *pairs);

private:
    pel_tr_pairs *m_pairs;
};

} // namespace radius
