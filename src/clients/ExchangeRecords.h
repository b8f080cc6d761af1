#pragma once

#include <optional>
#include <string>

namespace radius {
class PairList;
}

namespace clients {

// What one exchange of a run ended with.
struct ExchangeRecord {
    int packet = 0;     // number within the packet file, from 1
    int repetition = 0; // which pass over the packet list (-c), from 1
    std::optional<int> id;
    int requestCode = 0;
    std::optional<int> replyCode;                 // none when no verified reply came
    const radius::PairList *replyPairs = nullptr; // the verified reply's attributes
    std::optional<double> responseMs;
    int retries = 0; // sends after the first
    bool verified = false;
};

// The -R file: one JSON object per line for every exchange, written as the exchange ends,
// so a reader needs none of the human lines.
class ExchangeRecords {
public:
    ExchangeRecords() = default;
    ~ExchangeRecords();
    ExchangeRecords(const ExchangeRecords &) = delete;
    ExchangeRecords &operator=(const ExchangeRecords &) = delete;

    // Creates or empties the file; the reason when it cannot.
    std::string open(const std::string &path);
    void write(const ExchangeRecord &record);

private:
    int m_fd = -1;
};

} // namespace clients
