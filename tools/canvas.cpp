#include "tools/canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tikora {
namespace {

constexpr int kSamples = 8;

uint32_t ToByte(double value) { return static_cast<uint32_t>(std::lround(std::clamp(value, 0.0, 1.0) * 255.0)); }

}  // namespace

Region Circle(Point2 centre, double radius) {
    return {[=](double x, double y) {
                double dx = x - centre.x;
                double dy = y - centre.y;
                return dx * dx + dy * dy <= radius * radius;
            },
            centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
}

Region Capsule(Point2 a, Point2 b, double halfWidth) {
    return {[=](double x, double y) {
                double vx = b.x - a.x;
                double vy = b.y - a.y;
                double length2 = vx * vx + vy * vy;
                double t = length2 > 0 ? std::clamp(((x - a.x) * vx + (y - a.y) * vy) / length2, 0.0, 1.0) : 0.0;
                double dx = x - (a.x + t * vx);
                double dy = y - (a.y + t * vy);
                return dx * dx + dy * dy <= halfWidth * halfWidth;
            },
            std::min(a.x, b.x) - halfWidth, std::min(a.y, b.y) - halfWidth, std::max(a.x, b.x) + halfWidth,
            std::max(a.y, b.y) + halfWidth};
}

Region RoundedRect(double left, double top, double right, double bottom, double radius) {
    return {[=](double x, double y) {
                if (x < left || x > right || y < top || y > bottom) return false;
                double cx = std::clamp(x, left + radius, right - radius);
                double cy = std::clamp(y, top + radius, bottom - radius);
                double dx = x - cx;
                double dy = y - cy;
                return dx * dx + dy * dy <= radius * radius;
            },
            left, top, right, bottom};
}

namespace {

// Widens the region's bounding box to take in the box left, top, right, bottom.
void GrowBounds(Region& region, double left, double top, double right, double bottom) {
    region.left = std::min(region.left, left);
    region.top = std::min(region.top, top);
    region.right = std::max(region.right, right);
    region.bottom = std::max(region.bottom, bottom);
}

}  // namespace

Region PolygonRegion(std::vector<Point2> points) {
    Region region{{}, points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point2& p : points) GrowBounds(region, p.x, p.y, p.x, p.y);
    region.contains = [points = std::move(points)](double x, double y) {
        bool inside = false;
        for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const Point2& a = points[i];
            const Point2& b = points[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        }
        return inside;
    };
    return region;
}

Region Union(std::vector<Region> regions) {
    Region region{{}, regions[0].left, regions[0].top, regions[0].right, regions[0].bottom};
    for (const Region& r : regions) GrowBounds(region, r.left, r.top, r.right, r.bottom);
    region.contains = [regions = std::move(regions)](double x, double y) {
        for (const Region& r : regions) {
            if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom && r.contains(x, y)) return true;
        }
        return false;
    };
    return region;
}

Region Grown(Region inner, double by) {
    // Eight compass points plus the point itself; exact enough for outlines of a pixel or two.
    double d = by * 0.7071067811865476;
    Region region{{}, inner.left - by, inner.top - by, inner.right + by, inner.bottom + by};
    region.contains = [inner = std::move(inner), by, d](double x, double y) {
        const double offsets[9][2] = {{0, 0}, {by, 0}, {-by, 0}, {0, by}, {0, -by}, {d, d}, {d, -d}, {-d, d}, {-d, -d}};
        for (const auto& o : offsets) {
            if (inner.contains(x + o[0], y + o[1])) return true;
        }
        return false;
    };
    return region;
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

Canvas::Canvas(int width, int height) : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

void Canvas::Fill(const Region& region, const Paint& paint) {
    int x0 = std::max(0, static_cast<int>(std::floor(region.left)));
    int y0 = std::max(0, static_cast<int>(std::floor(region.top)));
    int x1 = std::min(width_ - 1, static_cast<int>(std::floor(region.right)));
    int y1 = std::min(height_ - 1, static_cast<int>(std::floor(region.bottom)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            // Average the paint over the covered samples, so gradients are smooth too.
            Premultiplied sum;
            for (int sy = 0; sy < kSamples; ++sy) {
                double py = y + (sy + 0.5) / kSamples;
                for (int sx = 0; sx < kSamples; ++sx) {
                    double px = x + (sx + 0.5) / kSamples;
                    if (!region.contains(px, py)) continue;
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
