#include "dialogs/path_dialog.h"

#include "core/file_system.h"
#include "dialogs/folder_rules.h"
#include "dialogs/message_dialogs.h"
#include "ui/application.h"
#include "ui/wide.h"

namespace dialogs {

namespace {

// The dialog's entries of the program's text table.
constexpr char16_t kCaption[] = u"Select directory";
constexpr char16_t kRootLabel[] = u"Root :";
constexpr char16_t kOk[] = u"OK";
constexpr char16_t kCancel[] = u"Cancel";
constexpr char16_t kCreate[] = u"Create";

constexpr int kRootButtonHeight = 70;
constexpr TacRootFolder kRootButtons[] = {TacRootFolder::rfDesktop, TacRootFolder::rfMyComputer,
                                          TacRootFolder::rfPersonal, TacRootFolder::rfNetwork};

template <class T>
T& Child(ui::WinControl& parent, const char16_t* name, ui::Bounds bounds) {
    T& control = ui::Make<T>(parent);
    control.SetName(name);
    control.SetParent(&parent);
    control.SetBounds(bounds);
    return control;
}

bool AnythingAt(const std::u16string& path) {
    return GetFileAttributesW(ui::Wide(path)) != INVALID_FILE_ATTRIBUTES;
}

bool DirectoryExists(const std::u16string& path) {
    return !path.empty() && core::SystemFileSystem().DirectoryExists(path);
}

} // namespace

TPathDialogForm::TPathDialogForm(ui::Component* owner)
    : Form(owner),
      sShellTreeView1(Child<TsShellTreeView>(*this, u"sShellTreeView1", {8, 20, 321, 319})),
      sBitBtn1(Child<skin::controls::TsBitBtn>(*this, u"sBitBtn1", {173, 344, 75, 25})),
      sBitBtn2(Child<skin::controls::TsBitBtn>(*this, u"sBitBtn2", {250, 344, 75, 25})),
      sBitBtn3(Child<skin::controls::TsBitBtn>(*this, u"sBitBtn3", {12, 344, 75, 25})),
      sLabel1(Child<ui::Label>(*this, u"sLabel1", {8, 3, 0, 0})),
      sScrollBox1(Child<ui::ScrollBox>(*this, u"sScrollBox1", {8, 20, 101, 318})),
      grip_(Child<ui::SizeGrip>(*this, u"SizeGrip", {0, 0, 0, 0})) {
    SetName(u"PathDialogForm");
    SetBounds({0, 0, 350, 420});
    SetBorderStyle(ui::BorderStyle::bsSizeable);
    SetBorderIcons(ui::biSystemMenu);
    SetPosition(ui::FormPosition::poScreenCenter);
    SetMinSize(275, 250);

    sShellTreeView1.SetTabOrder(0);
    sShellTreeView1.SetObjectTypes(otFolders | otHidden);
    sShellTreeView1.SetRoot(u"rfDesktop");
    sShellTreeView1.SetUseShellImages(true);
    sShellTreeView1.SetAutoRefresh(false);
    sShellTreeView1.SetShowExt(TacShowExtension::seSystem);
    sShellTreeView1.OnSelectionChanged = [this](HTREEITEM) { SelectionChanged(); };

    sBitBtn1.SetTabOrder(1);
    sBitBtn1.SetDefault(true);
    sBitBtn1.SetModalResult(ui::mrOk);
    sBitBtn1.OnClick = [this](ui::Control&) { OkClick(); };
    sBitBtn2.SetTabOrder(2);
    sBitBtn2.SetCancel(true);
    sBitBtn2.SetModalResult(ui::mrCancel);
    sBitBtn2.OnClick = [this](ui::Control&) { CancelClick(); };
    sBitBtn3.SetTabOrder(3);
    for (skin::controls::TsBitBtn* button : {&sBitBtn1, &sBitBtn2, &sBitBtn3})
        button->SetShowFocus(false);
    sBitBtn3.SetEnabled(false);
    sBitBtn3.OnClick = [this](ui::Control&) { CreateFolder(); };

    sLabel1.SetVisible(false);
    sScrollBox1.SetVisible(false);
    sScrollBox1.SetColor(ui::SystemColor(COLOR_APPWORKSPACE));
    int top = 0;
    for (TacRootFolder folder : kRootButtons) {
        TacRootButton& button = ui::Make<TacRootButton>(sScrollBox1, folder);
        button.SetParent(&sScrollBox1);
        button.SetBounds(
            {0, top, sScrollBox1.Width() - 4 - GetSystemMetrics(SM_CXVSCROLL), kRootButtonHeight});
        button.OnClick = [this, folder](ui::Control&) {
            sShellTreeView1.SetRoot(RootFolderName(folder));
        };
        root_buttons_.push_back(&button);
        top += kRootButtonHeight;
    }

    MakeDirectory = [](const std::u16string& path) {
        return CreateDirectoryW(ui::Wide(path), nullptr) != FALSE;
    };
    SetCaptions();
    FinishCreation();
}

TPathDialogForm::~TPathDialogForm() {
    // The tree's last notifications must not reach a form that is going away.
    sShellTreeView1.OnSelectionChanged = nullptr;
}

void TPathDialogForm::SetCaptions() {
    SetText(kCaption);
    sLabel1.SetText(kRootLabel);
    sBitBtn1.SetText(kOk);
    sBitBtn2.SetText(kCancel);
    sBitBtn3.SetText(kCreate);
}

void TPathDialogForm::ShowRootButtons(bool show) {
    sLabel1.SetVisible(show);
    if (show == root_buttons_shown_)
        return;
    root_buttons_shown_ = show;
    sScrollBox1.SetVisible(show);
    const int shift = (sScrollBox1.Width() + 4) * (show ? 1 : -1);
    for (ui::Control* control :
         {static_cast<ui::Control*>(&sShellTreeView1), static_cast<ui::Control*>(&sBitBtn1),
          static_cast<ui::Control*>(&sBitBtn2)}) {
        ui::Bounds bounds = control->GetBounds();
        bounds.left += shift;
        control->SetBounds(bounds);
    }
    const int grow = (sScrollBox1.Width() + GetSystemMetrics(SM_CXSIZEFRAME) + 4) * (show ? 1 : -1);
    ui::Bounds bounds = GetBounds();
    bounds.width += grow;
    SetBounds(bounds);
    sScrollBox1.UpdateScrollRange();
}

void TPathDialogForm::FixAnchors() {
    // The distances to the edges are those of the real window, whatever its frame.
    Handle();
    sShellTreeView1.SetAnchors(ui::akLeft | ui::akTop | ui::akRight | ui::akBottom);
    sScrollBox1.SetAnchors(ui::akLeft | ui::akTop | ui::akBottom);
    sBitBtn1.SetAnchors(ui::akRight | ui::akBottom);
    sBitBtn2.SetAnchors(ui::akRight | ui::akBottom);
    sBitBtn3.SetAnchors(ui::akLeft | ui::akBottom);
    grip_.Dock();
}

void TPathDialogForm::SelectionChanged() {
    const bool existing = DirectoryExists(sShellTreeView1.Path());
    sBitBtn1.SetEnabled(existing);
    sBitBtn3.SetEnabled(existing);
}

void TPathDialogForm::OkClick() {
    if (!sShellTreeView1.IsEditing())
        return;
    // Enter while a name is being typed accepts the name; the dialog stays.
    SetModalResult(ui::mrNone);
    sShellTreeView1.EndEditing(false);
    sShellTreeView1.SetFocus();
}

void TPathDialogForm::CancelClick() {
    if (!sShellTreeView1.IsEditing())
        return;
    SetModalResult(ui::mrNone);
    sShellTreeView1.EndEditing(true);
    sShellTreeView1.SetFocus();
}

void TPathDialogForm::CreateFolder() {
    HTREEITEM selected = sShellTreeView1.Selected();
    TacShellFolder* folder = sShellTreeView1.FolderOf(selected);
    if (!folder)
        return;
    const std::u16string parent = CreationFolder(folder->PathName());
    const std::u16string path = FirstFreeNewFolder(parent, AnythingAt);
    if (path.empty() || !MakeDirectory(path) || !DirectoryExists(path)) {
        ReportCannotCreate(path.empty() ? parent : path);
        return;
    }
    HTREEITEM fresh = sShellTreeView1.RefreshNode(selected);
    HTREEITEM created = fresh ? sShellTreeView1.FindChildByPath(fresh, path) : nullptr;
    if (!created)
        return;
    sShellTreeView1.SelectItem(created);
    sShellTreeView1.SetFocus();
    sShellTreeView1.ExpandItem(created);
    sShellTreeView1.EditItem(created);
    sShellTreeView1.SetPath(path);
}

void TPathDialogForm::ReportCannotCreate(const std::u16string& path) {
    // Through the program's message box routine, so that it is dressed and placed like every
    // other box.
    MessageBoxRequest request;
    request.text = u"Directory " + path + u" can`t be created!";
    request.type = TMsgDlgType::mtError;
    request.buttons = mbOK;
    request.help_context = 0;
    ShowMessageBox(request);
}

} // namespace dialogs
