// The mail settings command of the main window, run modally from its real template over a real
// list view and answered through the dialog layer's modal observer.
#include "mail/MailSettingsDialog.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>

#include "framework/Dialog.h"
#include "framework/MessageNotice.h"
#include "framework/UniqueHandle.h"
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

bool Ticked(Dialog& dialog) {
    return IsDlgButtonChecked(dialog.Window(), IDC_POP_TLS) == BST_CHECKED;
}
void Tick(Dialog& dialog, bool tick) {
    CheckDlgButton(dialog.Window(), IDC_POP_TLS, tick ? BST_CHECKED : BST_UNCHECKED);
}

class MailSettingsCommand : public testing::Test {
  protected:
    MailSettingsCommand() {
        petList_.InsertColumn(0, L"ペットの名前", 150);
        settings_.versionText = "Torvin";
        previousHook_ = SetMessageNoticeHook([this](std::wstring_view text) { notices_.emplace_back(text); });
    }
    ~MailSettingsCommand() override { SetMessageNoticeHook(previousHook_); }

    void AddPet(const PetRecord& pet) {
        settings_.pets[static_cast<std::size_t>(settings_.petCount)] = pet;
        settings_.petCount = static_cast<std::int8_t>(settings_.petCount + 1);
        petList_.InsertItem(petList_.Count(), L"pet");
    }

    // Runs the command on the row (-1: none selected); `answer` acts on the dialog that opens and
    // must end it. Returns the id of the template that opened.
    int Run(int row, const std::function<void(Dialog&)>& answer) {
        if (row >= 0) {
            petList_.Select(row, true);
        }
        int opened = 0;
        auto previous = Dialog::SetModalObserver([&](Dialog& dialog) {
            opened = dialog.TemplateId();
            answer(dialog);
        });
        ShowMailSettings(nullptr, petList_, fs_, settings_);
        Dialog::SetModalObserver(previous);
        return opened;
    }

    static void Cancel(Dialog& dialog) { PostMessageW(dialog.Window(), WM_COMMAND, IDCANCEL, 0); }
    const PetRecord& PetAt(int index) const { return settings_.pets[static_cast<std::size_t>(index)]; }

    UniqueHandle<WindowTraits> list_{CreateWindowExW(0, WC_LISTVIEWW, L"", LVS_REPORT, 0, 0, 300, 200,
                                                     nullptr, nullptr, nullptr, nullptr)};
    ListView petList_{list_.Get()};
    test::MemoryFileSystem fs_;
    AppSettings settings_;
    std::vector<std::wstring> notices_;
    MessageNoticeHook previousHook_;
};

TEST_F(MailSettingsCommand, ShowsTheRecordAndStoresWhatIsConfirmedButNotTheName) {
    AddPet({"Pochi", "", "", "", "", 1});
    AddPet({"\x83\x5e\x83\x7d", "tama@example.jp", "pop.example.jp", "tama", "old", 7});
    std::vector<std::wstring> shown;
    int shownChoice = 0;
    EXPECT_EQ(Run(1,
                  [&](Dialog& dialog) {
                      for (int id :
                           {IDC_MAIL_PET_NAME, IDC_MAIL_ADDRESS, IDC_POP_SERVER, IDC_USER_ID, IDC_PASSWORD}) {
                          shown.push_back(dialog.ItemText(id));
                      }
                      shownChoice = dialog.CheckedRadio(kChoice);
                      dialog.SetItemText(IDC_MAIL_PET_NAME, L"Renamed");
                      dialog.SetItemText(IDC_MAIL_ADDRESS, L"たま@example.jp");
                      dialog.SetItemText(IDC_PASSWORD, L"ｐａｓｓ word");
                      dialog.Click(IDOK);
                  }),
              IDD_MAIL_SETTINGS);
    EXPECT_EQ(shown,
              (std::vector<std::wstring>{L"タマ", L"tama@example.jp", L"pop.example.jp", L"tama", L"old"}));
    EXPECT_EQ(shownChoice, -1);  // neither "する" nor "しない"; stored back with all bits set
    const PetRecord& tama = PetAt(1);
    EXPECT_EQ(tama.name, "\x83\x5e\x83\x7d");
    EXPECT_EQ(tama.mailAddress, "\x82\xbd\x82\xdc@example.jp");
    EXPECT_EQ(tama.password, "\x82\x90\x82\x81\x82\x93\x82\x93 word");
    EXPECT_EQ(tama.mailCheckChoice, -1);
    EXPECT_EQ(PetAt(0).mailCheckChoice, 1);
    EXPECT_EQ(fs_.files[kSettingsFileName], FormatSettings(settings_));
}

