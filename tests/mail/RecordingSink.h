#pragma once
// Records every cell text a pass shows, and what each pet's cell reads at the end.

#include <map>
#include <utility>
#include <vector>

#include "mail/MailCell.h"

namespace torvin::test {

class RecordingSink : public MailCellSink {
  public:
    void Show(int pet, const MailCell& cell) override {
        shown.emplace_back(pet, cell);
        cells[pet] = cell;
    }

    std::vector<std::pair<int, MailCell>> shown;
    std::map<int, MailCell> cells;
};

inline MailCell Text(MailCellText text) {
    return {text, 0};
}
inline MailCell Count(std::int32_t count) {
    return {MailCellText::kMailCount, count};
}

}  // namespace torvin::test
