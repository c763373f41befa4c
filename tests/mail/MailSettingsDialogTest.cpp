// The mail settings command of the main window, run modally from its real template over a real
// list view and answered through the dialog layer's modal observer.
#include "mail/MailSettingsDialog.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "framework/MessageNotice.h"
#include "framework/UniqueHandle.h"
#include "pets/PetRoster.h"
#include "settings/SettingsFormat.h"
#include "settings/SettingsStore.h"
#include "tests/support/MemoryFileSystem.h"

namespace torvin {
namespace {

constexpr auto kChoice = {IDC_MAIL_CHECK_ON, IDC_MAIL_CHECK_OFF};

struct WindowTraits {
    using Handle = HWND;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

// What the dialog showed when it opened.
struct Shown {
    int templateId = 0;
    std::wstring name;
    std::wstring address;
    std::wstring server;
    std::wstring user;
    std::wstring password;
    int choice = -2;
};

class MailSettingsCommand : public testing::Test {
  protected:
    MailSettingsCommand()
        : list_(CreateWindowExW(0, WC_LISTVIEWW, L"", LVS_REPORT, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                                nullptr)),
          petList_(list_.Get()) {
        petList_.InsertColumn(0, L"ペットの名前", 150);
        settings_.versionText = "Torvin";
    }

    void AddPet(const PetRecord& pet) {
        settings_.pets[static_cast<std::size_t>(settings_.petCount)] = pet;
        settings_.petCount = static_cast<std::int8_t>(settings_.petCount + 1);
        petList_.InsertItem(petList_.Count(), L"pet");
    }

    // Runs the command on the row (-1: none selected); `answer` acts on the dialog that opens and
    // must end it.
    Shown Run(int row, const std::function<void(Dialog&)>& answer) {
        if (row >= 0) {
            petList_.Select(row, true);
        }
        Shown shown;
        auto previous = Dialog::SetModalObserver([&](Dialog& dialog) {
            shown.templateId = dialog.TemplateId();
            if (shown.templateId == IDD_MAIL_SETTINGS) {
                shown.name = dialog.ItemText(IDC_MAIL_PET_NAME);
                shown.address = dialog.ItemText(IDC_MAIL_ADDRESS);
                shown.server = dialog.ItemText(IDC_POP_SERVER);
                shown.user = dialog.ItemText(IDC_USER_ID);
                shown.password = dialog.ItemText(IDC_PASSWORD);
                shown.choice = dialog.CheckedRadio(kChoice);
            }
            answer(dialog);
        });
        ShowMailSettings(nullptr, petList_, fs_, settings_);
        Dialog::SetModalObserver(previous);
        return shown;
    }

    static void Type(Dialog& dialog, const std::wstring& address, const std::wstring& server,
                     const std::wstring& user, const std::wstring& password) {
        dialog.SetItemText(IDC_MAIL_ADDRESS, address);
        dialog.SetItemText(IDC_POP_SERVER, server);
        dialog.SetItemText(IDC_USER_ID, user);
        dialog.SetItemText(IDC_PASSWORD, password);
    }

    static void Cancel(Dialog& dialog) { PostMessageW(dialog.Window(), WM_COMMAND, IDCANCEL, 0); }

    const PetRecord& PetAt(int index) const { return settings_.pets[static_cast<std::size_t>(index)]; }

