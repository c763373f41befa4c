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
    const std::wstring list = WC_LISTVIEWW, edit = L"Edit", button = L"Button";
    // Template, then each control the code reaches in it with the class it drives it as.
    // clang-format off
    std::map<int, std::map<int, std::wstring>> used = {
        {IDD_PET_LIST, {{IDC_PET_LIST, list}, {IDC_LAUNCH, button}, {IDC_ADD_PET, button},
            {IDC_DELETE_PET, button}, {IDC_MAIL_SETTINGS, button}, {IDC_MAIL_START, button},
            {IDC_MAIL_STOP, button}, {IDC_SNACK, button}, {IDC_CHOOSE_BACKGROUND, button}, {IDOK, button}}},
        {IDD_SETUP, {{IDC_SETUP_NAME, edit}, {IDC_SETUP_FOLDER, edit}, {IDC_SETUP_BROWSE, button}, {IDOK, button}}},
        {IDD_ADD_PET, {{IDC_NEW_PET_NAME, edit}, {IDOK, button}, {IDCANCEL, button}}},
        {IDD_ERROR_CODE, {{IDC_ERROR_CODE, edit}, {IDOK, button}}},
        {IDD_MAIL_SETTINGS, {{IDC_MAIL_PET_NAME, edit}, {IDC_MAIL_ADDRESS, edit}, {IDC_POP_SERVER, edit},
            {IDC_USER_ID, edit}, {IDC_PASSWORD, edit}, {IDC_POP_TLS, button}, {IDC_MAIL_CHECK_ON, button},
            {IDC_MAIL_CHECK_OFF, button}, {IDOK, button}, {IDCANCEL, button}}},
        {IDD_BACKGROUND, {{IDC_BG_SKIN_NAME, edit}, {IDC_BG_PINK, button}, {IDC_BG_BLUE, button},
            {IDC_BG_GREEN, button}, {IDC_BG_OWN, button}, {IDC_BG_SELECT_SKIN, button}, {IDOK, button},
            {IDCANCEL, button}}},
        {IDD_SKIN_LIST, {{IDC_SKIN_LIST, list}, {IDOK, button}, {IDCANCEL, button}}},
        {IDD_DELETE_PET, {{IDOK, button}, {IDCANCEL, button}}},
        {IDD_FORCE_STOP, {{IDOK, button}, {IDCANCEL, button}}},
    };
    // clang-format on
    for (const int id : {IDD_ABOUT, IDD_HOST_NOT_FOUND, IDD_HOST_RUNNING, IDD_NO_PET_SELECTED,
                         IDD_DUPLICATE_PET, IDD_FIRST_PET, IDD_EXIT_NOTICE}) {
        used[id] = {{IDOK, button}};
    }
    std::vector<int> ids;
    EnumResourceNamesW(nullptr, RT_DIALOG, CollectId, reinterpret_cast<LONG_PTR>(&ids));
    EXPECT_EQ(ids.size(), used.size());
    for (const auto& [id, uses] : used) {
        const auto controls = Controls(id);
        for (const auto& [control, windowClass] : uses) {
            SCOPED_TRACE(testing::Message() << "template " << id << ", control " << control);
            ASSERT_EQ(controls.count(control), 1u);
            EXPECT_EQ(controls.find(control)->second, windowClass);
        }
    }
}

}  // namespace
}  // namespace torvin
