// A bounded run of the state-space play: many short random sequences from fixed seeds, so that
// a failure replays exactly. The fuzz target explores the same space without a bound.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/pets/PetStatePlay.h"

namespace torvin {
namespace {

TEST(PetStateSpace, NoReachableStateLosesMixesUpOrStrandsAPet) {
    for (unsigned seed = 1; seed <= 150; ++seed) {
        std::mt19937 random(seed);
        std::vector<std::uint8_t> choices(400);
        for (auto& choice : choices) {
            choice = static_cast<std::uint8_t>(random());
        }
        const std::string problem = test::PlayPetStates(choices.data(), choices.size());
        ASSERT_EQ(problem, "") << "seed " << seed;
    }
}

}  // namespace
}  // namespace torvin
