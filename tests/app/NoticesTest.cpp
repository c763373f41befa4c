// Every notice and every error code's dialog, built from its real template and answered
// through the dialog layer's modal observer.
#include "pets/Notices.h"

#include <gtest/gtest.h>

#include <vector>

#include "framework/Dialog.h"
#include "pets/PetError.h"
#include "resources/resource.h"

namespace torvin {
namespace {

struct Seen {
    int templateId = 0;
    std::vector<std::wstring> statics;
    std::wstring okText;
    std::wstring cancelText;
    bool hasCaption = false;
    std::wstring code;
    bool codeReadOnly = false;
    std::wstring selected;
};

BOOL CALLBACK CollectStatic(HWND child, LPARAM data) {
    wchar_t className[32] = {};
    GetClassNameW(child, className, 32);
    if (std::wstring(className) == L"Static") {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        reinterpret_cast<std::vector<std::wstring>*>(data)->push_back(text);
    }
    return TRUE;
}

// Shows one notice, records what it showed and answers it with the given button.
template <typename Show>
Seen Answer(int button, Show show) {
    Seen seen;
    auto previous = Dialog::SetModalObserver([&](Dialog& dialog) {
        seen.templateId = dialog.TemplateId();
        EnumChildWindows(dialog.Window(), CollectStatic, reinterpret_cast<LPARAM>(&seen.statics));
        seen.okText = dialog.ItemText(IDOK);
        if (dialog.Item(IDCANCEL) != nullptr) {
            seen.cancelText = dialog.ItemText(IDCANCEL);
        }
        seen.hasCaption = (GetWindowLongPtrW(dialog.Window(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION;
        if (HWND code = dialog.Item(IDC_ERROR_CODE); code != nullptr && dialog.TemplateId() == IDD_ERROR_CODE) {
            seen.code = dialog.ItemText(IDC_ERROR_CODE);
            seen.codeReadOnly = (GetWindowLongPtrW(code, GWL_STYLE) & ES_READONLY) != 0;
            SendMessageW(code, EM_SETSEL, 0, -1);
            DWORD from = 0, to = 0;
            SendMessageW(code, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
            seen.selected = seen.code.substr(from, to - from);
        }
        if (button == IDCANCEL) {
            // Escape reaches a dialog as IDCANCEL.
            PostMessageW(dialog.Window(), WM_COMMAND, IDCANCEL, 0);
        } else {
            dialog.Click(button);
        }
    });
    show();
    Dialog::SetModalObserver(previous);
    return seen;
}

TEST(Notices, EachShowsItsTemplateTextsAndButtons) {
    struct Case {
        void (*show)();
        int templateId;
        std::vector<std::wstring> texts;
    };
    const Case cases[] = {
        {ShowHostNotFound, IDD_HOST_NOT_FOUND, {L"Nimbrel.exeが見つかりません。", L"ディレクトリをもう一度指定してください。"}},
        {ShowHostRunning, IDD_HOST_RUNNING, {L"すでにNimbrelが起動中です！", L"Nimbrelを終了してからリトライしてください。"}},
        {ShowNoPetSelected, IDD_NO_PET_SELECTED, {L"ペットが選択されていません。", L"ペットを選択してください。"}},
        {ShowDuplicatePet, IDD_DUPLICATE_PET, {L"その名前のペットはすでにいます。", L"違う名前を付けてあげて下さい。"}},
        {ShowFirstPet, IDD_FIRST_PET, {L"最初からいたペットは削除できません。"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.templateId);
        const Seen seen = Answer(IDOK, c.show);
        EXPECT_EQ(seen.templateId, c.templateId);
        EXPECT_EQ(seen.statics, c.texts);
        EXPECT_EQ(seen.okText, L"OK");
        EXPECT_TRUE(seen.cancelText.empty());
        EXPECT_FALSE(seen.hasCaption);
    }
}

TEST(Notices, DeletionIsConfirmedOnlyByItsOwnButton) {
    bool confirmed = false;
    Seen seen = Answer(IDOK, [&] { confirmed = ConfirmDeletePet(); });
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(seen.templateId, IDD_DELETE_PET);
    EXPECT_EQ(seen.statics, (std::vector<std::wstring>{L"一度削除したペットは二度と復活しません。", L"それでも本当に削除しますか？"}));
    EXPECT_EQ(seen.okText, L"削除！");
    EXPECT_EQ(seen.cancelText, L"やめる");
    Answer(IDCANCEL, [&] { confirmed = ConfirmDeletePet(); });
    EXPECT_FALSE(confirmed);
}

TEST(Notices, EveryErrorCodeIsShownReadOnlyAndSelectableAndRemembered) {
    const std::pair<PetError, const wchar_t*> codes[] = {
        {PetError::kSaveBackCopy, L"00 02"},  {PetError::kClearHost, L"00 04"},
        {PetError::kPutInPlace, L"00 05"},    {PetError::kStartHost, L"00 06"},
        {PetError::kRecordActivePet, L"00 07"}, {PetError::kBackupCopy, L"00 08"},
        {PetError::kFirstPetCopy, L"00 09"},  {PetError::kWriteWithoutPet, L"00 0B"},
    };
    AppSettings settings;
    for (const auto& [error, text] : codes) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(text)));
        const Seen seen = Answer(IDOK, [&] { ShowErrorCode(settings, ErrorCodeText(error)); });
        EXPECT_EQ(seen.templateId, IDD_ERROR_CODE);
        EXPECT_EQ(seen.code, text);
        EXPECT_TRUE(seen.codeReadOnly);
        EXPECT_EQ(seen.selected, text);
        EXPECT_EQ(seen.statics.front(), L"エラーが発生しました。");
        EXPECT_EQ(settings.errorCodeText, ErrorCodeText(error));
    }
}

}  // namespace
}  // namespace torvin
