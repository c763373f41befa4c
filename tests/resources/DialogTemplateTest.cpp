// Each dialog template the code opens holds every control the code reaches by id, once, with
// the window class the code drives it as, and the program carries no other template. Layout and texts are the
// resource script's own business; the generator check guards the art.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "resources/resource.h"

namespace torvin {
namespace {

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

BOOL CALLBACK CollectId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
    reinterpret_cast<std::vector<int>*>(ids)->push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
    return TRUE;
}

// Control id to window class, for each child of a freshly created template.
std::multimap<int, std::wstring> Controls(int templateId) {
    std::multimap<int, std::wstring> controls;
    HWND dialog = CreateDialogParamW(nullptr, MAKEINTRESOURCEW(templateId), nullptr, Inert, 0);
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        controls.emplace(GetDlgCtrlID(child), name);
    }
    if (dialog != nullptr) {
        DestroyWindow(dialog);
    }
    return controls;
}

TEST(DialogTemplates, EachHoldsTheControlsTheCodeUsesOnceWithTheirClassAndNoOtherTemplateExists) {
    INITCOMMONCONTROLSEX common{sizeof common, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ASSERT_TRUE(InitCommonControlsEx(&common));
    struct Uses {
        std::vector<int> lists, edits, buttons;
    };
    std::map<int, Uses> used = {
        {IDD_PET_LIST,
         {{IDC_PET_LIST},
          {},
          {IDC_LAUNCH, IDC_ADD_PET, IDC_DELETE_PET, IDC_MAIL_SETTINGS, IDC_MAIL_START, IDC_MAIL_STOP,
           IDC_SNACK, IDC_CHOOSE_BACKGROUND, IDOK}}},
        {IDD_SETUP, {{}, {IDC_SETUP_NAME, IDC_SETUP_FOLDER}, {IDC_SETUP_BROWSE, IDOK}}},
        {IDD_ADD_PET, {{}, {IDC_NEW_PET_NAME}, {IDOK, IDCANCEL}}},
        {IDD_ERROR_CODE, {{}, {IDC_ERROR_CODE}, {IDOK}}},
        {IDD_MAIL_SETTINGS,
         {{},
          {IDC_MAIL_PET_NAME, IDC_MAIL_ADDRESS, IDC_POP_SERVER, IDC_USER_ID, IDC_PASSWORD},
          {IDC_MAIL_CHECK_ON, IDC_MAIL_CHECK_OFF, IDOK, IDCANCEL}}},
        {IDD_BACKGROUND,
         {{},
          {IDC_BG_SKIN_NAME},
          {IDC_BG_PINK, IDC_BG_BLUE, IDC_BG_GREEN, IDC_BG_OWN, IDC_BG_SELECT_SKIN, IDOK, IDCANCEL}}},
        {IDD_SKIN_LIST, {{IDC_SKIN_LIST}, {}, {IDOK, IDCANCEL}}},
        {IDD_DELETE_PET, {{}, {}, {IDOK, IDCANCEL}}},
        {IDD_FORCE_STOP, {{}, {}, {IDOK, IDCANCEL}}},
    };
    for (const int id : {IDD_ABOUT, IDD_HOST_NOT_FOUND, IDD_HOST_RUNNING, IDD_NO_PET_SELECTED,
                         IDD_DUPLICATE_PET, IDD_FIRST_PET, IDD_EXIT_NOTICE}) {
        used[id] = {{}, {}, {IDOK}};
    }
    std::vector<int> ids;
    EnumResourceNamesW(nullptr, RT_DIALOG, CollectId, reinterpret_cast<LONG_PTR>(&ids));
    EXPECT_EQ(ids.size(), used.size());
    for (const auto& [id, uses] : used) {
        const auto controls = Controls(id);
        const std::pair<const std::vector<int>&, std::wstring> kinds[] = {
            {uses.lists, WC_LISTVIEWW}, {uses.edits, L"Edit"}, {uses.buttons, L"Button"}};
        for (const auto& [controlIds, windowClass] : kinds) {
            for (const int control : controlIds) {
                SCOPED_TRACE(testing::Message() << "template " << id << ", control " << control);
                ASSERT_EQ(controls.count(control), 1u);
                EXPECT_EQ(controls.find(control)->second, windowClass);
            }
        }
    }
}

}  // namespace
}  // namespace torvin
