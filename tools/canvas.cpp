#include "tools/canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tikora {
namespace {

constexpr int kSamples = 8;

uint32_t ToByte(double value) {
    return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0));
}

}  // namespace

Region Circle(Point2 centre, double radius) {
    return [=](double x, double y) {
        double dx = x - centre.x;
        double dy = y - centre.y;
        return dx * dx + dy * dy <= radius * radius;
    };
}

Region Capsule(Point2 a, Point2 b, double halfWidth) {
    return [=](double x, double y) {
        double vx = b.x - a.x;
        double vy = b.y - a.y;
        double length2 = vx * vx + vy * vy;
        double t = length2 > 0 ? std::clamp(((x - a.x) * vx + (y - a.y) * vy) / length2, 0.0, 1.0) : 0.0;
        double dx = x - (a.x + t * vx);
        double dy = y - (a.y + t * vy);
        return dx * dx + dy * dy <= halfWidth * halfWidth;
    };
}

Region RoundedRect(double left, double top, double right, double bottom, double radius) {
    return [=](double x, double y) {
        if (x < left || x > right || y < top || y > bottom) return false;
        double cx = std::clamp(x, left + radius, right - radius);
        double cy = std::clamp(y, top + radius, bottom - radius);
        double dx = x - cx;
        double dy = y - cy;
        return dx * dx + dy * dy <= radius * radius;
    };
}

Region PolygonRegion(std::vector<Point2> points) {
    return [points = std::move(points)](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point2& a = points[i];
            const Point2& b = points[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        }
        return inside;
    };
}

Region Union(std::vector<Region> regions) {
    return [regions = std::move(regions)](double x, double y) {
        return std::any_of(regions.begin(), regions.end(), [&](const Region& r) { return r(x, y); });
    };
}

Region Difference(Region keep, Region cut) {
    return [keep = std::move(keep), cut = std::move(cut)](double x, double y) { return keep(x, y) && !cut(x, y); };
}

Region Grown(Region region, double by) {
    // Eight compass points plus the point itself; exact enough for outlines of a pixel or two.
    double d = by * 0.7071067811865476;
    return [region = std::move(region), by, d](double x, double y) {
        const double offsets[9][2] = {{0, 0}, {by, 0}, {-by, 0}, {0, by}, {0, -by}, {d, d}, {d, -d}, {-d, d}, {-d, -d}};
        for (const auto& o : offsets) {
            if (region(x + o[0], y + o[1])) return true;
        }
        return false;
    };
}

Paint Solid(Rgba colour) {
    return [=](double, double) { return colour; };
}

Paint LinearGradient(Point2 p0, Rgba c0, Point2 p1, Rgba c1) {
    return [=](double x, double y) {
        double vx = p1.x - p0.x;
        double vy = p1.y - p0.y;
        double length2 = vx * vx + vy * vy;
        double t = length2 > 0 ? std::clamp(((x - p0.x) * vx + (y - p0.y) * vy) / length2, 0.0, 1.0) : 0.0;
        return Rgba{c0.r + (c1.r - c0.r) * t, c0.g + (c1.g - c0.g) * t, c0.b + (c1.b - c0.b) * t,
                    c0.a + (c1.a - c0.a) * t};
    };
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

void Canvas::Fill(const Region& region, const Paint& paint) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            // Average the paint over the covered samples, so gradients are smooth too.
            Premultiplied sum;
            for (int sy = 0; sy < kSamples; ++sy) {
                double py = y + (sy + 0.5) / kSamples;
                for (int sx = 0; sx < kSamples; ++sx) {
                    double px = x + (sx + 0.5) / kSamples;
                    if (!region(px, py)) continue;
                    Rgba c = paint(px, py);
                    sum.r += c.r * c.a;
                    sum.g += c.g * c.a;
                    sum.b += c.b * c.a;
                    sum.a += c.a;
                }
            }
            if (sum.a == 0) continue;
            constexpr double kShare = 1.0 / (kSamples * kSamples);
            Premultiplied& dst = pixels_[static_cast<size_t>(y) * width_ + x];
            double keep = 1.0 - sum.a * kShare;
            dst.r = sum.r * kShare + dst.r * keep;
            dst.g = sum.g * kShare + dst.g * keep;
            dst.b = sum.b * kShare + dst.b * keep;
            dst.a = sum.a * kShare + dst.a * keep;
        }
    }
}

ArgbImage Canvas::ToImage() const {
    ArgbImage image(width_, height_);
    for (size_t i = 0; i < pixels_.size(); ++i) {
        const Premultiplied& p = pixels_[i];
        uint32_t alpha = ToByte(p.a);
        if (alpha == 0) continue;
        image.pixels[i] = alpha << 24 | ToByte(p.r / p.a) << 16 | ToByte(p.g / p.a) << 8 | ToByte(p.b / p.a);
    }
    return image;
}

}  // namespace tikora
