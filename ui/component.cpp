#include "ui/component.h"

#include <algorithm>

namespace ui {

Component::Component(Component* owner) : owner_(owner) {
    if (owner_)
        owner_->components_.push_back(this);
}

Component::~Component() {
    DestroyComponents();
    if (owner_) {
        auto& siblings = owner_->components_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void Component::DestroyComponents() {
    destroying_ = true;
    while (!components_.empty()) {
        Component* last = components_.back();
        // The owned component unregisters itself from this list in its destructor.
        last->destroying_ = true;
        delete last;
    }
}

void Component::FinishLoading() {
    for (Component* component : std::vector<Component*>(components_))
        component->FinishLoading();
    if (loading_) {
        loading_ = false;
        Loaded();
    }
}

} // namespace ui
