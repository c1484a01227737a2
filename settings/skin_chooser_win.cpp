// The skin chooser: its layout, the listing on every show, the preview and "Apply".
#include "settings/skin_chooser_win.h"

#include "clock/glyphs.h"
#include "core/bmp_reader.h"
#include "core/errors.h"
#include "ui/dpi_win.h"
#include "ui/font_win.h"

namespace tikora {

namespace {

constexpr int kItemHeight = 13;

ui::FormSpec ChooserFormSpec(ui::FormName name) {
    return ui::NamedFormSpec(name, ui::BorderStyle::Dialog, 299, 102);
}

uint32_t ButtonFaceColour() {
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    return Rgb(GetRValue(face), GetGValue(face), GetBValue(face));
}

}  // namespace

std::vector<FolderEntry> SystemSkinFolder::List() {
    std::vector<FolderEntry> found;
    WIN32_FIND_DATAA data{};
    HANDLE search = FindFirstFileA(kSkinPattern, &data);
    if (search == INVALID_HANDLE_VALUE) return found;
    do {
        found.push_back({data.cFileName, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    } while (FindNextFileA(search, &data));
    FindClose(search);
    return found;
}

SkinChooser::SkinChooser(ui::FormName name, SkinTarget& clock, SettingsStore& settings, SkinFolder* folder)
    : ui::Form(ChooserFormSpec(name)),
      clock_(clock),
      settings_(settings),
      folder_(folder ? folder : &systemFolder_),
      boldFont_(ui::MakeDialogFont(ui::FontBase::Designer, FW_BOLD)) {}

SkinChooser::~SkinChooser() { Destroy(); }

void SkinChooser::OnCreate() {
    panel_.Create(Hwnd(), {.at = {4, 4, 291, 42}, .outer = ui::Panel::Bevel::Lowered, .inner = ui::Panel::Bevel::Raised});
    // Empty and hidden until the first strip is previewed.
    preview_.Create(panel_.Hwnd(), {.at = {6, 6, 286, 37}, .common = {.visible = false}});
    list_.Create(Hwnd(), {.at = {4, 50, 203, 43}});
    SendMessageA(list_.Hwnd(), LB_SETITEMHEIGHT, 0, ui::Scale(kItemHeight));
    decoration_.Create(Hwnd(), {.at = {214, 50, 79, 15}});
    decoration_.SetPicture(DecorativePicture());
    applyButton_.Create(Hwnd(), {.at = {214, 69, 79, 25}, .text = "Apply", .isDefault = true,
                                 .common = {.font = boldFont_.get()}});

    list_.onSelectionChanged = [this] { ShowPreview(); };
    applyButton_.onClick = [this] { OnApply(); };
    ui::SetTabOrder({&list_, &applyButton_});
}

void SkinChooser::OnShow() {
    list_.Clear();
    for (const std::string& name : SkinNames(folder_->List())) list_.AddItem(name);
    list_.SetSelectedIndex(0);
    if (list_.Count() > 0) ShowPreview();
    SetFocusControl(list_.Hwnd());
}

void SkinChooser::ShowPreview() {
    const int index = list_.SelectedIndex();
    if (index < 0) return;
    try {
        preview_.SetPicture(SkinPreview(ReadBmpFile(SkinPath(list_.Item(index)), kStripWidth, kStripHeight),
                                        ButtonFaceColour()));
        preview_.SetVisible(true);
    } catch (const PictureError&) {
        // Not a bitmap: nothing to show, and nothing to say; the preview keeps what it had.
    }
}

void SkinChooser::OnApply() {
    const int index = list_.SelectedIndex();
    if (index >= 0) {
        try {
            ApplySkinChoice(clock_, settings_, list_.Item(index));
        } catch (const PictureError&) {
            // A file that is not a bitmap changes nothing and is passed over without a message.
        }
    }
    // A refused size ("Invalid image size") escapes to the error handler before this line.
    list_.Focus();
}

void SkinChooser::OnCommand(int id, int, HWND) {
    if (id == IDCANCEL) Hide();
    if (id == IDOK) OnApply();
}

}  // namespace tikora
