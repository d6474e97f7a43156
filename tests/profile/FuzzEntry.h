// One entry point for the fuzzer and the random-input test: reads the bytes as a profile
// file, loads zones from it, builds the log, writes a key chosen from the bytes and checks
// what must hold whatever the input. Gives the first broken expectation, or null.
#pragma once

#include <cstddef>
#include <cstdint>

namespace hf {

const char* ExerciseProfileBytes(const std::uint8_t* data, std::size_t size);

}  // namespace hf
