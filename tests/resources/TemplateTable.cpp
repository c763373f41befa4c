#include "tests/resources/TemplateTable.h"

#include <commctrl.h>

#include "resources/resource.h"

namespace torvin::test {
namespace {

constexpr DWORD kButtonMask = BS_TYPEMASK | WS_VISIBLE | WS_GROUP;
constexpr DWORD kEditMask = ES_AUTOHSCROLL | ES_READONLY | ES_CENTER | ES_PASSWORD | WS_VISIBLE;
constexpr DWORD kListMask = LVS_TYPEMASK | LVS_SINGLESEL | LVS_NOCOLUMNHEADER | WS_VISIBLE;
constexpr DWORD kStaticMask = SS_TYPEMASK | WS_VISIBLE;

ControlSpec Button(int id, std::wstring_view text, DialogRect rect) {
    return {id, L"Button", text, rect, BS_PUSHBUTTON | WS_VISIBLE, BS_TYPEMASK | WS_VISIBLE};
}

// The button after a radio group starts a group of its own, which closes the radio group.
ControlSpec GroupButton(int id, std::wstring_view text, DialogRect rect, DWORD type) {
    return {id, L"Button", text, rect, type | WS_VISIBLE | WS_GROUP, kButtonMask};
}

ControlSpec DefaultButton(int id, std::wstring_view text, DialogRect rect) {
    return {id, L"Button", text, rect, BS_DEFPUSHBUTTON | WS_VISIBLE, BS_TYPEMASK | WS_VISIBLE};
}

ControlSpec HiddenButton(int id, std::wstring_view text, DialogRect rect) {
    return {id, L"Button", text, rect, BS_PUSHBUTTON, BS_TYPEMASK | WS_VISIBLE};
}

ControlSpec Radio(int id, std::wstring_view text, DialogRect rect, bool first = false) {
    return {id,
            L"Button",
            text,
            rect,
            BS_AUTORADIOBUTTON | WS_VISIBLE | (first ? DWORD{WS_GROUP} : DWORD{0}),
            kButtonMask};
}

ControlSpec CheckBox(int id, std::wstring_view text, DialogRect rect) {
    return {id, L"Button", text, rect, BS_AUTOCHECKBOX | WS_VISIBLE, kButtonMask};
}

ControlSpec Text(std::wstring_view text, DialogRect rect) {
    return {IDC_STATIC, L"Static", text, rect, SS_LEFT | WS_VISIBLE, kStaticMask};
}

ControlSpec CentredText(std::wstring_view text, DialogRect rect) {
    return {IDC_STATIC, L"Static", text, rect, SS_CENTER | WS_VISIBLE, kStaticMask};
}

ControlSpec Edit(int id, DialogRect rect, DWORD extra = 0, Border border = Border::Present) {
    return {id, L"Edit", L"", rect, ES_AUTOHSCROLL | WS_VISIBLE | extra, kEditMask, border};
}

ControlSpec List(int id, DialogRect rect) {
    return {id, WC_LISTVIEWW, L"", rect, LVS_REPORT | WS_VISIBLE, kListMask, Border::Present};
}

ControlSpec Icon(DialogRect rect) {
    return {IDC_STATIC,  L"Static",         L"",   rect, SS_ICON | WS_VISIBLE,
            kStaticMask, Border::Unchecked, false, false};
}

constexpr DWORD kPlain = WS_POPUP | DS_MODALFRAME;

}  // namespace

const std::vector<DialogSpec>& AllDialogSpecs() {
    static const std::vector<DialogSpec> specs = {
        {IDD_ABOUT,
         L"Torvinのﾊﾞｰｼﾞｮﾝ情報",
         235,
         55,
         kPlain | WS_CAPTION | WS_SYSMENU,
         0,
         {
             Icon({11, 17, 0, 0}),
             Text(L"Torvin Version 1.0", {40, 10, 119, 8}),
             GroupButton(IDOK, L"OK", {178, 7, 50, 14}, BS_DEFPUSHBUTTON),
         }},
        {IDD_PET_LIST,
         L"Torvin",
         302,
         155,
         kPlain | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
         WS_EX_APPWINDOW,
         {
             List(IDC_PET_LIST, {10, 8, 226, 101}),
             Button(IDC_LAUNCH, L"起動", {243, 9, 52, 25}),
             Button(IDC_ADD_PET, L"新規追加", {243, 37, 52, 25}),
             Button(IDC_DELETE_PET, L"削除", {243, 65, 52, 25}),
             Button(IDC_MAIL_SETTINGS, L"設定", {243, 93, 52, 25}),
             DefaultButton(IDOK, L"終了", {243, 122, 52, 25}),
             Text(L"メールチェック", {10, 111, 51, 10}),
             Button(IDC_MAIL_START, L"開始", {10, 122, 52, 25}),
             Button(IDC_MAIL_STOP, L"中断", {62, 122, 52, 25}),
             HiddenButton(IDC_SNACK, L"おやつ", {133, 122, 52, 25}),
             Button(IDC_CHOOSE_BACKGROUND, L"背景選択", {186, 122, 52, 25}),
         }},
        {IDD_SETUP,
         L"",
         249,
         187,
         kPlain,
         0,
         {
             DefaultButton(IDOK, L"OK", {98, 159, 52, 25}),
             Text(L"ようこそ、Torvinへ！", {6, 11, 72, 10}),
             Text(L"これは１つのNimbrel for Winでペットを複数飼えるソフトです。", {6, 23, 178, 10}),
             Text(L"では早速、初期設定です。", {6, 35, 80, 10}),
             Text(L"現在飼っているペットの名前を教えてください。", {6, 60, 138, 10}),
             Edit(IDC_SETUP_NAME, {52, 70, 121, 13}),
             Text(L"ペットの名前", {6, 75, 38, 8}),
             Text(L"Nimbrel.exeのあるディレクトリを指定してください。", {6, 95, 143, 10}),
             Edit(IDC_SETUP_FOLDER, {6, 140, 183, 13}),
             Button(IDC_SETUP_BROWSE, L"参照", {192, 128, 52, 25}),
             Text(L"（例：C:\\Program Files\\Nimbrel）", {6, 107, 183, 12}),
         }},
        {IDD_HOST_NOT_FOUND,
         L"",
         131,
         55,
         kPlain,
         0,
         {
             DefaultButton(IDOK, L"OK", {39, 28, 52, 25}),
             CentredText(L"Nimbrel.exeが見つかりません。", {1, 4, 129, 8}),
             CentredText(L"ディレクトリをもう一度指定してください。", {1, 14, 129, 8}),
         }},
        {IDD_ADD_PET,
         L"",
         133,
         70,
         kPlain,
         0,
         {
             Edit(IDC_NEW_PET_NAME, {31, 25, 70, 12}),
             DefaultButton(IDOK, L"OK", {10, 43, 52, 25}),
             Button(IDCANCEL, L"ｷｬﾝｾﾙ", {66, 43, 52, 25}),
             Text(L"追加したいペットの名前を入力して下さい。", {1, 7, 129, 11}),
         }},
        {IDD_ERROR_CODE,
         L"",
         86,
         82,
         kPlain,
         0,
         {
             DefaultButton(IDOK, L"OK", {14, 55, 52, 25}),
             CentredText(L"エラーが発生しました。", {3, 3, 80, 8}),
             CentredText(L"この番号はメモなどにとっておいてください。", {3, 16, 80, 20}),
             Text(L"エラーコード", {3, 38, 41, 9}),
             Edit(IDC_ERROR_CODE, {45, 35, 34, 12}, ES_READONLY),
         }},
        {IDD_HOST_RUNNING,
         L"",
         138,
         63,
         kPlain,
         0,
         {
             DefaultButton(IDOK, L"OK", {42, 35, 52, 25}),
             CentredText(L"すでにNimbrelが起動中です！", {0, 7, 136, 8}),
             CentredText(L"Nimbrelを終了してからリトライしてください。", {0, 19, 136, 10}),
         }},
        {IDD_NO_PET_SELECTED,
         L"",
         99,
         55,
         kPlain,
         0,
         {
             DefaultButton(IDOK, L"OK", {23, 29, 52, 25}),
             CentredText(L"ペットが選択されていません。", {0, 3, 97, 8}),
             CentredText(L"ペットを選択してください。", {0, 14, 97, 8}),
         }},
        {IDD_DUPLICATE_PET,
         L"",
         111,
         59,
         kPlain,
         0,
         {
             DefaultButton(IDOK, L"OK", {29, 31, 52, 25}),
             CentredText(L"その名前のペットはすでにいます。", {0, 5, 109, 8}),
             CentredText(L"違う名前を付けてあげて下さい。", {0, 15, 109, 8}),
         }},
        {IDD_FIRST_PET,
         L"",
         123,
         49,
         kPlain,
         0,
         {
             DefaultButton(IDOK, L"OK", {35, 23, 52, 25}),
             CentredText(L"最初からいたペットは削除できません。", {1, 7, 118, 10}),
         }},
        {IDD_DELETE_PET,
         L"",
         159,
         60,
         kPlain,
         0,
         {
             DefaultButton(IDOK, L"削除！", {26, 33, 52, 25}),
             Button(IDCANCEL, L"やめる", {79, 33, 52, 25}),
             CentredText(L"一度削除したペットは二度と復活しません。", {0, 3, 156, 9}),
             CentredText(L"それでも本当に削除しますか？", {0, 17, 156, 9}),
         }},
        {IDD_MAIL_SETTINGS,
         L"",
         177,
         146,
         kPlain,
         0,
         {
             Edit(IDC_MAIL_ADDRESS, {56, 35, 118, 12}),
             Edit(IDC_POP_SERVER, {56, 51, 80, 12}),
             CheckBox(IDC_POP_TLS, L"SSL/TLS", {139, 52, 37, 10}),
             Edit(IDC_USER_ID, {56, 67, 118, 12}),
             Edit(IDC_PASSWORD, {56, 83, 118, 12}),
             Radio(IDC_MAIL_CHECK_ON, L"する", {62, 99, 33, 12}, true),
             Radio(IDC_MAIL_CHECK_OFF, L"しない", {114, 101, 45, 10}),
             GroupButton(IDOK, L"設定", {33, 117, 52, 25}, BS_DEFPUSHBUTTON),
             Button(IDCANCEL, L"ｷｬﾝｾﾙ", {92, 117, 52, 25}),
             Text(L"のメール関連の設定です。", {59, 12, 85, 8}),
             Edit(IDC_MAIL_PET_NAME, {2, 12, 53, 12}, ES_READONLY | ES_CENTER, Border::Absent),
             Text(L"メールアドレス", {6, 39, 50, 8}),
             Text(L"POPサーバー名", {6, 55, 50, 8}),
             Text(L"ユーザID", {6, 71, 50, 8}),
             Text(L"パスワード", {6, 87, 50, 8}),
             Text(L"メールチェック", {6, 103, 50, 8}),
         }},
        {IDD_FORCE_STOP,
         L"",
         191,
         103,
         kPlain,
         0,
         {
             DefaultButton(IDOK, L"強制終了", {36, 73, 52, 25}),
             Button(IDCANCEL, L"終了しない", {102, 73, 52, 25}),
             Text(L"メールチェックを強制終了します。", {10, 9, 172, 8}),
             Text(L"※メールチェックの中断はご使用のPOPサーバーに負担かける恐れがあります。"
                  L"中断後はしばらくメールチェックはお控え下さい。",
                  {10, 23, 172, 28}),
             Text(L"強制終了した場合、Torvinを終了します。", {10, 57, 172, 8}),
         }},
        {IDD_BACKGROUND,
         L"",
         107,
         157,
         kPlain,
         0,
         {
             Radio(IDC_BG_PINK, L"ピンク", {13, 15, 31, 9}, true),
             Radio(IDC_BG_BLUE, L"ブルー", {13, 28, 31, 9}),
             Radio(IDC_BG_GREEN, L"グリーン", {13, 41, 39, 9}),
             Radio(IDC_BG_OWN, L"個別指定", {13, 54, 45, 10}),
             GroupButton(IDOK, L"OK", {1, 131, 52, 25}, BS_DEFPUSHBUTTON),
             Button(IDCANCEL, L"ｷｬﾝｾﾙ", {53, 131, 52, 25}),
             CentredText(L"好きな色を選んでください♪", {1, 3, 105, 8}),
             Text(L"※背景を変更した場合Torvinを      再起動してください。", {1, 109, 105, 18}),
             Button(IDC_BG_SELECT_SKIN, L"◆選択", {58, 53, 43, 11}),
             Edit(IDC_BG_SKIN_NAME, {13, 69, 87, 10}),
         }},
        {IDD_EXIT_NOTICE,
         L"",
         79,
         61,
         kPlain,
         0,
         {
             DefaultButton(IDOK, L"OK", {13, 34, 52, 25}),
             CentredText(L"Torvinを終了します。", {0, 9, 78, 8}),
         }},
        {IDD_SKIN_LIST,
         L"",
         107,
         201,
         kPlain,
         0,
         {
             DefaultButton(IDOK, L"OK", {0, 173, 52, 25}),
             Button(IDCANCEL, L"ｷｬﾝｾﾙ", {52, 173, 52, 25}),
             List(IDC_SKIN_LIST, {0, 10, 104, 164}),
         }},
    };
    return specs;
}

}  // namespace torvin::test
