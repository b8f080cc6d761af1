#include "clients/HeldLines.h"

#include "clients/ConsoleOutput.h"

namespace clients {

void HeldLines::addRound(const std::string &prefix)
{
    m_lines.push_back({{}, prefix});
}

void HeldLines::writeTo(ConsoleOutput &out)
{
    int rounds = 0;
    for (const Line &line : m_lines)
        rounds += line.roundPrefix.empty() ? 0 : 1;
    int round = 0;
    for (const Line &line : m_lines) {
        if (line.roundPrefix.empty())
            out.line(line.text);
        else
            out.info(line.roundPrefix + "Access-Challenge " + std::to_string(++round) + " of "
                     + std::to_string(rounds));
    }
    m_lines.clear();
}

} // namespace clients
