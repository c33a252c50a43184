#pragma once

// The destination field: a combo edit whose button (or Alt+Down) opens the folder picker on
// the field's folder and writes the chosen folder back.

#include "dialogs/file_dir_edit.h"

#include <functional>
#include <memory>

namespace dialogs {

class TPathDialogForm;

enum TsDialogOption : unsigned { sdAllowCreate = 1, sdPerformCreate = 2, sdPrompt = 4 };

class TsDirectoryEdit : public TsFileDirEdit {
public:
    explicit TsDirectoryEdit(ui::Component* owner);
    std::u16string_view ClassName() const override { return u"TsDirectoryEdit"; }

    const std::u16string& InitialDir() const { return initial_dir_; }
    void SetInitialDir(std::u16string dir) { initial_dir_ = std::move(dir); }
    unsigned DialogOptions() const { return dialog_options_; }
    void SetDialogOptions(unsigned options) { dialog_options_ = options; }
    const std::u16string& DialogText() const { return dialog_text_; }
    void SetDialogText(std::u16string text) { dialog_text_ = std::move(text); }
    bool NoChangeDir() const { return no_change_dir_; }
    void SetNoChangeDir(bool no_change) { no_change_dir_ = no_change; }
    const std::u16string& Root() const { return root_; }
    void SetRoot(std::u16string root) { root_ = std::move(root); }
    bool ShowRootBtns() const { return show_root_btns_; }
    void SetShowRootBtns(bool show) { show_root_btns_ = show; }

    // Opens the picker and writes the choice back (see the .cpp for the steps).
    void ButtonClick() override;
    void ReceptFileDir(const std::u16string& name) override;

    // Called with the picker once it is set up, just before it is shown: lets tests and
    // callers look at the live dialog.
    std::function<void(TPathDialogForm& picker)> OnPickerReady;

private:
    std::u16string initial_dir_;
    unsigned dialog_options_ = sdAllowCreate | sdPerformCreate | sdPrompt;
    std::u16string dialog_text_;
    bool no_change_dir_ = false;
    std::u16string root_ = u"rfDesktop";
    bool show_root_btns_ = false;
};

} // namespace dialogs
