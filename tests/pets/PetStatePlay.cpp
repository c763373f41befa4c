#include "tests/pets/PetStatePlay.h"

#include <algorithm>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "pets/FirstRunLayout.h"
#include "pets/HostLaunch.h"
#include "pets/PetRoster.h"
#include "settings/SettingsFormat.h"
#include "tests/pets/PetWorld.h"

namespace torvin::test {

namespace {

// Case pairs in Latin, Greek ("Α"/"α") and Cyrillic ("Д"/"д"), a legacy trailing dot, the
// backup folder's name, bytes that are not CP932 beside the "A・" they used to become, an empty
// name and a 0x5C trail byte.
const std::vector<std::string> kNames = {
    "A",  "a",   "B",         "\x83\x9f",  "\x83\xbf", "\x84\x44", "\x84\x75",
    "B.", kHana, "A\x85\x40", "A\x81\x45", "\x83\x5c", "",         cp932::kBackupFolderName,
};
// The owner of the host's file before any setup has named its pet.
const std::string kUnnamed = "\x01";

// The folder a name stands for as the file system sees it: the oracle's notion of one pet.
std::string PetKey(std::string name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) {
        name.pop_back();
    }
    return FoldedPath(name).value_or(name);
}

std::vector<std::string> Names(const AppSettings& settings) {
    std::vector<std::string> names;
    for (int i = 0; i < settings.petCount; ++i) {
        names.push_back(settings.pets[static_cast<std::size_t>(i)].name);
    }
    return names;
}

// The machine going down in the middle of an operation: it stops right there.
struct PowerCut : std::runtime_error {
    PowerCut() : std::runtime_error("power cut") {}
};

// Makes the N-th mutating call (write, copy, move, remove, make or remove folder) fail, or cuts
// the power after it or in the middle of it. Cut in the middle, a write or copy leaves half of
// its bytes; a move, removal or folder step, being atomic, does not happen at all.
class FaultyFileSystem final : public FileSystem {
  public:
    enum class Fault { kNone, kFail, kCutAfter, kCutDuring };

    explicit FaultyFileSystem(FileSystem& inner) : inner_(inner) {}

    // Arms one fault for the given 1-based mutating call and restarts the count.
    void Arm(Fault fault, int mutatingCall) {
        fault_ = fault;
        target_ = mutatingCall;
        mutatingCalls_ = 0;
    }

    bool PathExists(const std::string& path) override { return inner_.PathExists(path); }
    std::optional<std::string> ReadWhole(const std::string& path) override { return inner_.ReadWhole(path); }
    bool NameConverts(const std::string& name) override { return inner_.NameConverts(name); }
    bool SameEntryName(const std::string& a, const std::string& b) override {
        return inner_.SameEntryName(a, b);
    }
    bool WriteWhole(const std::string& path, std::string_view bytes) override {
        return Mutate([&] { return inner_.WriteWhole(path, bytes); },
                      [&] { inner_.WriteWhole(path, bytes.substr(0, bytes.size() / 2)); });
    }
    bool CopyNoOverwrite(const std::string& from, const std::string& to) override {
        return Mutate([&] { return inner_.CopyNoOverwrite(from, to); },
                      [&] {
                          const auto bytes = inner_.ReadWhole(from);
                          if (bytes && !inner_.PathExists(to)) {
                              inner_.WriteWhole(to, std::string_view(*bytes).substr(0, bytes->size() / 2));
                          }
                      });
    }
    bool MoveReplacing(const std::string& from, const std::string& to) override {
        return Mutate([&] { return inner_.MoveReplacing(from, to); });
    }
    bool RemoveFile(const std::string& path) override {
        return Mutate([&] { return inner_.RemoveFile(path); });
    }
    bool MakeFolder(const std::string& path) override {
        return Mutate([&] { return inner_.MakeFolder(path); });
    }
    bool RemoveFolder(const std::string& path) override {
        return Mutate([&] { return inner_.RemoveFolder(path); });
    }

  private:
    bool Mutate(
        const std::function<bool()>& step, const std::function<void()>& tornStep = [] {}) {
        if (fault_ == Fault::kNone || ++mutatingCalls_ != target_) {
            return step();
        }
        if (fault_ == Fault::kFail) {
            return false;
        }
        fault_ == Fault::kCutAfter ? static_cast<void>(step()) : tornStep();
        throw PowerCut();
    }

