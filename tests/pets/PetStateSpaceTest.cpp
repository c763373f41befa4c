// A bounded run of the state-space play from fixed seeds, so that a failure replays exactly.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "tests/pets/PetStatePlay.h"

namespace torvin {
namespace {

TEST(PetStateSpace, NoReachableStateLosesMixesUpOrStrandsAPet) {
    for (unsigned seed = 1; seed <= 150; ++seed) {
        std::mt19937 random(seed);
        std::vector<std::uint8_t> choices(400);
        std::generate(choices.begin(), choices.end(), [&] { return static_cast<std::uint8_t>(random()); });
        const std::string problem = test::PlayPetStates(choices.data(), choices.size());
        ASSERT_EQ(problem, "") << "seed " << seed;
    }
}

}  // namespace
}  // namespace torvin