    UniqueWindow list_;
    ListView petList_;
    test::MemoryFileSystem fs_;
    AppSettings settings_;
};

TEST_F(MailSettingsCommand, ANewPetOpensEmptyWithTheCheckSwitchedOff) {
    ASSERT_EQ(AddPetToRoster(fs_, settings_, "\x83\x6e\x83\x69"), PetNameProblem::kNone);
    petList_.InsertItem(0, L"ハナ");

    const Shown shown = Run(0, [](Dialog& dialog) { Cancel(dialog); });
    EXPECT_EQ(shown.templateId, IDD_MAIL_SETTINGS);
    EXPECT_EQ(shown.name, L"ハナ");
    EXPECT_EQ(shown.address, L"");
    EXPECT_EQ(shown.server, L"");
    EXPECT_EQ(shown.user, L"");
    EXPECT_EQ(shown.password, L"");
    EXPECT_EQ(shown.choice, 1);
}

TEST_F(MailSettingsCommand, ConfirmedValuesReachTheRecordAndTheFileButNotTheName) {
    AddPet({"Pochi", "", "", "", "", 1});
    AddPet({"\x83\x5e\x83\x7d", "tama@example.jp", "pop.example.jp", "tama", "old", 1});
    const Shown shown = Run(1, [](Dialog& dialog) {
        dialog.SetItemText(IDC_MAIL_PET_NAME, L"Renamed");
        Type(dialog, L"たま@example.jp", L"127.0.0.1", L"tama2", L"ｐａｓｓ word");
        dialog.CheckRadio(kChoice, 0);
        dialog.Click(IDOK);
    });
    EXPECT_EQ(shown.name, L"タマ");
    EXPECT_EQ(shown.address, L"tama@example.jp");
    EXPECT_EQ(shown.server, L"pop.example.jp");
    EXPECT_EQ(shown.user, L"tama");
    EXPECT_EQ(shown.password, L"old");
    EXPECT_EQ(shown.choice, 1);

    const PetRecord& tama = PetAt(1);
    EXPECT_EQ(tama.name, "\x83\x5e\x83\x7d");
    EXPECT_EQ(tama.mailAddress, "\x82\xbd\x82\xdc@example.jp");
    EXPECT_EQ(tama.popServer, "127.0.0.1");
    EXPECT_EQ(tama.userId, "tama2");
    EXPECT_EQ(tama.password, "\x82\x90\x82\x81\x82\x93\x82\x93 word");
    EXPECT_EQ(tama.mailCheckChoice, 0);
    EXPECT_EQ(PetAt(0).mailCheckChoice, 1);
    EXPECT_EQ(fs_.files[kSettingsFileName], FormatSettings(settings_));
}

TEST_F(MailSettingsCommand, ConfirmingUnchangedValuesStillRewritesTheFile) {
    AddPet({"Pochi", "p@example.jp", "pop.example.jp", "pochi", "pw", 0});
    fs_.files[kSettingsFileName] = "stale";
    Run(0, [](Dialog& dialog) { dialog.Click(IDOK); });
    EXPECT_EQ(fs_.files[kSettingsFileName], FormatSettings(settings_));
    EXPECT_EQ(PetAt(0).userId, "pochi");
}

TEST_F(MailSettingsCommand, AChoiceOtherThanOnOrOffShowsNoneAndConfirmingStoresAllBitsSet) {
    AddPet({"Pochi", "", "pop.example.jp", "pochi", "pw", 7});
    const Shown shown = Run(0, [](Dialog& dialog) { dialog.Click(IDOK); });
    EXPECT_EQ(shown.choice, -1);
    EXPECT_EQ(PetAt(0).mailCheckChoice, -1);
}

TEST_F(MailSettingsCommand, CancelChangesNothingAndWritesNothing) {
    const PetRecord pochi{"Pochi", "p@example.jp", "pop.example.jp", "pochi", "pw", 0};
    AddPet(pochi);
    for (const auto& cancel : std::vector<std::function<void(Dialog&)>>{
             [](Dialog& dialog) { dialog.Click(IDCANCEL); },
             [](Dialog& dialog) { Cancel(dialog); },
         }) {
        Run(0, [&](Dialog& dialog) {
            Type(dialog, L"x", L"y", L"z", L"w");
            dialog.CheckRadio(kChoice, 1);
            cancel(dialog);
        });
        EXPECT_EQ(PetAt(0).mailAddress, pochi.mailAddress);
        EXPECT_EQ(PetAt(0).popServer, pochi.popServer);
        EXPECT_EQ(PetAt(0).userId, pochi.userId);
        EXPECT_EQ(PetAt(0).password, pochi.password);
        EXPECT_EQ(PetAt(0).mailCheckChoice, 0);
        EXPECT_TRUE(fs_.files.empty());
    }
}

TEST_F(MailSettingsCommand, TextThatCannotBeStoredIsRefusedWithANoticeAndTheDialogStaysOpen) {
    const PetRecord pochi{"Pochi", "", "pop.example.jp", "pochi", "pw", 0};
    AddPet(pochi);
    std::vector<std::wstring> notices;
    auto previousHook = SetMessageNoticeHook([&](std::wstring_view text) { notices.emplace_back(text); });
    const std::wstring refused[][4] = {
        {L"", L"pop.example.jp", L"pochi", L"pw\U0001F600"},
        {L"\U0001F600@example.jp", L"pop.example.jp", L"pochi", L"pw"},
        {L"", L"pop.example.jp\r\nx", L"pochi", L"pw"},
    };
    for (const auto& values : refused) {
        SCOPED_TRACE(testing::PrintToString(values[0] + values[1] + values[3]));
        notices.clear();
        bool stayedOpen = false;
        Run(0, [&](Dialog& dialog) {
            Type(dialog, values[0], values[1], values[2], values[3]);
            dialog.Click(IDOK);
            stayedOpen = !dialog.Ended();
            Cancel(dialog);
        });
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(notices.size(), 1u);
        EXPECT_EQ(PetAt(0).popServer, pochi.popServer);
        EXPECT_EQ(PetAt(0).password, pochi.password);
        EXPECT_TRUE(fs_.files.empty());
    }
    SetMessageNoticeHook(previousHook);
}

TEST_F(MailSettingsCommand, NoSelectedRowShowsTheNoPetNoticeOnly) {
    AddPet({"Pochi", "", "", "", "", 1});
    const Shown shown = Run(-1, [](Dialog& dialog) { dialog.Click(IDOK); });
    EXPECT_EQ(shown.templateId, IDD_NO_PET_SELECTED);
    EXPECT_TRUE(fs_.files.empty());
}

}  // namespace
}  // namespace torvin
