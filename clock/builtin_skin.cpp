#include "clock/builtin_skin.h"

#include <algorithm>
#include <array>
#include <vector>

#include "clock/glyphs.h"

namespace tikora {
namespace {

// Figures are laid out upright on a continuous grid where pixel (x, y) spans [x, x+1) x [y, y+1),
// then rasterised with 8 x 8 samples per pixel. Segment skeletons sit on pixel centres so a
// three-pixel-thick segment covers whole pixels along its length and only its pointed ends
// produce partly covered (edge) pixels.
constexpr int kSamples = 8;
constexpr double kHalfThickness = 1.5;
constexpr double kJointGap = 0.5;  // keeps neighbouring segments apart at the mitred joints

// Skeleton of an upright digit whose leftmost column is 0: vertical strokes on columns 0-2 and
// 13-15, horizontal strokes on rows 2-4, 17-19 and 32-34.
constexpr int kDigitWidth = 16;
constexpr double kLeftX = 1.5;
constexpr double kRightX = 14.5;
constexpr double kTopY = 3.5;
constexpr double kMiddleY = 18.5;
constexpr double kBottomY = 33.5;

constexpr double kDotRadius = 2.5;
constexpr double kUpperDotY = 11.0;
constexpr double kLowerDotY = 26.0;

// Shares of a pixel covered by a lit shape that make it a body pixel or an edge pixel, and by
// an unlit shape that make it part of the dotted pattern.
constexpr double kLitCoverage = 0.6;
constexpr double kEdgeCoverage = 0.2;
constexpr double kUnlitCoverage = 0.5;

struct Point {
    double x;
    double y;
};

// Convex, vertices in order.
using Polygon = std::vector<Point>;

// A convex polygon or, with a radius, a disc. Every coordinate is a multiple of 1/16, so all
// sample tests are exact and the pictures come out the same on every compiler and platform.
struct Shape {
    Polygon polygon;
    Point centre{};
    double radius = 0;
};

struct Bounds {
    double left;
    double top;
    double right;
    double bottom;
};

Bounds BoundsOf(const Shape& shape) {
    if (shape.radius > 0) {
        return {shape.centre.x - shape.radius, shape.centre.y - shape.radius, shape.centre.x + shape.radius,
                shape.centre.y + shape.radius};
    }
    Bounds b{shape.polygon[0].x, shape.polygon[0].y, shape.polygon[0].x, shape.polygon[0].y};
    for (const Point& p : shape.polygon) {
        b.left = std::min(b.left, p.x);
        b.top = std::min(b.top, p.y);
        b.right = std::max(b.right, p.x);
        b.bottom = std::max(b.bottom, p.y);
    }
    return b;
}

bool Contains(const Shape& shape, double x, double y) {
    if (shape.radius > 0) {
        double dx = x - shape.centre.x;
        double dy = y - shape.centre.y;
        return dx * dx + dy * dy <= shape.radius * shape.radius;
    }
    const Polygon& polygon = shape.polygon;
    bool left = false;
    bool right = false;
    for (size_t i = 0; i < polygon.size(); ++i) {
        const Point& a = polygon[i];
        const Point& b = polygon[(i + 1) % polygon.size()];
        double cross = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
        if (cross > 0) left = true;
        if (cross < 0) right = true;
    }
    return !(left && right);
}

Shape Disc(double cx, double cy, double radius) { return {{}, {cx, cy}, radius}; }

Polygon HorizontalSegment(double x0, double x1, double y) {
    double a = x0 + kJointGap;
    double b = x1 - kJointGap;
    double h = kHalfThickness;
    return {{a, y}, {a + h, y - h}, {b - h, y - h}, {b, y}, {b - h, y + h}, {a + h, y + h}};
}

Polygon VerticalSegment(double x, double y0, double y1) {
    double a = y0 + kJointGap;
    double b = y1 - kJointGap;
    double h = kHalfThickness;
    return {{x, a}, {x + h, a + h}, {x + h, b - h}, {x, b}, {x - h, b - h}, {x - h, a + h}};
}

// Segments a to g of a digit whose leftmost column is x0.
std::array<Shape, 7> DigitSegments(double x0) {
    double l = x0 + kLeftX;
    double r = x0 + kRightX;
    return {{
        {HorizontalSegment(l, r, kTopY)},          // a
        {VerticalSegment(r, kTopY, kMiddleY)},     // b
        {VerticalSegment(r, kMiddleY, kBottomY)},  // c
        {HorizontalSegment(l, r, kBottomY)},       // d
        {VerticalSegment(l, kMiddleY, kBottomY)},  // e
        {VerticalSegment(l, kTopY, kMiddleY)},     // f
        {HorizontalSegment(l, r, kMiddleY)},       // g
    }};
}

// Fraction of each pixel of a width x kCellHeight cell covered by the union of the shapes.
std::vector<double> Coverage(int width, const std::vector<Shape>& shapes) {
    std::vector<double> coverage(static_cast<size_t>(width) * kCellHeight, 0.0);
    std::vector<Bounds> bounds;
    for (const Shape& shape : shapes) bounds.push_back(BoundsOf(shape));
    std::vector<const Shape*> nearby;
    for (int y = 0; y < kCellHeight; ++y) {
        for (int x = 0; x < width; ++x) {
            nearby.clear();
            for (size_t i = 0; i < shapes.size(); ++i) {
                const Bounds& b = bounds[i];
                if (b.left < x + 1 && b.right > x && b.top < y + 1 && b.bottom > y) nearby.push_back(&shapes[i]);
            }
            if (nearby.empty()) continue;
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                double py = y + (sy + 0.5) / kSamples;
                for (int sx = 0; sx < kSamples; ++sx) {
                    double px = x + (sx + 0.5) / kSamples;
                    for (const Shape* shape : nearby) {
                        if (Contains(*shape, px, py)) {
                            ++hits;
                            break;
                        }
                    }
                }
            }
            coverage[static_cast<size_t>(y) * width + x] = static_cast<double>(hits) / (kSamples * kSamples);
        }
    }
    return coverage;
}

// A lean step "at row k" moves row k and all below it one pixel further left than row k-1. A step
// right where a horizontal stroke meets a vertical one would push the two together, so the
// steps are placed to miss the rows around the three joints.
bool StepSpoilsJoint(int k) {
    for (double joint : {kTopY, kMiddleY, kBottomY}) {
        int row = static_cast<int>(joint);
        if (k >= row - 1 && k <= row + 2) return true;
    }
    return false;
}

// Row whose lean offset is a whole number of steps; rows above it move right.
int LeanAnchor(int leanRows) {
    int best = kCellHeight - 1;
    int fewest = kCellHeight;
    for (int anchor = kCellHeight - 1; anchor < kCellHeight - 1 + leanRows; ++anchor) {
        int spoiled = 0;
        for (int k = 1; k < kCellHeight; ++k)
            if ((anchor - k) % leanRows == leanRows - 1 && StepSpoilsJoint(k)) ++spoiled;
        if (spoiled < fewest) {
            fewest = spoiled;
            best = anchor;
        }
    }
    return best;
}

int LeanOffset(const SkinStyle& style, int row) {
    return style.leanRows > 0 ? (LeanAnchor(style.leanRows) - row) / style.leanRows : 0;
}

// Paints one cell of the strip from the coverage of its lit and unlit shapes. With rowLean each
// row moves right by the lean offset of that row, giving the staircase slant of the digits.
void PaintCell(Image& strip, int cellLeft, int cellWidth, const SkinStyle& style, const std::vector<double>& lit,
               const std::vector<double>& unlit, bool rowLean) {
    for (int y = 0; y < kCellHeight; ++y) {
        int shift = rowLean ? LeanOffset(style, y) : 0;
        for (int x = 0; x < cellWidth; ++x) {
            int source = x - shift;
            double litShare = 0;
            double unlitShare = 0;
            if (source >= 0 && source < cellWidth) {
                litShare = lit[static_cast<size_t>(y) * cellWidth + source];
                unlitShare = unlit[static_cast<size_t>(y) * cellWidth + source];
            }
            int stripX = cellLeft + x;
            uint32_t colour = style.background;
            if (litShare >= kLitCoverage) {
                colour = style.lit;
            } else if (litShare >= kEdgeCoverage) {
                colour = style.edge;
            } else if (unlitShare >= kUnlitCoverage) {
                bool dotted = style.unlitPattern == UnlitPattern::Solid ||
                              (style.unlitPattern == UnlitPattern::Checkerboard && (stripX + y) % 2 == 0);
                if (dotted) colour = style.unlit;
            }
            strip.At(stripX, y) = colour;
        }
    }
}

void PaintDigit(Image& strip, int digit, const SkinStyle& style) {
    // Centre the slanted figure in its cell.
    int slant = LeanOffset(style, static_cast<int>(kTopY)) - LeanOffset(style, static_cast<int>(kBottomY));
    int left = (kDigitCellWidth - kDigitWidth - slant) / 2 - LeanOffset(style, static_cast<int>(kBottomY));
    std::array<Shape, 7> segments = DigitSegments(left);
    std::vector<Shape> on;
    std::vector<Shape> off;
    for (int s = 0; s < 7; ++s) (kDigitSegments[digit] >> s & 1 ? on : off).push_back(segments[s]);
    PaintCell(strip, kDigitCellWidth * (digit + 1), kDigitCellWidth, style, Coverage(kDigitCellWidth, on),
              Coverage(kDigitCellWidth, off), true);
}

// The two dots are round, so each moves as a whole by the lean of its centre row instead of
// being cut into steps.
void PaintSeparator(Image& strip, bool on, const SkinStyle& style) {
    int upperShift = LeanOffset(style, static_cast<int>(kUpperDotY));
    int lowerShift = LeanOffset(style, static_cast<int>(kLowerDotY));
    double centreX = (kSeparatorCellWidth + 1) / 2 - (upperShift + lowerShift) / 2;
    std::vector<Shape> dots = {Disc(centreX + upperShift, kUpperDotY, kDotRadius),
                               Disc(centreX + lowerShift, kLowerDotY, kDotRadius)};
    std::vector<double> none(static_cast<size_t>(kSeparatorCellWidth) * kCellHeight, 0.0);
    std::vector<double> coverage = Coverage(kSeparatorCellWidth, dots);
    PaintCell(strip, on ? kSeparatorCellWidth : 0, kSeparatorCellWidth, style, on ? coverage : none,
              on ? none : coverage, false);
}

}  // namespace

