// A client that writes N short lines as fast as it can ("-c N" as on the client command
// line, or N as the first argument), one write() per line as a line-oriented client
// does, or in 64 KiB blocks when PELLION_FAST_CLIENT_BUFFERED is set.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int argc, char **argv)
{
    long count = argc > 1 ? std::atol(argv[1]) : 100000;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-c") == 0)
            count = std::atol(argv[i + 1]);
    const bool buffered = std::getenv("PELLION_FAST_CLIENT_BUFFERED") != nullptr;
    static char block[1 << 16];
    size_t used = 0;
    for (long i = 0; i < count; ++i) {
        char line[64];
        const int length = std::snprintf(line, sizeof line, "Info: line %ld\r\n", i);
        if (!buffered) {
            if (write(1, line, size_t(length)) != length)
                return 1;
            continue;
        }
        if (used + size_t(length) > sizeof block) {
            if (write(1, block, used) != ssize_t(used))
                return 1;
            used = 0;
        }
        std::memcpy(block + used, line, size_t(length));
        used += size_t(length);
    }
    if (used && write(1, block, used) != ssize_t(used))
        return 1;
    return 0;
}