    FileSystem& inner_;
    Fault fault_ = Fault::kNone;
    int target_ = 0;
    int mutatingCalls_ = 0;
};

struct Desktop : DesktopWindows, HostStarter {
    bool hostRuns = false, hidden = false;
    std::vector<TopWindow> TopWindowsInZOrder() override { return {{L"Nimbrel 2.0", hostRuns && !hidden}}; }
    bool RunsImage(const std::string& exe) override { return hostRuns && exe == HostExePath(kHostDir); }
    bool Start(const std::string&) override { return true; }
};

class Player {
  public:
    Player(const std::uint8_t* choices, std::size_t size) : next_(choices), end_(choices + size) {
        world_.SetLive(NewData(kUnnamed));
        world_.fs.files["C:\\other.txt"] = "not Torvin's";
        world_.fs.folders.insert("");  // the drive's root, where an empty host folder leads
    }

    std::string Play() {
        while (next_ != end_ && problem_.empty()) {
            Step();
            Check();
        }
        return problem_.empty() ? std::string{} : log_.str() + "=> " + problem_;
    }

  private:
    int Pick(int count) { return next_ == end_ ? 0 : *next_++ % count; }
    const std::string& AnyName() { return kNames[static_cast<std::size_t>(Pick(14))]; }
    const std::string& Row(int row) { return rows_[static_cast<std::size_t>(row)]; }

    std::string NewData(const std::string& pet) {
        const std::string data = "data " + std::to_string(++data_);
        owner_[data] = pet;
        newest_[pet] = data;
        return data;
    }

    // A hand-edited, damaged or older setting.ini, written while Torvin is not running. It names
    // as active only a pet that owns the live file: no program could see through another lie.
    void EditSettings() {
        AppSettings s;
        s.versionText = Pick(3) == 0 ? "\xEF\xBB\xBFv0" : (Pick(2) == 0 ? "V0.1" : "v0.1.2");
        s.hostDir = Pick(5) == 0 ? "" : kHostDir;
        s.petCount = static_cast<std::int8_t>(Pick(6));
        const auto live = world_.Live();
        for (auto pet = s.pets.begin(); pet != s.pets.begin() + s.petCount; ++pet) {
            pet->name = AnyName();
            s.activePet = live && PetKey(pet->name) == owner_[*live] ? pet->name : s.activePet;
        }
        std::vector<std::string> lines = SplitLines(FormatSettings(s));
        lines[6] = Pick(2) == 0 ? std::to_string(Pick(384) - 128) : lines[6];
        lines.resize(Pick(3) == 0 ? static_cast<std::size_t>(Pick(static_cast<int>(lines.size()) + 1))
                                  : lines.size());
        std::string& file = world_.fs.files[kSettingsFileName] = "";
        std::for_each(lines.begin(), lines.end(), [&](const std::string& line) { file += line + "\r\n"; });
        log_ << "edit setting.ini:\n" << file;
    }

    // The host's pet, unnamed until a setup records it, now has a name: its data is that pet's.
    void NameTheHostsPet(const std::string& name) {
        for (auto& [data, owner] : owner_) {
            owner = owner == kUnnamed ? PetKey(name) : owner;
        }
        if (const auto unnamed = newest_.find(kUnnamed); unnamed != newest_.end()) {
            newest_[PetKey(name)] = unnamed->second;
            newest_.erase(unnamed);
        }
        setupName_ = name;
    }

    void Start() {
        settings_ = AppSettings{};
        settings_.versionText = cp932::kVersionText;
        const StartRead read = ReadSettingsAtStart(fs_, settings_).outcome;
        log_ << "start " << static_cast<int>(read) << "\n";
        running_ = read != StartRead::kUnreadable;
        for (int tries = 0; read == StartRead::kMissing && tries < 3 && Pick(3) != 0; ++tries) {
            // The user names the host's current pet, and by the same name after a power cut.
            setupTry_ = setupName_.empty() ? AnyName() : setupName_;
            const PetError error = LayOutFirstPet(fs_, settings_, setupTry_, kHostDir);
            log_ << "setup " << setupTry_ << " -> " << static_cast<int>(error) << "\n";
            if (error == PetError::kNone) {
                NameTheHostsPet(setupTry_);
                break;
            }
        }
        rows_ = Names(settings_);
    }

    void Launch(int row) {
        const auto result = LaunchHostWithPet(fs_, settings_, Row(row), desktop_, desktop_);
        log_ << "launch " << Row(row) << " -> " << static_cast<int>(result.outcome) << "/"
             << static_cast<int>(result.error) << "\n";
        if (result.outcome != LaunchOutcome::kStarted) {
            return;
        }
        const auto live = world_.Live();
        if (live && owner_[*live] != PetKey(Row(row))) {
            problem_ = "the host got another pet's file";
        }
        desktop_.hostRuns = true;
        desktop_.hidden = Pick(2) == 0;
        hostPet_ = PetKey(Row(row));
    }

    // A deleted pet's data may go once no pet in the roster stands for its folder any more.
    void ForgetIfGone(const std::vector<std::string>& roster) {
        if (std::none_of(roster.begin(), roster.end(),
                         [&](const auto& name) { return PetKey(name) == deleting_; })) {
            newest_.erase(deleting_);
        }
    }

