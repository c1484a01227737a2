#pragma once
// A small anti-aliased painter for the generated icons: shapes are inside-tests in pixel
// coordinates (pixel (x, y) spans [x, x+1) x [y, y+1)), sampled 8 x 8 times per pixel and
// blended over what is already there.
#include <functional>
#include <vector>

#include "tools/ico_writer.h"

namespace tikora {

// Straight colour and alpha, each 0 to 1.
struct Rgba {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 0;
};

constexpr Rgba Colour(unsigned r, unsigned g, unsigned b, unsigned a = 255) {
    return {r / 255.0, g / 255.0, b / 255.0, a / 255.0};
}

struct Point2 {
    double x = 0;
    double y = 0;
};

// An inside-test and a box that holds every point inside, so painting can skip the rest.
struct Region {
    std::function<bool(double x, double y)> contains;
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

using Paint = std::function<Rgba(double x, double y)>;

Region Circle(Point2 centre, double radius);
// Points with distance at most halfWidth from the segment a-b: a stroke with round caps.
Region Capsule(Point2 a, Point2 b, double halfWidth);
Region RoundedRect(double left, double top, double right, double bottom, double radius);
// Even-odd rule, so the points may go either way round.
Region PolygonRegion(std::vector<Point2> points);
Region Union(std::vector<Region> regions);
// The region grown by about `by` pixels in every direction, for outlines drawn beneath a shape.
Region Grown(Region region, double by);

Paint Solid(Rgba colour);
// Colour c0 at point p0 changing linearly to c1 at p1, constant beyond both ends.
Paint LinearGradient(Point2 p0, Rgba c0, Point2 p1, Rgba c1);

class Canvas {
public:
    Canvas(int width, int height);

    void Fill(const Region& region, const Paint& paint);
    ArgbImage ToImage() const;

private:
    struct Premultiplied {
        double r = 0;
        double g = 0;
        double b = 0;
        double a = 0;
    };
    int width_;
    int height_;
    std::vector<Premultiplied> pixels_;
};

}  // namespace tikora
