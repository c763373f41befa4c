#include "settings/SettingsFormat.h"

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

bool IsCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

void AppendLine(std::string& out, std::string_view value) {
    out.append(value);
    out.append("\r\n");
}

void AppendNumber(std::string& out, std::int8_t value) { AppendLine(out, std::to_string(value)); }

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
    std::size_t i = 0;
    while (i < line.size() && IsCSpace(line[i])) {
        ++i;
    }
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-')) {
        negative = line[i] == '-';
        ++i;
    }
    // Only the low 8 bits count, so arithmetic modulo 256 gives the same result at any length.
    unsigned value = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9') {
        value = (value * 10u + static_cast<unsigned>(line[i] - '0')) & 0xFFu;
        ++i;
    }
    if (negative) {
        value = (256u - value) & 0xFFu;
    }
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(value));
}

ParseOutcome ParseSettings(const std::vector<std::string>& lines, AppSettings& settings) {
    LineCursor cursor(lines);
    if (!cursor.Next(settings.versionText)) {
        return ParseOutcome::kEndedEarly;
    }
    if (settings.versionText.empty() || settings.versionText.front() != 'v') {
        return ParseOutcome::kOlderLayout;
    }
    const bool header = cursor.Skip() && cursor.Next(settings.hostDir) &&
                        cursor.NextNumber(settings.backgroundKind) && cursor.Next(settings.skinFile) &&
                        cursor.NextNumber(settings.skinLayout) && cursor.NextNumber(settings.petCount) &&
                        cursor.Skip() && cursor.Next(settings.activePet) && cursor.Skip();
    if (!header) {
        return ParseOutcome::kEndedEarly;
    }
    for (int i = 0; i < settings.petCount; ++i) {
        PetRecord& pet = settings.pets[static_cast<std::size_t>(i)];
        const bool block = cursor.Next(pet.name) && cursor.Next(pet.mailAddress) &&
                           cursor.Next(pet.popServer) && cursor.Next(pet.userId) &&
                           cursor.Next(pet.password) && cursor.NextNumber(pet.mailCheckChoice) &&
                           cursor.Skip();
        if (!block) {
            return ParseOutcome::kEndedEarly;
        }
    }
    return ParseOutcome::kComplete;
}

bool ParseOlderLayout(const std::vector<std::string>& lines, AppSettings& settings) {
    settings.versionText = cp932::kVersionText;
    settings.backgroundKind = 0;
    settings.skinPath.clear();
    LineCursor cursor(lines);
    const bool header = cursor.Skip() && cursor.Skip() && cursor.Skip() && cursor.Skip() &&
                        cursor.Next(settings.hostDir) && cursor.NextNumber(settings.petCount) &&
                        cursor.Next(settings.activePet);
    if (!header) {
        return false;
    }
    for (int i = 0; i < settings.petCount; ++i) {
        PetRecord& pet = settings.pets[static_cast<std::size_t>(i)];
        if (!cursor.Next(pet.name)) {
            return false;
        }
        pet.mailAddress.clear();
        pet.popServer.clear();
        pet.userId.clear();
        pet.password.clear();
        pet.mailCheckChoice = 1;
    }
    return true;
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
