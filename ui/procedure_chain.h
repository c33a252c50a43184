#pragma once

// A window procedure made of layers. Each layer sees a message before the layers added earlier
// and hands on what it does not consume with `next`; the base procedure (a control's WndProc,
// DefWindowProc) sits below them all.
//
// Layers come and go while messages run: a skin provider created on demand puts itself in
// front of a form and is freed or replaced later, maybe from inside its own procedure. Removing
// a layer while any layer of the chain runs therefore only marks it (it is skipped from then
// on, its procedure stays alive), and it is unlinked when the outermost dispatch returns.
//
//      Add(C) ─> [C] ─next─> [B] ─next─> [A] ─next─> base
//
// Adding returns a ProcedureLayer handle that removes the layer when it is destroyed; a handle
// whose chain went first does nothing.

#include "ui/message.h"

#include <cstdint>
#include <functional>
#include <list>
#include <memory>

namespace ui {

class ProcedureLayer;

class ProcedureChain : public std::enable_shared_from_this<ProcedureChain> {
    struct Entry;
    using Position = std::list<Entry>::iterator;

public:
    // Hands a message to the layers below the one running; valid only during that call.
    class Next {
    public:
        void operator()(Message& message) const { chain_.CallFrom(from_, message); }

    private:
        friend class ProcedureChain;
        Next(ProcedureChain& chain, Position from) : chain_(chain), from_(from) {}
        ProcedureChain& chain_;
        Position from_;
    };

    using Layer = std::function<void(Message& message, const Next& next)>;
    using Base = std::function<void(Message& message)>;

    static std::shared_ptr<ProcedureChain> Create(Base base);
    ProcedureChain(const ProcedureChain&) = delete;
    ProcedureChain& operator=(const ProcedureChain&) = delete;

    // Runs the message through every live layer, outermost first, and the base.
    void Dispatch(Message& message);
    // Puts a layer in front of all others. It sees the messages dispatched from now on; a
    // dispatch already running below the front does not reach it.
    [[nodiscard]] ProcedureLayer Add(Layer layer);
    // The layers not removed.
    std::size_t LayerCount() const;
    bool Dispatching() const { return depth_ > 0; }

private:
    friend class ProcedureLayer;
    struct Entry {
        std::uint64_t id;
        Layer layer;
        bool removed = false;
    };

    explicit ProcedureChain(Base base) : base_(std::move(base)) {}
    void CallFrom(Position position, Message& message);
    void Remove(std::uint64_t id);
    bool Contains(std::uint64_t id) const;
    void UnlinkRemoved();

    Base base_;
    std::list<Entry> entries_; // the front is the outermost layer
    int depth_ = 0;
    std::uint64_t next_id_ = 1;
};

class ProcedureLayer {
public:
    ProcedureLayer() = default;
    ~ProcedureLayer() { Remove(); }
    ProcedureLayer(ProcedureLayer&& other) noexcept;
    ProcedureLayer& operator=(ProcedureLayer&& other) noexcept;
    ProcedureLayer(const ProcedureLayer&) = delete;
    ProcedureLayer& operator=(const ProcedureLayer&) = delete;

    // Takes the layer out of its chain (at once, or when the running dispatch returns).
    void Remove();
    // The layer is in a chain and not removed.
    bool Attached() const;

private:
    friend class ProcedureChain;
    ProcedureLayer(std::weak_ptr<ProcedureChain> chain, std::uint64_t id)
        : chain_(std::move(chain)), id_(id) {}

    std::weak_ptr<ProcedureChain> chain_;
    std::uint64_t id_ = 0;
};

} // namespace ui
