#pragma once

// Ownership and the life cycle of everything on a form: an owner destroys what it owns (the
// last created first), components know whether they are being loaded or destroyed, and each
// gets a Loaded call once its form has been built.

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ui {

class Component {
public:
    explicit Component(Component* owner);
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    virtual ~Component();

    Component* Owner() const { return owner_; }
    const std::vector<Component*>& Components() const { return components_; }

    const std::u16string& Name() const { return name_; }
    void SetName(std::u16string name) { name_ = std::move(name); }

    bool Loading() const { return loading_; }
    bool Destroying() const { return destroying_; }

    // Ends the loading state of this component and of everything it owns, owned ones first,
    // each with a call to Loaded.
    void FinishLoading();

protected:
    // Called once all components of the form exist and their properties are set.
    virtual void Loaded() {}
    // Marks the start of destruction so that handlers running meanwhile can tell.
    void BeginDestroy() { destroying_ = true; }

private:
    Component* owner_;
    std::vector<Component*> components_;
    std::u16string name_;
    bool loading_ = true;
    bool destroying_ = false;
};

// Creates a component owned by `owner`, which destroys it: the framework's way of building a
// form from code.
template <class T, class... Args>
T& Make(Component& owner, Args&&... args) {
    return *new T(&owner, std::forward<Args>(args)...);
}

} // namespace ui
