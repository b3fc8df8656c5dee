// What the fuzz targets share: the entry point that libFuzzer and the corpus replay both call,
// and the way a broken property stops the run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace fuzz {

// abort() rather than an exception: libFuzzer saves the input that led here, and the replay
// has already named the file it was reading.
[[noreturn]] inline void fail(const char *property, const char *file, int line)
{
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, property);
    std::abort();
}

} // namespace fuzz

#define FUZZ_CHECK(property)                                                                       \
    ((property) ? static_cast<void>(0) : fuzz::fail(#property, __FILE__, __LINE__))
