// The decoding layer against an independent decoder: the picture libraries' own test pictures
// (libpng's PngSuite and test PNGs, libjpeg-turbo's test images, giflib's pictures, from the source
// trees scripts/deps.sh fetches) and bitmaps in every variant a paint program writes, each decoded
// at actual size over a grey background and compared pixel for pixel with ImageMagick's reading
// of the same file. Either both refuse a file or both show the same pixels (within a JPEG's
// rounding, one level for 5 and 6-bit channels and for blends of 16-bit ones).
#include <gtest/gtest.h>

#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/bad_pictures.h"
#include "viewer/picture_decoder.h"

namespace tikora {
namespace {

namespace fs = std::filesystem;

constexpr uint32_t kBackground = 0x808080;

struct Entry {
    std::string name;       // as reported
    std::string path;       // the file we decode
    std::string reference;  // what ImageMagick reads ("file" or "file[0]")
    PictureFormat format;
    int tolerance;
};

std::string Quote(const std::string& s) { return "'" + s + "'"; }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

uint32_t Le32At(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(b[at + i]);
    return v;
}

// A PPM (P6, maxval 255) as 0x00RRGGBB; empty when it is not one.
Image ReadPpm(const std::string& path) {
    const std::string bytes = ReadFile(path);
    size_t at = 0;
    auto token = [&] {  // the next header field, passing over blanks and comments
        while (at < bytes.size() && (std::isspace(static_cast<unsigned char>(bytes[at])) || bytes[at] == '#'))
            if (bytes[at] == '#')
                while (at < bytes.size() && bytes[at] != '\n') ++at;
            else
                ++at;
        const size_t from = at;
        while (at < bytes.size() && !std::isspace(static_cast<unsigned char>(bytes[at]))) ++at;
        return bytes.substr(from, at - from);
    };
    const std::string magic = token();
    const int width = std::atoi(token().c_str()), height = std::atoi(token().c_str()), maxval = std::atoi(token().c_str());
    if (magic != "P6" || maxval != 255 || width <= 0 || height <= 0) return {};
    const size_t start = at + 1;
    if (bytes.size() < start + static_cast<size_t>(width) * height * 3) return {};
    Image image(width, height);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        const auto* p = reinterpret_cast<const uint8_t*>(bytes.data() + start + i * 3);
        image.pixels[i] = Rgb(p[0], p[1], p[2]);
    }
    return image;
}

// The bitmap variants no common tool writes, made from ones ImageMagick wrote.
// Rows reversed and the height negated: the same picture stored top-down.
std::string TopDown(std::string bmp) {
    const uint32_t offset = Le32At(bmp, 10);
    const int width = static_cast<int>(Le32At(bmp, 18)), height = static_cast<int>(Le32At(bmp, 22));
    const int bits = static_cast<uint8_t>(bmp[28]) | (static_cast<uint8_t>(bmp[29]) << 8);
    const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    std::string flipped = bmp;
    for (int y = 0; y < height; ++y)
        flipped.replace(offset + y * stride, stride, bmp, offset + (height - 1 - y) * stride, stride);
    testing::Put32(flipped, 22, static_cast<uint32_t>(-height));
    return flipped;
}
// The header of a 124-byte file cut to a smaller one: 108 and 56 bytes keep the four masks, 52 the
// three colour masks, and 40 keeps those three after the header (BI_BITFIELDS).
std::string HeaderOf(std::string bmp, uint32_t size) {
    const uint32_t kept = size == 40 ? 52 : size;
    bmp.erase(14 + kept, 124 - kept);
    testing::Put32(bmp, 14, size);
    testing::Put32(bmp, 10, Le32At(bmp, 10) - (124 - kept));
    testing::Put32(bmp, 2, static_cast<uint32_t>(bmp.size()));
    return bmp;
}
// A 24-bit file as a plain 16-bit one (BI_RGB, 5 bits a channel).
std::string As555(const std::string& bmp) {
    const uint32_t offset = Le32At(bmp, 10);
    const int width = static_cast<int>(Le32At(bmp, 18)), height = static_cast<int>(Le32At(bmp, 22));
    const size_t from = (static_cast<size_t>(width) * 24 + 31) / 32 * 4, to = (static_cast<size_t>(width) * 16 + 31) / 32 * 4;
    std::string out = bmp.substr(0, offset) + std::string(to * height, '\0');
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const auto* p = reinterpret_cast<const uint8_t*>(bmp.data() + offset + y * from + x * 3);
            const unsigned v = ((p[2] >> 3) << 10) | ((p[1] >> 3) << 5) | (p[0] >> 3);
            out[offset + y * to + x * 2] = static_cast<char>(v & 0xFF);
            out[offset + y * to + x * 2 + 1] = static_cast<char>(v >> 8);
        }
    out[28] = 16;
    testing::Put32(out, 2, static_cast<uint32_t>(out.size()));
    testing::Put32(out, 34, static_cast<uint32_t>(to * height));
    return out;
}
// A 4-bit bitmap re-encoded as BI_RLE4: runs of alternating pairs where they repeat, pixels one by
// one elsewhere, and deltas over runs of colour 0 (which skipped pixels take).
std::string AsRle4(const std::string& bmp) {
    const uint32_t offset = Le32At(bmp, 10);
    const int width = static_cast<int>(Le32At(bmp, 18)), height = static_cast<int>(Le32At(bmp, 22));
    const size_t stride = (static_cast<size_t>(width) * 4 + 31) / 32 * 4;
    auto at = [&](int x, int y) {  // y: file row
        const uint8_t byte = static_cast<uint8_t>(bmp[offset + y * stride + x / 2]);
        return static_cast<uint8_t>(x % 2 ? byte & 15 : byte >> 4);
    };
    std::string data;
    auto put = [&](int a, int b) { data += static_cast<char>(a); data += static_cast<char>(b); };
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            int zeros = 0;
            while (x + zeros < width && at(x + zeros, y) == 0 && zeros < 255) ++zeros;
            if (zeros >= 4 && x + zeros < width) {
                put(0, 2), data += static_cast<char>(zeros), data += '\0';
                x += zeros;
                continue;
            }
            int run = 2;  // a run repeating the pair at x
            while (x + run < width && run < 255 && at(x + run, y) == at(x + run % 2, y)) ++run;
            run = std::min(run, width - x);
            if (run >= 4 || width - x < 3) {
                put(run, (at(x, y) << 4) | (run > 1 ? at(x + 1, y) : 0));
                x += run;
                continue;
            }
            const int count = std::min(width - x, 6);
            if (count < 3) {
                put(count, (at(x, y) << 4) | (count > 1 ? at(x + 1, y) : 0));
                x += count;
                continue;
            }
            put(0, count);
            std::string packed;
            for (int i = 0; i < count; i += 2) packed += static_cast<char>((at(x + i, y) << 4) | (i + 1 < count ? at(x + i + 1, y) : 0));
            if (packed.size() % 2) packed += '\0';
            data += packed;
            x += count;
        }
        put(0, 0);
    }
    put(0, 1);
    std::string out = bmp.substr(0, offset) + data;
    testing::Put32(out, 2, static_cast<uint32_t>(out.size()));
    testing::Put32(out, 30, 2);
    testing::Put32(out, 34, static_cast<uint32_t>(data.size()));
    return out;
}

