#pragma once
// Plays a sequence of user actions, hand edits, host runs, failed steps and power cuts against
// the pure pet code, choosing each from a byte stream, and checks after every step that no
// pet's newest data is gone, that the list and the record agree, and that nothing outside the
// working and host folders was changed. The bytes come from a seeded generator in the test
// and from libFuzzer in the fuzz target.

#include <cstddef>
#include <cstdint>
#include <string>

namespace torvin::test {

// An empty text when every check held; otherwise what broke, with the steps that led there.
std::string PlayPetStates(const std::uint8_t* choices, std::size_t size);

}  // namespace torvin::test
