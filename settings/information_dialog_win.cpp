// The information dialog: the picture comes from the program's resources.
#include "settings/information_dialog_win.h"

#include <optional>

#include "ui/font_win.h"
#include "ui/link_label_win.h"

namespace tikora {

namespace {

ui::FormSpec InformationFormSpec(ui::FormName name) {
    return ui::NamedFormSpec(name, ui::BorderStyle::Dialog, 191, 266);
}

// The bitmap resource as a picture; none when the module does not carry it.
std::optional<Image> LoadPictureResource(const char* name) {
    ui::UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap) return std::nullopt;
    BITMAP header{};
    if (!GetObjectA(bitmap.get(), sizeof header, &header) || header.bmWidth <= 0 || header.bmHeight <= 0)
        return std::nullopt;
    Image image(header.bmWidth, header.bmHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = GetDC(nullptr);
    const int rows = GetDIBits(dc, bitmap.get(), 0, image.height, image.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (rows != image.height) return std::nullopt;
    for (uint32_t& pixel : image.pixels) pixel &= 0x00FFFFFF;
    return image;
}

}  // namespace

InformationDialog::InformationDialog(ui::FormName name)
    : ui::Form(InformationFormSpec(name)), font_(ui::MakeFont("MS Sans Serif", 16)) {}

InformationDialog::~InformationDialog() { Destroy(); }

void InformationDialog::OnCreate() {
    picture_.Create(Hwnd(), {.at = {8, 8, 175, 225}, .name = kInformationPictureName});
    if (std::optional<Image> picture = LoadPictureResource(kInformationPicture)) {
        picture_.SetPicture(*picture);
        hasPicture_ = true;
    }
    label_.Create(Hwnd(), {.at = ui::GrowToText({8, 240, 144, 20}, font_.get(), kInformationText),
                           .text = kInformationText,
                           .common = {.font = font_.get()}});
}

void InformationDialog::OnCommand(int id, int, HWND) {
    if (id == IDOK || id == IDCANCEL) Hide();
}

}  // namespace tikora
