#include "ui/skin_command_gate.h"

namespace ui {

namespace {

SkinCommandGate g_gate;
// The posted message the application's loop is dispatching, until a window procedure took it.
const MSG* g_posted = nullptr;

bool DefaultRule(MessageSource source) {
    return source == MessageSource::msThisThread;
}

} // namespace

void SetSkinCommandGate(SkinCommandGate gate) {
    g_gate = std::move(gate);
}

bool SkinCommandAllowed(const Message& message, MessageSource source) {
    return g_gate ? g_gate(message, source) : DefaultRule(source);
}

MessageSource CurrentMessageSource(HWND window, const Message& message) {
    if (InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK))
        return MessageSource::msOtherThread;
    if (g_posted && g_posted->hwnd == window && g_posted->message == message.msg &&
        g_posted->wParam == message.wParam && g_posted->lParam == message.lParam) {
        g_posted = nullptr; // whatever this handler sends on comes from this thread
        return MessageSource::msPosted;
    }
    return MessageSource::msThisThread;
}

PostedMessageScope::PostedMessageScope(const MSG& msg) : previous_(g_posted) {
    g_posted = &msg;
}

PostedMessageScope::~PostedMessageScope() {
    g_posted = previous_;
}

} // namespace ui
