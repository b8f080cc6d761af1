#include "clients/PacketFramer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <vector>

// Packets cut out of a stream however the octets arrive.

namespace {

// A packet of the length with its identifier as the first octet after the header.
std::vector<std::uint8_t> packet(std::uint8_t id, std::size_t length)
{
    std::vector<std::uint8_t> octets(length, 0);
    octets[0] = 2;
    octets[1] = id;
    octets[2] = static_cast<std::uint8_t>(length >> 8);
    octets[3] = static_cast<std::uint8_t>(length & 0xff);
    return octets;
}

struct FramingCase {
    const char *name;
    std::vector<std::vector<std::uint8_t>> packets; // the stream, in order
    std::vector<std::size_t> cuts;                  // where reads end, as offsets into the stream
    std::vector<int> expectedIds;                   // packets handed over, in order
    bool framed;                                    // no impossible length met
};

void PrintTo(const FramingCase &c, std::ostream *os)
{
    *os << c.name;
}

class Framing : public ::testing::TestWithParam<FramingCase> {};

TEST_P(Framing, HandsOverWholePacketsOnly)
{
    const FramingCase &c = GetParam();
    std::vector<std::uint8_t> stream;
    for (const auto &p : c.packets)
        stream.insert(stream.end(), p.begin(), p.end());
    std::vector<std::size_t> ends = c.cuts;
    ends.push_back(stream.size());

    clients::PacketFramer framer;
    std::vector<int> ids;
    std::vector<std::size_t> lengths;
    std::string error;
    bool framed = true;
    std::size_t from = 0;
    for (const std::size_t end : ends) {
        std::memcpy(framer.reserve(end - from), stream.data() + from, end - from);
        framer.commit(end - from);
        from = end;
        framed = framer.deliver(
            [&](const std::uint8_t *data, std::size_t length) {
                ids.push_back(data[1]);
                lengths.push_back(length);
            },
            error);
        if (!framed)
            break;
    }
    EXPECT_EQ(ids, c.expectedIds);
    EXPECT_EQ(framed, c.framed) << error;
    if (!c.framed) {
        EXPECT_EQ(error.rfind("the server sent a packet of length ", 0), 0u) << error;
    }
    for (std::size_t i = 0; i < lengths.size(); ++i)
        EXPECT_EQ(lengths[i], c.packets[i].size());
}

INSTANTIATE_TEST_SUITE_P(
    Clients, Framing,
    ::testing::Values(FramingCase{"OneWhole", {packet(1, 20)}, {}, {1}, true},
                      FramingCase{"TwoInOneRead", {packet(1, 20), packet(2, 38)}, {}, {1, 2}, true},
                      FramingCase{"HeaderSplit", {packet(1, 26)}, {1, 3}, {1}, true},
                      FramingCase{"BodySplitAcrossThreeReads", {packet(7, 300)}, {4, 150}, {7}, true},
                      FramingCase{"SecondStartsInFirstsRead", {packet(1, 20), packet(2, 64)}, {22}, {1, 2}, true},
                      FramingCase{"LargestAllowed", {packet(9, 4096), packet(10, 20)}, {4095}, {9, 10}, true},
                      FramingCase{"TooShortAfterAGoodOne", {packet(1, 20), packet(2, 19)}, {}, {1}, false},
                      FramingCase{"TooLong", {packet(3, 4097)}, {10}, {}, false}),
    [](const ::testing::TestParamInfo<FramingCase> &param) { return std::string(param.param.name); });

} // namespace
