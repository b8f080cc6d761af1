// A client that writes N short lines as fast as it can, one write() per line as a
// line-oriented client does, or in large blocks with "--buffered".
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

int main(int argc, char **argv)
{
    long count = argc > 1 ? std::atol(argv[1]) : 100000;
    const bool buffered = argc > 2 && std::strcmp(argv[2], "--buffered") == 0;
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
