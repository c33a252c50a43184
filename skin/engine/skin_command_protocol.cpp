#include "skin/engine/skin_command_protocol.h"

#include "ui/control.h"
#include "ui/skin_command_gate.h"
#include "ui/win_control.h"

#include <algorithm>
#include <set>
#include <vector>

namespace skin::engine {
namespace {

// Records lent to a command now being delivered; innermost last.
std::vector<LPARAM>& InFlight() {
    static std::vector<LPARAM> records;
    return records;
}

std::set<HWND>& SkinnedWindows() {
    static std::set<HWND> windows;
    return windows;
}

class InFlightScope {
public:
    explicit InFlightScope(void* record) : record_(reinterpret_cast<LPARAM>(record)) {
        if (record_)
            InFlight().push_back(record_);
    }
    ~InFlightScope() {
        if (!record_)
            return;
        auto& records = InFlight();
        auto found = std::find(records.rbegin(), records.rend(), record_);
        if (found != records.rend())
            records.erase(std::next(found).base());
    }
    InFlightScope(const InFlightScope&) = delete;
    InFlightScope& operator=(const InFlightScope&) = delete;

private:
    LPARAM record_;
};

bool Honoured(const ui::Message& message, ui::MessageSource source) {
    const WORD command = ui::SkinCommandOf(message);
    if (CommandUsesPointer(command))
        return source == ui::MessageSource::msThisThread && IsRecordInFlight(message.lParam);
    return true;
}

} // namespace

bool CommandUsesPointer(WORD command) {
    switch (command) {
    case SkinCmdSetSection:
    case SkinCmdSetSkinIndex:
    case SkinCmdAddChildren:
    case SkinCmdGetSkinIndex:
    case SkinCmdGetBackground:
    case SkinCmdGetSkinData:
    case SkinCmdSetPrintDC:
    case SkinCmdGetApplication:
        return true;
    default:
        return false;
    }
}

bool IsRecordInFlight(LPARAM value) {
    const auto& records = InFlight();
    return value != 0 && std::find(records.begin(), records.end(), value) != records.end();
}

LRESULT SendSkinCommand(ui::Control& target, WORD command, WORD argument, LPARAM value,
                        void* record) {
    InFlightScope scope(record);
    const LPARAM l_param = record ? reinterpret_cast<LPARAM>(record) : value;
    auto* windowed = dynamic_cast<ui::WinControl*>(&target);
    if (windowed && windowed->HandleAllocated())
        return SendMessageW(windowed->Handle(), ui::WM_SKINCOMMAND,
                            MakeSkinCommand(command, argument), l_param);
    return target.Perform(ui::WM_SKINCOMMAND, MakeSkinCommand(command, argument), l_param);
}

LRESULT SendSkinCommand(HWND target, WORD command, WORD argument, LPARAM value, void* record) {
    if (!target || !IsWindow(target))
        return 0;
    if (ui::WinControl* control = ui::WinControl::FromHandle(target))
        return SendSkinCommand(*control, command, argument, value, record);
    if (!IsSkinnedWindow(target))
        return 0;
    InFlightScope scope(record);
    return SendMessageW(target, ui::WM_SKINCOMMAND, MakeSkinCommand(command, argument),
                        record ? reinterpret_cast<LPARAM>(record) : value);
}

void RegisterSkinnedWindow(HWND window) {
    SkinnedWindows().insert(window);
}

void UnregisterSkinnedWindow(HWND window) {
    SkinnedWindows().erase(window);
}

bool IsSkinnedWindow(HWND window) {
    return SkinnedWindows().count(window) != 0;
}

const std::set<HWND>& RegisteredSkinnedWindows() {
    return SkinnedWindows();
}

void InstallSkinCommandGate() {
    ui::SetSkinCommandGate(Honoured);
}

} // namespace skin::engine
