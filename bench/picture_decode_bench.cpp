// Decoding speed of the picture layer next to Debian's reference tools on the same files, and the
// memory a picture at actual size takes. JPEGs of 6000 x 4000 and 8256 x 5504 (a 45 megapixel
// camera's) fitted into a 440 x 330 pane (next to djpeg -scale 1/8) and at actual size (next to
// djpeg), each read from its file; a 4000 x 3000 PNG fitted and at actual size (pngtopnm). Then the
// peak resident memory of a fresh process that decodes each JPEG at actual size, against the
// picture's own pixel bytes. Prints figures; asserts nothing.
//   picture_decode_bench [ROUNDS]
//   picture_decode_bench --peak FILE     (the memory step, run by the bench itself)
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
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

void Report(const std::string& what, double ours, double reference, const char* tool) {
    std::printf("%-34s %8.1f ms   %-22s %8.1f ms   ratio %.2f\n", what.c_str(), ours, tool, reference, ours / reference);
}

// The file decoded as the viewer does it: read from the file as the decoder asks for it, into a
// fresh buffer of the shown size, as the viewer's bitmap is (its pages not yet touched).
DecodedPicture DecodeFile(PictureFormat format, const std::string& path, int box) {
    const DecodeRequest request{box, box * 3 / 4, 0};
    std::unique_ptr<uint32_t[]> shown;
    const PixelTarget target = [&shown](int width, int height) {
        shown.reset(new uint32_t[static_cast<size_t>(width) * static_cast<size_t>(height)]);
        return shown.get();
    };
#ifdef BENCH_FROM_MEMORY  // for decoding layers that take the whole file in memory only
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return DecodePicture(format, bytes.data(), bytes.size(), request, target);
#else
    FileSource source(path);
    return DecodePicture(format, source, request, target);
#endif
}

// The least any decoder pays for its output at actual size here: touching as many fresh bytes.
double TouchMs(int rounds, size_t bytes) {
    return MedianMs(rounds, [&] {
        std::unique_ptr<uint8_t[]> fresh(new uint8_t[bytes]);
        for (size_t i = 0; i < bytes; i += 4096) fresh[i] = 1;
        volatile uint8_t keep = fresh[bytes / 2];
        (void)keep;
    });
}

long PeakKib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int Peak(const std::string& path) {
    const long before = PeakKib();
    const DecodedPicture picture = DecodeFile(PictureFormat::Jpeg, path, 0);
    const long after = PeakKib();
    const double pixelMb = picture.problem == DecodeProblem::None
                               ? static_cast<double>(picture.width) * static_cast<double>(picture.height) * 4 / 1048576
                               : 0;
    std::printf("%s: %s, peak %.1f MB above the start, pixels %.1f MB, beyond them %.1f MB\n", path.c_str(),
                DecodeProblemName(picture.problem), static_cast<double>(after - before) / 1024, pixelMb,
                static_cast<double>(after - before) / 1024 - pixelMb);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--peak") == 0) return Peak(argv[2]);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string dir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    struct Jpeg { int width, height; std::string path; };
    std::vector<Jpeg> jpegs = {{6000, 4000, dir + "/bench-6000x4000.jpg"}, {8256, 5504, dir + "/bench-8256x5504.jpg"}};
    for (const Jpeg& j : jpegs) {
        const testing::Bytes bytes = testing::EncodeJpeg(Photo(j.width, j.height), false, 90);
        Save(j.path, bytes);
        std::printf("file: JPEG %d x %d, %zu KB\n", j.width, j.height, bytes.size() / 1024);
    }
    const std::string png = dir + "/bench-4000x3000.png";
    Save(png, testing::EncodePng(Photo(4000, 3000)));
    std::printf("median of %d rounds\n", rounds);

    auto decode = [&](PictureFormat format, const std::string& path, int box) {
        return MedianMs(rounds, [&] {
            const DecodedPicture p = DecodeFile(format, path, box);
            if (p.problem != DecodeProblem::None) std::printf("  (%s: %s)\n", path.c_str(), DecodeProblemName(p.problem));
        });
    };
    for (const Jpeg& j : jpegs) {
        const std::string name = "JPEG " + std::to_string(j.width) + "x" + std::to_string(j.height);
        // The pane of 440 x 330: libjpeg's 1/8 scale, then the area average.
        Report(name + " fitted 440x330", decode(PictureFormat::Jpeg, j.path, 440),
               ToolMs(rounds, "djpeg -scale 1/8 -outfile /dev/null " + j.path), "djpeg -scale 1/8");
        Report(name + " actual size", decode(PictureFormat::Jpeg, j.path, 0), ToolMs(rounds, "djpeg -outfile /dev/null " + j.path),
               "djpeg");
        std::printf("%-34s %8.1f ms   (writing once to %d MB of fresh memory, which djpeg never holds)\n", "  of which at least",
                    TouchMs(rounds, static_cast<size_t>(j.width) * static_cast<size_t>(j.height) * 4), j.width * j.height * 4 >> 20);
    }
    const double pngTool = ToolMs(rounds, "pngtopnm " + png + " > /dev/null");
    Report("PNG 4000x3000 fitted 440x330", decode(PictureFormat::Png, png, 440), pngTool, "pngtopnm");
    Report("PNG 4000x3000 actual size", decode(PictureFormat::Png, png, 0), pngTool, "pngtopnm");

    std::printf("peak memory at actual size, each in a fresh process:\n");
    std::fflush(stdout);
    for (const Jpeg& j : jpegs) (void)std::system(("/proc/" + std::to_string(getpid()) + "/exe --peak " + j.path).c_str());
    return 0;
}
