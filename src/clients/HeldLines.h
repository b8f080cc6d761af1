#pragma once

#include <string>
#include <vector>

namespace clients {

class ConsoleOutput;

// The lines of one EAP exchange, kept until it ends and then written in their order: only
// then is the number of Access-Challenge rounds known, which each round's line shows as
// "Access-Challenge n of m".
class HeldLines {
public:
    void add(std::string line) { m_lines.push_back({std::move(line), {}}); }
    // The next round's "Info: <prefix>Access-Challenge n of m".
    void addRound(const std::string &prefix);
    // Writes what is held and forgets it.
    void writeTo(ConsoleOutput &out);
    bool isEmpty() const { return m_lines.empty(); }

private:
    struct Line {
        std::string text;
        std::string roundPrefix; // a round's line when not empty
    };
    std::vector<Line> m_lines;
};

} // namespace clients
