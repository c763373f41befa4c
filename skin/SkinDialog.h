#pragma once
// The base of every skinned window: paints the body with a background picture (tiled,
// stretched or centred), lets statics and buttons show it through, keeps a palette picture
// right when the system palette changes, owns the dialog's skin buttons and can move a
// captionless dialog by dragging its body.

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "framework/Dialog.h"
#include "resources/resource.h"
#include "skin/BackgroundResolution.h"
#include "skin/DibImage.h"
#include "skin/SkinButton.h"

namespace torvin {

// One skinned button of a dialog and its icon pair (hot, normal); 0 = no icons.
struct ButtonSkin {
    int id;
    int hotIcon;
    int normalIcon;
};

inline constexpr int kOkHotIcon = IDI_OK_HOT, kOkNormalIcon = IDI_OK_NORMAL, kCancelHotIcon = IDI_CANCEL_HOT,
                     kCancelNormalIcon = IDI_CANCEL_NORMAL;
inline constexpr COLORREF kSkinNormalTextColour = 0xA9A9A9;
inline constexpr COLORREF kSkinHotTextColour = 0x0F1928;

class SkinDialog : public Dialog {
  public:
    SkinDialog(int templateId, HWND parent);

    // The background every skinned dialog opens with from now on. The app resolves it from the
    // settings (ResolveBackground) after reading them, and again when they may have changed.
    static void SetOpeningBackground(ResolvedBackground choice);

    DibImage& Background() { return background_; }
    int BackgroundLayout() const { return backgroundLayout_; }

  protected:
    // Attaches a SkinButton to each id, loads its icons, sets the two text colours (no repaint)
    // and transparency. The dialog owns the buttons.
    void AttachSkinButtons(std::initializer_list<ButtonSkin> buttons);
    // Loads the opening background; the first-run setup never shows a skin file.
    void LoadSkinBackground();
    void LoadSetupBackground();
    void SetBackgroundResource(int bitmapId, int layout);
    bool SetBackgroundFile(const std::string& cp932Path, int layout);
    // Dialogs that move by dragging their body call this once (in the constructor or OnInit).
    void EnableDragByBody() { dragByBody_ = true; }
    SkinButton* Button(int id);

    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

  private:
    void Load(const ResolvedBackground& choice);
    bool EraseBackground(HDC dc);
    bool PaintWithButtons();
    void Tile(HDC dc, int width, int height);
    // The tiled body's pattern brush, made at its first use; null when the body is not tiled with
    // one on this display.
    std::shared_ptr<const BodyPattern> TiledPattern(HDC dc);
    HBRUSH ControlColour(HDC dc, HWND control, UINT kind) const;
    bool QueryNewPalette();
    void PaletteChanged(HWND changer);
    void DragByBody(LPARAM point);

    DibImage background_;
    int backgroundLayout_ = kLayoutTile;
    // Buttons keep the pattern they first painted with, so a new background makes a new one.
    std::shared_ptr<const BodyPattern> pattern_;
    const std::uint8_t* patternBits_ = nullptr;
    // A shared stock object: nothing to release.
    HBRUSH hollowBrush_;
    bool dragByBody_ = false;
    std::vector<std::unique_ptr<SkinButton>> buttons_;
};

}  // namespace torvin
