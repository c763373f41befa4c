#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace torvin {
namespace {

constexpr int kTemplate = 900;
constexpr int kEdit = 901, kOn = 902, kOff = 903, kOther = 905;

class NameDialog : public Dialog {
  public:
    explicit NameDialog(HWND parent = nullptr) : Dialog(kTemplate, parent) {}

    std::string name = "\x83\x6e\x83\x69";  // "ハナ"
    int choice = 1;
    int refusals = 0;
    int nestedResult = 0;

  protected:
    void WriteControls() override {
        SetItemTextCp932(kEdit, name);
        CheckRadio({kOn, kOff}, choice);
    }
    bool ReadControls() override {
        auto text = ItemTextCp932(kEdit);
        if (!text) {
            ++refusals;
            return false;
        }
        name = *text;
        choice = CheckedRadio({kOn, kOff});
        return true;
    }
    bool OnCommand(WORD code, WORD id, HWND control) override {
        if (id == kOther) {
            if (name == "throw") {
                throw std::runtime_error("handler failed");
            }
            NameDialog nested(Window());
            nestedResult = static_cast<int>(nested.RunModal());
            return true;
        }
        return Dialog::OnCommand(code, id, control);
    }
};

TEST(Dialog, MembersGoIntoTheControlsAtInitAndComeBackOnOkUnlessCp932CannotHoldThem) {
    NameDialog dialog;
    dialog.choice = 7;
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    EXPECT_EQ(dialog.ItemText(kEdit), L"ハナ");
    EXPECT_EQ(dialog.CheckedRadio({kOn, kOff}), -1) << "an index out of range checks none";
    dialog.SetItemText(kEdit, L"pet\U0001F600");
    dialog.Click(IDOK);
    EXPECT_FALSE(dialog.Ended());
    EXPECT_EQ(dialog.refusals, 1);
    EXPECT_EQ(dialog.name, "\x83\x6e\x83\x69");
    dialog.SetItemText(kEdit, L"ポチ");
    dialog.Click(IDOK);
    EXPECT_EQ(dialog.choice, -1);
    dialog.CheckRadio({kOn, kOff}, 0);
    dialog.Click(IDOK);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(dialog.Result(), IDOK);
    EXPECT_EQ(dialog.name, "\x83\x7c\x83\x60");
    EXPECT_EQ(dialog.choice, 0);
}

TEST(Dialog, ModalDialogsAreAnsweredThroughTheObserverIncludingNestedOnes) {
    int seen = 0;
    auto previous = Dialog::SetModalObserver([&](Dialog& d) {
        ++seen;
        auto& dialog = static_cast<NameDialog&>(d);
        if (seen == 1) {
            dialog.Click(kOther);  // opens a nested modal dialog, answered below
            dialog.SetItemText(kEdit, L"タマ");
            dialog.Click(IDOK);
        } else {
            dialog.Click(IDCANCEL);
        }
    });
    NameDialog dialog;
    EXPECT_EQ(dialog.RunModal(), IDOK);
    Dialog::SetModalObserver(previous);
    EXPECT_EQ(seen, 2);
    EXPECT_EQ(dialog.nestedResult, IDCANCEL);
    EXPECT_EQ(dialog.name, "\x83\x5e\x83\x7d");
}

TEST(Dialog, AnExceptionInAHandlerDoesNotCrossTheDialogProcedure) {
    NameDialog dialog;
    dialog.name = "throw";
    ASSERT_NE(dialog.CreateModeless(), nullptr);
    dialog.Click(kOther);
    EXPECT_FALSE(dialog.Ended());
    EXPECT_TRUE(IsWindow(dialog.Window()));
}

}  // namespace
}  // namespace torvin
