#pragma once
// Tells the user why a typed pet name was refused.

#include <windows.h>

#include "pets/PetNames.h"

namespace torvin {

// Shows the duplicate notice for a taken name and a plain message for every other problem.
void ShowNameRefused(HWND owner, PetNameProblem problem);
// A typed text that code page 932 cannot hold (an emoji, say).
void ShowNameNotRepresentable(HWND owner);

}  // namespace torvin
