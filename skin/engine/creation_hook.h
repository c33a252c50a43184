#pragma once

// The window-creation watch of the GUI thread: a WH_CBT hook that reports every window the
// thread creates, activates or destroys to the rules registered here, so that windows the
// program did not build itself (platform dialogs, message boxes, popup menus, forms built at
// run time) can be dressed by the skin. The default skin manager installs the hook while a
// skin is active and removes it when skinning stops; rules register once and stay.
//
// The hook always hands the event on (CallNextHookEx), lets no exception out (an error goes to
// the trace as `hook-error`) and may be re-entered: a rule that creates windows, or a modal
// loop run from inside a rule, reports its own events while the outer one is being handled.
// Rules registered or removed during an event take effect from the next event.

#include <functional>
#include <string>
#include <string_view>
#include <windows.h>

namespace skin::engine {

struct CreationRule {
    // Only windows of this class, compared without case ("#32770" for dialogs, "#32768" for
    // popup menus); empty for every window.
    std::u16string ClassName;
    // HCBT_CREATEWND: the window exists, its children do not yet and it has seen no message.
    std::function<void(HWND window)> Created;
    // HCBT_ACTIVATE: the window is about to become the active window.
    std::function<void(HWND window)> Activated;
    // HCBT_DESTROYWND: the window is about to be destroyed.
    std::function<void(HWND window)> Destroyed;
    // The hook is coming off: whatever the rule attached to the windows it saw is to go too.
    std::function<void()> HookRemoved;
};

// Keeps a rule registered; destroying it, or Remove(), takes the rule out.
class CreationRuleHandle {
public:
    CreationRuleHandle() = default;
    explicit CreationRuleHandle(unsigned long long id) : id_(id) {}
    ~CreationRuleHandle() { Remove(); }
    CreationRuleHandle(CreationRuleHandle&& other) noexcept : id_(other.id_) { other.id_ = 0; }
    CreationRuleHandle& operator=(CreationRuleHandle&& other) noexcept;
    CreationRuleHandle(const CreationRuleHandle&) = delete;
    CreationRuleHandle& operator=(const CreationRuleHandle&) = delete;

    void Remove();
    bool Registered() const { return id_ != 0; }

private:
    unsigned long long id_ = 0;
};

[[nodiscard]] CreationRuleHandle RegisterCreationRule(CreationRule rule);

// Installs the hook for the calling thread; true when it is installed (also when it was).
bool InstallCreationHook();
// Removes it and tells every rule (HookRemoved). Safe from inside a rule.
void RemoveCreationHook();
bool CreationHookInstalled();

// The class name of a window as the platform reports it ("#32770", "Button").
std::u16string WindowClassName(HWND window);
// Class names compared without case (ASCII letters only, as the platform's class names are).
bool SameClassName(std::u16string_view a, std::u16string_view b);

} // namespace skin::engine
