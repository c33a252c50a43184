#pragma once

// The folder picker: a resizable modal dialog with the shell namespace as a tree, "OK",
// "Cancel" and "Create" (a new folder inside the selected one, named in place at once), and an
// optional column of buttons for the tree's root.

#include "dialogs/root_button.h"
#include "dialogs/shell_tree_view.h"
#include "skin/controls/skin_button.h"
#include "ui/controls/button.h"
#include "ui/controls/label.h"
#include "ui/controls/scroll_box.h"
#include "ui/controls/size_grip.h"
#include "ui/form.h"

#include <functional>
#include <string>
#include <vector>

namespace dialogs {

class TPathDialogForm : public ui::Form {
public:
    explicit TPathDialogForm(ui::Component* owner);
    ~TPathDialogForm() override;
    std::u16string_view ClassName() const override { return u"TPathDialogForm"; }

    TsShellTreeView& sShellTreeView1;
    skin::controls::TsBitBtn& sBitBtn1; // OK
    skin::controls::TsBitBtn& sBitBtn2; // Cancel
    skin::controls::TsBitBtn& sBitBtn3; // Create
    ui::Label& sLabel1;                 // "Root :"
    ui::ScrollBox& sScrollBox1;

    // The skin section the form will be drawn with once a skin is active.
    const std::u16string& SkinSection() const { return skin_section_; }

    // Takes the captions from the program's text table.
    void SetCaptions();
    // Shows the column of root buttons, moving the tree and growing the dialog to make room;
    // without them the "Root :" label is hidden.
    void ShowRootButtons(bool show);
    // Pins the controls to the edges they follow when the dialog is resized.
    void FixAnchors();

    // "Create": makes New folder<n> inside the selected folder and starts naming it.
    void CreateFolder();
    // How "Create" makes a directory; true when it did. Tests replace it.
    std::function<bool(const std::u16string& path)> MakeDirectory;

private:
    void SelectionChanged();
    void OkClick();
    void CancelClick();
    void ReportCannotCreate(const std::u16string& path);

    ui::SizeGrip& grip_;
    std::vector<TacRootButton*> root_buttons_;
    bool root_buttons_shown_ = false;
    std::u16string skin_section_ = u"DIALOG";
};

} // namespace dialogs
