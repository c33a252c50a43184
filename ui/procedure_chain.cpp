#include "ui/procedure_chain.h"

#include <algorithm>

namespace ui {

std::shared_ptr<ProcedureChain> ProcedureChain::Create(Base base) {
    return std::shared_ptr<ProcedureChain>(new ProcedureChain(std::move(base)));
}

void ProcedureChain::Dispatch(Message& message) {
    // The owner of the chain may go while a layer runs; the chain itself stays until the end.
    const std::shared_ptr<ProcedureChain> keep = shared_from_this();
    struct Depth {
        ProcedureChain& chain;
        explicit Depth(ProcedureChain& c) : chain(c) { ++chain.depth_; }
        ~Depth() {
            if (--chain.depth_ == 0)
                chain.UnlinkRemoved();
        }
    } depth(*this);
    CallFrom(entries_.begin(), message);
}

void ProcedureChain::CallFrom(Position position, Message& message) {
    while (position != entries_.end() && position->removed)
        ++position;
    if (position == entries_.end()) {
        if (base_)
            base_(message);
        return;
    }
    // A copy of the iterator, not of the procedure: the entry stays linked while we run.
    position->layer(message, Next(*this, std::next(position)));
}

ProcedureLayer ProcedureChain::Add(Layer layer) {
    const std::uint64_t id = next_id_++;
    entries_.push_front(Entry{id, std::move(layer)});
    return ProcedureLayer(weak_from_this(), id);
}

void ProcedureChain::Remove(std::uint64_t id) {
    auto entry =
        std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (entry == entries_.end())
        return;
    if (depth_ > 0) {
        entry->removed = true;
        return;
    }
    // Destroyed outside the list: a procedure's captures may remove other layers meanwhile.
    std::list<Entry> gone;
    gone.splice(gone.begin(), entries_, entry);
}

bool ProcedureChain::Contains(std::uint64_t id) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [id](const Entry& e) { return e.id == id && !e.removed; });
}

std::size_t ProcedureChain::LayerCount() const {
    return static_cast<std::size_t>(
        std::count_if(entries_.begin(), entries_.end(), [](const Entry& e) { return !e.removed; }));
}

void ProcedureChain::UnlinkRemoved() {
    std::list<Entry> gone;
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        auto following = std::next(entry);
        if (entry->removed)
            gone.splice(gone.end(), entries_, entry);
        entry = following;
    }
}

ProcedureLayer::ProcedureLayer(ProcedureLayer&& other) noexcept
    : chain_(std::move(other.chain_)), id_(other.id_) {
    other.id_ = 0;
}

ProcedureLayer& ProcedureLayer::operator=(ProcedureLayer&& other) noexcept {
    if (this != &other) {
        Remove();
        chain_ = std::move(other.chain_);
        id_ = other.id_;
        other.id_ = 0;
    }
    return *this;
}

void ProcedureLayer::Remove() {
    if (id_ == 0)
        return;
    const std::uint64_t id = id_;
    id_ = 0;
    if (std::shared_ptr<ProcedureChain> chain = chain_.lock())
        chain->Remove(id);
    chain_.reset();
}

bool ProcedureLayer::Attached() const {
    const std::shared_ptr<ProcedureChain> chain = chain_.lock();
    return id_ != 0 && chain && chain->Contains(id_);
}

} // namespace ui
