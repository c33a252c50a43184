#pragma once

// The extended frame's layered window: it hugs a form whose own window is clipped to its client
// area, shows the frame part of the provider's cache bitmap (shadow, borders, title band, title
// buttons) with per-pixel alpha, and takes the mouse over the frame: title buttons and sizing
// edges, the caption for moving; clicks on the shadow fall through.

#include "skin/frame/frame_geometry.h"
#include "skin/render/skin_bitmap.h"

#include <windows.h>

namespace skin::windows {

class TsSkinProvider;

class TacBorderForm {
public:
    explicit TacBorderForm(TsSkinProvider& provider);
    ~TacBorderForm();
    TacBorderForm(const TacBorderForm&) = delete;
    TacBorderForm& operator=(const TacBorderForm&) = delete;

    // The layered window; created on first use.
    HWND Handle() const { return window_; }
    // Rebuilds the image when the provider's cache changed and places the window around the
    // form: its top-left is the form's minus the border offset.
    void UpdateExBordersPos(bool redraw);
    // The owner the layered window had before the form became its owner.
    HWND ParentHandle() const { return parent_handle_; }
    bool ResetRgn() const { return reset_rgn_; }
    // The pixels last handed to the platform: premultiplied, alpha 0 over the client area.
    const render::SkinBitmap& SentImage() const { return premultiplied_; }

    // Shows a picture of the whole window, client area included, at an opacity (a form dragged
    // translucently): no client hole, and placing the window only moves it until EndSnapshot
    // brings the frame back.
    void ShowSnapshot(const render::SkinBitmap& picture, int opacity);
    void EndSnapshot();
    bool SnapshotShown() const { return snapshot_shown_; }

private:
    static LRESULT CALLBACK BorderProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    void CreateNewForm();
    // Hands pixels of straight alpha to the platform; the hole (if any) gets alpha 0.
    void SendImage(const frame::FrameGeometry& g, const render::SkinBitmap& image,
                   const frame::Rect& hole, int opacity);
    void MoveBehindForm(const frame::FrameGeometry& g);
    HRGN FullRegion(const frame::FrameGeometry& g) const;
    void MakeRgn(const frame::FrameGeometry& g);
    void PunchHole(POINT screen);
    void RestoreRegion();
    frame::Point LocalPoint(LPARAM screen_point) const;

    TsSkinProvider& sp_;
    HWND window_ = nullptr;
    HWND parent_handle_ = nullptr;
    render::SkinBitmap premultiplied_;
    int sent_generation_ = -1;
    int sent_width_ = 0;
    int sent_height_ = 0;
    bool ex_border_showing_ = false;
    bool reset_rgn_ = false;
    frame::Point hole_;
    bool snapshot_shown_ = false;
    bool tracking_ = false;
};

} // namespace skin::windows
