#pragma once
// The entries of one folder that match a pattern, split into folders and other entries, in the
// order the file system gives them. Reads the folder by path: the working directory is never
// changed, so nothing else in the program sees it move.

#include <string>
#include <vector>

namespace torvin {

class DirectoryListing {
  public:
    virtual ~DirectoryListing() = default;

    // Both CP932 byte texts, e.g. ".\skin" and "*.bmp".
    std::string folder;
    std::string pattern;

    int directoryCount = 0;
    int fileCount = 0;
    std::vector<std::string> directoryNames;
    std::vector<std::string> fileNames;

    // Fills the two lists afresh; a folder that cannot be read leaves both empty. Names that
    // code page 932 cannot hold are skipped, since no stored setting could name them.
    void List();
};

}  // namespace torvin
