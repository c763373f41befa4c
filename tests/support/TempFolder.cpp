#include "tests/support/TempFolder.h"

#include <windows.h>

#include <atomic>

namespace torvin::test {

TempFolder::TempFolder() : previous_(std::filesystem::current_path()) {
    static std::atomic<unsigned> counter{0};
    const auto path =
        std::filesystem::temp_directory_path() /
        (L"torvin-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(counter++));
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
    std::filesystem::create_directory(path);
    std::filesystem::current_path(path);
    // Windows spelling, as the program under test and its messages use it.
    path_ = path.wstring();
    for (wchar_t& c : path_) {
        c = c == L'/' ? L'\\' : c;
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace torvin::test
