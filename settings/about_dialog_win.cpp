// The About dialog: its layout, the banner drawn by our own code, and the links handed to the shell.
#include "settings/about_dialog_win.h"

#include <algorithm>
#include <cstring>

#include "core/errors.h"
#include "settings/about_content.h"
#include "ui/font_win.h"

namespace tikora {

namespace {

ui::FormSpec AboutFormSpec(ui::FormName name) {
    return ui::NamedFormSpec(name, ui::BorderStyle::Dialog, 262, 219);
}

// The gradient with the word on it, drawn in a 32-bit section and read back as a picture.
Image RenderBanner() {
    const Image background = BannerBackground(kBannerWidth, kBannerHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kBannerWidth;
    info.bmiHeader.biHeight = -kBannerHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ui::UniqueBitmap section(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!section) throw AppError("Out of system resources");
    std::copy(background.pixels.begin(), background.pixels.end(), static_cast<uint32_t*>(bits));

    ui::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    HGDIOBJ oldBitmap = SelectObject(dc.get(), section.get());
    // The banner is a picture of fixed pixels: its font is not scaled with the system DPI.
    LOGFONTA logFont{};
    logFont.lfHeight = -44;
    logFont.lfWeight = FW_BOLD;
    logFont.lfItalic = TRUE;
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfQuality = ANTIALIASED_QUALITY;
    lstrcpynA(logFont.lfFaceName, "Arial", LF_FACESIZE);
    ui::UniqueFont font(CreateFontIndirectA(&logFont));
    HGDIOBJ oldFont = SelectObject(dc.get(), font.get());
    SetBkMode(dc.get(), TRANSPARENT);
    RECT area{0, 0, kBannerWidth, kBannerHeight};
    RECT shadow{2, 2, kBannerWidth + 2, kBannerHeight + 2};
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    SetTextColor(dc.get(), RGB(255, 244, 200));
    DrawTextA(dc.get(), kBannerWord, -1, &shadow, format);
    SetTextColor(dc.get(), RGB(128, 48, 0));
    DrawTextA(dc.get(), kBannerWord, -1, &area, format);
    GdiFlush();
    SelectObject(dc.get(), oldFont);
    SelectObject(dc.get(), oldBitmap);

    Image banner(kBannerWidth, kBannerHeight);
    const auto* pixels = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < banner.pixels.size(); ++i) banner.pixels[i] = pixels[i] & 0x00FFFFFF;
    return banner;
}

ui::Bounds TextAt(int x, int y, HFONT font, const char* text) {
    const SIZE size = ui::TextSize96(font, text);
    return {x, y, size.cx, size.cy};
}

}  // namespace

AboutDialog::AboutDialog(ui::FormName name, ShellLauncher& shell)
    : ui::Form(AboutFormSpec(name)),
      shell_(shell),
      titleFont_(ui::MakeFont("MS Sans Serif", 15, FW_BOLD)),
      creditsFont_(ui::MakeFont("Microsoft Sans Serif", 12)),
      linkFont_(ui::MakeFont("Arial", 13, FW_NORMAL, true)) {}

AboutDialog::~AboutDialog() { Destroy(); }

void AboutDialog::OnCreate() {
    banner_.Create(Hwnd(), {.at = {12, 9, kBannerWidth, kBannerHeight}});
    banner_.SetPicture(RenderBanner());
    title_.Create(Hwnd(), {.at = TextAt(71, 81, titleFont_.get(), kAboutTitle), .text = kAboutTitle,
                           .common = {.font = titleFont_.get()}});
    credits_.Create(Hwnd(), {.at = TextAt(43, 104, creditsFont_.get(), kAboutCredits), .text = kAboutCredits,
                             .common = {.font = creditsFont_.get()}});
    firstLink_.Create(Hwnd(), {.at = {62, 125, 0, 0}, .text = kFirstAboutLink.shown, .common = {.font = linkFont_.get()}});
    secondLink_.Create(Hwnd(), {.at = {78, 145, 0, 0}, .text = kSecondAboutLink.shown, .common = {.font = linkFont_.get()}});
    rule_.Create(Hwnd(), {.at = {12, 171, 239, 2}, .align = SS_ETCHEDHORZ});
    okButton_.Create(Hwnd(), {.at = {90, 182, 81, 27}, .text = "OK", .common = {.font = creditsFont_.get()}});

    firstLink_.onClick = [this] { Open(kFirstAboutLink.shown); };
    secondLink_.onClick = [this] { Open(kSecondAboutLink.shown); };
    okButton_.onClick = [this] { Hide(); };
    ui::SetTabOrder({&firstLink_, &secondLink_});
}

void AboutDialog::OnCommand(int id, int, HWND) {
    if (id == IDOK || id == IDCANCEL) Hide();
}

void AboutDialog::Open(const char* shown) {
    // No owner, the default verb, maximised; a link that cannot be opened is not reported.
    shell_.Open(false, "", LinkAddress(shown), SW_SHOWMAXIMIZED);
}

}  // namespace tikora
