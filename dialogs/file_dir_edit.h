#pragma once

// A combo edit for file system names: events around its dialog and names dropped from the
// shell.

#include "dialogs/combo_edit.h"

#include <shellapi.h>

namespace dialogs {

// Sender, the name (which the handler may change) and whether to go on (likewise).
using TExecOpenDialogEvent =
    std::function<void(ui::Control& sender, std::u16string& name, bool& action)>;

class TsFileDirEdit : public TsCustomComboEdit {
public:
    TsFileDirEdit(ui::Component* owner, int default_glyph);
    std::u16string_view ClassName() const override { return u"TsFileDirEdit"; }

    bool AcceptFiles() const { return accept_files_; }
    void SetAcceptFiles(bool accept);
    bool MultipleDirs() const { return multiple_dirs_; }
    void SetMultipleDirs(bool multiple) { multiple_dirs_ = multiple; }

    TExecOpenDialogEvent OnBeforeDialog;
    TExecOpenDialogEvent OnAfterDialog;
    std::function<void(ui::Control&)> OnDropFiles;

    // Takes one dropped name into the field.
    virtual void ReceptFileDir(const std::u16string& name) = 0;

    void WndProc(ui::Message& message) override;

protected:
    void HandleCreated() override;

private:
    void DropFiles(HDROP drop);

    bool accept_files_ = false;
    bool multiple_dirs_ = false;
};

} // namespace dialogs
