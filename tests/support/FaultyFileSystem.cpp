#include "tests/support/FaultyFileSystem.h"

namespace torvin::test {

void FaultyFileSystem::Arm(Fault fault, int mutatingCall) {
    fault_ = fault;
    target_ = mutatingCall;
    calls_ = 0;
    mutatingCalls_ = 0;
    hit_ = false;
}

template <typename Step, typename TornStep>
bool FaultyFileSystem::Mutate(Step step, TornStep tornStep) {
    ++calls_;
    ++mutatingCalls_;
    if (fault_ == Fault::kNone || mutatingCalls_ != target_) {
        return step();
    }
    hit_ = true;
    switch (fault_) {
        case Fault::kFail:
            return false;
        case Fault::kCutAfter:
            step();
            throw PowerCut();
        case Fault::kCutDuring:
            tornStep();
            throw PowerCut();
        case Fault::kNone:
            break;
    }
    return step();
}

bool FaultyFileSystem::PathExists(const std::string& path) {
    ++calls_;
    return inner_.PathExists(path);
}

std::optional<std::string> FaultyFileSystem::ReadWhole(const std::string& path) {
    ++calls_;
    return inner_.ReadWhole(path);
}

bool FaultyFileSystem::WriteWhole(const std::string& path, std::string_view bytes) {
    return Mutate([&] { return inner_.WriteWhole(path, bytes); },
                  [&] { inner_.WriteWhole(path, bytes.substr(0, bytes.size() / 2)); });
}

bool FaultyFileSystem::CopyNoOverwrite(const std::string& from, const std::string& to) {
    return Mutate([&] { return inner_.CopyNoOverwrite(from, to); },
                  [&] {
                      const auto bytes = inner_.ReadWhole(from);
                      if (bytes && !inner_.PathExists(to)) {
                          inner_.WriteWhole(to, std::string_view(*bytes).substr(0, bytes->size() / 2));
                      }
                  });
}

bool FaultyFileSystem::MoveReplacing(const std::string& from, const std::string& to) {
    return Mutate([&] { return inner_.MoveReplacing(from, to); }, [] {});
}

bool FaultyFileSystem::RemoveFile(const std::string& path) {
    return Mutate([&] { return inner_.RemoveFile(path); }, [] {});
}

bool FaultyFileSystem::MakeFolder(const std::string& path) {
    return Mutate([&] { return inner_.MakeFolder(path); }, [] {});
}

bool FaultyFileSystem::RemoveFolder(const std::string& path) {
    return Mutate([&] { return inner_.RemoveFolder(path); }, [] {});
}

}  // namespace torvin::test