    void Command() {
        const int action = Pick(8);
        const int row = rows_.empty() ? -1 : Pick(static_cast<int>(rows_.size()));
        if (action == 0) {
            const std::string& name = AnyName();
            const PetNameProblem problem = AddPetToRoster(fs_, settings_, name);
            log_ << "add " << name << " -> " << static_cast<int>(problem) << "\n";
            if (problem == PetNameProblem::kNone) {
                rows_.push_back(name);
            }
        } else if (action == 1 && row >= 0) {
            deleting_ = PetKey(Row(row));
            const DeleteOutcome outcome = DeletePetFromRoster(fs_, settings_, row);
            log_ << "delete " << Row(row) << " -> " << static_cast<int>(outcome) << "\n";
            if (outcome == DeleteOutcome::kDeleted) {
                rows_.erase(rows_.begin() + row);
                ForgetIfGone(rows_);
            }
        } else if (action == 2 && row >= 0) {
            Launch(row);
        } else if (action >= 5) {
            log_ << (action == 5 ? "exit\n" : "close without saving\n");
            if (action == 5 && !NothingToRecord(fs_, settings_)) {
                WriteSettings(fs_, settings_);
            }
            running_ = false;
        } else {
            HostRuns();
        }
    }

    // The host, started by Torvin or by the user, leaves its pet's newer data in the live file.
    void HostRuns() {
        const auto live = world_.Live();
        const std::string pet = desktop_.hostRuns ? hostPet_ : (live ? owner_[*live] : std::string{});
        desktop_.hostRuns = false;
        if (!pet.empty()) {
            world_.SetLive(NewData(pet));
            log_ << "host wrote " << *world_.Live() << "\n";
        }
    }

    // What a power cut in the middle of a setup or a deletion leaves recorded on disk.
    void AfterPowerCut() {
        log_ << "power cut\n";
        running_ = desktop_.hostRuns = false;
        AppSettings onDisk;
        ParseSettings(SplitLines(world_.fs.ReadWhole(kSettingsFileName).value_or("")), onDisk);
        setupName_ = setupTry_.empty() ? setupName_ : setupTry_;
        if (!setupTry_.empty() && onDisk.petCount > 0) {
            NameTheHostsPet(setupTry_);
        }
        if (!deleting_.empty()) {
            ForgetIfGone(Names(onDisk));
        }
    }

    void Step() {
        const int what = Pick(8);
        if (Pick(4) == 0) {
            faulty_.Arm(static_cast<FaultyFileSystem::Fault>(1 + Pick(3)), 1 + Pick(8));
        }
        try {
            if (what == 0) {
                HostRuns();
            } else if (!running_ && what == 1) {
                EditSettings();
            } else {
                running_ ? Command() : Start();
            }
        } catch (const PowerCut&) {
            AfterPowerCut();
        }
        deleting_.clear();
        setupTry_.clear();
        faulty_.Arm(FaultyFileSystem::Fault::kNone, 0);
    }

    void Check() {
        for (const auto& newest : newest_) {
            const auto& files = world_.fs.files;
            if (std::none_of(files.begin(), files.end(),
                             [&](const auto& file) { return file.second == newest.second; })) {
                problem_ = "the newest data of a pet is gone: " + newest.second;
            }
        }
        if (running_ && rows_ != Names(settings_)) {
            problem_ = "the list and the record disagree";
        }
        for (const auto& [path, bytes] : world_.fs.files) {
            const bool inside = path.find(':') == std::string::npos && !path.starts_with('\\');
            if (!inside && !path.starts_with(std::string(kHostDir) + "\\") && path != "C:\\other.txt") {
                problem_ = "a file outside the working and host folders: " + path;
            }
        }
        problem_ =
            world_.fs.files["C:\\other.txt"] == "not Torvin's" ? problem_ : "C:\\other.txt was changed";
    }

    const std::uint8_t* next_;
    const std::uint8_t* end_;
    PetWorld world_;
    FaultyFileSystem faulty_{world_.fs};
    FileSystem& fs_ = faulty_;
    Desktop desktop_;
    AppSettings settings_;
    std::vector<std::string> rows_;
    bool running_ = false;
    std::string hostPet_, setupName_, setupTry_, deleting_, problem_;
    int data_ = 0;
    std::map<std::string, std::string> owner_;   // data -> the pet it belongs to
    std::map<std::string, std::string> newest_;  // pet -> its newest data
    std::ostringstream log_;
};

}  // namespace

std::string PlayPetStates(const std::uint8_t* choices, std::size_t size) {
    return Player(choices, size).Play();
}

}  // namespace torvin::test
