#pragma once

// The skinned frame of the program's forms: title band, borders, shadow and title buttons from
// the internal skin that the program carries as a resource.

#include "skin/windows/frame_skin_source.h"

namespace ui {
class Form;
class TreeView;
} // namespace ui

namespace app {

// The internal skin, loaded from the program's resources on first use; null when it cannot be
// read (the error has been shown then, and the forms keep the platform's frame).
const skin::windows::FrameSkinSource* InternalFrameSkin();

// Gives the form a skin provider. Dialog forms take the "DIALOG" section, no icon and the skin's
// grip.
void DressForm(ui::Form& form, bool dialog);

// Gives the tree view the skin's colours, scroll bars and selection.
void DressTreeView(ui::TreeView& tree);

} // namespace app
