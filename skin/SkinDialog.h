#pragma once
// The base of every skinned window: paints the body with a background picture (tiled,
// stretched or centred), lets statics and buttons show it through, keeps a palette picture
// right when the system palette changes, owns the dialog's skin buttons and can move a
// captionless dialog by dragging its body.

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "skin/DibImage.h"
#include "skin/SkinButton.h"

namespace torvin {

// One skinned button of a dialog and its icon pair (hot, normal); 0 = no icons.
struct ButtonSkin {
    int id;
    int hotIcon;
    int normalIcon;
};

inline constexpr int kOkHotIcon = 169, kOkNormalIcon = 170, kCancelHotIcon = 178, kCancelNormalIcon = 160;
inline constexpr COLORREF kSkinNormalTextColour = 0xA9A9A9;
inline constexpr COLORREF kSkinHotTextColour = 0x0F1928;
// The built-in tiles: pink (also the fall-back), blue, green.
inline constexpr int kPinkTile = 151, kBlueTile = 154, kGreenTile = 153;
// backgroundLayout values; any other value tiles.
inline constexpr int kLayoutTile = 0, kLayoutStretch = 1, kLayoutCentre = 2;

class SkinDialog : public Dialog {
  public:
    SkinDialog(int templateId, HWND parent);

    DibImage& Background() { return background_; }
    int BackgroundLayout() const { return backgroundLayout_; }

  protected:
    // Attaches a SkinButton to each id, loads its icons, sets the two text colours (no repaint)
    // and transparency. The dialog owns the buttons.
    void AttachSkinButtons(std::initializer_list<ButtonSkin> buttons);
    // The background the settings choose; a kind-3 skin file that is missing (or not named)
    // falls back to the pink tile and sets backgroundKind to 0 in memory.
    void LoadSkinBackground();
    // First-run variant: never a skin file, and the settings are left as they are.
    void LoadSetupBackground();
    void SetBackgroundResource(int bitmapId, int layout);
    bool SetBackgroundFile(const std::string& cp932Path, int layout);
    // Dialogs that move by dragging their body call this once (in the constructor or OnInit).
    void EnableDragByBody() { dragByBody_ = true; }
    SkinButton* Button(int id);

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    bool EraseBackground(HDC dc);
    HBRUSH ControlColour(HDC dc, HWND control, UINT kind) const;
    bool QueryNewPalette();
    void PaletteChanged(HWND changer);
    void DragByBody(LPARAM point);

    DibImage background_;
    int backgroundLayout_ = kLayoutTile;
    // A shared stock object: nothing to release.
    HBRUSH hollowBrush_;
    bool dragByBody_ = false;
    std::vector<std::unique_ptr<SkinButton>> buttons_;
};

}  // namespace torvin
