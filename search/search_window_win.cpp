// The search window: layout, the run of a search with its reset and completion steps, the
// preset menu and the file commands.
#include "search/search_window_win.h"

#include <algorithm>

#include "search/search_pictures.h"
#include "search/search_texts.h"
#include "ui/application_win.h"
#include "ui/bitmap_win.h"
#include "ui/dpi_win.h"

namespace tikora {

namespace {

// Indexes of the tool bar's buttons, separators included, in bar order.
constexpr int kPresetsButton = 0;
constexpr int kCopyButton = 2;
constexpr int kOpenFileButton = 4;
constexpr int kOpenFolderButton = 6;
constexpr int kFileButtons[] = {kCopyButton, kOpenFileButton, kOpenFolderButton};

constexpr int kCoolBarHeight = 26;
constexpr int kListWidth = 403;
constexpr int kSplitterWidth = 4;

ui::FormSpec SearchFormSpec(ui::FormName name) {
    ui::FormSpec spec = ui::NamedFormSpec(name, ui::BorderStyle::Sizeable, 629, 440);
    spec.outerSize = true;
    return spec;
}

// A control on the tool bar sits at its place in the bar, whatever the bar's place in the form.
void PlaceOnBar(ui::Control& control, int x, int width, int height) {
    const RECT r = ui::ScaleRect(x, 0, width, height);
    SetWindowPos(control.Hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

SearchWindow::SearchWindow(ui::FormName name, SystemServices services, SearchWindowSystem system)
    : ui::Form(SearchFormSpec(name)),
      services_(services),
      system_(std::move(system)),
      icon_(ui::MakeIcon(SearchIconPicture(), kSearchPictureKey)) {}

SearchWindow::~SearchWindow() { Destroy(); }

void SearchWindow::SetProgressDialog(ProgressDialog* dialog) { search_.SetProgressDialog(dialog, Hwnd()); }

void SearchWindow::SetCopyDialog(CopyDialog* dialog) {
    copy_ = dialog;
    if (copy_) copy_->SetOwner(this);
}

void SearchWindow::OnCreate() {
    SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));
    SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));

