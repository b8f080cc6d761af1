#pragma once

#include "radius/TransportPairs.h"

#include <string>

struct pel_tr_reader;

namespace radius {

// Reads a packet file one packet at a time, through the loaded dictionary.
class TransportScriptReader {
public:
    enum class Status { Packet, End, Failed };
    struct Result {
        Status status = Status::End;
        TransportPairs pairs;
        int line = 0;       // line of the failure
        std::string error;  // why it failed
    };

    TransportScriptReader() = default;
    ~TransportScriptReader();
    TransportScriptReader(const TransportScriptReader &) = delete;
    TransportScriptReader &operator=(const TransportScriptReader &) = delete;

    // Empty on success, else the system's reason.
    std::string open(const std::string &path);
    Result next();

private:
    pel_tr_reader *m_reader = nullptr;
};

} // namespace radius
