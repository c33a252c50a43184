#pragma once

// The one gate every WM_SKINCOMMAND passes on its way from the platform into a framework
// control or a WindowSubclass handler. The framework says where the message came from; the
// skin engine installs the rules that say which commands it honours from there (a command that
// reads through LParam only from our own thread, and only with a record the engine itself has
// in flight). A refused command reaches no handler: a framework control answers 0, a foreign
// window under a WindowSubclass gets it as its own message (some use $A100 themselves).
//
// Commands performed directly on a control (Control::Perform) never pass the gate: they come
// from this program's own code.

#include "ui/message.h"

#include <functional>

namespace ui {

enum class MessageSource {
    msThisThread,  // sent by this thread, or posted and dispatched by a loop we do not run
    msPosted,      // posted to the queue and dispatched by the application's message loop
    msOtherThread, // sent by another thread or another process
};

using SkinCommandGate = std::function<bool(const Message& message, MessageSource source)>;

// Replaces the rules; none restores the framework's own: posted commands and commands from
// other threads are refused, this thread's are honoured.
void SetSkinCommandGate(SkinCommandGate gate);
bool SkinCommandAllowed(const Message& message, MessageSource source);
// Where the message now being handled by a window procedure came from.
MessageSource CurrentMessageSource(HWND window, const Message& message);

// Marks a posted message while the application's loop dispatches it.
class PostedMessageScope {
public:
    explicit PostedMessageScope(const MSG& msg);
    ~PostedMessageScope();
    PostedMessageScope(const PostedMessageScope&) = delete;
    PostedMessageScope& operator=(const PostedMessageScope&) = delete;

private:
    const MSG* previous_;
};

} // namespace ui
