#pragma once

// The main window: the folder tree, the template and scan buttons, the destination field,
// "Create Folders" and the maker's link.

#include "app/folder_tree_view.h"
#include "app/name_marks.h"
#include "core/folder_creation.h"
#include "core/folder_tree.h"
#include "dialogs/directory_edit.h"
#include "dialogs/open_dialog.h"
#include "skin/controls/alpha_image_list.h"
#include "skin/controls/label_fx.h"
#include "skin/controls/skin_button.h"
#include "skin/controls/skin_speed_button.h"
#include "skin/engine/skin_manager.h"
#include "ui/controls/button.h"
#include "ui/controls/tree_view.h"
#include "ui/form.h"

#include <commctrl.h>
#include <memory>
#include <string>

namespace app {

class TForm1 : public ui::Form {
public:
    TForm1(ui::Component* owner, std::u16string destination);
    ~TForm1() override;
    std::u16string_view ClassName() const override { return u"TForm1"; }

    core::FolderTree& Tree() { return tree_; }
    void WndProc(ui::Message& message) override;

    // The work behind the commands, without their dialogs, each with the busy cursor and the
    // view brought up to date once. Loading replaces the tree with the template's, and the
    // tree is shown fully expanded; a scan does the same with the folders below `folder`.
    void LoadTemplate(const std::u16string& file);
    void ScanFolder(const std::u16string& folder);
    // Creates the folders below the destination as `names` checked them; the caption says how
    // far it got meanwhile.
    core::CreationReport MakeFolders(const std::u16string& destination,
                                     const core::NameCheck& names);

    skin::controls::TsSpeedButton& LoadTpl;
    skin::controls::TsSpeedButton& SaveTemplate;
    skin::controls::TsSpeedButton& scan;
    skin::controls::TsLabelFX& sLabelFX1;
    ui::TreeView& TreeView1;
    skin::controls::TsButton& CreateFolders;
    dialogs::TsDirectoryEdit& sDirectoryEdit1;
    dialogs::TsDirectoryEdit& sDirectoryEdit2;
    dialogs::TsOpenDialog& sOpenDialog1;
    skin::engine::TsSkinManager& sSkinManager1;

protected:
    // Tab and Enter, wherever the focus is: they add a folder to the tree and are then let go
    // on to the focused control as ordinary keys. Neither moves the focus or presses a button.
    void CMDialogKey(ui::Message& message) override;

private:
    // The destination field and the scan command's hidden picker.
    void ConfigureDirectoryEdits();
    void FormCreate();
    void TreeView1KeyDown(WORD& key);
    void TreeView1Edited(core::FolderNode& node);
    void CreateFoldersClick();
    void LoadTplClick();
    void SaveTemplateClick();
    void scanClick();
    void sLabelFX1Click();
    // The marks of the names are checked again once the changes in hand are done.
    void ScheduleNameCheck();
    void CheckNames();

    std::u16string destination_;
    core::FolderTree tree_;
    // The tree's pictures, in the order of FolderImage.
    skin::controls::TsAlphaImageList sAlphaImageList1;
    std::unique_ptr<FolderTreeView> tree_view_;
    std::unique_ptr<NameMarks> name_marks_;
    bool name_check_posted_ = false;
    bool editor_searched_ = false;
};

} // namespace app
