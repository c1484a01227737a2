// The skin chooser, the hot keys dialog, and the About and information dialogs in-process, over a
// real clock window on a settings file of its own: layouts, listing, preview, "Apply" with its
// refusals, the hot keys really held, and the links handed to the shell.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "clock/builtin_skin.h"
#include "settings/skin_and_info_dialogs_win.h"
#include "support/bad_pictures.h"
#include "ui/dpi_win.h"
#include "win/support/tray_harness.h"

using namespace tikora;
using namespace tikora::testing;
using tikora::traytest::ClockRig;
using tikora::traytest::HotKeyFree;

namespace {

std::string Text(HWND hwnd) {
    char text[512] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

// The first descendant with this text.
HWND FindByText(HWND root, const std::string& text) {
    struct Search {
        const std::string& text;
        HWND found = nullptr;
    } search{text};
    EnumChildWindows(
        root,
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if (Text(hwnd) != s->text) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

RECT RectIn(HWND form, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A strip whose every pixel tells where it is; `tint` tells strips apart.
std::string StripFile(int width, int height, uint32_t tint) {
    BmpSpec spec;
    spec.width = width;
    spec.height = height;
    spec.pixel = [tint](int x, int y) { return tint ^ static_cast<uint32_t>((x * 256 + y) & 0xFFFF); };
    return EncodeTestBmp(spec);
}
uint32_t StripPixel(uint32_t tint, int x, int y) { return tint ^ static_cast<uint32_t>((x * 256 + y) & 0xFFFF); }

// The pixels of a bitmap handle, 0x00RRGGBB from the top.
Image BitmapPixels(HBITMAP bitmap) {
    BITMAP header{};
    GetObjectA(bitmap, sizeof header, &header);
    Image image(header.bmWidth, header.bmHeight);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, image.width, -image.height, 1, 32, BI_RGB};
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, image.height, image.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (uint32_t& p : image.pixels) p &= 0x00FFFFFF;
    return image;
}

template <typename T>
T* Make(WindowId id, auto&&... args) {
    const WindowEntry& entry = CatalogueEntry(id);
    auto* form = new T(ui::FormName{entry.className, entry.caption}, args...);
    form->CreateForm();
    return form;
}

class SkinAndInfoDialogsTest : public ::testing::Test {
protected:
    void SetUp() override {
        clock = &rig.Start();
        rig.ShowAtStart();
        // The chooser reads the Numbers folder of the current directory.
        CreateDirectoryA(rig.folder.File("Numbers").c_str(), nullptr);
        SetCurrentDirectoryA(rig.folder.Path().c_str());
    }
    void TearDown() override {
        chooser.reset();
        hotKeys.reset();
        if (clock->LiveOptions().hotkey) clock->UnregisterHotKeys();
    }
    void AddSkin(const std::string& name, const std::string& bytes) { rig.folder.Write("Numbers\\" + name, bytes); }
    void ShowChooser() {
        if (!chooser) chooser.reset(Make<SkinChooser>(WindowId::SkinChooser, *clock, rig.settings));
        chooser->Show();
        ASSERT_TRUE(WaitFor([&] { return chooser->Visible(); }));
    }
    std::vector<std::string> Listed() {
        std::vector<std::string> names;
        const int count = static_cast<int>(SendMessageA(chooser->ListHandle(), LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[MAX_PATH] = {};
            SendMessageA(chooser->ListHandle(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            names.emplace_back(text);
        }
        return names;
    }
    // A click on an entry: the selection moves and the list tells its form.
    void Pick(const std::string& name) {
        HWND list = chooser->ListHandle();
        const LRESULT index = SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
        ASSERT_NE(index, LB_ERR) << name;
        SendMessageA(list, LB_SETCURSEL, index, 0);
        SendMessageA(chooser->Hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
    }
    void Apply() { SendMessageA(FindByText(chooser->Hwnd(), "Apply"), BM_CLICK, 0, 0); }
    Image Preview() {
        return BitmapPixels(reinterpret_cast<HBITMAP>(SendMessageA(chooser->PreviewHandle(), STM_GETIMAGE, IMAGE_BITMAP, 0)));
    }
    std::string StoredSkin() { return rig.settings.ReadString("Numbers", "Name", "(none)"); }
    // Pixels of the hour's tens digit ("1" at the rig's 10:30) that differ from the built-in
    // skin's digit 1 (strip columns 52-77), after a fresh paint and draw.
    int HourTensMismatches() {
        RedrawWindow(clock->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        clock->DrawFace();
        const Image builtin = RenderBuiltinSkin();
        HDC dc = GetDC(clock->FaceHandle());
        int wrong = 0;
        for (int dy = 0; dy < kCellHeight; ++dy)
            for (int dx = 0; dx < kDigitCellWidth; ++dx) {
                const COLORREF c = GetPixel(dc, ui::Scale(8 + dx), ui::Scale(8 + dy));
                if (Rgb(GetRValue(c), GetGValue(c), GetBValue(c)) != builtin.At(52 + dx, dy)) ++wrong;
            }
        ReleaseDC(clock->FaceHandle(), dc);
        return wrong;
    }

    ClockRig rig;
    ClockWindow* clock = nullptr;
    std::unique_ptr<SkinChooser> chooser;
    std::unique_ptr<HotKeysDialog> hotKeys;
};

TEST_F(SkinAndInfoDialogsTest, LayoutsAreThoseOfTheDesign) {
    chooser.reset(Make<SkinChooser>(WindowId::SkinChooser, *clock, rig.settings));
    hotKeys.reset(Make<HotKeysDialog>(WindowId::HotKeys, *clock, *clock, rig.settings));
    std::unique_ptr<AboutDialog> about(Make<AboutDialog>(WindowId::About, rig.shell));
    std::unique_ptr<InformationDialog> information(Make<InformationDialog>(WindowId::Information));
    struct Place {
        const char* text;
        int x, y, width, height;  // width 0: sized to its text, not checked
        bool grows = false;       // a text control: wider or higher where the system's font needs it
    };
    struct Window {
        ui::Form* form;
        const char* caption;
        int width, height;
        bool systemMenu;
        std::vector<Place> places;
    };
    const Window windows[] = {
        {chooser.get(), " Change skin", 299, 102, true, {{"Apply", 214, 69, 79, 25}}},
        {hotKeys.get(), " Hot Keys", 194, 124, false,
         {{kHotKeysText, 11, 11, 161, 39, true}, {"  Activate hot keys  ", 11, 64, 118, 17, true}, {"Apply", 110, 90, 75, 25}}},
        {about.get(), " About...", 262, 219, true,
         {{"Tikora 1.5-e", 71, 81, 0, 0}, {"tikora.example.org", 62, 125, 0, 0}, {"tikora.example.org/skins", 78, 145, 0, 0},
          {"OK", 90, 182, 81, 27}}},
        {information.get(), " Information", 191, 266, true, {{"Left click on the icon", 8, 240, 144, 20, true}}},
    };
    for (const Window& w : windows) {
        EXPECT_EQ(Text(w.form->Hwnd()), w.caption);
        RECT client{};
        GetClientRect(w.form->Hwnd(), &client);
        EXPECT_EQ(client.right, ui::Scale(w.width)) << w.caption;
        EXPECT_EQ(client.bottom, ui::Scale(w.height)) << w.caption;
        EXPECT_EQ((GetWindowLongPtrA(w.form->Hwnd(), GWL_STYLE) & WS_SYSMENU) != 0, w.systemMenu) << w.caption;
        for (const Place& p : w.places) {
            HWND control = FindByText(w.form->Hwnd(), p.text);
            ASSERT_TRUE(control) << p.text;
            const RECT r = RectIn(w.form->Hwnd(), control);
            EXPECT_EQ(r.left, ui::Scale(p.x)) << p.text;
            EXPECT_EQ(r.top, ui::Scale(p.y)) << p.text;
            if (p.grows) {
                EXPECT_GE(r.right - r.left, ui::Scale(p.width)) << p.text;
                EXPECT_GE(r.bottom - r.top, ui::Scale(p.height)) << p.text;
                EXPECT_LE(r.right, client.right) << p.text << " fits in the window";
            } else if (p.width) {
                EXPECT_EQ(r.right - r.left, ui::Scale(p.width)) << p.text;
                EXPECT_EQ(r.bottom - r.top, ui::Scale(p.height)) << p.text;
            }
        }
    }
    const RECT list = RectIn(chooser->Hwnd(), chooser->ListHandle());
    EXPECT_EQ(list.left, ui::Scale(4));
    EXPECT_EQ(list.bottom - list.top, ui::Scale(43));
    EXPECT_EQ(SendMessageA(chooser->ListHandle(), LB_GETITEMHEIGHT, 0, 0), ui::Scale(13));
    const RECT preview = RectIn(chooser->Hwnd(), chooser->PreviewHandle());
    EXPECT_EQ(preview.left, ui::Scale(6));
    EXPECT_EQ(preview.right - preview.left, ui::Scale(286));
    EXPECT_TRUE(information->HasPicture());
    // The picture keeps its words for screen readers and still shows the bitmap.
    HWND picture = FindWindowExA(information->Hwnd(), nullptr, "Static", kInformationPictureName);
    ASSERT_TRUE(picture);
    EXPECT_TRUE(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0));
}

TEST_F(SkinAndInfoDialogsTest, ChooserListsPreviewsAndAppliesWithoutDuplicates) {
    AddSkin("Blue.bmp", StripFile(286, 37, 0x0000FF));
    AddSkin("Wide.bmp", StripFile(400, 50, 0x00FF00));
    AddSkin("notes.txt", "not listed");
    ShowChooser();
    std::vector<std::string> listed = Listed();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(SendMessageA(chooser->ListHandle(), LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(GetFocus(), chooser->ListHandle());
    EXPECT_TRUE(IsWindowVisible(chooser->PreviewHandle()));
    const uint32_t firstTint = listed[0] == "Blue.bmp" ? 0x0000FF : 0x00FF00;
    Image preview = Preview();
    EXPECT_EQ(preview.At(0, 0), StripPixel(firstTint, 0, 0));
    EXPECT_EQ(preview.At(285, 36), StripPixel(firstTint, 285, 36));

    Pick("Wide.bmp");
    preview = Preview();
    EXPECT_EQ(preview.At(285, 36), StripPixel(0x00FF00, 285, 36)) << "the first 286 x 37 pixels, unscaled";
    Apply();
    EXPECT_EQ(StoredSkin(), "Numbers\\Wide.bmp");
    EXPECT_EQ(clock->Glyphs().digits.Strip()->At(26, 0), StripPixel(0x00FF00, 26, 0));
    EXPECT_EQ(GetFocus(), chooser->ListHandle());
    EXPECT_TRUE(rig.ErrorBoxes().empty());

    chooser->Hide();
    AddSkin("Late.bmp", StripFile(286, 37, 0xFF0000));
    ShowChooser();
    listed = Listed();
    EXPECT_EQ(listed.size(), 3u) << "rebuilt on show: no duplicates, the new strip appears";
}

// A strip saved by an old paint program as a run-length bitmap: previewed, applied and drawn.
TEST_F(SkinAndInfoDialogsTest, ARunLengthStripIsChosenAndDrawn) {
    auto index = [](int x, int y) { return static_cast<uint8_t>((x / 4 + y * 5) % 256); };
    AddSkin("Rle.bmp", tikora::testing::RleTestBmp(286, 37, 8, tikora::testing::EncodeRle8(286, 37, index)));
    ShowChooser();
    ASSERT_EQ(Listed(), std::vector<std::string>{"Rle.bmp"});
    EXPECT_EQ(Preview().At(285, 36), index(285, 36) * 0x010101u);
    Apply();
    EXPECT_EQ(StoredSkin(), "Numbers\\Rle.bmp");
    EXPECT_TRUE(rig.ErrorBoxes().empty());
    // The hour's tens digit "1" on the face: strip columns 52 onwards.
    RedrawWindow(clock->Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    clock->DrawFace();
    HDC dc = GetDC(clock->FaceHandle());
    int wrong = 0;
    for (int dy = 0; dy < kCellHeight; dy += 4)
        for (int dx = 0; dx < kDigitCellWidth; dx += 4) {
            const COLORREF c = GetPixel(dc, ui::Scale(8 + dx), ui::Scale(8 + dy));
            wrong += Rgb(GetRValue(c), GetGValue(c), GetBValue(c)) != index(52 + dx, dy) * 0x010101u;
        }
    ReleaseDC(clock->FaceHandle(), dc);
    EXPECT_EQ(wrong, 0);
}

TEST_F(SkinAndInfoDialogsTest, RefusedStripsLeaveTheFaceAndTheFileAsTheyWere) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> boxes;
    };
    const Case cases[] = {
        {"Narrow.bmp", StripFile(285, 37, 0x0000FF), {"Invalid image size."}},
        {"Low.bmp", StripFile(286, 36, 0x0000FF), {"Invalid image size."}},
        {"Text.bmp", "This is a text file renamed to .bmp\r\n", {}},
    };
    rig.settings.WriteString("Numbers", "Name", "Numbers\\Before.bmp");
    ASSERT_EQ(HourTensMismatches(), 0) << "the built-in digits are on the face";
    for (const Case& c : cases) {
        AddSkin(c.name, c.bytes);
        ShowChooser();
        Pick(c.name);
        const size_t seen = rig.ErrorBoxes().size();
        Apply();
        const std::vector<std::string> boxes(rig.ErrorBoxes().begin() + static_cast<long>(seen), rig.ErrorBoxes().end());
        EXPECT_EQ(boxes, c.boxes) << c.name;
        EXPECT_EQ(StoredSkin(), "Numbers\\Before.bmp") << c.name;
        EXPECT_EQ(clock->Glyphs().separators.Count(), 22) << c.name;
        chooser->Hide();  // off the clock, whose pixels are read next
        EXPECT_EQ(HourTensMismatches(), 0) << c.name << ": the face lost its digits";
        DeleteFileA(rig.folder.File(std::string("Numbers\\") + c.name).c_str());
    }
}

TEST_F(SkinAndInfoDialogsTest, EmptyFolderListsNothingAndApplyChangesNothing) {
    AddSkin("Only.bmp", StripFile(286, 37, 0x0000FF));
    ShowChooser();
    const Image shown = Preview();
    chooser->Hide();
    DeleteFileA(rig.folder.File("Numbers\\Only.bmp").c_str());
    ShowChooser();
    EXPECT_TRUE(Listed().empty());
    Apply();
    EXPECT_EQ(StoredSkin(), "(none)");
    EXPECT_EQ(GetFocus(), chooser->ListHandle());
    EXPECT_TRUE(Preview().pixels == shown.pixels) << "the preview keeps its last picture";
}

TEST_F(SkinAndInfoDialogsTest, HotKeysAreHeldAndStoredOnlyWhenTheBoxChanges) {
    hotKeys.reset(Make<HotKeysDialog>(WindowId::HotKeys, *clock, *clock, rig.settings));
    auto show = [&] {
        hotKeys->Show();
        ASSERT_TRUE(WaitFor([&] { return hotKeys->Visible(); }));
    };
    auto box = [&] { return SendMessageA(hotKeys->BoxHandle(), BM_GETCHECK, 0, 0) == BST_CHECKED; };
    auto fileText = [&] { return rig.folder.Read("MyIni.ini"); };

    show();
    EXPECT_FALSE(box());
    const std::string untouched = fileText();
    SendMessageA(FindByText(hotKeys->Hwnd(), "Apply"), BM_CLICK, 0, 0);
    EXPECT_FALSE(hotKeys->Visible());
    EXPECT_EQ(fileText(), untouched) << "Apply without a change writes nothing";

    show();
    SendMessageA(hotKeys->BoxHandle(), BM_CLICK, 0, 0);
    SendMessageA(FindByText(hotKeys->Hwnd(), "Apply"), BM_CLICK, 0, 0);
    EXPECT_FALSE(HotKeyFree(MOD_CONTROL | MOD_ALT, VK_UP)) << "Ctrl+Alt+Up is held";
    EXPECT_FALSE(HotKeyFree(MOD_CONTROL | MOD_ALT, VK_DOWN));
    EXPECT_EQ(rig.settings.ReadString("Options", "hotkey", ""), "1");

    // Alt+F4 applies too: there is no way out without applying.
    show();
    EXPECT_TRUE(box());
    SendMessageA(hotKeys->BoxHandle(), BM_CLICK, 0, 0);
    SendMessageA(hotKeys->Hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(hotKeys->Visible());
    EXPECT_TRUE(HotKeyFree(MOD_CONTROL | MOD_ALT, VK_UP));
    EXPECT_EQ(rig.settings.ReadString("Options", "hotkey", ""), "0");
}

TEST_F(SkinAndInfoDialogsTest, AboutLinksGoToTheShellOverHttpsAndASecondShowLeavesItInPlace) {
    std::unique_ptr<AboutDialog> about(Make<AboutDialog>(WindowId::About, rig.shell));
    about->Show();
    ASSERT_TRUE(WaitFor([&] { return about->Visible(); }));
    SendMessageA(about->FirstLinkHandle(), BM_CLICK, 0, 0);
    SendMessageA(about->SecondLinkHandle(), BM_CLICK, 0, 0);
    ASSERT_EQ(rig.shell.calls.size(), 2u);
    const char* const addresses[] = {"https://tikora.example.org", "https://tikora.example.org/skins"};
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_FALSE(rig.shell.calls[i].ownerIsApplication);
        EXPECT_EQ(rig.shell.calls[i].verb, "");
        EXPECT_EQ(rig.shell.calls[i].file, addresses[i]);
        EXPECT_EQ(rig.shell.calls[i].showCommand, SW_SHOWMAXIMIZED);
    }
    SetWindowPos(about->Hwnd(), nullptr, 40, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    about->Show();
    RECT r{};
    GetWindowRect(about->Hwnd(), &r);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
}

}  // namespace