    coolBar_.Create(Hwnd(), {.at = {0, 0, 629, kCoolBarHeight}});
    ui::ToolBar::Args bar{.at = {0, 0, 604, 22}, .images = SearchToolPictures()};
    bar.buttons = {
        {.onClick = [this] { ShowPresetMenu(); }, .image = 3, .hint = " Plus "},
        {.separator = true},
        {.onClick = [this] { CopyTo(); }, .image = 1, .hint = " Copy to... "},
        {.separator = true},
        {.onClick = [this] { OpenFile(); }, .image = 4, .hint = " Open file "},
        {.separator = true},
        {.onClick = [this] { OpenContainingFolder(); }, .image = 2, .hint = " Open containing folder "},
        {.separator = true},
        {.onClick = [this] { CustomSearch(); }, .image = 0, .hint = " Search file(s)  "},
        {.separator = true},
    };
    toolBar_.Create(coolBar_.Hwnd(), bar);
    SendMessageA(toolBar_.Hwnd(), TB_SETBUTTONSIZE, 0, MAKELONG(ui::Scale(23), ui::Scale(22)));
    // Tab walks into the bar's edit and check boxes.
    SetWindowLongPtrA(toolBar_.Hwnd(), GWL_EXSTYLE, GetWindowLongPtrA(toolBar_.Hwnd(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    HWND barHwnd = toolBar_.Hwnd();
    patternCaption_.Create(barHwnd, {.text = "  File name :  ", .align = SS_CENTER | SS_CENTERIMAGE});
    PlaceOnBar(patternCaption_, 155, 63, 22);
    pattern_.Create(barHwnd, {.text = "*.mp3"});
    PlaceOnBar(pattern_, 218, 162, 22);
    spacers_[0].Create(barHwnd, {.text = "  "});
    PlaceOnBar(spacers_[0], 380, 6, 22);
    spacers_[1].Create(barHwnd, {.text = "  "});
    PlaceOnBar(spacers_[1], 386, 6, 22);
    subfolders_.Create(barHwnd, {.text = " Include subdirectories ", .checked = true});
    PlaceOnBar(subfolders_, 392, 159, 22);
    coolBar_.AddBand(toolBar_, 604, 22);

    results_.Create(Hwnd(), {.at = {0, kCoolBarHeight, kListWidth, 300}, .horizontalExtent = 1400, .itemHeight = 13});
    results_.onSelectionChanged = [this] { ShowSelectedDetails(); };
    results_.onDoubleClick = [this] { OpenFile(); };
    splitter_.Create(Hwnd(), {.at = {kListWidth, kCoolBarHeight, kSplitterWidth, 300}});
    splitter_.onMoved = [this](int position) {
        listWidth_ = std::max(1, position);  // minimum size 1, no snapping
        Layout();
    };
    details_.Create(Hwnd(), {kListWidth + kSplitterWidth, kCoolBarHeight, 600, 300});
    // The last panel reaches the right edge whatever its width, as "   Search is complete" needs.
    status_.Create(Hwnd(), {.panelWidths = {153, 150, -1}});
    listWidth_ = ui::Scale(kListWidth);

    SetFileButtons(false);
    Layout();
}

void SearchWindow::OnResize(int, int) { Layout(); }

void SearchWindow::Layout() {
    if (!status_.Hwnd()) return;
    status_.Resize();
    RECT client{};
    GetClientRect(Hwnd(), &client);
    RECT bar{};
    GetWindowRect(status_.Hwnd(), &bar);
    const int width = client.right;
    const int top = ui::Scale(kCoolBarHeight);
    const int height = std::max(0, static_cast<int>(client.bottom - (bar.bottom - bar.top)) - top);
    const int list = std::min(listWidth_, std::max(1, width - ui::Scale(kSplitterWidth)));
    SetWindowPos(coolBar_.Hwnd(), nullptr, 0, 0, width, top, SWP_NOZORDER | SWP_NOACTIVATE);
    ui::LayOutSplitRow(results_.Hwnd(), splitter_, {details_.Hwnd()}, top, height, list, ui::Scale(kSplitterWidth), width);
}

void SearchWindow::ShowPresetMenu() {
    HMENU menu = CreatePopupMenu();
    if (!menu) return;
    for (size_t i = 0; i < std::size(kSearchPresets); ++i) {
        if (i > 0) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, i + 1, kSearchPresets[i].caption);
    }
    RECT button{};
    SendMessageA(toolBar_.Hwnd(), TB_GETITEMRECT, kPresetsButton, reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(toolBar_.Hwnd(), nullptr, reinterpret_cast<POINT*>(&button), 2);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, button.left, button.bottom,
                                      0, Hwnd(), nullptr);
    DestroyMenu(menu);
    if (chosen > 0) PresetSearch(kSearchPresets[chosen - 1].maskList);
}

void SearchWindow::CustomSearch() {
    SearchRequest request;
    request.pattern = [this] { return pattern_.Text(); };
    request.skipNamesEndingInDot = true;
    Run(std::move(request));
}

void SearchWindow::PresetSearch(const std::string& maskList) {
    SearchRequest request;
    request.maskList = maskList;
    Run(std::move(request));
}

void SearchWindow::Reset() {
    details_.Clear();
    SetFileButtons(false);
    results_.Clear();
    for (int panel = 0; panel < 3; ++panel) status_.SetPanelText(panel, "");
}

void SearchWindow::Run(SearchRequest request) {
    Reset();
    request.includeSubfolders = subfolders_.Checked();
    const std::optional<SearchOutcome> outcome = search_.BrowseAndRun(Hwnd(), std::move(request));
    if (!outcome) return;
    status_.SetPanelText(0, " Folders found - " + std::to_string(outcome->folders));
    Complete(*outcome);
}

void SearchWindow::Complete(const SearchOutcome& outcome) {
    search_.Finish(Hwnd());
    status_.SetPanelText(1, " Files found - " + std::to_string(results_.Count()));
    status_.SetPanelText(2, "   Search is complete");
    if (results_.Count() > 0) {
        results_.SetSelectedIndex(0);
        SetFocusControl(results_.Hwnd());
        ShowSelectedDetails();
        SetFileButtons(true);
    }
    if (outcome.overflow) ShowMessage("over 32736");
}

void SearchWindow::SetFileButtons(bool enabled) { toolBar_.SetButtonsEnabled(kFileButtons, enabled); }

bool SearchWindow::FileButtonsEnabled() const { return toolBar_.ButtonsEnabled(kFileButtons); }

void SearchWindow::ShowSelectedDetails() {
    if (results_.Count() == 0 || results_.SelectedIndex() < 0) return;
    details_.Fill(results_.Item(results_.SelectedIndex()));
}

std::optional<std::string> SearchWindow::SelectedPath() { return results_.SelectedItem(); }

void SearchWindow::OpenFile() {
    if (const std::optional<std::string> path = SelectedPath())
        services_.shell.Open(true, "open", *path, SW_SHOWNORMAL);
}

void SearchWindow::OpenContainingFolder() { OpenContainingFolderOf(services_.shell, SelectedPath()); }

void SearchWindow::CopyTo() {
    if (!copy_) return;
    EnableWindow(Hwnd(), FALSE);
    copy_->Open();
}

void SearchWindow::CopyDialogClosed(bool) { ReturnFromDialog(); }

void SearchWindow::ShowMessage(const std::string& text) {
    ui::Application::Instance().ShowMessage(Hwnd(), text, system_.message);
}

}  // namespace tikora
