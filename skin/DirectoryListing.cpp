#include "skin/DirectoryListing.h"

#include <windows.h>

#include "framework/CodePage.h"
#include "framework/UniqueHandle.h"

namespace torvin {

void DirectoryListing::List() {
    directoryCount = 0;
    fileCount = 0;
    directoryNames.clear();
    fileNames.clear();
    WIN32_FIND_DATAW entry{};
    UniqueFindHandle find(FindFirstFileW(WidenCp932(folder + "\\" + pattern).c_str(), &entry));
    if (!find) {
        return;
    }
    do {
        auto name = NarrowCp932(entry.cFileName);
        if (!name) {
            continue;
        }
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            directoryNames.push_back(std::move(*name));
            ++directoryCount;
        } else {
            fileNames.push_back(std::move(*name));
            ++fileCount;
        }
    } while (FindNextFileW(find.Get(), &entry));
}

}  // namespace torvin
