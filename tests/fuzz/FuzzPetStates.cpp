// Fuzz target: the fuzzer's bytes choose the actions, edits, host runs and faults of the pet
// state-space play; any broken promise aborts with the steps that led to it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/pets/PetStatePlay.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string problem = torvin::test::PlayPetStates(data, size);
    if (!problem.empty()) {
        std::fputs(problem.c_str(), stderr);
        std::abort();
    }
    return 0;
}
