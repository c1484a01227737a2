// Decoding speed of the picture layer next to Debian's reference tools on the same files: a
// 6000 x 4000 JPEG fitted into a 440 x 330 pane and at actual size (djpeg at the same scale), and a
// 4000 x 3000 PNG fitted and at actual size (pngtopnm). Prints figures; asserts nothing.
//   picture_decode_bench [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/picture_samples.h"
#include "viewer/picture_decoder.h"

using namespace tikora;
using Clock = std::chrono::steady_clock;

namespace {

// A photograph-like picture: smooth ramps with fine texture, so the JPEG is of realistic size.
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

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

template <typename F>
double MedianMs(int rounds, F run) {
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        run();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return Median(ms);
}

// The reference tool's time, less the time of starting a process that does nothing.
double ToolMs(int rounds, const std::string& command) {
    const double bare = MedianMs(rounds, [] { (void)std::system("true"); });
    return MedianMs(rounds, [&] { (void)std::system(command.c_str()); }) - bare;
}

void Save(const std::string& path, const testing::Bytes& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void Report(const char* what, double ours, double reference, const char* tool) {
    std::printf("%-34s %8.1f ms   %-22s %8.1f ms   ratio %.2f\n", what, ours, tool, reference, ours / reference);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string dir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    const testing::Bytes jpeg = testing::EncodeJpeg(Photo(6000, 4000), false, 90);
    const testing::Bytes png = testing::EncodePng(Photo(4000, 3000));
    Save(dir + "/bench-6000x4000.jpg", jpeg);
    Save(dir + "/bench-4000x3000.png", png);
    std::printf("files: JPEG %zu KB, PNG %zu KB; median of %d rounds\n", jpeg.size() / 1024, png.size() / 1024, rounds);

    auto decode = [&](PictureFormat format, const testing::Bytes& bytes, int box) {
        return MedianMs(rounds, [&] {
            const DecodedPicture p = DecodePicture(format, bytes.data(), bytes.size(), DecodeRequest{box, box * 3 / 4, 0});
            if (p.problem != DecodeProblem::None) std::abort();
        });
    };
    // The pane of 440 x 330 takes a 6000 x 4000 picture at 440 x 293: libjpeg's 1/8 gives 750 x 500.
    Report("JPEG 6000x4000 fitted 440x293", decode(PictureFormat::Jpeg, jpeg, 440),
           ToolMs(rounds, "djpeg -scale 1/8 -outfile /dev/null " + dir + "/bench-6000x4000.jpg"), "djpeg -scale 1/8");
    Report("JPEG 6000x4000 actual size", decode(PictureFormat::Jpeg, jpeg, 0),
           ToolMs(rounds, "djpeg -outfile /dev/null " + dir + "/bench-6000x4000.jpg"), "djpeg");
    const double pngTool = ToolMs(rounds, "pngtopnm " + dir + "/bench-4000x3000.png > /dev/null");
    Report("PNG 4000x3000 fitted 440x330", decode(PictureFormat::Png, png, 440), pngTool, "pngtopnm");
    Report("PNG 4000x3000 actual size", decode(PictureFormat::Png, png, 0), pngTool, "pngtopnm");
    return 0;
}
