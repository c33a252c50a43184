#pragma once

// The skin command protocol: the command codes carried by WM_SKINCOMMAND (the command in the
// high word of WParam, a small argument in the low word), the background record, and the one
// helper every command goes through. The helper registers the record it passes as in flight,
// so that the gate honours commands that read or write through LParam only when they carry a
// record of ours; commands go only to framework controls and to windows whose handler the
// engine registered, never to foreign windows (some use $A100 themselves).

#include "ui/message.h"

#include <cstdint>
#include <windows.h>

namespace ui {
class Control;
}

namespace skin::engine {

enum SkinCommand : WORD {
    SkinCmdSetNewSkin = 1,
    SkinCmdRemoveSkin = 2,
    SkinCmdRefresh = 3,
    SkinCmdCtrlHandled = 7,
    SkinCmdSetUpdating = 8,
    SkinCmdPrepareCache = 9,
    SkinCmdIsUpdating = 10,
    SkinCmdGetHalfVisible = 11,
    SkinCmdUpdateSection = 13,
    SkinCmdSetSection = 15,
    SkinCmdBeforeRefresh = 16,
    SkinCmdBGChanged = 17,
    SkinCmdRedrawForm = 18,
    SkinCmdIsGradient = 19,
    SkinCmdParentChanged = 20,
    SkinCmdGetColor = 21,
    SkinCmdSetHalfVisible = 22,
    SkinCmdRebuildBorder = 23,
    SkinCmdSetSkinIndex = 24,
    // The same code to a windowed button: a cross-fade frame (LParam: the bitmap) is about to be
    // shown over the whole window; the button lets go of its window region and answers 0 to have
    // the frame copied, or shows the frame itself and answers 1.
    SkinCmdFadeFrame = 24,
    SkinCmdAddChildren = 25,
    SkinCmdGetSkinIndex = 26,
    SkinCmdMouseEnter = 29,
    SkinCmdMouseLeave = 30,
    SkinCmdUpdateBegun = 31,
    SkinCmdMenuChanged = 32,
    SkinCmdClearCache = 33,
    SkinCmdGetBackground = 34,
    SkinCmdGetSkinState = 36,
    SkinCmdGetSkinData = 37,
    SkinCmdSetPrintDC = 38,
    // Around every scroll message a skinned scroll bar sends; an answer of 1 to the first means
    // the window moves its scroll position itself.
    SkinCmdBeforeScroll = 51,
    SkinCmdAfterScroll = 52,
    SkinCmdGetApplication = 60,
    // A form's answer: the client area's place in its cache bitmap, x in the low word and y in
    // the high word.
    SkinCmdGetOffsets = 61,
};

inline WPARAM MakeSkinCommand(WORD command, WORD argument = 0) {
    return MAKEWPARAM(argument, command);
}

// True for the commands that read or write through LParam, or answer an address: only honoured
// from this thread with a record the send helper has in flight.
bool CommandUsesPointer(WORD command);

// The background of a control as its parent describes it (SkinCmdGetBackground).
struct BackgroundInfo {
    enum Kinds : std::uint8_t { kNotAnswered = 0, kPlainColor = 1, kBitmap = 2 };
    // The answering control's cache bitmap (a skin::render::SkinBitmap), or none.
    const void* Bmp = nullptr;
    COLORREF Color = 0;
    // In a question that asks for painting: the asker's position inside the control asked. In
    // an answer with a bitmap: where the asked control's origin lies inside Bmp.
    int OffsetX = 0;
    int OffsetY = 0;
    RECT R{};
    std::uint8_t Kind = kNotAnswered;
    bool PaintRequested = false;
    HDC TargetDC = nullptr;
};

// Sends a command to a framework control: to its window when it has one, else through its
// procedure chain. `record`, when given, is in flight for the duration of the call.
LRESULT SendSkinCommand(ui::Control& target, WORD command, WORD argument = 0, LPARAM value = 0,
                        void* record = nullptr);
// The same to a window: only when it belongs to a framework control or to a handler the engine
// registered (RegisterSkinnedWindow); otherwise nothing is sent and the answer is 0.
LRESULT SendSkinCommand(HWND target, WORD command, WORD argument = 0, LPARAM value = 0,
                        void* record = nullptr);

// Windows outside the framework whose handlers answer skin commands (standard controls and
// dialogs dressed by the engine).
void RegisterSkinnedWindow(HWND window);
void UnregisterSkinnedWindow(HWND window);
bool IsSkinnedWindow(HWND window);

// Whether LParam is a record the send helper has in flight now.
bool IsRecordInFlight(LPARAM value);

// Installs the engine's rules into the framework's skin command gate.
void InstallSkinCommandGate();

} // namespace skin::engine