std::vector<std::string> Sorted(const fs::path& folder, const std::string& extension) {
    std::vector<std::string> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error))
        if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(PictureCorpus, DecodesAsAnIndependentDecoderDoes) {
    const char* sources = std::getenv("TIKORA_LIBRARY_SOURCES");
    std::vector<std::string> trees;
    for (std::istringstream in(sources ? sources : ""); !in.eof();) {
        std::string tree;
        std::getline(in, tree, ':');
        if (!tree.empty()) trees.push_back(tree);
    }
    ASSERT_EQ(trees.size(), 3u) << "The picture libraries' source trees are not known: run bash scripts/deps.sh --sources "
                                   "(scripts/test.sh does), then configure the native build again.";
    const fs::path jpegTree = trees[0], pngTree = trees[1], gifTree = trees[2];
    for (const auto& tree : {jpegTree / "testimages", pngTree / "contrib" / "pngsuite", gifTree / "pic"})
        ASSERT_TRUE(fs::is_directory(tree)) << tree << " is missing: run bash scripts/deps.sh --sources";
    ASSERT_EQ(std::system("command -v convert >/dev/null 2>&1"), 0)
        << "ImageMagick's convert is missing: bash scripts/setup.sh installs it";

    char pattern[] = "/tmp/tikora-corpus-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const fs::path work = pattern;

    std::vector<Entry> entries;
    auto add = [&](const std::string& name, const std::string& path, PictureFormat format, int tolerance,
                   const std::string& reference = "") {
        entries.push_back({name, path, reference.empty() ? path : reference, format, tolerance});
    };
    for (const auto& f : Sorted(jpegTree / "testimages", ".jpg")) add(fs::path(f).filename(), f, PictureFormat::Jpeg, 2);
    for (const auto& f : Sorted(jpegTree / "testimages", ".bmp")) add(fs::path(f).filename(), f, PictureFormat::Bmp, 0);
    for (const auto& folder : {pngTree / "contrib" / "pngsuite", pngTree / "contrib" / "pngsuite" / "interlaced",
                               pngTree / "contrib" / "testpngs"})
        for (const auto& f : Sorted(folder, ".png")) add(fs::relative(f, pngTree / "contrib"), f, PictureFormat::Png, 1);
    for (const auto& f : Sorted(gifTree / "pic", ".gif")) add(fs::path(f).filename(), f, PictureFormat::Gif, 0, f + "[0]");

    // The JPEG without its end marker: all its scan data is there, so it shows the whole file's pixels.
    const fs::path testorig = jpegTree / "testimages" / "testorig.jpg";
    std::string cut = ReadFile(testorig);
    cut.resize(cut.size() - 2);
    WriteFile(work / "testorig-without-end.jpg", cut);
    add("testorig.jpg without its end marker", work / "testorig-without-end.jpg", PictureFormat::Jpeg, 2, testorig);

    // Bitmaps in every variant, written by ImageMagick from libjpeg-turbo's test picture (227 x 149:
    // odd, so rows are padded), then the variants it cannot write made from those.
    const std::string photo = (jpegTree / "testimages" / "testorig.ppm").string();
    // One run of ImageMagick: each a copy of the picture, its options, and its kind of file.
    const std::pair<const char*, const char*> written[] = {
        {"24.bmp", "BMP3:"},
        {"core-24.bmp", "BMP2:"},
        {"v5-24.bmp", "BMP:"},
        {"8.bmp", "-colors 200 -compress None BMP3:"},
        {"core-8.bmp", "-colors 200 BMP2:"},
        {"4.bmp", "-colors 16 BMP3:"},
        {"1.bmp", "-monochrome BMP3:"},
        {"rle8.bmp", "-colors 200 -compress RLE BMP3:"},
        {"v5-565.bmp", "-define bmp:subtype=RGB565 BMP:"},
        {"v5-32.bmp", "-alpha set BMP:"},
    };
    std::string make = "MAGICK_THREAD_LIMIT=1 convert " + Quote(photo);
    for (const auto& [name, how] : written) {
        const std::string spec = how;
        const size_t blank = spec.rfind(' ');
        const std::string options = blank == std::string::npos ? "" : spec.substr(0, blank);
        const std::string kind = blank == std::string::npos ? spec : spec.substr(blank + 1);
        // Settings would carry over to the next copy: reset after each.
        make += " '(' +clone " + options + " -write " + kind + Quote((work / name).string()) + " +delete ')' +compress -define bmp:subtype=";
    }
    ASSERT_EQ(std::system((make + " null: 2>/dev/null").c_str()), 0) << make;
    // 5 and 6-bit channels: ImageMagick widens them by repeating their top bits, we by rounding.
    auto variant = [&](const std::string& name, const std::string& bytes, int tolerance = 0, const std::string& same = "") {
        WriteFile(work / name, bytes);
        add("bitmap " + name, work / name, PictureFormat::Bmp, tolerance, same.empty() ? "" : (work / same).string());
    };
    for (const auto& [name, how] : written)
        add(std::string("bitmap ") + name, work / name, PictureFormat::Bmp, std::string(name).find("565") == std::string::npos ? 0 : 1);
    variant("top-down-24.bmp", TopDown(ReadFile(work / "24.bmp")));
    variant("top-down-8.bmp", TopDown(ReadFile(work / "8.bmp")));
    variant("rle4.bmp", AsRle4(ReadFile(work / "4.bmp")));
    variant("555.bmp", As555(ReadFile(work / "24.bmp")), 1);
    variant("40-masks-565.bmp", HeaderOf(ReadFile(work / "v5-565.bmp"), 40), 1);
    // ImageMagick does not know the 52-byte header: compared with the same pixels behind the 124-byte one.
    variant("v2-52-565.bmp", HeaderOf(ReadFile(work / "v5-565.bmp"), 52), 1, "v5-565.bmp");
    variant("v3-56-565.bmp", HeaderOf(ReadFile(work / "v5-565.bmp"), 56), 1);
    variant("v4-108-565.bmp", HeaderOf(ReadFile(work / "v5-565.bmp"), 108), 1);
    variant("v4-108-24.bmp", HeaderOf(ReadFile(work / "v5-24.bmp"), 108));

    // ImageMagick reads them all in one run, each flattened over the same grey and written as a
    // PPM, its samples as they are (a gamma in the file is not applied, as we do not). A file it
    // cannot read ends its run: that file is tried alone, and the next run starts after it.
    auto referenceOf = [&](size_t i) { return work / ("ref-" + std::to_string(i) + ".ppm"); };
    auto convert = [&](size_t from, size_t to) {
        std::string command = "MAGICK_THREAD_LIMIT=1 convert";
        for (size_t i = from; i < to; ++i)
            command += " '(' " + Quote(entries[i].reference) + " -set colorspace sRGB -background '#808080' -flatten -depth 8 -write ppm:" +
                       Quote(referenceOf(i).string()) + " +delete ')'";
        (void)std::system((command + " xc:none null: 2>/dev/null").c_str());
    };
    for (size_t first = 0; first < entries.size();) {
        convert(first, entries.size());
        while (first < entries.size() && fs::exists(referenceOf(first))) ++first;
        if (first < entries.size()) convert(first, first + 1);
        ++first;
    }

    int compared = 0, refusedByBoth = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        SCOPED_TRACE(e.name);
        const Image reference = ReadPpm(referenceOf(i));
        FileSource source(e.path);
        const DecodedPicture ours = DecodePicture(e.format, source, DecodeRequest{0, 0, kBackground});
        const bool weShow = ours.problem == DecodeProblem::None, theyShow = !reference.pixels.empty();
        if (!weShow || !theyShow) {
            EXPECT_EQ(weShow, theyShow) << (weShow ? "ImageMagick refuses it, we show it"
                                                   : std::string("we refuse it (") + DecodeProblemName(ours.problem) + "), ImageMagick shows it");
            refusedByBoth += !weShow && !theyShow;
            continue;
        }
        ++compared;
        ASSERT_EQ(ours.image.width, reference.width);
        ASSERT_EQ(ours.image.height, reference.height);
        int wrong = 0, worst = 0;
        for (size_t p = 0; p < reference.pixels.size(); ++p) {
            int off = 0;
            for (int shift : {0, 8, 16})
                off = std::max(off, std::abs(static_cast<int>((ours.image.pixels[p] >> shift) & 0xFF) -
                                             static_cast<int>((reference.pixels[p] >> shift) & 0xFF)));
            wrong += off > e.tolerance;
            worst = std::max(worst, off);
        }
        EXPECT_EQ(wrong, 0) << "pixels further than " << e.tolerance << " from ImageMagick's (at most " << worst << ")";
    }
    std::printf("%d pictures compared, %d refused by both, of %zu\n", compared, refusedByBoth, entries.size());

    // libpng's files that once crashed decoders (damaged chunks, lengths past the end): each is
    // refused or shown whole. ImageMagick reads on after such damage, so it is no reference here.
    // Shrunk, as some declare pictures of the largest size allowed.
    int crashers = 0;
    for (const auto& f : Sorted(pngTree / "contrib" / "testpngs" / "crashers", ".png")) {
        FileSource source(f);
        const DecodedPicture picture = DecodePicture(PictureFormat::Png, source, DecodeRequest{64, 64, kBackground});
        ++crashers;
        const ShownSize shown = FitInto(picture.width, picture.height, 64, 64);
        if (picture.problem == DecodeProblem::None)
            EXPECT_EQ(picture.image.pixels.size(), static_cast<size_t>(shown.width) * static_cast<size_t>(shown.height)) << f;
        else
            EXPECT_TRUE(picture.image.pixels.empty()) << f;
    }
    EXPECT_GE(crashers, 10);
    EXPECT_GE(compared, 190);
    fs::remove_all(work);
}

}  // namespace
}  // namespace tikora
