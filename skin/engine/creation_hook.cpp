#include "skin/engine/creation_hook.h"

#include "ui/trace.h"

#include <memory>
#include <vector>

namespace skin::engine {

namespace {

struct RuleEntry {
    unsigned long long id = 0;
    CreationRule rule;
    bool removed = false;
};

// One GUI thread: the rules and the hook live in this thread's globals.
std::vector<std::shared_ptr<RuleEntry>>& Rules() {
    static std::vector<std::shared_ptr<RuleEntry>> rules;
    return rules;
}

unsigned long long g_next_id = 1;
HHOOK g_hook = nullptr;

const std::function<void(HWND)>& CallbackFor(const CreationRule& rule, int code) {
    switch (code) {
    case HCBT_CREATEWND:
        return rule.Created;
    case HCBT_ACTIVATE:
        return rule.Activated;
    default:
        return rule.Destroyed;
    }
}

void Report(int code, HWND window) {
    // A snapshot: rules may come and go while one of them runs, and the events of nested
    // creations arrive from inside this loop.
    const std::vector<std::shared_ptr<RuleEntry>> rules = Rules();
    std::u16string class_name;
    bool class_read = false;
    for (const std::shared_ptr<RuleEntry>& entry : rules) {
        if (entry->removed)
            continue;
        const std::function<void(HWND)>& callback = CallbackFor(entry->rule, code);
        if (!callback)
            continue;
        if (!entry->rule.ClassName.empty()) {
            if (!class_read) {
                class_name = WindowClassName(window);
                class_read = true;
            }
            if (!SameClassName(class_name, entry->rule.ClassName))
                continue;
        }
        try {
            callback(window);
        } catch (...) {
            if (ui::TraceOn())
                ui::TraceLine(u"CreationHook", "hook-error", code, 0);
        }
    }
}

LRESULT CALLBACK CbtProcedure(int code, WPARAM wParam, LPARAM lParam) {
    const HHOOK hook = g_hook;
    if (code == HCBT_CREATEWND || code == HCBT_ACTIVATE || code == HCBT_DESTROYWND) {
        try {
            Report(code, reinterpret_cast<HWND>(wParam));
        } catch (...) {
            // Nothing may leave a hook procedure: the platform would unwind through itself.
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

} // namespace

CreationRuleHandle& CreationRuleHandle::operator=(CreationRuleHandle&& other) noexcept {
    if (this != &other) {
        Remove();
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

void CreationRuleHandle::Remove() {
    if (!id_)
        return;
    auto& rules = Rules();
    for (auto it = rules.begin(); it != rules.end(); ++it) {
        if ((*it)->id == id_) {
            // A snapshot being walked may still hold the entry: mark it so it is skipped.
            (*it)->removed = true;
            rules.erase(it);
            break;
        }
    }
    id_ = 0;
}

CreationRuleHandle RegisterCreationRule(CreationRule rule) {
    auto entry = std::make_shared<RuleEntry>();
    entry->id = g_next_id++;
    entry->rule = std::move(rule);
    Rules().push_back(entry);
    return CreationRuleHandle(entry->id);
}

bool InstallCreationHook() {
    if (!g_hook)
        g_hook = SetWindowsHookExW(WH_CBT, CbtProcedure, nullptr, GetCurrentThreadId());
    return g_hook != nullptr;
}

void RemoveCreationHook() {
    if (!g_hook)
        return;
    UnhookWindowsHookEx(g_hook);
    g_hook = nullptr;
    const std::vector<std::shared_ptr<RuleEntry>> rules = Rules();
    for (const std::shared_ptr<RuleEntry>& entry : rules) {
        if (entry->removed || !entry->rule.HookRemoved)
            continue;
        try {
            entry->rule.HookRemoved();
        } catch (...) {
            if (ui::TraceOn())
                ui::TraceLine(u"CreationHook", "hook-error", -1, 0);
        }
    }
}

bool CreationHookInstalled() {
    return g_hook != nullptr;
}

std::u16string WindowClassName(HWND window) {
    wchar_t buffer[256] = {};
    const int length = GetClassNameW(window, buffer, 256);
    if (length <= 0)
        return {};
    return std::u16string(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(length));
}

bool SameClassName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    const auto lower = [](char16_t c) {
        return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
    };
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

} // namespace skin::engine
