// The copy dialog: target folder, folder browser, existence test and the shell copy.
#include "search/copy_dialog_win.h"

#include <shellapi.h>

#include "ui/application_win.h"

namespace tikora {

namespace {

constexpr const char* kSection = "EditTexts";
constexpr const char* kDefaultTarget = "C:\\";

// The name of the entry a directory search finds for exactly this path, or nullopt.
std::optional<std::string> FoundName(const std::string& path) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return std::nullopt;
    FindClose(find);
    return std::string(data.cFileName);
}

}  // namespace

std::string AlreadyContainsText(const std::string& name) {
    return "This folder already contains a file named \"" + name + "\"";
}

int ShellFileCopier::Copy(const std::string& source, const std::string& targetFolder) {
    // Lists of one name: each ends with a second NUL.
    const std::string from = source + '\0';
    const std::string to = targetFolder + '\0';
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = nullptr;
    operation.wFunc = FO_COPY;
    operation.pFrom = from.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_NOCONFIRMATION | FOF_ALLOWUNDO;
    return SHFileOperationA(&operation);
}

CopyDialog::CopyDialog(ui::FormName name, CopyDialogText text, SettingsStore& settings, CopyDialogSystem system)
    : ui::Form(ui::FormSpec{.className = name.className,
                            .caption = name.caption,
                            .border = ui::BorderStyle::Dialog,
                            .clientWidth = 247,
                            .clientHeight = 70}),
      text_(text),
      settings_(settings),
      system_(std::move(system)) {
    if (!system_.browser) system_.browser = &systemBrowser_;
    if (!system_.copier) system_.copier = &systemCopier_;
}

CopyDialog::~CopyDialog() { Destroy(); }

void CopyDialog::OnCreate() {
    target_.Create(Hwnd(), {.at = {5, 6, 234, 21}, .text = kDefaultTarget, .readOnly = true});
    selectButton_.Create(Hwnd(), {.at = {36, 37, 94, 25}, .text = "Select folder"});
    copyButton_.Create(Hwnd(), {.at = {145, 37, 94, 25}, .text = text_.copyCaption, .isDefault = true});
    selectButton_.onClick = [this] { SelectFolder(); };
    copyButton_.onClick = [this] { CopySelected(); };
    target_.SetText(settings_.ReadString(kSection, text_.settingsKey, kDefaultTarget));
}

void CopyDialog::OnShow() {
    SetFocusControl(copyButton_.Hwnd());
    target_.SetHint(target_.Text());
}

void CopyDialog::OnClose() { Finish(false); }

void CopyDialog::OnCommand(int id, int, HWND) {
    if (id == IDCANCEL) OnClose();
}

void CopyDialog::SelectFolder() {
    std::optional<std::string> chosen = system_.browser->Browse(Hwnd(), "Select folder", "");
    if (!chosen) return;
    // Shown and used before the write: a failed write is reported, the choice still holds.
    target_.SetText(*chosen);
    target_.SetHint(*chosen);
    settings_.WriteString(kSection, text_.settingsKey, *chosen);
}

void CopyDialog::CopySelected() {
    const std::string target = target_.Text();
    if (target.empty() || !owner_) return;
    const std::optional<std::string> source = owner_->SelectedPath();
    if (!source) return;
    const std::optional<std::string> name = FoundName(*source);
    if (!name) return;
    // A target ending in "\" (a drive root) gives "\\" here, which the system reads as one.
    if (FoundName(target + "\\" + *name)) {
        ShowMessage(AlreadyContainsText(*name));
        return;
    }
    if (system_.copier->Copy(*source, target) != 0) ShowMessage("Error");
    Finish(true);
}

void CopyDialog::ShowMessage(const std::string& text) {
    ui::Application::Instance().ShowMessage(Hwnd(), text, system_.message);
}

void CopyDialog::Finish(bool afterCopy) {
    Hide();
    if (owner_) owner_->CopyDialogClosed(afterCopy);
}

}  // namespace tikora
