#pragma once
// A fresh folder under the system's temporary folder that becomes the working directory for
// the life of the object; the previous working directory comes back and the folder is deleted.

#include <filesystem>
#include <string>

namespace torvin::test {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::wstring& Path() const { return path_; }

  private:
    std::filesystem::path previous_;
    std::wstring path_;
};

}  // namespace torvin::test