TEST_F(MailSettingsCommand, TheBoxChoosesTlsAndThePortIsKept) {
    struct Case {
        const char* stored;
        const wchar_t* field;
        bool ticked;
        const wchar_t* typed;  // null: left as shown
        bool tick;
        const char* storedAfter;
    };
    const Case cases[] = {
        {"pop.example.jp", L"pop.example.jp", false, nullptr, true, "pop3s://pop.example.jp"},
        {"pop3s://pop.example.jp", L"pop.example.jp", true, nullptr, false, "pop.example.jp"},
        {"pop3s://pop.example.jp:1995", L"pop.example.jp:1995", true, nullptr, false, "pop.example.jp:1995"},
        {"pop.example.jp:1110", L"pop.example.jp:1110", false, nullptr, true, "pop3s://pop.example.jp:1110"},
        {"pop.example.jp", L"pop.example.jp", false, L"pop3s://mail.example.jp", false,
         "pop3s://mail.example.jp"},
        {"pop.example.jp", L"pop.example.jp", false, L" [::1]:1110 ", false, "[::1]:1110"},
        {"pop.example.jp", L"pop.example.jp", false, L"", false, ""},
        {"pop .example.jp", L"pop .example.jp", false, L"pop.example.jp", false, "pop.example.jp"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        settings_.petCount = 0;
        AddPet({"Pochi", "", c.stored, "pochi", "pw", 0});
        std::wstring field;
        bool ticked = false;
        Run(0, [&](Dialog& dialog) {
            field = dialog.ItemText(IDC_POP_SERVER);
            ticked = Ticked(dialog);
            if (c.typed != nullptr) {
                dialog.SetItemText(IDC_POP_SERVER, c.typed);
            }
            Tick(dialog, c.tick);
            dialog.Click(IDOK);
        });
        EXPECT_EQ(field, c.field);
        EXPECT_EQ(ticked, c.ticked);
        EXPECT_EQ(PetAt(0).popServer, c.storedAfter);
    }
}

TEST_F(MailSettingsCommand, WhatCannotBeStoredIsRefusedWithANoticeAndTheDialogStaysOpen) {
    const PetRecord pochi{"Pochi", "", "pop.example.jp", "pochi", "pw", 0};
    AddPet(pochi);
    const std::vector<std::tuple<const wchar_t*, const wchar_t*, const wchar_t*, bool>> refused = {
        {L"", L"pop.example.jp", L"pw\U0001F600", false},
        {L"\U0001F600@example.jp", L"pop.example.jp", L"pw", false},
        {L"", L"pop.example.jp\r\nx", L"pw", false},
        {L"", L"", L"pw", true},
        {L"", L":110", L"pw", false},
        {L"", L"pop.example.jp:0", L"pw", true},
        {L"", L"pop.example.jp:65536", L"pw", false},
        {L"", L"imap://pop.example.jp", L"pw", false},
        {L"", L"pop example.jp", L"pw", true},
        {L"", L"pop3s://", L"pw", false},
    };
    for (const auto& [address, server, password, tick] : refused) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(server)));
        notices_.clear();
        bool stayedOpen = false;
        Run(0, [&](Dialog& dialog) {
            dialog.SetItemText(IDC_MAIL_ADDRESS, address);
            dialog.SetItemText(IDC_POP_SERVER, server);
            dialog.SetItemText(IDC_PASSWORD, password);
            Tick(dialog, tick);
            dialog.Click(IDOK);
            stayedOpen = !dialog.Ended();
            Cancel(dialog);
        });
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(notices_.size(), 1u);
        EXPECT_EQ(PetAt(0).popServer, pochi.popServer);
        EXPECT_EQ(PetAt(0).password, pochi.password);
        EXPECT_TRUE(fs_.files.empty());
    }
}

TEST_F(MailSettingsCommand, CancelChangesNothingAndNoSelectedRowOnlyTellsSo) {
    AddPet({"Pochi", "p@example.jp", "pop.example.jp", "pochi", "pw", 0});
    EXPECT_EQ(Run(-1, [](Dialog& dialog) { dialog.Click(IDOK); }), IDD_NO_PET_SELECTED);
    Run(0, [](Dialog& dialog) {
        dialog.SetItemText(IDC_POP_SERVER, L"other.example.jp");
        Tick(dialog, true);
        dialog.CheckRadio(kChoice, 1);
        Cancel(dialog);
    });
    EXPECT_EQ(PetAt(0).popServer, "pop.example.jp");
    EXPECT_EQ(PetAt(0).mailCheckChoice, 0);
    EXPECT_TRUE(fs_.files.empty());
}

}  // namespace
}  // namespace torvin
