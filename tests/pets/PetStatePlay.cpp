#include "tests/pets/PetStatePlay.h"

#include <map>
#include <sstream>
#include <vector>

#include "pets/FirstRunLayout.h"
#include "pets/HostLaunch.h"
#include "pets/PetRoster.h"
#include "settings/SettingsFormat.h"
#include "settings/SettingsStore.h"
#include "tests/pets/PetWorld.h"
#include "tests/support/FaultyFileSystem.h"

namespace torvin::test {

namespace {

using Fault = FaultyFileSystem::Fault;

// Names with the troubles users meet: case pairs in Latin, Greek ("Α"/"α") and Cyrillic
// ("Д"/"д"), a legacy trailing dot, the backup folder's name, bytes that are not CP932
// ("A\x85\x40") beside the character they used to become ("A・"), and a 0x5C trail byte.
const std::vector<std::string> kNames = {
    "A", "a", "B", "\x83\x9f", "\x83\xbf", "\x84\x44", "\x84\x75", "B.", kHana, "A\x85\x40",
    "A\x81\x45", "\x83\x5c", "", cp932::kBackupFolderName,
};

// The folder a name stands for as the file system sees it; the oracle's notion of "one pet".
std::string PetKey(const std::string& name) {
    std::string folder = name;
    while (!folder.empty() && (folder.back() == '.' || folder.back() == ' ')) {
        folder.pop_back();
    }
    return FoldedPath(folder).value_or(folder);
}

struct Desktop : DesktopWindows {
    bool hostRuns = false;
    bool hostHidden = false;
    std::vector<TopWindow> TopWindowsInZOrder() override {
        return {{L"Nimbrel 2.0", hostRuns && !hostHidden}};
    }
    bool RunsImage(const std::string& exePath) override { return hostRuns && exePath == HostExePath(kHostDir); }
};

struct Starter : HostStarter {
    bool Start(const std::string&) override { return true; }
};

class Player {
public:
    Player(const std::uint8_t* choices, std::size_t size) : next_(choices), end_(choices + size) {
        world_.SetLive(NewData("\x01"));  // the host's pet before Torvin ever ran, not named yet
        world_.fs.files["C:\\other.txt"] = "not Torvin's";
        // The root of the drive, where paths built from an empty host folder end up.
        world_.fs.folders.insert("");
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
    const std::string& AnyName() { return kNames[static_cast<std::size_t>(Pick(static_cast<int>(kNames.size())))]; }

    std::string NewData(const std::string& owner) {
        const std::string data = "data " + std::to_string(++data_);
        owner_[data] = owner;
        newest_[owner] = data;
        return data;
    }

    // A hand-edited, damaged or older setting.ini, made while Torvin is not running.
    void EditSettings() {
        AppSettings s;
        s.versionText = Pick(4) == 0 ? "\xEF\xBB\xBFv0.1" : (Pick(3) == 0 ? "V0.1" : "v0.1.2");
        s.hostDir = Pick(5) == 0 ? "" : kHostDir;
        const int pets = Pick(6);
        for (int i = 0; i < pets; ++i) {
            s.pets[static_cast<std::size_t>(i)].name = AnyName();
        }
        s.petCount = static_cast<std::int8_t>(pets);
        // Only a name that owns the live file, or none, may be recorded active: a record that
        // names another pet is a lie that no program could see through.
        const auto live = world_.Live();
        for (int i = 0; live && i < pets; ++i) {
            if (PetKey(s.pets[static_cast<std::size_t>(i)].name) == owner_[*live]) {
                s.activePet = s.pets[static_cast<std::size_t>(i)].name;
            }
        }
        std::string bytes = FormatSettings(s);
        std::vector<std::string> lines = SplitLines(bytes);
        if (Pick(2) == 0) {
            const int count = Pick(384) - 128;
            lines[6] = std::to_string(count);
        }
        if (Pick(3) == 0) {
            lines.resize(static_cast<std::size_t>(Pick(static_cast<int>(lines.size()) + 1)));
        }
        bytes.clear();
        for (const auto& line : lines) {
            bytes += line + "\r\n";
        }
        world_.fs.files[kSettingsFileName] = bytes;
        log_ << "edit setting.ini:\n" << bytes;
    }

    void Start() {
        settings_ = AppSettings{};
        settings_.versionText = cp932::kVersionText;
        const StartRead read = ReadSettingsAtStart(fs_, settings_).outcome;
        log_ << "start " << static_cast<int>(read) << "\n";
        if (read == StartRead::kUnreadable) {
            return;
        }
        running_ = true;
        for (int tries = 0; read == StartRead::kMissing && tries < 3; ++tries) {
            if (Pick(3) == 0) {
                log_ << "setup escaped\n";
                break;
            }
            // The user names the host's current pet; once named, always by that name.
            const std::string name = setupName_.empty() ? AnyName() : setupName_;
            setupTry_ = name;
            const PetError error = LayOutFirstPet(fs_, settings_, name, kHostDir);
            setupTry_.clear();
            log_ << "setup " << name << " -> " << static_cast<int>(error) << "\n";
            if (error == PetError::kNone) {
                NameTheHostsPet(name);
                break;
            }
        }
        rows_.clear();
        for (int i = 0; i < settings_.petCount; ++i) {
            rows_.push_back(settings_.pets[static_cast<std::size_t>(i)].name);
        }
    }

    // The host's pet, unnamed until a setup records it, now has a name: its data is that pet's.
    void NameTheHostsPet(const std::string& name) {
        for (auto& [data, owner] : owner_) {
            owner = owner == "\x01" ? PetKey(name) : owner;
        }
        if (const auto unnamed = newest_.find("\x01"); unnamed != newest_.end()) {
            newest_[PetKey(name)] = unnamed->second;
            newest_.erase(unnamed);
        }
        setupName_ = name;
    }

    void Launch(int row) {
        const auto result = LaunchHostWithPet(fs_, settings_, rows_[static_cast<std::size_t>(row)], desktop_, starter_);
        log_ << "launch " << rows_[static_cast<std::size_t>(row)] << " -> " << static_cast<int>(result.outcome) << "/"
             << static_cast<int>(result.error) << "\n";
        if (result.outcome != LaunchOutcome::kStarted) {
            return;
        }
        const auto live = world_.Live();
        if (live && owner_[*live] != PetKey(rows_[static_cast<std::size_t>(row)])) {
            problem_ = "the host got another pet's file";
        }
        desktop_.hostRuns = true;
        desktop_.hostHidden = Pick(2) == 0;
        hostPet_ = live ? owner_[*live] : PetKey(rows_[static_cast<std::size_t>(row)]);
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
            const std::string name = rows_[static_cast<std::size_t>(row)];
            deleting_ = PetKey(name);
            const DeleteOutcome outcome = DeletePetFromRoster(fs_, settings_, row);
            log_ << "delete row " << row << " -> " << static_cast<int>(outcome) << "\n";
            if (outcome == DeleteOutcome::kDeleted) {
                rows_.erase(rows_.begin() + row);
                ForgetIfGone(rows_);
            }
        } else if (action == 2 && row >= 0) {
            Launch(row);
        } else if (action == 3 || action == 4) {
            HostRuns();
        } else if (action == 5) {
            log_ << "exit\n";
            if (!NothingToRecord(fs_, settings_)) {
                WriteSettings(fs_, settings_);
            }
            running_ = false;
        } else {
            log_ << "close without saving\n";
            running_ = false;
        }
    }

