// Times the durable launch swap of a 20 MB settings file on the real file system against the
// least any durable swap must do: one CopyFileW copy of the same file plus its flush. Two plain
// copies without a flush, the older swap's cost, stay for comparison. All in one run, one disk.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/CodePage.h"
#include "pets/PetPaths.h"
#include "pets/PetSwap.h"
#include "settings/Cp932Texts.h"
#include "settings/SettingsStore.h"
#include "settings/WinFileSystem.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kFileBytes = 20 * 1024 * 1024;
constexpr int kRepetitions = 7;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string PetData(char fill) {
    std::string bytes(kFileBytes, fill);
    for (std::size_t i = 0; i < bytes.size(); i += 4096) {
        bytes[i] = static_cast<char>(i / 4096);
    }
    return bytes;
}

// Deleting a 20 MB file leaves work that the file system does at its next journal commit, which
// the next flush forces: each timed step would pay for the deletions of the one before. One
// flushed byte before each step makes that commit happen outside the timing, the same for all.
void Settle() {
    HANDLE file =
        CreateFileW(L"settle", GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, "s", 1, &written, nullptr);
        FlushFileBuffers(file);
        CloseHandle(file);
    }
}

}  // namespace

int wmain() {
    using namespace torvin;
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, base);
    const std::wstring work =
        std::wstring(base) + L"torvin-swap-bench-" + std::to_wstring(GetCurrentProcessId());
    if (!CreateDirectoryW(work.c_str(), nullptr) || !SetCurrentDirectoryW(work.c_str())) {
        std::printf("cannot make the work folder\n");
        return 1;
    }
    FileSystem& fs = RealFileSystem();
    const std::string hostDir = *NarrowCp932(work + L"\\host");
    AppSettings settings;
    settings.versionText = cp932::kVersionText;
    settings.hostDir = hostDir;
    settings.petCount = 2;
    const std::string petA = "A", petB = "B";
    settings.pets[0].name = petA;
    settings.pets[1].name = petB;
    settings.activePet = petA;
    fs.MakeFolder(hostDir);
    fs.MakeFolder(StorageRootPath());
    fs.MakeFolder(PetFolderPath("A"));
    fs.MakeFolder(PetFolderPath("B"));
    if (!fs.WriteWhole(HostSettingsPath(hostDir), PetData('a')) ||
        !fs.WriteWhole(PetSettingsPath("B"), PetData('b')) || !WriteSettings(fs, settings)) {
        std::printf("cannot write the test files\n");
        return 1;
    }

    const std::wstring live = WidenCp932(HostSettingsPath(hostDir));
    const std::wstring stored = WidenCp932(PetSettingsPath("B"));
    std::vector<double> swaps, copies, flushed;
    for (int i = 0; i < kRepetitions; ++i) {
        Settle();
        auto start = Clock::now();
        if (SwapInPet(fs, settings, i % 2 == 0 ? petB : petA) != PetError::kNone) {
            std::printf("swap failed\n");
            return 1;
        }
        swaps.push_back(Milliseconds(Clock::now() - start));
        // A launch removes the retired generation after the host has started; the copies below
        // are likewise deleted outside their timing.
        DropRetiredGeneration(fs, i % 2 == 0 ? petA : petB);

        Settle();
        start = Clock::now();
        const bool copied =
            CopyFileW(live.c_str(), L"copy1", FALSE) && CopyFileW(stored.c_str(), L"copy2", FALSE);
        copies.push_back(Milliseconds(Clock::now() - start));
        DeleteFileW(L"copy1");
        DeleteFileW(L"copy2");

        Settle();
        start = Clock::now();
        bool flushedCopy = CopyFileW(stored.c_str(), L"copy3", FALSE) != FALSE;
        if (flushedCopy) {
            HANDLE copy = CreateFileW(L"copy3", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
            flushedCopy = copy != INVALID_HANDLE_VALUE && FlushFileBuffers(copy);
            if (copy != INVALID_HANDLE_VALUE) {
                CloseHandle(copy);
            }
        }
        flushed.push_back(Milliseconds(Clock::now() - start));
        DeleteFileW(L"copy3");
        if (!copied || !flushedCopy) {
            std::printf("baseline copy failed\n");
            return 1;
        }
    }
    const double swap = Median(swaps), copy = Median(copies), floor = Median(flushed);
    std::printf("launch swap of a %zu MB file, median of %d: %.1f ms\n", kFileBytes >> 20, kRepetitions,
                swap);
    std::printf("two CopyFileW copies, median of %d:        %.1f ms\n", kRepetitions, copy);
    std::printf("one copy and its flush, median of %d:      %.1f ms\n", kRepetitions, floor);
    std::printf("ratio swap / copies: %.2f\n", swap / copy);
    std::printf("ratio swap / flushed copy: %.2f (goal at most 1.25)\n", swap / floor);

    for (const auto& path :
         {HostSettingsPath(hostDir), PetSettingsPath("A"), PetSettingsPath("B"), PetBackupGenerationPath("A"),
          PetBackupGenerationPath("B"), PetRetiredGenerationPath("A"), PetRetiredGenerationPath("B"),
          std::string(kSettingsFileName)}) {
        fs.RemoveFile(path);
    }
    for (const auto& path : {PetFolderPath("A"), PetFolderPath("B"), StorageRootPath(), hostDir}) {
        fs.RemoveFolder(path);
    }
    DeleteFileW(L"settle");
    SetCurrentDirectoryW(base);
    RemoveDirectoryW(work.c_str());
    return 0;
}
