// libFuzzer target for the packet script text reader and its tokenizer. Built with clang:
//   CC=clang CXX=clang++ cmake -B build-fuzz ... && cmake --build build-fuzz --target fuzz_packet_script
//   build-fuzz/bench/fuzz_packet_script -runs=200000
#include "taskdef/PacketTextReader.h"
#include "taskdef/ScriptLineParser.h"
#include "taskdef/ScriptTokenizer.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));

    taskdef::ScriptTokenizer tokenizer(bytes);
    for (qsizetype last = -1; tokenizer.position() != last;) {
        last = tokenizer.position();
        if (tokenizer.next(taskdef::ScriptTokenizer::NameLimit).kind == taskdef::ScriptToken::Kind::EndOfLine)
            break;
    }
    (void)taskdef::ScriptLineParser::parse(bytes);

    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    taskdef::PacketTextReader reader(&buffer);
    int packets = 0;
    while (!reader.atEnd() && packets <= int(size)) {
        const auto packet = reader.readNextPacket();
        if (!packet)
            break;
        if (packet->isEmpty())
            std::abort(); // a returned packet always has pairs
        ++packets;
    }
    if (packets > int(size))
        std::abort(); // the reader must make progress through the input
    return 0;
}
