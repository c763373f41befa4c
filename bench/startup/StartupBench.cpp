// Times start-up: from process creation until the program is idle waiting for input and shows
// a visible top-level window. Torvin.exe starts in a working folder holding a setting.ini with a
// few pets, so the time covers reading the settings, the skinned main window and its list. Two
// floors start the same way in the same folder, interleaved with it: a bare dialog, and a dialog
// with a list view and the socket layer, which Torvin cannot start without.
//   startup_bench.exe <Torvin.exe> <bare_dialog.exe> <list_socket_dialog.exe> [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/CodePage.h"
#include "framework/UniqueHandle.h"
#include "settings/Cp932Texts.h"
#include "settings/SettingsStore.h"
#include "settings/WinFileSystem.h"

namespace {

using Clock = std::chrono::steady_clock;
using torvin::KernelHandleTraits;
using torvin::UniqueHandle;

constexpr int kDefaultRepetitions = 15;
constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kSettleMs = 150;
constexpr int kBenchPets = 5;
// The pet list: only Torvin's main window has it, so first-run setup would not count as started.
// The list floor's list view has the same id.
constexpr int kPetListId = 1000;
constexpr int kAnyWindow = 0;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double MedianRatio(const std::vector<double>& numerators, const std::vector<double>& denominators) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < numerators.size() && i < denominators.size(); ++i) {
        ratios.push_back(numerators[i] / denominators[i]);
    }
    return Median(std::move(ratios));
}

struct WindowSearch {
    DWORD processId;
    int requiredControl;
    bool found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window) &&
        (search.requiredControl == kAnyWindow || GetDlgItem(window, search.requiredControl) != nullptr)) {
        search.found = true;
        return FALSE;
    }
    return TRUE;
}

bool WaitForVisibleWindow(DWORD processId, int requiredControl, Clock::time_point deadline) {
    for (;;) {
        WindowSearch search{processId, requiredControl, false};
        EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            return true;
        }
        if (Clock::now() > deadline) {
            return false;
        }
        Sleep(1);
    }
}

// Milliseconds until the program showed its window and went idle; nothing when it did not.
std::optional<double> TimeOneStart(const std::wstring& exe, const std::wstring& folder, int requiredControl) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const auto start = Clock::now();
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info)) {
        return std::nullopt;
    }
    UniqueHandle<KernelHandleTraits> process(info.hProcess);
    UniqueHandle<KernelHandleTraits> thread(info.hThread);
    const bool idle = WaitForInputIdle(process.Get(), kStartTimeoutMs) == 0;
    const bool shown = idle && WaitForVisibleWindow(info.dwProcessId, requiredControl,
                                                    start + std::chrono::milliseconds(kStartTimeoutMs));
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    // Killed, not closed: closing would rewrite setting.ini and skew the next run. Waiting for
    // the end also frees Torvin's single-instance mark before the next start.
    TerminateProcess(process.Get(), 0);
    WaitForSingleObject(process.Get(), kStartTimeoutMs);
    // The window system goes on tearing the killed program's windows down after it has ended;
    // without a pause the next start pays for that, and the same program timed twice in a row
    // differed by up to 13 %.
    Sleep(kSettleMs);
    if (!shown) {
        return std::nullopt;
    }
    return elapsed;
}

// Torvin refuses to start while its single-instance mark exists, for instance while a test runs
// it under the same Wine server.
bool AnotherTorvinRuns() {
    UniqueHandle<KernelHandleTraits> mark(OpenMutexW(SYNCHRONIZE, FALSE, L"TORVIN_RUNNING"));
    return static_cast<bool>(mark);
}

bool WriteBenchSettings(const std::wstring& folder) {
    using namespace torvin;
    AppSettings settings;
    settings.versionText = cp932::kVersionText;
    settings.hostDir = *NarrowCp932(folder + L"\\host");
    settings.petCount = kBenchPets;
    for (int i = 0; i < kBenchPets; ++i) {
        auto& pet = settings.pets[static_cast<std::size_t>(i)];
        pet.name = "pet" + std::to_string(i + 1);
        pet.popServer = "127.0.0.1";
        pet.userId = pet.name;
        pet.password = "pw";
    }
    settings.activePet = settings.pets[0].name;
    return WriteSettings(RealFileSystem(), settings);
}

}  // namespace

struct Program {
    const wchar_t* exe;
    int requiredControl;
    const char* name;
    std::vector<double> times;
};

int wmain(int argc, wchar_t** argv) {
    // More rounds steady the figures on a busy machine.
    const int repetitions = argc == 5 ? _wtoi(argv[4]) : kDefaultRepetitions;
    if ((argc != 4 && argc != 5) || repetitions < 1) {
        std::printf(
            "usage: startup_bench <Torvin.exe> <bare_dialog.exe> <list_socket_dialog.exe> [rounds]\n");
        return 2;
    }
    Program programs[] = {{argv[1], kPetListId, "Torvin.exe", {}},
                          {argv[2], kAnyWindow, "a bare dialog", {}},
                          {argv[3], kPetListId, "a list view and sockets dialog", {}}};
    if (AnotherTorvinRuns()) {
        std::printf("another Torvin is running under this Wine server; start-up not measured\n");
        return 1;
    }
    wchar_t base[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, base);
    const std::wstring folder =
        std::wstring(base) + L"torvin-startup-bench-" + std::to_wstring(GetCurrentProcessId());
    if (!CreateDirectoryW(folder.c_str(), nullptr) || !SetCurrentDirectoryW(folder.c_str()) ||
        !WriteBenchSettings(folder)) {
        std::printf("cannot prepare the working folder\n");
        return 1;
    }

    // One untimed start of each loads the programs and their libraries into the file cache.
    bool ok = true;
    for (const Program& program : programs) {
        ok = ok && TimeOneStart(program.exe, folder, program.requiredControl);
    }
    for (int i = 0; ok && i < repetitions && !AnotherTorvinRuns(); ++i) {
        for (Program& program : programs) {
            const auto time = TimeOneStart(program.exe, folder, program.requiredControl);
            ok = ok && time;
            if (time) {
                program.times.push_back(*time);
            }
        }
    }

    DeleteFileW((folder + L"\\" + torvin::WidenCp932(torvin::kSettingsFileName)).c_str());
    SetCurrentDirectoryW(base);
    RemoveDirectoryW(folder.c_str());
    if (!ok || programs[0].times.size() != static_cast<std::size_t>(repetitions)) {
        std::printf("a program did not show its main window within %lu ms, or another Torvin started\n",
                    kStartTimeoutMs);
        return 1;
    }
    for (const Program& program : programs) {
        std::printf("start-up of %s, median of %d: %.1f ms\n", program.name, repetitions,
                    Median(program.times));
    }
    // Each round starts the three one after another, so the median of the rounds' ratios sees
    // less of the machine's changing load than a ratio of medians would.
    std::printf("ratio torvin / bare dialog: %.2f\n", MedianRatio(programs[0].times, programs[1].times));
    std::printf("ratio torvin / list view and sockets dialog: %.2f\n",
                MedianRatio(programs[0].times, programs[2].times));
    return 0;
}
