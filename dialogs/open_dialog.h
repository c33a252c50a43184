#pragma once

// The platform's open-file dialog as a component of a form: a filter, an initial directory
// and options set beforehand, the chosen file read afterwards.

#include "ui/component.h"

#include <string>

namespace dialogs {

enum TOpenOption : unsigned {
    ofHideReadOnly = 1u << 0,
    ofEnableSizing = 1u << 1,
    ofFileMustExist = 1u << 2,
    ofPathMustExist = 1u << 3,
    ofNoChangeDir = 1u << 4,
};
using TOpenOptions = unsigned;

class TsOpenDialog : public ui::Component {
public:
    explicit TsOpenDialog(ui::Component* owner);
    std::u16string_view ClassName() const override { return u"TsOpenDialog"; }

    // Captions and patterns in pairs, separated by bars: "Arbordir Files|*.arbordir".
    void SetFilter(std::u16string filter) { filter_ = std::move(filter); }
    const std::u16string& Filter() const { return filter_; }
    void SetInitialDir(std::u16string directory) { initial_dir_ = std::move(directory); }
    const std::u16string& InitialDir() const { return initial_dir_; }
    // Empty: the platform's own title.
    void SetTitle(std::u16string title) { title_ = std::move(title); }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions options) { options_ = options; }

    // Shows the dialog modally, owned by the active form; true when the user chose a file,
    // whose full name is then FileName().
    bool Execute();
    const std::u16string& FileName() const { return file_name_; }

private:
    std::u16string filter_;
    std::u16string initial_dir_;
    std::u16string title_;
    std::u16string file_name_;
    TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
};

} // namespace dialogs
