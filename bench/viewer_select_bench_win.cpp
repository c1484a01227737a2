// The picture viewer under Wine: the time from selecting a picture in the list to the picture
// shown fitted in the pane (decoded, placed and painted), for a 6000 x 4000 JPEG and a
// 4000 x 3000 PNG, and the same files loaded at actual size as the actual-size view loads them.
// Median of ROUNDS; prints figures, asserts nothing. The native decoding bench prints djpeg and
// pngtopnm on pictures of the same sizes for comparison.
//   viewer_select_bench [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/window_id.h"
#include "support/fakes.h"
#include "support/picture_samples.h"
#include "ui/application_win.h"
#include "viewer/picture_file_win.h"
#include "viewer/picture_viewer_win.h"

using namespace tikora;
using namespace tikora::testing;

namespace {

double Seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

class FixedBrowser final : public ui::FolderBrowser {
public:
    explicit FixedBrowser(std::string folder) : folder_(std::move(folder)) {}
    std::optional<std::string> Browse(HWND, const std::string&, const std::string&) override { return folder_; }

private:
    std::string folder_;
};

// Smooth ramps with fine noise, so the files have a photograph's size.
Image Photo(int width, int height) {
    Image image(width, height);
    uint32_t noise = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245 + 12345;
            const int n = static_cast<int>((noise >> 16) & 31) - 16;
            auto clamp = [](int v) { return static_cast<unsigned>(std::clamp(v, 0, 255)); };
            image.At(x, y) = Rgb(clamp(x * 255 / width + n), clamp(y * 255 / height + n), clamp(128 + n));
        }
    return image;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE) return;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = std::max(1, argc > 1 ? std::atoi(argv[1]) : 5);
    ui::Application::Instance().Initialize("Tikora viewer bench");
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    const std::string folder = std::string(temp) + "tikora-viewer-bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    std::printf("making the pictures in %s ...\n", folder.c_str());
    // A .jpg sorts after a .png in the filter's pattern order: index 0 is the PNG, 1 the JPEG.
    WriteBytes(folder + "\\big.png", EncodePng(Photo(4000, 3000)));
    WriteBytes(folder + "\\big.jpg", EncodeJpeg(Photo(6000, 4000), false, 90));

    FakeServices services;
    FixedBrowser browser(folder);
    PictureViewer viewer({"TForm9", " Picture viewer"}, services.Services(), {.browser = &browser, .unlimited = false});
    viewer.CreateForm();
    viewer.Show();
    viewer.AddFolder();
    if (viewer.List().Count() != 2) {
        std::printf("expected 2 pictures, found %d\n", viewer.List().Count());
        return 1;
    }
    RECT pane{};
    GetClientRect(viewer.Preview().Hwnd(), &pane);
    std::printf("pane %ld x %ld device pixels, %d rounds (median)\n", pane.right, pane.bottom, rounds);

    const char* names[] = {"PNG 4000 x 3000", "JPEG 6000 x 4000"};
    for (int index : {1, 0}) {
        std::vector<double> fitted;
        std::vector<double> actual;
        for (int round = 0; round < rounds; ++round) {
            viewer.List().SetSelectedIndex(1 - index);
            SendMessageA(viewer.Hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(viewer.List().Hwnd()), LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(viewer.List().Hwnd()));
            ui::Application::Instance().ProcessMessages();
            const double start = Seconds();
            viewer.List().SetSelectedIndex(index);
            SendMessageA(viewer.Hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(viewer.List().Hwnd()), LBN_SELCHANGE),
                         reinterpret_cast<LPARAM>(viewer.List().Hwnd()));
            UpdateWindow(viewer.Preview().Hwnd());
            GdiFlush();
            fitted.push_back(Seconds() - start);

            const double loadStart = Seconds();
            LoadedPicture full = LoadPictureFile(viewer.List().Item(index), 0, 0, RGB(128, 128, 128));
            actual.push_back(Seconds() - loadStart);
        }
        std::printf("%-17s selected to shown fitted: %7.1f ms   (%s)\n", names[index], Median(fitted) * 1000,
                    viewer.DimensionsShown().c_str());
        std::printf("%-17s loaded at actual size:    %7.1f ms\n", names[index], Median(actual) * 1000);
    }
    viewer.Destroy();
    return 0;
}
