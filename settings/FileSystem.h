#pragma once
// The file operations the program needs, over CP932 byte paths. Behind an interface so that
// tests can run the settings store and the pet swap in memory and fail any single step.

#include <optional>
#include <string>
#include <string_view>

namespace torvin {

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // True when a find-first-file search over the path finds an entry (file or folder);
    // wildcard characters act as a pattern.
    virtual bool PathExists(const std::string& path) = 0;
    // The whole content of a file, or nothing when it cannot be read.
    virtual std::optional<std::string> ReadWhole(const std::string& path) = 0;
    // Creates or empties the file, writes every byte and flushes it to the disk.
    virtual bool WriteWhole(const std::string& path, std::string_view bytes) = 0;
    // Fails, leaving the target untouched, when the target already exists. The copy is on the
    // disk when this returns, and never read-only.
    virtual bool CopyNoOverwrite(const std::string& from, const std::string& to) = 0;
    // Renames a file over another one in a single step, replacing it if it exists, and returns
    // once the rename is on the disk. Fails across volumes. The result is never read-only.
    virtual bool MoveReplacing(const std::string& from, const std::string& to) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // One folder level; an existing folder counts as success.
    virtual bool MakeFolder(const std::string& path) = 0;
    // Only an empty folder is removed.
    virtual bool RemoveFolder(const std::string& path) = 0;
    // True when the name converts strictly to the file system's own text: invalid byte
    // sequences are refused, never replaced by a stand-in character.
    virtual bool NameConverts(const std::string& name) = 0;
    // True when the file system takes the two names for one entry (Windows: UTF-16, ordinal,
    // ignoring case). A name that does not convert matches only its own bytes.
    virtual bool SameEntryName(const std::string& a, const std::string& b) = 0;
};

// Replaces a file without ever leaving it half-written: the bytes go to a temporary file beside
// it, which is flushed and then renamed over the target. On any failure the old file is intact.
bool ReplaceFileContents(FileSystem& fs, const std::string& path, std::string_view bytes);

// Copies a file into place through a temporary name, so that the target is either the old
// file or the complete new one. Unlike CopyNoOverwrite it replaces an existing target.
bool CopyReplacing(FileSystem& fs, const std::string& from, const std::string& to);

}  // namespace torvin
