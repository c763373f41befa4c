#pragma once
// A file system that remembers whether the last write of setting.ini failed, so that the main
// window can tell the user after any command that writes it, including the commands of other
// parts that do not report the result themselves.

#include "settings/FileSystem.h"

namespace torvin {

class SettingsWriteWatch final : public FileSystem {
  public:
    explicit SettingsWriteWatch(FileSystem& inner) : inner_(inner) {}

    // True when the last write of setting.ini failed; the next call is false until one more fails.
    bool TakeFailedWrite();

    bool PathExists(const std::string& path) override { return inner_.PathExists(path); }
    std::optional<std::string> ReadWhole(const std::string& path) override { return inner_.ReadWhole(path); }
    bool WriteWhole(const std::string& path, std::string_view bytes) override;
    bool CopyNoOverwrite(const std::string& from, const std::string& to) override {
        return inner_.CopyNoOverwrite(from, to);
    }
    bool MoveReplacing(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override { return inner_.RemoveFile(path); }
    bool MakeFolder(const std::string& path) override { return inner_.MakeFolder(path); }
    bool RemoveFolder(const std::string& path) override { return inner_.RemoveFolder(path); }
    bool NameConverts(const std::string& name) override { return inner_.NameConverts(name); }
    bool SameEntryName(const std::string& a, const std::string& b) override {
        return inner_.SameEntryName(a, b);
    }

  private:
    FileSystem& inner_;
    bool failed_ = false;
};

}  // namespace torvin
