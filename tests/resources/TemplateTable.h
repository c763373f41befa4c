#pragma once
// The dialog templates as the program's design gives them: each dialog's caption, size and
// controls in template order, with the styles that matter to the code using them.

#include <windows.h>

#include <ostream>
#include <string_view>
#include <vector>

namespace torvin::test {

// Dialog units: x, y, width, height.
struct DialogRect {
    int x;
    int y;
    int width;
    int height;
};

enum class Border { Unchecked, Present, Absent };

struct ControlSpec {
    int id;
    std::wstring_view windowClass;
    std::wstring_view text;
    DialogRect rect;
    DWORD style;  // expected value of the bits in styleMask
    DWORD styleMask;
    Border border = Border::Unchecked;
    bool checkText = true;
    bool checkSize = true;  // an icon control takes the icon's size, whatever the template says
};

struct DialogSpec {
    int id;
    std::wstring_view caption;  // empty: no caption bar
    int width;
    int height;
    DWORD style;  // the frame bits: popup, caption, system menu, minimise box, modal frame
    DWORD exStyle;
    std::vector<ControlSpec> controls;
};

const std::vector<DialogSpec>& AllDialogSpecs();

// Names a failing case by its template id instead of a byte dump.
inline void PrintTo(const DialogSpec& spec, std::ostream* out) {
    *out << "template " << spec.id;
}

}  // namespace torvin::test
