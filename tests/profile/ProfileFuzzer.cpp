// libFuzzer target: the profile reader, the in-memory writer and the zone-file core.
#include "FuzzEntry.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const char* broken = hf::ExerciseProfileBytes(data, size)) {
        std::fprintf(stderr, "broken expectation: %s\n", broken);
        std::abort();
    }
    return 0;
}
