#include "pets/NameNotice.h"

#include "framework/MessageNotice.h"
#include "pets/Notices.h"

namespace torvin {

void ShowNameRefused(HWND owner, PetNameProblem problem) {
    const wchar_t* text = nullptr;
    switch (problem) {
        case PetNameProblem::kNone:
            return;
        case PetNameProblem::kDuplicate:
            ShowDuplicatePet();
            return;
        case PetNameProblem::kEmpty:
            text = L"ペットの名前を入力してください。";
            break;
        case PetNameProblem::kTooLong:
            text = L"ペットの名前が長すぎます。\n半角なら99文字、全角なら49文字までにしてください。";
            break;
        case PetNameProblem::kSameFolder:
            text = L"その名前は、すでにいるペットと大文字・小文字しか違わないか、\n"
                   L"そのフォルダに別のペットの設定ファイルがあるため使えません。";
            break;
        case PetNameProblem::kRosterFull:
            text = L"ペットは127匹までです。これ以上は追加できません。";
            break;
        case PetNameProblem::kBrokenText:
        case PetNameProblem::kForbiddenCharacter:
        case PetNameProblem::kControlCharacter:
        case PetNameProblem::kDotName:
        case PetNameProblem::kTrailingDotOrBlank:
        case PetNameProblem::kReservedName:
            text = L"その名前はフォルダ名に使えないため、ペットの名前にできません。\n"
                   L"\\ / : * ? \" < > | 、末尾の「.」や空白、CON などの名前は使えません。";
            break;
    }
    ShowMessageNotice(owner, text);
}

void ShowNameNotRepresentable(HWND owner) {
    ShowMessageNotice(owner, L"その名前には使えない文字（絵文字など）が含まれています。");
}

}  // namespace torvin
