#pragma once

// Ownership and the life cycle of everything on a form: an owner destroys what it owns (the
// last created first), components know whether they are being loaded or destroyed, and each
// gets a Loaded call once its form has been built.
//
// Owned components go at the start of the owner's destruction, while the owner is still whole:
// the framework's controls and forms destroy them first thing in their destructors, so that a
// skin provider owned by a form takes its procedure layer off a form that still has its window.
// A class whose own members its owned components need calls DestroyComponents() first thing in
// its destructor.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
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
    // The class's name as the skin engine's lists of control classes spell it ("TButton"); each
    // class names itself, so that a derived class is never taken for its base.
    virtual std::u16string_view ClassName() const { return u"TComponent"; }
    // A number for the user's own purposes; the skin engine leaves controls tagged -98 alone.
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

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
    // Destroys what this component owns, the last created first. Marks this one as being
    // destroyed; does nothing the second time.
    void DestroyComponents();

private:
    Component* owner_;
    std::vector<Component*> components_;
    std::u16string name_;
    std::intptr_t tag_ = 0;
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
