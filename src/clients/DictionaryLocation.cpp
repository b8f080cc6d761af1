#include "clients/DictionaryLocation.h"

#include <climits>

#include <unistd.h>

namespace clients {

namespace {

std::string programDirectory()
{
    char path[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", path, sizeof(path) - 1);
    if (n <= 0)
        return {};
    const std::string exe(path, static_cast<std::size_t>(n));
    const std::size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

} // namespace

std::string DictionaryLocation::find(const std::string &optionDir, std::vector<std::string> &tried)
{
    tried.clear();
    if (!optionDir.empty()) {
        tried.push_back(optionDir);
        return optionDir;
    }
    if (const std::string program = programDirectory(); !program.empty())
        tried.push_back(program + "/dictionary");
    tried.emplace_back("dictionary");
    for (const std::string &dir : tried)
        if (::access((dir + "/dictionary").c_str(), R_OK) == 0)
            return dir;
    return tried.front();
}

} // namespace clients
