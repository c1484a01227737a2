#include "tools/icons.h"

#include <algorithm>
#include <cmath>

namespace tikora {
namespace {

// Unit vector from the centre of a clock face towards hour mark k (0 = twelve), y pointing
// down. Taken from exact values rather than sin/cos so every library gives the same pixels.
Point2 HourDirection(int k) {
    const double h = std::sqrt(3.0) / 2;
    const double sine[12] = {0, 0.5, h, 1, h, 0.5, 0, -0.5, -h, -1, -h, -0.5};
    return {sine[k % 12], -sine[(k + 3) % 12]};
}

Point2 Along(Point2 centre, Point2 direction, double distance) {
    return {centre.x + direction.x * distance, centre.y + direction.y * distance};
}

}  // namespace

ArgbImage DrawClockIcon(int size, const ClockIconColours& colours) {
    double s = size;
    // Centred on a pixel centre so one-pixel hands stay sharp on small icons.
    Point2 c{s / 2 - 0.5, s / 2 - 0.5};
    double outer = s / 2 - 0.5;
    double rim = std::max(1.25, 0.09 * s);
    double face = outer - rim;

    Canvas canvas(size, size);
    canvas.Fill(Circle(c, outer), LinearGradient({0, 0}, colours.rimTop, {0, s}, colours.rimBottom));
    canvas.Fill(Circle(c, face),
                LinearGradient({0, 0}, colours.face, {0, s},
                               Rgba{colours.face.r * 0.88, colours.face.g * 0.9, colours.face.b * 0.93, 1}));
    // Small icons keep only the quarter marks; larger ones get all twelve, the quarters longer.
    int step = size < 32 ? 3 : 1;
    double markWidth = std::max(0.5, 0.028 * s);
    for (int k = 0; k < 12; k += step) {
        Point2 d = HourDirection(k);
        double inner = face * (k % 3 == 0 ? 0.72 : 0.8);
        canvas.Fill(Capsule(Along(c, d, inner), Along(c, d, face * 0.9), markWidth), Solid(colours.marks));
    }
    canvas.Fill(Capsule(c, Along(c, HourDirection(10), face * 0.55), std::max(0.6, 0.045 * s)), Solid(colours.marks));
    canvas.Fill(Capsule(c, Along(c, HourDirection(2), face * 0.82), std::max(0.5, 0.03 * s)), Solid(colours.marks));
    canvas.Fill(Circle(c, std::max(0.9, 0.06 * s)), Solid(colours.centre));
    return canvas.ToImage();
}

ArgbImage DrawDigitalIcon(int size) {
    double s = size;
    double top = 0.2 * s;
    double bottom = 0.8 * s;
    double bezel = std::max(1.0, 0.06 * s);
    Canvas canvas(size, size);
    canvas.Fill(RoundedRect(0.5, top, s - 0.5, bottom, 0.14 * s),
                LinearGradient({0, top}, Colour(150, 162, 176), {0, bottom}, Colour(52, 60, 70)));
    canvas.Fill(RoundedRect(0.5 + bezel, top + bezel, s - 0.5 - bezel, bottom - bezel, 0.14 * s - bezel * 0.5),
                LinearGradient({0, top}, Colour(30, 36, 42), {0, bottom}, Colour(0, 0, 0)));

    // Two eights leaning right like the clock face's digits, their strokes parted at the
    // joints. At 16 pixels that would only blur them, so small icons get upright eights with
    // one-pixel strokes on pixel centres.
    bool detailed = size >= 24;
    auto snap = [detailed](double v) { return detailed ? v : std::floor(v) + 0.5; };
    double width = detailed ? 0.2 * s : std::round(0.2 * s);
    double height = detailed ? 0.38 * s : 2 * std::round(0.19 * s);
    double gap = detailed ? 0.1 * s : std::round(0.1 * s) + 1;
    double y0 = snap(s / 2 - height / 2);
    double y1 = y0 + height / 2;
    double y2 = y0 + height;
    double half = std::max(0.5, 0.035 * s);
    double shorten = detailed ? half * 0.9 : 0;
    double slope = detailed ? 0.12 : 0;
    auto lean = [&](Point2 p) { return Point2{p.x + (s / 2 - p.y) * slope, p.y}; };
    for (int digit = 0; digit < 2; ++digit) {
        double x0 = snap(s / 2 - width - gap / 2) + digit * (width + gap);
        double x1 = x0 + width;
        std::vector<Region> strokes;
        for (double y : {y0, y1, y2})
            strokes.push_back(Capsule(lean({x0 + shorten, y}), lean({x1 - shorten, y}), half));
        for (double x : {x0, x1}) {
            strokes.push_back(Capsule(lean({x, y0 + shorten}), lean({x, y1 - shorten}), half));
            strokes.push_back(Capsule(lean({x, y1 + shorten}), lean({x, y2 - shorten}), half));
        }
        canvas.Fill(Union(std::move(strokes)), Solid(Colour(0, 255, 255)));
    }
    return canvas.ToImage();
}

ArgbImage DrawBellIcon(int size) {
    double s = size;
    auto at = [s](double x, double y) { return Point2{x * s, y * s}; };
    Region dome = Circle(at(0.5, 0.4), 0.25 * s);
    Region flare = PolygonRegion({at(0.25, 0.4), at(0.75, 0.4), at(0.77, 0.55), at(0.81, 0.65), at(0.89, 0.73),
                                  at(0.11, 0.73), at(0.19, 0.65), at(0.23, 0.55)});
    Region body = Union({dome, flare});
    Region rim = RoundedRect(0.07 * s, 0.69 * s, 0.93 * s, 0.8 * s, 0.05 * s);
    Region knob = Circle(at(0.5, 0.13), 0.065 * s);
    Region clapper = Circle(at(0.5, 0.84), 0.085 * s);

    Canvas canvas(size, size);
    canvas.Fill(Grown(Union({body, rim, knob, clapper}), std::max(0.8, 0.03 * s)), Solid(Colour(92, 58, 8)));
    canvas.Fill(clapper, LinearGradient(at(0.42, 0), Colour(150, 150, 158), at(0.58, 0), Colour(70, 70, 78)));
    canvas.Fill(knob, Solid(Colour(200, 140, 20)));
    canvas.Fill(body, LinearGradient(at(0.28, 0), Colour(255, 232, 140), at(0.85, 0), Colour(200, 136, 16)));
    canvas.Fill(rim, LinearGradient(at(0.2, 0), Colour(240, 200, 90), at(0.9, 0), Colour(176, 112, 10)));
    return canvas.ToImage();
}

}  // namespace tikora
