#include "settings/SettingsWriteWatch.h"

#include <utility>

#include "settings/SettingsStore.h"

namespace torvin {

namespace {

// setting.ini is written to its temporary name and then renamed over itself.
bool IsSettingsTemporary(const std::string& path) {
    return path == std::string(kSettingsFileName) + ".tmp";
}

}  // namespace

bool SettingsWriteWatch::TakeFailedWrite() {
    return std::exchange(failed_, false);
}

bool SettingsWriteWatch::WriteWhole(const std::string& path, std::string_view bytes) {
    const bool written = inner_.WriteWhole(path, bytes);
    if (IsSettingsTemporary(path)) {
        failed_ = !written;
    }
    return written;
}

bool SettingsWriteWatch::MoveReplacing(const std::string& from, const std::string& to) {
    const bool moved = inner_.MoveReplacing(from, to);
    if (IsSettingsTemporary(from) && to == kSettingsFileName) {
        failed_ = !moved;
    }
    return moved;
}

}  // namespace torvin
