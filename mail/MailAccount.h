#pragma once
// The part of a pet's record that the mail check reads, copied at the start of a pass so that
// the worker never reads the settings record while the main thread owns it.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/AppSettings.h"

namespace torvin {

struct MailAccount {
    std::string popServer;
    std::string userId;
    std::string password;
    std::int8_t mailCheckChoice = 0;
};

// One entry per pet, in pet order; none when petCount is 0 or less.
std::vector<MailAccount> SnapshotMailAccounts(const AppSettings& settings);

}  // namespace torvin
