#pragma once
// Selections into a device context that put the previous object back when they end, so that a
// bitmap or palette is never deleted while a context still holds it.

#include <windows.h>

namespace torvin {

class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A palette selection; `background` is the flag SelectPalette takes, used for both selections.
class SelectedPalette {
  public:
    SelectedPalette(HDC dc, HPALETTE palette, bool background)
        : dc_(dc),
          previous_(SelectPalette(dc, palette, background ? TRUE : FALSE)),
          background_(background) {}
    ~SelectedPalette() {
        if (previous_ != nullptr) {
            SelectPalette(dc_, previous_, background_ ? TRUE : FALSE);
        }
    }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;

  private:
    HDC dc_;
    HPALETTE previous_;
    bool background_;
};

// Everything selected or set in a context meanwhile is undone when it ends: SaveDC and RestoreDC.
class SavedDcState {
  public:
    explicit SavedDcState(HDC dc) : dc_(dc), state_(SaveDC(dc)) {}
    ~SavedDcState() {
        if (state_ != 0) {
            RestoreDC(dc_, state_);
        }
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

  private:
    HDC dc_;
    int state_;
};

}  // namespace torvin
