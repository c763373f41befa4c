// Every file step of a launch, a relaunch, a first-run setup and a deletion is made to fail,
// and separately cut off after it and in the middle of it. Then the program restarts from what
// is on disk (and, after a plain failure, also carries on with its record in memory), runs the
// host for every pet in turn, twice, and checks that each pet's newest data comes back.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <map>

#include "pets/FirstRunLayout.h"
#include "pets/PetRoster.h"
#include "pets/PetSwap.h"
#include "tests/pets/PetWorld.h"
#include "tests/support/FaultyFileSystem.h"

namespace torvin {
namespace {

using Fault = test::FaultyFileSystem::Fault;

// The newest data of every pet; nothing for a pet that has never had a settings file.
using Model = std::map<std::string, std::optional<std::string>>;

struct State {
    test::PetWorld world;
    AppSettings settings;
    Model newest;
    int sessions = 0;
};

// The host runs with whatever file is in place and leaves it with one more line of its own.
void RunHost(State& s, const std::string& pet) {
    std::string& live = s.world.fs.files[HostSettingsPath(test::kHostDir)];
    live += pet + " session " + std::to_string(++s.sessions) + "\r\n";
    s.newest[pet] = live;
}

void LaunchAndRun(State& s, const std::string& pet) {
    ASSERT_EQ(SwapInPet(s.world.fs, s.settings, pet), PetError::kNone) << pet;
    ASSERT_EQ(s.world.Live(), s.newest[pet]) << "the host got another file for " << pet;
    RunHost(s, pet);
}

State FreshInstallation() {
    State s;
    s.settings.versionText = cp932::kVersionText;
    s.world.SetLive("A first\r\n");
    s.newest["A"] = "A first\r\n";
    return s;
}

// Pets A (first), B, C and ハナ, all launched and run once, then D, never launched; the pet
// named last runs in the host at the end.
State Installation(const std::string& activeAtEnd) {
    State s = FreshInstallation();
    EXPECT_EQ(LayOutFirstPet(s.world.fs, s.settings, "A", test::kHostDir), PetError::kNone);
    for (const char* pet : {"B", "C", test::kHana, "D"}) {
        EXPECT_EQ(AddPetToRoster(s.world.fs, s.settings, pet), PetNameProblem::kNone);
        s.newest[pet] = std::nullopt;
    }
    for (const std::string pet : {"A", "B", "C", test::kHana}) {
        LaunchAndRun(s, pet);
    }
    LaunchAndRun(s, activeAtEnd);
    return s;
}

// After the fault: every pet still in the roster must come back with its newest data, in
// every later launch.
void CheckEveryPet(State& s, bool restart) {
    if (restart) {
        AppSettings fresh;
        fresh.versionText = cp932::kVersionText;
        if (!ReadSettings(s.world.fs, fresh)) {
            ASSERT_EQ(LayOutFirstPet(s.world.fs, fresh, "A", test::kHostDir), PetError::kNone);
        }
        s.settings = fresh;
    }
    ASSERT_GE(s.settings.petCount, 1);
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < s.settings.petCount; ++i) {
            const std::string pet = s.settings.pets[static_cast<std::size_t>(i)].name;
            ASSERT_TRUE(s.newest.count(pet)) << "unknown pet " << pet;
            LaunchAndRun(s, pet);
        }
    }
}

struct Scenario {
    const char* name;
    std::function<State()> prepare;
    std::function<void(FileSystem&, AppSettings&)> operate;
    // The pets that must still be in the roster whatever happened.
    std::vector<std::string> kept;
};

struct Tally {
    int fails = 0;
    int stops = 0;
};

