#pragma once

// The program's skin: the skin manager with the main window's settings and the internal skin
// it carries as a resource, and the skinned frame every form of the program wears.

namespace ui {
class Component;
class Form;
class TreeView;
class WinControl;
} // namespace ui
namespace skin::engine {
class TsSkinManager;
}
namespace skin::data {
class LoadedSkin;
}

namespace app {

// The main window's skin manager, "Glacier (internal)" loaded (or, when a package of that name
// waits in the skin folder, that package).
skin::engine::TsSkinManager& CreateSkinManager(ui::Component& owner);

// The default manager's skin, or null without one. The program's controls paint with it.
const skin::data::LoadedSkin* CurrentSkin();

// Gives the form a skin provider painting with the default manager's skin. Dialog forms take
// the "DIALOG" section, no icon and the skin's grip.
void DressForm(ui::Form& form, bool dialog);

// Gives the tree view the skin's colours, scroll bars and selection.
void DressTreeView(ui::TreeView& tree);

// Gives an edit field the skin's EDIT border, hot while it has the focus or the mouse.
void DressEdit(ui::WinControl& edit);

// Gives a scrolling control (the picker's column of root buttons) the skin's scroll bars.
void DressScrollBars(ui::WinControl& control);

} // namespace app
