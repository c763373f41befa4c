#include "settings/FileSystem.h"

namespace torvin {

namespace {

std::string TemporaryNameFor(const std::string& path) {
    return path + ".tmp";
}

}  // namespace

bool ReplaceFileContents(FileSystem& fs, const std::string& path, std::string_view bytes) {
    const std::string temporary = TemporaryNameFor(path);
    if (!fs.WriteWhole(temporary, bytes)) {
        fs.RemoveFile(temporary);
        return false;
    }
    if (!fs.MoveReplacing(temporary, path)) {
        fs.RemoveFile(temporary);
        return false;
    }
    return true;
}

bool CopyReplacing(FileSystem& fs, const std::string& from, const std::string& to) {
    const std::string temporary = TemporaryNameFor(to);
    // A temporary left by an interrupted earlier copy makes the first attempt fail.
    if (!fs.CopyNoOverwrite(from, temporary) &&
        !(fs.PathExists(temporary) && fs.RemoveFile(temporary) && fs.CopyNoOverwrite(from, temporary))) {
        return false;
    }
    if (!fs.MoveReplacing(temporary, to)) {
        fs.RemoveFile(temporary);
        return false;
    }
    return true;
}

}  // namespace torvin