Image RenderSkinStrip(const SkinStyle& style) {
    Image strip(kStripWidth, kStripHeight, style.background);
    PaintSeparator(strip, false, style);
    PaintSeparator(strip, true, style);
    for (int digit = 0; digit < 10; ++digit) PaintDigit(strip, digit, style);
    return strip;
}

Image RenderBuiltinSkin() { return RenderSkinStrip(kBuiltinSkinStyle); }

Image RenderFrame() {
    constexpr uint32_t kOuterLight = Rgb(49, 49, 49);
    constexpr uint32_t kOuterShadow = Rgb(0, 0, 0);
    constexpr uint32_t kSecond = Rgb(128, 128, 128);
    constexpr uint32_t kThird = Rgb(212, 208, 200);
    Image frame(kFrameWidth, kFrameHeight, Rgb(0, 0, 0));
    int right = kFrameWidth - 1;
    int bottom = kFrameHeight - 1;
    // Outer line: the shadow sides own the top-right and bottom-left corners, as in a sunken bevel.
    for (int x = 0; x < right; ++x) frame.At(x, 0) = kOuterLight;
    for (int y = 0; y < bottom; ++y) frame.At(0, y) = kOuterLight;
    for (int x = 0; x <= right; ++x) frame.At(x, bottom) = kOuterShadow;
    for (int y = 0; y <= bottom; ++y) frame.At(right, y) = kOuterShadow;
    for (int inset = 1; inset <= 2; ++inset) {
        uint32_t colour = inset == 1 ? kSecond : kThird;
        for (int x = inset; x <= right - inset; ++x) {
            frame.At(x, inset) = colour;
            frame.At(x, bottom - inset) = colour;
        }
        for (int y = inset; y <= bottom - inset; ++y) {
            frame.At(inset, y) = colour;
            frame.At(right - inset, y) = colour;
        }
    }
    return frame;
}

}  // namespace tikora
