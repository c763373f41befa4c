#include "settings/SettingsFormat.h"

#include <optional>

#include "settings/Cp932Texts.h"

namespace torvin {

namespace {

constexpr std::string_view kSeparator = "------";

// Hands out the lines in order; running past the end is how a short file shows.
class LineCursor {
  public:
    explicit LineCursor(const std::vector<std::string>& lines) : lines_(lines) {}

    bool Next(std::string& out) {
        if (next_ >= lines_.size()) {
            return false;
        }
        out = lines_[next_++];
        return true;
    }

    bool Skip() {
        std::string ignored;
        return Next(ignored);
    }

    bool NextNumber(std::int8_t& out) {
        std::string line;
        if (!Next(line)) {
            return false;
        }
        out = ParseSmallNumber(line);
        return true;
    }

  private:
    const std::vector<std::string>& lines_;
    std::size_t next_ = 0;
};

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void AppendLine(std::string& out, std::string_view value) {
    out.append(value);
    out.append("\r\n");
}

// A number as the C library scans it: leading blanks, an optional sign, then the digits up to the
// first other character.
struct SignedDigits {
    bool negative = false;
    std::string_view digits;
};

SignedDigits ReadSignedDigits(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && IsCSpace(line[i])) {
        ++i;
    }
    SignedDigits number;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
        number.negative = line[i] == '-';
        ++i;
    }
    std::size_t end = i;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9') {
        ++end;
    }
    number.digits = line.substr(i, end - i);
    return number;
}

// The count line read as the C library reads a number, without the 8-bit wrap: an older program
// wrote -128 after its 128th pet, and hand edits write 200. Nothing when outside 0-127.
std::optional<int> ParsePetCount(std::string_view line) {
    const SignedDigits number = ReadSignedDigits(line);
    int value = 0;
    for (const char digit : number.digits) {
        value = value * 10 + (digit - '0');
        if (value > kMaxPets) {
            return std::nullopt;
        }
    }
    if (number.negative && value != 0) {
        return std::nullopt;
    }
    return value;
}

std::string_view WithoutByteOrderMark(std::string_view line) {
    constexpr std::string_view kMark = "\xEF\xBB\xBF";
    return line.starts_with(kMark) ? line.substr(kMark.size()) : line;
}

bool IsOlderLayout(const std::vector<std::string>& lines) {
    const std::string_view first = WithoutByteOrderMark(lines.front());
    if (first.starts_with('v')) {
        return false;
    }
    return !(first.starts_with('V') && lines.size() > 1 && lines[1].empty());
}

bool ReadPetBlock(LineCursor& cursor, PetRecord& pet) {
    return cursor.Next(pet.name) && cursor.Next(pet.mailAddress) && cursor.Next(pet.popServer) &&
           cursor.Next(pet.userId) && cursor.Next(pet.password) && cursor.NextNumber(pet.mailCheckChoice) &&
           cursor.Skip();
}

void AppendNumber(std::string& out, std::int8_t value) {
    AppendLine(out, std::to_string(value));
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool hasBreak = end != std::string_view::npos;
        if (!hasBreak) {
            end = bytes.size();
        }
        std::string_view line = bytes.substr(start, end - start);
        if (hasBreak && !line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = hasBreak ? end + 1 : end;
    }
    return lines;
}

std::int8_t ParseSmallNumber(std::string_view line) {
    const SignedDigits number = ReadSignedDigits(line);
    // Only the low 8 bits count, so arithmetic modulo 256 gives the same result at any length.
    unsigned value = 0;
    for (const char digit : number.digits) {
        value = (value * 10u + static_cast<unsigned>(digit - '0')) & 0xFFu;
    }
    if (number.negative) {
        value = (256u - value) & 0xFFu;
    }
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(value));
}

ParseOutcome ParseSettings(const std::vector<std::string>& lines, AppSettings& settings) {
    if (!lines.empty() && IsOlderLayout(lines)) {
        return ParseOutcome::kOlderLayout;
    }
    LineCursor cursor(lines);
    std::string countLine;
    const bool header = cursor.Next(settings.versionText) && cursor.Skip() && cursor.Next(settings.hostDir) &&
                        cursor.NextNumber(settings.backgroundKind) && cursor.Next(settings.skinFile) &&
                        cursor.NextNumber(settings.skinLayout) && cursor.Next(countLine) && cursor.Skip() &&
                        cursor.Next(settings.activePet) && cursor.Skip();
    settings.versionText = std::string(WithoutByteOrderMark(settings.versionText));
    settings.petCount = 0;
    if (!header) {
        return ParseOutcome::kDamaged;
    }
    const std::optional<int> announced = ParsePetCount(countLine);
    // A count that cannot be right means: count the blocks that are there.
    const int wanted = announced.value_or(kMaxPets);
    int read = 0;
    for (PetRecord pet; read < wanted && ReadPetBlock(cursor, pet); ++read) {
        settings.pets[static_cast<std::size_t>(read)] = std::move(pet);
        pet = PetRecord{};
    }
    settings.petCount = static_cast<std::int8_t>(read);
    return announced && read == *announced ? ParseOutcome::kComplete : ParseOutcome::kDamaged;
}

bool ParseOlderLayout(const std::vector<std::string>& lines, AppSettings& settings) {
    settings.versionText = cp932::kVersionText;
    settings.backgroundKind = 0;
    settings.skinPath.clear();
    LineCursor cursor(lines);
    std::string countLine;
    const bool header = cursor.Skip() && cursor.Skip() && cursor.Skip() && cursor.Skip() &&
                        cursor.Next(settings.hostDir) && cursor.Next(countLine) &&
                        cursor.Next(settings.activePet);
    settings.petCount = 0;
    if (!header) {
        return false;
    }
    const std::optional<int> announced = ParsePetCount(countLine);
    const int wanted = announced.value_or(kMaxPets);
    int read = 0;
    for (std::string name; read < wanted && cursor.Next(name); ++read) {
        PetRecord& pet = settings.pets[static_cast<std::size_t>(read)];
        pet = PetRecord{};
        pet.name = name;
        pet.mailCheckChoice = 1;
    }
    settings.petCount = static_cast<std::int8_t>(read);
    return announced && read == *announced;
}

std::string FormatSettings(const AppSettings& settings) {
    std::string out;
    AppendLine(out, settings.versionText);
    AppendLine(out, "");
    AppendLine(out, settings.hostDir);
    AppendNumber(out, settings.backgroundKind);
    AppendLine(out, settings.skinFile);
    AppendNumber(out, settings.skinLayout);
    AppendNumber(out, settings.petCount);
    AppendLine(out, "");
    AppendLine(out, settings.activePet);
    AppendLine(out, "");
    for (int i = 0; i < settings.petCount; ++i) {
        const PetRecord& pet = settings.pets[static_cast<std::size_t>(i)];
        AppendLine(out, pet.name);
        AppendLine(out, pet.mailAddress);
        AppendLine(out, pet.popServer);
        AppendLine(out, pet.userId);
        AppendLine(out, pet.password);
        AppendNumber(out, pet.mailCheckChoice);
        AppendLine(out, kSeparator);
    }
    return out;
}

}  // namespace torvin