    // A deleted pet's data may go once no pet in the roster stands for its folder any more.
    void ForgetIfGone(const std::vector<std::string>& roster) {
        for (const auto& other : roster) {
            if (PetKey(other) == deleting_) {
                return;
            }
        }
        newest_.erase(deleting_);
    }

    // The host, started by Torvin or by the user, leaves its pet's newer data in the live file.
    void HostRuns() {
        const auto live = world_.Live();
        const std::string pet = desktop_.hostRuns ? hostPet_ : (live ? owner_[*live] : std::string{});
        desktop_.hostRuns = false;
        if (!pet.empty()) {
            world_.SetLive(NewData(pet));
            log_ << "host wrote " << world_.Live().value_or("") << " for its pet\n";
        }
    }

    void Step() {
        const int what = Pick(8);
        const bool faulty = Pick(4) == 0;
        if (faulty) {
            faulty_.Arm(static_cast<Fault>(1 + Pick(3)), 1 + Pick(8));
        }
        try {
            if (what == 0) {
                HostRuns();
            } else if (!running_ && what == 1 && !faulty) {
                EditSettings();
            } else if (!running_) {
                Start();
            } else {
                Command();
            }
        } catch (const PowerCut&) {
            log_ << "power cut\n";
            running_ = false;
            desktop_.hostRuns = false;
            if (!setupTry_.empty()) {
                // Cut off at its very end, the setup has recorded the pet; otherwise the user
                // types the same name again at the next start.
                setupName_ = setupTry_;
                if (world_.fs.PathExists(kSettingsFileName)) {
                    NameTheHostsPet(setupTry_);
                }
            }
            if (!deleting_.empty()) {
                // Cut off while deleting: gone for good only once setting.ini no longer lists it.
                AppSettings onDisk;
                ParseSettings(SplitLines(world_.fs.ReadWhole(kSettingsFileName).value_or("")), onDisk);
                std::vector<std::string> names;
                for (int i = 0; i < onDisk.petCount; ++i) {
                    names.push_back(onDisk.pets[static_cast<std::size_t>(i)].name);
                }
                ForgetIfGone(names);
            }
        }
        deleting_.clear();
        setupTry_.clear();
        faulty_.Disarm();
    }

