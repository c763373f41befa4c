// The mail settings command of the main window, run modally from its real template and answered
// through the dialog layer's modal observer.
#include "mail/MailSettingsDialog.h"

#include <gtest/gtest.h>

#include <functional>

#include "framework/Dialog.h"
#include "framework/MessageNotice.h"
#include "settings/SettingsFormat.h"
#include "settings/SettingsStore.h"
#include "tests/support/MemoryFileSystem.h"

namespace torvin {
namespace {

constexpr auto kChoice = {IDC_MAIL_CHECK_ON, IDC_MAIL_CHECK_OFF};

void Tick(Dialog& dialog, bool tick) {
    CheckDlgButton(dialog.Window(), IDC_POP_TLS, tick ? BST_CHECKED : BST_UNCHECKED);
}

class MailSettingsCommand : public testing::Test {
  protected:
    MailSettingsCommand() {
        previousHook_ = SetMessageNoticeHook([this](std::wstring_view text) { notices_.emplace_back(text); });
    }
    ~MailSettingsCommand() override { SetMessageNoticeHook(previousHook_); }

    // One pet, in row 0 of the list.
    void SetPet(const PetRecord& pet) {
        settings_.pets[0] = pet;
        settings_.petCount = 1;
    }

    // Runs the command on the row; `answer` acts on the dialog that opens and must end it.
    // Returns the id of the template that opened.
    int Run(int row, const std::function<void(Dialog&)>& answer) {
        int opened = 0;
        auto previous = Dialog::SetModalObserver([&](Dialog& dialog) {
            opened = dialog.TemplateId();
            answer(dialog);
        });
        ShowMailSettings(nullptr, row, fs_, settings_);
        Dialog::SetModalObserver(previous);
        return opened;
    }

    test::MemoryFileSystem fs_;
    AppSettings settings_;
    std::vector<std::wstring> notices_;
    MessageNoticeHook previousHook_;
};

TEST_F(MailSettingsCommand, ShowsTheRecordAndStoresWhatIsConfirmedButNotTheName) {
    SetPet({"\x83\x5e\x83\x7d", "tama@example.jp", "pop.example.jp", "tama", "old", 7});
    std::wstring shown;
    EXPECT_EQ(Run(0,
                  [&](Dialog& dialog) {
                      for (int id :
                           {IDC_MAIL_PET_NAME, IDC_MAIL_ADDRESS, IDC_POP_SERVER, IDC_USER_ID, IDC_PASSWORD}) {
                          shown += dialog.ItemText(id) + L"|";
                      }
                      // Neither "する" nor "しない": stored back with all bits set.
                      EXPECT_EQ(dialog.CheckedRadio(kChoice), -1);
                      dialog.SetItemText(IDC_MAIL_PET_NAME, L"Renamed");
                      dialog.SetItemText(IDC_PASSWORD, L"ｐａｓｓ word");
                      dialog.Click(IDOK);
                  }),
              IDD_MAIL_SETTINGS);
    EXPECT_EQ(shown, L"タマ|tama@example.jp|pop.example.jp|tama|old|");
    EXPECT_EQ(settings_.pets[0].name, "\x83\x5e\x83\x7d");
    EXPECT_EQ(settings_.pets[0].password, "\x82\x90\x82\x81\x82\x93\x82\x93 word");
    EXPECT_EQ(settings_.pets[0].mailCheckChoice, -1);
    EXPECT_EQ(fs_.files[kSettingsFileName], FormatSettings(settings_));
}

TEST_F(MailSettingsCommand, TheBoxChoosesTlsAndThePortIsKept) {
    // Stored line; field and box shown; typed (null: as shown) and ticked; stored after.
    // clang-format off
    const std::tuple<const char*, const wchar_t*, bool, const wchar_t*, bool, const char*> cases[] = {
        {"pop.example.jp", L"pop.example.jp", false, nullptr, true, "pop3s://pop.example.jp"},
        {"pop3s://pop.example.jp", L"pop.example.jp", true, nullptr, false, "pop.example.jp"},
        {"pop3s://pop.example.jp:1995", L"pop.example.jp:1995", true, nullptr, false, "pop.example.jp:1995"},
        {"pop.example.jp:1110", L"pop.example.jp:1110", false, nullptr, true, "pop3s://pop.example.jp:1110"},
        {"pop.example.jp", L"pop.example.jp", false, L"pop3s://mail.example.jp", false, "pop3s://mail.example.jp"},
        {"", L"", false, L" [::1]:1110 ", false, "[::1]:1110"},
        {"pop .example.jp", L"pop .example.jp", false, L"", false, ""}};
    // clang-format on
    for (const auto& [stored, field, ticked, typed, tick, storedAfter] : cases) {
        SCOPED_TRACE(stored);
        SetPet({"Pochi", "", stored, "pochi", "pw", 0});
        Run(0, [&](Dialog& dialog) {
            EXPECT_EQ(dialog.ItemText(IDC_POP_SERVER), field);
            EXPECT_EQ(IsDlgButtonChecked(dialog.Window(), IDC_POP_TLS) == BST_CHECKED, ticked);
            if (typed != nullptr) {
                dialog.SetItemText(IDC_POP_SERVER, typed);
            }
            Tick(dialog, tick);
            dialog.Click(IDOK);
        });
        EXPECT_EQ(settings_.pets[0].popServer, storedAfter);
    }
}

// Cancel afterwards changes nothing either.
TEST_F(MailSettingsCommand, WhatCannotBeStoredIsRefusedWithANoticeAndTheDialogStaysOpen) {
    SetPet({"Pochi", "", "pop.example.jp", "pochi", "pw", 0});
    // clang-format off
    const std::tuple<const wchar_t*, const wchar_t*, bool> refused[] = {
        {L"\U0001F600@example.jp", L"pop.example.jp", false}, {L"", L"pop.example.jp\r\nx", false},
        {L"", L"", true}, {L"", L":110", false}, {L"", L"pop.example.jp:0", true}, {L"", L"pop.example.jp:65536", false},
        {L"", L"imap://pop.example.jp", false}, {L"", L"pop example.jp", true}, {L"", L"pop3s://", false}};
    // clang-format on
    for (const auto& [address, server, tick] : refused) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(server)));
        notices_.clear();
        bool stayedOpen = false;
        Run(0, [&](Dialog& dialog) {
            dialog.SetItemText(IDC_MAIL_ADDRESS, address);
            dialog.SetItemText(IDC_POP_SERVER, server);
            Tick(dialog, tick);
            dialog.Click(IDOK);
            stayedOpen = !dialog.Ended();
            PostMessageW(dialog.Window(), WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_TRUE(stayedOpen);
        EXPECT_EQ(notices_.size(), 1u);
        EXPECT_EQ(settings_.pets[0].popServer, "pop.example.jp");
        EXPECT_TRUE(fs_.files.empty());
    }
}

}  // namespace
}  // namespace torvin
