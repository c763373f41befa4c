#include "mail/MailAccount.h"

#include <algorithm>

namespace torvin {

std::vector<MailAccount> SnapshotMailAccounts(const AppSettings& settings) {
    const int count = std::clamp(static_cast<int>(settings.petCount), 0, static_cast<int>(kPetTableSize));
    std::vector<MailAccount> accounts;
    accounts.reserve(static_cast<std::size_t>(count));
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const PetRecord& pet = settings.pets[i];
        accounts.push_back({pet.popServer, pet.userId, pet.password, pet.mailCheckChoice});
    }
    return accounts;
}

}  // namespace torvin
