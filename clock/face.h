#pragma once
// What one draw of the clock face puts where: at most eight glyph copies at y = 8.
#include <array>
#include <cstddef>
#include <string_view>

namespace tikora {

inline constexpr int kFaceHeight = 53;
inline constexpr int kFaceWidthWithSeconds = 199;
inline constexpr int kFaceWidthWithoutSeconds = 134;
inline constexpr int kGlyphTop = 8;
inline constexpr int kEdgePieceLeft = 126;
inline constexpr int kEdgePieceWidth = 8;

struct GlyphDraw {
    enum class Set { Digit, Separator };
    Set set = Set::Digit;
    int cell = 0;
    int x = 0;
    friend bool operator==(const GlyphDraw&, const GlyphDraw&) = default;
};

struct FacePlan {
    std::array<GlyphDraw, 8> draws{};
    size_t count = 0;
    void Push(GlyphDraw d) { draws[count++] = d; }
    friend bool operator==(const FacePlan&, const FacePlan&) = default;
};

struct FaceOptions {
    bool showSecond = false;
    bool flash = true;
    bool twinklePhase = false;
};

// `text` is the 8-character "hh:mm:ss" time text. A character that is not a digit draws nothing.
FacePlan PlanFace(std::string_view text, const FaceOptions& options);

inline int FaceWidth(bool showSecond) { return showSecond ? kFaceWidthWithSeconds : kFaceWidthWithoutSeconds; }

}  // namespace tikora
