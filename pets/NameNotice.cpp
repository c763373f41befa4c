#include "pets/NameNotice.h"

#include "framework/MessageNotice.h"
#include "framework/ResourceText.h"
#include "pets/Notices.h"
#include "resources/resource.h"

namespace torvin {

void ShowNameRefused(HWND owner, PetNameProblem problem) {
    UINT text = 0;
    switch (problem) {
        case PetNameProblem::kNone:
            return;
        case PetNameProblem::kDuplicate:
            ShowDuplicatePet();
            return;
        case PetNameProblem::kEmpty:
            text = IDS_NAME_EMPTY;
            break;
        case PetNameProblem::kTooLong:
            text = IDS_NAME_TOO_LONG;
            break;
        case PetNameProblem::kSameFolder:
            text = IDS_NAME_SAME_FOLDER;
            break;
        case PetNameProblem::kRosterFull:
            text = IDS_NAME_ROSTER_FULL;
            break;
        case PetNameProblem::kBrokenText:
        case PetNameProblem::kForbiddenCharacter:
        case PetNameProblem::kControlCharacter:
        case PetNameProblem::kDotName:
        case PetNameProblem::kTrailingDotOrBlank:
        case PetNameProblem::kReservedName:
            text = IDS_NAME_NOT_FOLDER;
            break;
    }
    ShowMessageNotice(owner, LoadResourceText(GetModuleHandleW(nullptr), text));
}

void ShowNameNotRepresentable(HWND owner) {
    ShowMessageNotice(owner, LoadResourceText(GetModuleHandleW(nullptr), IDS_NAME_NOT_CP932));
}

}  // namespace torvin
