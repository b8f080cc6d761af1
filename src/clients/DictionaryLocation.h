#pragma once

#include <string>
#include <vector>

namespace clients {

// Where a client finds its dictionary: the -d directory when given; else the "dictionary"
// directory beside the program itself (/proc/self/exe), so that it runs from any current
// directory; else the one in the current directory (a client built outside the program
// directory, started there by the program).
class DictionaryLocation {
public:
    // The directory that holds the file "dictionary"; every directory looked at is in
    // tried, for the message when none holds one.
    static std::string find(const std::string &optionDir, std::vector<std::string> &tried);
};

} // namespace clients
