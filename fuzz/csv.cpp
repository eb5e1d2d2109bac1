// The language table's CSV reader on any bytes, then lookups in both languages.
#include "env/LL.hpp"

#include <cstddef>
#include <cstdint>
#include <iostream>
#include <streambuf>
#include <string_view>

namespace {
// Missing-translation reports would flood the fuzzer's output.
struct NullBuffer : std::streambuf {
    int overflow(int c) override { return c; }
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static NullBuffer sink;
    static std::streambuf* const original = std::cerr.rdbuf(&sink);
    (void)original;

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    LL table;
    table.load(bytes);
    const std::string_view firstField = bytes.substr(0, bytes.find_first_of(",\n"));
    for (std::uint8_t language : {0, 1, 2}) {
        table.language = language;
        table.lookup(firstField);
        table.lookup(LL::arrayKey(firstField, language));
        table.english(firstField);
    }
    return 0;
}