void RunScenario(const Scenario& scenario, Tally& tally) {
    SCOPED_TRACE(scenario.name);
    const State prepared = scenario.prepare();
    State counting = prepared;
    test::FaultyFileSystem counter(counting.world.fs);
    scenario.operate(counter, counting.settings);
    const int steps = counter.MutatingCalls();
    ASSERT_GT(steps, 0);

    for (int step = 1; step <= steps; ++step) {
        for (const Fault fault : {Fault::kFail, Fault::kCutAfter, Fault::kCutDuring}) {
            for (const bool restart : {true, false}) {
                if (fault != Fault::kFail && !restart) {
                    continue;  // after a power cut only what is on disk is left
                }
                SCOPED_TRACE(testing::Message() << "step " << step << " fault " << static_cast<int>(fault)
                                                << (restart ? " restart" : " same run"));
                State s = prepared;
                test::FaultyFileSystem faulty(s.world.fs);
                faulty.Arm(fault, step);
                try {
                    scenario.operate(faulty, s.settings);
                } catch (const test::PowerCut&) {
                }
                ASSERT_TRUE(faulty.FaultHit());
                (fault == Fault::kFail ? tally.fails : tally.stops) += 1;
                CheckEveryPet(s, restart);
                for (const auto& pet : scenario.kept) {
                    bool found = false;
                    for (int i = 0; i < s.settings.petCount; ++i) {
                        found = found || s.settings.pets[static_cast<std::size_t>(i)].name == pet;
                    }
                    EXPECT_TRUE(found) << pet << " left the roster";
                }
                if (testing::Test::HasFailure()) {
                    return;
                }
            }
        }
    }
}

TEST(PetFaultInjection, NoPetLosesItsDataWhateverStepFails) {
    const std::vector<std::string> all = {"A", "B", "C", test::kHana, "D"};
    const std::vector<Scenario> scenarios = {
        {"launch from A to B", [] { return Installation("A"); },
         [](FileSystem& fs, AppSettings& s) { SwapInPet(fs, s, "B"); }, all},
        {"launch of the active pet", [] { return Installation(test::kHana); },
         [](FileSystem& fs, AppSettings& s) { SwapInPet(fs, s, test::kHana); }, all},
        {"launch of a pet never launched", [] { return Installation("C"); },
         [](FileSystem& fs, AppSettings& s) { SwapInPet(fs, s, "D"); }, all},
        {"first-run setup",
         [] {
             State s = FreshInstallation();
             for (const char* pet : {"B", "C"}) {
                 s.newest[pet] = std::nullopt;
             }
             return s;
         },
         [](FileSystem& fs, AppSettings& s) { LayOutFirstPet(fs, s, "A", test::kHostDir); },
         {"A"}},
        {"deletion of a stored pet",
         [] { return Installation("A"); },
         [](FileSystem& fs, AppSettings& s) { DeletePetFromRoster(fs, s, 1); },
         {"A", "C", test::kHana, "D"}},
        {"deletion of the active pet",
         [] { return Installation("C"); },
         [](FileSystem& fs, AppSettings& s) { DeletePetFromRoster(fs, s, 2); },
         {"A", "B", test::kHana, "D"}},
    };
    Tally tally;
    for (const auto& scenario : scenarios) {
        RunScenario(scenario, tally);
    }
    std::printf("fault injection: %d failed steps and %d power cuts tried\n", tally.fails, tally.stops);
}

// The setup leaves only pet A; the others are added after the restart, so that the later
// launches move data between several pets there too.
TEST(PetFaultInjection, AfterAnInterruptedSetupMorePetsCanBeAddedAndLaunched) {
    State s = FreshInstallation();
    test::FaultyFileSystem faulty(s.world.fs);
    faulty.Arm(Fault::kCutAfter, 1);
    EXPECT_THROW(LayOutFirstPet(faulty, s.settings, "A", test::kHostDir), test::PowerCut);
    CheckEveryPet(s, true);
    for (const char* pet : {"B", "C"}) {
        ASSERT_EQ(AddPetToRoster(s.world.fs, s.settings, pet), PetNameProblem::kNone);
        s.newest[pet] = std::nullopt;
    }
    CheckEveryPet(s, true);
    EXPECT_EQ(s.settings.petCount, 3);
}

}  // namespace
}  // namespace torvin
