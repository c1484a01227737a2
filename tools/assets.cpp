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
         {.background = rgb(0, 0, 0),
          .lit = rgb(255, 48, 32),
          .edge = rgb(136, 24, 16),
          .unlit = rgb(92, 16, 12),
          .unlitPattern = UnlitPattern::Checkerboard,
          .leanRows = 8}},
        {"Green.bmp",
         {.background = rgb(0, 0, 0),
          .lit = rgb(80, 255, 80),
          .edge = rgb(40, 128, 40),
          .unlit = rgb(24, 88, 24),
          .unlitPattern = UnlitPattern::Checkerboard,
          .leanRows = 8}},
        {"Amber.bmp",
         {.background = rgb(0, 0, 0),
          .lit = rgb(255, 176, 0),
          .edge = rgb(136, 92, 0),
          .unlit = rgb(72, 48, 0),
          .unlitPattern = UnlitPattern::Checkerboard,
          .leanRows = 8}},
        {"White.bmp",
         {.background = rgb(0, 0, 0),
          .lit = rgb(240, 240, 240),
          .edge = rgb(120, 120, 120),
          .unlit = rgb(44, 44, 44),
          .unlitPattern = UnlitPattern::Solid,
          .leanRows = 0}},
        {"LCD.bmp",
         {.background = rgb(190, 202, 172),
          .lit = rgb(24, 32, 28),
          .edge = rgb(104, 114, 96),
          .unlit = rgb(172, 184, 154),
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
