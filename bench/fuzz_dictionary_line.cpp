// libFuzzer target for the dictionary-file grammar (lines, fields, keywords, numbers, vendor
// formats). Built with clang:
//   CC=clang CXX=clang++ cmake -B build-fuzz ... && cmake --build build-fuzz --target fuzz_dictionary_line
//   build-fuzz/bench/fuzz_dictionary_line -runs=200000
#include "dictformat/DictionaryLine.h"
#include "dictformat/VendorFormat.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    int previous = 0;
    for (const dictformat::DictionaryLine &line : dictformat::DictionaryLineReader::parse(bytes)) {
        // Lines come in order, each with a field and no more octets than the library's buffer.
        if (line.number <= previous || line.fields.isEmpty()
            || line.text.size() >= dictformat::DictionaryLineReader::BufferSize)
            std::abort();
        previous = line.number;
        for (const QByteArray &field : line.fields) {
            if (field.isEmpty() || field.contains('#') || field.contains(' ') || field.contains('\n'))
                std::abort();
            (void)dictformat::DictionaryLineReader::number(field);
            (void)dictformat::DictionaryLineReader::vendorNumber(field);
        }
        if (line.keyword() == dictformat::Keyword::Vendor && line.fields.size() >= 3) {
            const auto vendor = dictformat::DictionaryLineReader::vendorNumber(line.fields.at(2));
            const auto format = dictformat::VendorFormat::of(vendor.value_or(0), line.fields.value(3));
            if (format && format->largestAttribute() < 255)
                std::abort();
        }
    }
    return 0;
}
