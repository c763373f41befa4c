#pragma once
// A decorator over any file system for fault-injection tests. It counts calls and can make the
// N-th mutating call (write, copy, move, remove, make or remove folder) fail, or cut the power
// after it or in the middle of it: then it throws PowerCut, so that the operation under test
// stops right there, as if the machine had gone down.

#include <stdexcept>

#include "settings/FileSystem.h"

namespace torvin::test {

class PowerCut : public std::runtime_error {
  public:
    PowerCut() : std::runtime_error("power cut") {}
};

class FaultyFileSystem final : public FileSystem {
  public:
    enum class Fault { kNone, kFail, kCutAfter, kCutDuring };

    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

    // Arms one fault for the given 1-based mutating call and restarts the counts.
    // kCutDuring leaves a write or copy with half of its bytes written; a move, removal or
    // folder step, being atomic, then does not happen at all.
    void Arm(Fault fault, int mutatingCall);
    void Disarm() { Arm(Fault::kNone, 0); }

    int Calls() const { return calls_; }
    int MutatingCalls() const { return mutatingCalls_; }
    bool FaultHit() const { return hit_; }

    bool PathExists(const std::string& path) override;
    std::optional<std::string> ReadWhole(const std::string& path) override;
    bool WriteWhole(const std::string& path, std::string_view bytes) override;
    bool CopyNoOverwrite(const std::string& from, const std::string& to) override;
    bool MoveReplacing(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;
    bool MakeFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    bool NameConverts(const std::string& name) override { return inner_.NameConverts(name); }
    bool SameEntryName(const std::string& a, const std::string& b) override {
        return inner_.SameEntryName(a, b);
    }

  private:
    // Runs one mutating step with the armed fault; tornStep leaves half of a write behind.
    template <typename Step, typename TornStep>
    bool Mutate(Step step, TornStep tornStep);

    FileSystem& inner_;
    Fault fault_ = Fault::kNone;
    int target_ = 0;
    int calls_ = 0;
    int mutatingCalls_ = 0;
    bool hit_ = false;
};

}  // namespace torvin::test
