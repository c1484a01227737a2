// The skin chooser's listing rules, preview picture and "Apply".
#include "settings/skin_choice.h"

#include <algorithm>
#include <cctype>

#include "clock/builtin_skin.h"
#include "clock/glyphs.h"

namespace tikora {

namespace {

bool EndsWithBmp(const std::string& name) {
    constexpr std::string_view kExtension = ".bmp";
    if (name.size() <= kExtension.size()) return false;
    const std::string_view tail = std::string_view(name).substr(name.size() - kExtension.size());
    return std::equal(tail.begin(), tail.end(), kExtension.begin(),
                      [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

}  // namespace

std::vector<std::string> SkinNames(const std::vector<FolderEntry>& found) {
    std::vector<std::string> names;
    for (const FolderEntry& entry : found)
        if (!entry.directory && EndsWithBmp(entry.name)) names.push_back(entry.name);
    return names;
}

std::string SkinPath(const std::string& name) { return kSkinFolderPrefix + name; }

Image SkinPreview(const Image& strip, uint32_t background) {
    Image preview(kStripWidth, kStripHeight, background);
    const int width = std::min(strip.width, kStripWidth);
    const int height = std::min(strip.height, kStripHeight);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) preview.At(x, y) = strip.At(x, y);
    return preview;
}

Image DecorativePicture() {
    constexpr int kWidth = 79, kHeight = 15;
    const Image strip = RenderBuiltinSkin();
    Image picture(kWidth, kHeight, strip.At(0, 0));
    // Strip columns of each glyph of "12:34": digits are cell d+1, the separator "on" is columns 13-25.
    const int sources[][2] = {{52, 26}, {78, 26}, {13, 13}, {104, 26}, {130, 26}};
    int left = 17;  // centred: four digits of 10 and a separator of 5 pixels
    for (const auto& [from, width] : sources) {
        const int shrunk = width * kHeight / kCellHeight;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < shrunk && left + x < kWidth; ++x)
                picture.At(left + x, y) = strip.At(from + x * width / shrunk, y * kCellHeight / kHeight);
        left += shrunk;
    }
    return picture;
}

void ApplySkinChoice(SkinTarget& clock, SettingsStore& settings, const std::string& name) {
    const std::string path = SkinPath(name);
    clock.ApplySkin(path);
    settings.WriteString("Numbers", "Name", path);
}

}  // namespace tikora
