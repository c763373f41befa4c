#include "mail/MailCellTexts.h"

#include "framework/ResourceText.h"

namespace torvin {

std::wstring MailCellWideText(const MailCell& cell) {
    const auto index = static_cast<std::size_t>(cell.text);
    if (index >= kMailCellTextIds.size()) {
        return {};
    }
    // Only the count's text holds %1; the others come back as they are.
    return LoadResourceText(GetModuleHandleW(nullptr), kMailCellTextIds[index], std::to_wstring(cell.count));
}

}  // namespace torvin
