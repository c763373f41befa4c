// The notices and the error-code dialog, built from their real templates and answered through
// the dialog layer's modal observer; each can be dragged by its body.
#include "pets/Notices.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>

#include "framework/Dialog.h"
#include "pets/PetError.h"
#include "resources/resource.h"

namespace torvin {
namespace {

// Shows one notice, answers it with the button and returns the template it showed.
template <typename Show>
int Answer(int button, Show show, const std::function<void(Dialog&)>& look = {}) {
    int shown = 0;
    auto previous = Dialog::SetModalObserver([&](Dialog& dialog) {
        shown = dialog.TemplateId();
        // A press on the bare body grabs the window as its caption would: a notice may have none.
        SendMessageW(dialog.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        MSG press{};
        EXPECT_TRUE(PeekMessageW(&press, dialog.Window(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE) &&
                    press.wParam == HTCAPTION);
        if (look) {
            look(dialog);
        }
        // Escape reaches a dialog as IDCANCEL, whether or not it has such a button.
        PostMessageW(dialog.Window(), WM_COMMAND, static_cast<WPARAM>(button), 0);
    });
    show();
    Dialog::SetModalObserver(previous);
    return shown;
}

TEST(Notices, OnlyTheDeleteButtonConfirmsDeletion) {
    for (const int button : {IDOK, IDCANCEL}) {
        bool confirmed = button != IDOK;
        EXPECT_EQ(Answer(button, [&] { confirmed = ConfirmDeletePet(); }), IDD_DELETE_PET);
        EXPECT_EQ(confirmed, button == IDOK);
    }
}

TEST(Notices, EveryErrorCodeIsShownReadOnlyAndRemembered) {
    std::set<std::string> codes;
    AppSettings settings;
    for (int e = static_cast<int>(PetError::kSaveBackCopy); e <= static_cast<int>(PetError::kWriteWithoutPet);
         ++e) {
        const std::string code = ErrorCodeText(static_cast<PetError>(e));
        SCOPED_TRACE(code);
        codes.insert(code);
        EXPECT_EQ(code.size(), 5u);
        Answer(
            IDOK, [&] { ShowErrorCode(settings, code); },
            [&](Dialog& dialog) {
                HWND edit = dialog.Item(IDC_ERROR_CODE);
                EXPECT_EQ(dialog.ItemText(IDC_ERROR_CODE), std::wstring(code.begin(), code.end()));
                EXPECT_NE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY, 0) << "selectable, not editable";
            });
        EXPECT_EQ(settings.errorCodeText, code);
    }
    EXPECT_EQ(codes.size(), static_cast<std::size_t>(PetError::kWriteWithoutPet)) << "no two share a code";
}

}  // namespace
}  // namespace torvin
