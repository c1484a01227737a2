#include "tools/assets.h"

#include "tools/bmp_writer.h"
#include "tools/ico_writer.h"
#include "tools/icons.h"
#include "tools/sounds.h"
#include "tools/wav_writer.h"

namespace tikora {
namespace {

template <typename Draw>
std::vector<uint8_t> Icon(std::initializer_list<int> sizes, Draw draw) {
    std::vector<ArgbImage> pictures;
    for (int size : sizes) pictures.push_back(draw(size));
    return EncodeIco(pictures);
}

}  // namespace

std::vector<NamedSkin> SkinCatalogue() {
    return {
        {"Cyan.bmp", kBuiltinSkinStyle},
        {"Red.bmp",
         {.background = Rgb(0, 0, 0),
          .lit = Rgb(255, 48, 32),
          .edge = Rgb(136, 24, 16),
          .unlit = Rgb(92, 16, 12),
          .unlitPattern = UnlitPattern::Checkerboard,
          .leanRows = 8}},
        {"Green.bmp",
         {.background = Rgb(0, 0, 0),
          .lit = Rgb(80, 255, 80),
          .edge = Rgb(40, 128, 40),
          .unlit = Rgb(24, 88, 24),
          .unlitPattern = UnlitPattern::Checkerboard,
          .leanRows = 8}},
        {"Amber.bmp",
         {.background = Rgb(0, 0, 0),
          .lit = Rgb(255, 176, 0),
          .edge = Rgb(136, 92, 0),
          .unlit = Rgb(72, 48, 0),
          .unlitPattern = UnlitPattern::Checkerboard,
          .leanRows = 8}},
        {"White.bmp",
         {.background = Rgb(0, 0, 0),
          .lit = Rgb(240, 240, 240),
          .edge = Rgb(120, 120, 120),
          .unlit = Rgb(44, 44, 44),
          .unlitPattern = UnlitPattern::Solid,
          .leanRows = 0}},
        {"LCD.bmp",
         {.background = Rgb(190, 202, 172),
          .lit = Rgb(24, 32, 28),
          .edge = Rgb(104, 114, 96),
          .unlit = Rgb(172, 184, 154),
          .unlitPattern = UnlitPattern::Solid,
          .leanRows = 10}},
    };
}

std::vector<AssetFile> BuildAssets() {
    std::vector<AssetFile> files;
    for (const NamedSkin& skin : SkinCatalogue())
        files.push_back({std::string("Numbers/") + skin.fileName, EncodeBmp(RenderSkinStrip(skin.style))});
    files.push_back({"Sounds/Chimes.wav", EncodeWav(SynthesizeChime())});
    files.push_back({"Sounds/Ring.wav", EncodeWav(SynthesizeRing())});
    files.push_back(
        {"Icons/Clock.ico", Icon({16, 32, 48}, [](int s) { return DrawClockIcon(s, kPlainClockColours); })});
    files.push_back({"Icons/Digital.ico", Icon({16, 32, 48}, DrawDigitalIcon)});
    files.push_back({"Icons/Bell.ico", Icon({16, 32, 48}, DrawBellIcon)});
    files.push_back({"tikora.ico", Icon({16, 32, 48}, [](int s) { return DrawClockIcon(s, kProgramClockColours); })});
    return files;
}

}  // namespace tikora