    void Check() {
        for (const auto& [pet, data] : newest_) {
            bool found = false;
            for (const auto& [path, bytes] : world_.fs.files) {
                found = found || bytes == data;
            }
            if (!found) {
                problem_ = "the newest data of a pet is gone: " + data;
            }
        }
        if (running_) {
            std::vector<std::string> record;
            for (int i = 0; i < settings_.petCount; ++i) {
                record.push_back(settings_.pets[static_cast<std::size_t>(i)].name);
            }
            if (record != rows_) {
                problem_ = "the list and the record disagree";
            }
        }
        for (const auto& [path, bytes] : world_.fs.files) {
            const bool ours = path.find(':') == std::string::npos && path.front() != '\\';
            if (!ours && !path.starts_with(std::string(kHostDir) + "\\") && path != "C:\\other.txt") {
                problem_ = "a file outside the working and host folders: " + path;
            }
        }
        if (world_.fs.files["C:\\other.txt"] != "not Torvin's") {
            problem_ = "a file outside the working and host folders was changed";
        }
    }

    const std::uint8_t* next_;
    const std::uint8_t* end_;
    PetWorld world_;
    FaultyFileSystem faulty_{world_.fs};
    FileSystem& fs_ = faulty_;
    Desktop desktop_;
    Starter starter_;
    AppSettings settings_;
    std::vector<std::string> rows_;
    bool running_ = false;
    std::string hostPet_;
    int data_ = 0;
    std::map<std::string, std::string> owner_;   // data -> the pet it belongs to
    std::map<std::string, std::string> newest_;  // pet -> its newest data
    std::string setupName_;
    std::string deleting_;
    std::string setupTry_;
    std::ostringstream log_;
    std::string problem_;
};

}  // namespace

std::string PlayPetStates(const std::uint8_t* choices, std::size_t size) {
    return Player(choices, size).Play();
}

}  // namespace torvin::test
