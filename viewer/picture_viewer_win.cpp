// The picture viewer: layout, the "Add folder" run, showing a picture and its icon, and the
// commands that hand the selected picture to the copy dialog, the shell and the full-screen views.
#include "viewer/picture_viewer_win.h"

#include <shellapi.h>

#include <algorithm>

#include "search/search_texts.h"
#include "search/search_window_win.h"
#include "ui/application_win.h"
#include "ui/bitmap_win.h"
#include "ui/dpi_win.h"
#include "viewer/picture_decoder.h"
#include "viewer/viewer_pictures.h"
#include "viewer/viewer_texts.h"

namespace tikora {

namespace {

// Indexes of the tool bar's buttons, separators included, in bar order.
constexpr int kShowHideButton = 1;
constexpr int kAddFolderButton = 3;
constexpr int kClearButton = 5;
constexpr int kCopyButton = 7;
constexpr int kOpenFolderButton = 9;
constexpr int kViewButton = 11;
constexpr int kActualSizeButton = 13;
constexpr int kPictureButtons[] = {kClearButton, kCopyButton, kOpenFolderButton, kViewButton, kActualSizeButton};

constexpr int kToolPanelHeight = 26;
constexpr int kBottomPanelHeight = 23;
constexpr int kListWidth = 218;
constexpr int kSplitterWidth = 4;
constexpr int kIconSize = 16;
constexpr COLORREF kGrey = RGB(128, 128, 128);

HBRUSH GreyBrush() {
    static HBRUSH brush = CreateSolidBrush(kGrey);  // lives for the run, as the window does
    return brush;
}

ui::FormSpec ViewerFormSpec(ui::FormName name) {
    ui::FormSpec spec;
    spec.className = name.className;
    spec.caption = name.caption;
    spec.border = ui::BorderStyle::Sizeable;
    spec.clientWidth = 664;
    spec.clientHeight = 435;
    spec.outerSize = true;
    spec.background = GreyBrush();
    return spec;
}

void Place(HWND hwnd, int x, int y, int width, int height) {
    SetWindowPos(hwnd, nullptr, x, y, std::max(0, width), std::max(0, height), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

PictureViewer::PictureViewer(ui::FormName name, SystemServices services, PictureViewerSystem system)
    : ui::Form(ViewerFormSpec(name)),
      services_(services),
      system_(std::move(system)),
      windowIcon_(ui::MakeIcon(ViewerIconPicture(), kViewerPictureKey)) {}

PictureViewer::~PictureViewer() { Destroy(); }

void PictureViewer::SetProgressDialog(ProgressDialog* dialog) { search_.SetProgressDialog(dialog, Hwnd()); }

void PictureViewer::OnCreate() {
    SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowIcon_.get()));
    SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(windowIcon_.get()));
    RECT client{};
    GetClientRect(Hwnd(), &client);
    // Positions are given at 96 DPI; the client size comes in device pixels.
    const int width = MulDiv(client.right, 96, ui::Scale(96));
    const int height = MulDiv(client.bottom, 96, ui::Scale(96));

    // A panel's raised outer bevel; the tool bar sits inside it.
    toolPanel_.Create(Hwnd(), {.at = {0, 0, width, kToolPanelHeight}, .outer = ui::Panel::Bevel::Raised});
    ui::ToolBar::Args bar{.at = {1, 1, 600, 22}, .images = ViewerToolPictures()};
    bar.buttons = {
        {.separator = true},
        {.onClick = [this] { ShowHideList(); }, .image = 4, .hint = " Show-hide list "},
        {.separator = true},
        {.onClick = [this] { AddFolder(); }, .image = 0, .hint = " Add folder "},
        {.separator = true},
        {.onClick = [this] { ClearList(); }, .image = 1, .hint = " Clear list "},
        {.separator = true},
        {.onClick = [this] { CopyTo(); }, .image = 2, .hint = " Copy to... "},
        {.separator = true},
        {.onClick = [this] { OpenContainingFolder(); }, .image = 7, .hint = " Open containing folder "},
        {.separator = true},
        {.onClick = [this] { View(); }, .image = 3, .hint = " View ( Esc-exit )"},
        {.separator = true},
        {.onClick = [this] { ActualSize(); }, .image = 5, .hint = " Actual size "},
        {.separator = true},
        {.onClick = [this] { OpenSettings(); }, .image = 6, .hint = " Settings "},
        {.separator = true},
    };
    toolBar_.Create(toolPanel_.Hwnd(), bar);
    SendMessageA(toolBar_.Hwnd(), TB_SETBUTTONSIZE, 0, MAKELONG(ui::Scale(23), ui::Scale(22)));

