#pragma once
// Functions of a library that is loaded on first use instead of linked, so that start-up does
// not pay for a library only some runs need.

#include <windows.h>

namespace torvin {

// Sets `function` to the export `name` of `module`; leaves it untouched when the module is null.
// A missing export gives null.
template <typename Function>
void FindFunction(HMODULE module, const char* name, Function& function) {
    if (module != nullptr) {
        // Through the generic function type, which every function pointer may be cast to and from.
        function = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
    }
}

}  // namespace torvin