    const int bottom = height - 2 * kBottomPanelHeight;
    list_.Create(Hwnd(), {.at = {0, kToolPanelHeight, kListWidth, bottom - kToolPanelHeight},
                          .horizontalExtent = 1000,
                          .itemHeight = 13});
    list_.onSelectionChanged = [this] { SelectionChanged(); };
    splitter_.Create(Hwnd(), {.at = {kListWidth, kToolPanelHeight, kSplitterWidth, bottom - kToolPanelHeight}, .live = true});
    splitter_.onMoved = [this](int position) { MoveSplitter(position); };
    const ui::Bounds pane{kListWidth + kSplitterWidth, kToolPanelHeight, width - kListWidth - kSplitterWidth,
                          bottom - kToolPanelHeight};
    preview_.Create(Hwnd(), {.at = pane, .background = kGrey, .common = {.visible = false}});
    placeholder_.Create(Hwnd(), {.at = pane, .background = kGrey, .text = kNoPreviewText, .common = {.visible = false}});
    placeholder_.SetPicture(MakePlaceholderPicture());
    SetWindowPos(placeholder_.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    bottomPanel_.Create(Hwnd(), {.at = {0, bottom, width, kBottomPanelHeight}, .outer = ui::Panel::Bevel::None});
    std::vector<std::string> descriptions;
    for (const FilterEntry& entry : ParseFilter(kViewerFilter)) descriptions.push_back(entry.description);
    filter_.Create(bottomPanel_.Hwnd(), {.at = {1, bottom + 1, 218, 200}, .items = descriptions});
    filter_.SetSelectedIndex(0);
    total_.Create(bottomPanel_.Hwnd(), {.at = {222, bottom + 2, 135, 22},
                                        .outer = ui::Panel::Bevel::Lowered,
                                        .inner = ui::Panel::Bevel::Raised});
    dimensionsFont_.reset(CreateFontA(-ui::Scale(13), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial"));
    dimensions_.Create(bottomPanel_.Hwnd(), {.at = {357, bottom + 2, 105, 22},
                                             .outer = ui::Panel::Bevel::Lowered,
                                             .inner = ui::Panel::Bevel::Raised,
                                             .common = {.font = dimensionsFont_.get()}});
    iconBox_.Create(bottomPanel_.Hwnd(), {.at = {469, bottom + 5, kIconSize, kIconSize}, .align = SS_BITMAP});
    status_.Create(Hwnd(), {.panelWidths = {-1}});

    listWidth_ = ui::Scale(kListWidth);
    SetPictureButtons(false);
    Layout();
}

void PictureViewer::OnShow() {
    SetFocusControl(list_.Hwnd());
    total_.SetText(TotalFilesText(list_.Count()));
}

void PictureViewer::OnResize(int, int) {
    Layout();
    RefitPicture();
}

// A picture decoded to fit a smaller pane is decoded again when the pane grows past it (the
// pane never enlarges what it holds). Its failure here shows nothing new: it decoded before.
void PictureViewer::RefitPicture() {
    const LoadedPicture& shown = preview_.Picture();
    if (!preview_.Visible() || currentIndex_ < 0 || currentIndex_ >= list_.Count() || !shown.bitmap) return;
    BITMAP held{};
    GetObjectA(shown.bitmap.get(), sizeof held, &held);
    const int heldHeight = std::abs(held.bmHeight);
    if (held.bmWidth >= shown.width && heldHeight >= shown.height) return;  // already at its own size
    RECT pane{};
    GetClientRect(preview_.Hwnd(), &pane);
    const ShownSize wanted = FitInto(shown.width, shown.height, pane.right, pane.bottom);
    if (wanted.width <= held.bmWidth && wanted.height <= heldHeight) return;
    try {
        preview_.SetPicture(LoadPictureFile(list_.Item(currentIndex_), pane.right, pane.bottom, kGrey));
    } catch (...) {
    }
}

void PictureViewer::Layout() {
    if (!status_.Hwnd()) return;
    status_.Resize();
    RECT client{};
    GetClientRect(Hwnd(), &client);
    RECT bar{};
    GetWindowRect(status_.Hwnd(), &bar);
    const int width = client.right;
    const int top = ui::Scale(kToolPanelHeight);
    const int bottom = std::max(top, static_cast<int>(client.bottom - (bar.bottom - bar.top)) - ui::Scale(kBottomPanelHeight));
    const int list = std::min(listWidth_, std::max(0, width - ui::Scale(kSplitterWidth)));
    Place(toolPanel_.Hwnd(), 0, 0, width, top);
    ui::LayOutSplitRow(list_.Hwnd(), splitter_, {preview_.Hwnd(), placeholder_.Hwnd()}, top, bottom - top, list,
                       ui::Scale(kSplitterWidth), width);
    Place(bottomPanel_.Hwnd(), 0, bottom, width, ui::Scale(kBottomPanelHeight));
}

int PictureViewer::ListWidth() const {
    RECT r{};
    GetWindowRect(list_.Hwnd(), &r);
    return r.right - r.left;
}

void PictureViewer::MoveSplitter(int position) {
    listWidth_ = std::max(ui::Scale(kSplitterWidth), position);  // minimum size 4
    Layout();
}

void PictureViewer::ShowHideList() {
    // Whatever width a drag left, the list comes back at its design width.
    listWidth_ = ListWidth() != 0 ? 0 : ui::Scale(kListWidth);
    Layout();
}

void PictureViewer::SelectionChanged() {
    if (list_.Count() == 0) return;
    placeholder_.SetVisible(false);
    DrawIcon();
    ShowPicture();
}

void PictureViewer::ShowPicture() {
    currentIndex_ = list_.SelectedIndex();
    if (currentIndex_ < 0) return;
    dimensions_.SetText("");
    preview_.SetVisible(false);
    const std::string path = list_.Item(currentIndex_);
    RECT pane{};
    GetClientRect(preview_.Hwnd(), &pane);
    // A failure leaves the pane hidden, the dimensions empty and the previous path in the status bar.
    LoadedPicture picture = LoadPictureFile(path, std::max(1L, pane.right), std::max(1L, pane.bottom), kGrey);
    const int width = picture.width;
    const int height = picture.height;
    status_.SetPanelText(0, " " + path);
    preview_.SetPicture(std::move(picture));
    preview_.SetVisible(true);
    dimensions_.SetText(DimensionsText(width, height));
}

void PictureViewer::DrawIcon() {
    currentIndex_ = list_.SelectedIndex();
    if (currentIndex_ < 0) return;
    SHFILEINFOA info{};
    SHGetFileInfoA(list_.Item(currentIndex_).c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON);
    PaintIcon(info.hIcon);
    if (info.hIcon) DestroyIcon(info.hIcon);
}

// The icon box in the button-face colour, with the icon (if any) at its top-left corner.
void PictureViewer::PaintIcon(HICON icon) {
    const int size = ui::Scale(kIconSize);
    HDC screen = GetDC(nullptr);
    ui::UniqueBitmap picture(CreateCompatibleBitmap(screen, size, size));
    HDC memory = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!picture || !memory) {
        if (memory) DeleteDC(memory);
        return;
    }
    HGDIOBJ old = SelectObject(memory, picture.get());
    RECT all{0, 0, size, size};
    FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
    if (icon) DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    SelectObject(memory, old);
    DeleteDC(memory);
    SendMessageA(iconBox_.Hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture.get()));
    iconPicture_ = std::move(picture);  // the box does not own what it shows
}

void PictureViewer::RevealPlaceholder() {
    if (placeholder_.Hwnd()) placeholder_.SetVisible(true);
}

void PictureViewer::ClearList() {
    placeholder_.SetVisible(false);
    PaintIcon(nullptr);
    list_.Clear();
    Reset();
}

void PictureViewer::Reset() {
    status_.SetPanelText(0, "");
    dimensions_.SetText("");
    total_.SetText(TotalFilesText(list_.Count()));
    preview_.SetVisible(false);
    preview_.Clear();
    currentIndex_ = -1;
    SetPictureButtons(false);
}

void PictureViewer::AddFolder() {
    const int before = list_.Count();
    SearchRequest request;
    request.includeSubfolders = IncludeSubfolders();
    request.maskList = SelectedMaskList();
    request.resultsBefore = before;
    const std::optional<SearchOutcome> outcome = search_.BrowseAndRun(Hwnd(), std::move(request), [this] {
        ReRaiseClock();
        SetFocus(search_.Progress()->Hwnd());
    });
    if (!outcome) return;
    search_.Finish(Hwnd());

    if (list_.Count() > 0 && list_.Count() != before) {
        total_.SetText(TotalFilesText(list_.Count()));
        list_.SetSelectedIndex(0);
        SetPictureButtons(true);
        // An undecodable first picture must not swallow the icon, the focus and the overflow
        // message: its error goes to the handler and the run's end goes on.
        try {
            ShowPicture();
        } catch (...) {
            ui::Application::Instance().HandleError(std::current_exception());
        }
        DrawIcon();
        if (list_.Count() > 1) SetFocusControl(list_.Hwnd());
    }
    if (outcome->overflow) ShowMessage("Over 32736");
}

std::string PictureViewer::SelectedMaskList() const {
    const std::vector<FilterEntry> entries = ParseFilter(kViewerFilter);
    int index = filter_.SelectedIndex();
    if (index < 0 || index >= static_cast<int>(entries.size())) index = static_cast<int>(entries.size()) - 1;
    return entries[static_cast<size_t>(index)].maskList;
}

bool PictureViewer::IncludeSubfolders() const {
    auto* settings = dynamic_cast<ViewerSettingsDialog*>(WindowFor(WindowId::ViewerSettings));
    return settings ? settings->IncludeSubfolders() : true;
}

FullScreenViews* PictureViewer::Views() const {
    return dynamic_cast<FullScreenViews*>(WindowFor(WindowId::ActualSizeView));
}

void PictureViewer::SetPictureButtons(bool enabled) { toolBar_.SetButtonsEnabled(kPictureButtons, enabled); }

bool PictureViewer::PictureButtonsEnabled() const { return toolBar_.ButtonsEnabled(kPictureButtons); }

std::optional<std::string> PictureViewer::SelectedPath() { return list_.SelectedItem(); }

void PictureViewer::OpenContainingFolder() { OpenContainingFolderOf(services_.shell, SelectedPath()); }

void PictureViewer::CopyTo() {
    auto* copy = dynamic_cast<CopyDialog*>(WindowFor(WindowId::ViewerCopy));
    if (list_.Count() == 0 || !copy) return;
    copy->SetOwner(this);
    EnableWindow(Hwnd(), FALSE);
    copy->Open();
    ReRaiseClock();
    SetFocus(copy->Hwnd());
}

void PictureViewer::CopyDialogClosed(bool) {
    ReturnFromDialog();
    SetFocusControl(list_.Hwnd());
}

void PictureViewer::View() {
    FullScreenViews* views = Views();
    if (list_.Count() == 0 || !views) return;
    views->OpenBrowsing();
    Hide();
}

void PictureViewer::ActualSize() {
    FullScreenViews* views = Views();
    if (list_.Count() == 0 || placeholder_.Visible() || !views || currentIndex_ < 0) return;
    // A picture that cannot be loaded throws before the view shows: the viewer stays.
    views->OpenActualSize(list_.Item(currentIndex_));
    Hide();
}

void PictureViewer::OpenSettings() {
    auto* settings = dynamic_cast<ViewerSettingsDialog*>(WindowFor(WindowId::ViewerSettings));
    if (!settings) return;
    settings->SetOwner(this);
    EnableWindow(Hwnd(), FALSE);
    settings->Show();
    ReRaiseClock();
    SetFocus(settings->Hwnd());
}

void PictureViewer::EnableViewer() { ReturnFromDialog(); }

void PictureViewer::FocusList() { SetFocusControl(list_.Hwnd()); }

// Back from a full-screen view: the view that had the input is gone, so the viewer takes it
// explicitly rather than leaving it to whichever window the system activates next.
void PictureViewer::ShowForReturn() {
    BringToFront();
    placeholder_.SetVisible(false);
}

void PictureViewer::ReturnFromBrowsing(int index) {
    BringToFront();
    placeholder_.SetVisible(false);
    list_.SetSelectedIndex(index);
    SetFocusControl(list_.Hwnd());
    DrawIcon();
    ShowPicture();
}

void PictureViewer::ReturnFromActualSize() {
    BringToFront();
    SetFocusControl(list_.Hwnd());
}

// The clock ends where it was, but above the dialog just shown.
void PictureViewer::ReRaiseClock() {
    HWND clock = system_.clock;
    if (!clock) return;
    const bool visible = IsWindowVisible(clock) != FALSE;
    ShowWindow(clock, visible ? SW_HIDE : SW_SHOWNA);
    ShowWindow(clock, visible ? SW_SHOWNA : SW_HIDE);
}

void PictureViewer::ShowMessage(const std::string& text) {
    ui::Application::Instance().ShowMessage(Hwnd(), text, system_.message);
}

}  // namespace tikora
