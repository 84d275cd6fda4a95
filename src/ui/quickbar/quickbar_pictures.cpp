#include "ui/quickbar/quickbar_pictures.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>

namespace dwl {
namespace {

// Shapes are signed distance functions on the unit square (y grows
// downwards): negative inside, positive outside.
using Shape = std::function<double(double, double)>;

struct Colour {
    int r, g, b;
};

struct Layer {
    Shape shape;
    Colour fill;
};

constexpr Colour kOutline{0x1c, 0x1c, 0x24};
constexpr int kSupersample = 4;
constexpr double kPi = 3.14159265358979323846;

double Radians(double degrees) { return degrees * (kPi / 180.0); }

Shape Circle(double cx, double cy, double r) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) - r; };
}

Shape Ring(double cx, double cy, double r, double halfWidth) {
    return [=](double x, double y) { return std::fabs(std::hypot(x - cx, y - cy) - r) - halfWidth; };
}

Shape Box(double x0, double y0, double x1, double y1) {
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2, hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    return [=](double x, double y) {
        const double qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
        return std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0);
    };
}

Shape Segment(double x0, double y0, double x1, double y1, double halfWidth) {
    return [=](double x, double y) {
        const double dx = x1 - x0, dy = y1 - y0;
        const double t = std::max(0.0, std::min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)));
        return std::hypot(x - x0 - t * dx, y - y0 - t * dy) - halfWidth;
    };
}

// A convex polygon, its points in either turning direction.
Shape Polygon(std::vector<std::pair<double, double>> points) {
    struct Edge {
        double ax, ay, nx, ny;
    };
    double area = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const auto [ax, ay] = points[i];
        const auto [bx, by] = points[(i + 1) % points.size()];
        area += ax * by - bx * ay;
    }
    const double turn = area > 0 ? 1 : -1;
    std::vector<Edge> edges;
    for (size_t i = 0; i < points.size(); ++i) {
        const auto [ax, ay] = points[i];
        const auto [bx, by] = points[(i + 1) % points.size()];
        const double length = std::hypot(bx - ax, by - ay);
        edges.push_back({ax, ay, turn * (by - ay) / length, -turn * (bx - ax) / length});
    }
    return [edges = std::move(edges)](double x, double y) {
        double d = -HUGE_VAL;
        for (const Edge& e : edges) d = std::max(d, (x - e.ax) * e.nx + (y - e.ay) * e.ny);
        return d;
    };
}

Shape Union(std::vector<Shape> shapes) {
    return [shapes = std::move(shapes)](double x, double y) {
        double d = HUGE_VAL;
        for (const Shape& s : shapes) d = std::min(d, s(x, y));
        return d;
    };
}

Shape Cut(Shape shape, Shape hole) {
    return [=](double x, double y) { return std::max(shape(x, y), -hole(x, y)); };
}

// The shape without the wedge around `angle` (degrees, 0 = up, clockwise).
Shape Gap(Shape shape, double cx, double cy, double angle, double halfAngle) {
    return [=](double x, double y) {
        const double a = std::atan2(x - cx, cy - y) * (180.0 / kPi);
        double diff = std::fmod(a - angle + 180, 360.0);
        if (diff < 0) diff += 360;
        diff = std::fabs(diff - 180);
        return diff > halfAngle ? shape(x, y) : std::max(shape(x, y), 0.02);
    };
}

Shape Gear(double cx, double cy, double r, int teeth, double depth) {
    return [=](double x, double y) {
        const double a = std::atan2(y - cy, x - cx);
        const double bump = std::cos(a * teeth) > 0.1 ? 1.0 : 0.0;
        return std::hypot(x - cx, y - cy) - (r + depth * bump);
    };
}

Shape ArrowHead(double tipX, double tipY, double dx, double dy, double size) {
    const double px = -dy, py = dx;
    const double baseX = tipX - dx * size, baseY = tipY - dy * size;
    return Polygon({{tipX, tipY},
                    {baseX - px * size * 0.8, baseY - py * size * 0.8},
                    {baseX + px * size * 0.8, baseY + py * size * 0.8}});
}

// The spoke of the snowflake at `degrees`, through the centre.
Shape Spoke(double a) {
    const double s = std::sin(Radians(a)), c = std::cos(Radians(a));
    return Segment(0.5 + 0.38 * s, 0.5 - 0.38 * c, 0.5 - 0.38 * s, 0.5 + 0.38 * c, 0.055);
}

// One of the snowflake's twigs, branching off a spoke at `degrees`.
Shape Twig(double a) {
    return Segment(0.5 + 0.25 * std::sin(Radians(a)), 0.5 - 0.25 * std::cos(Radians(a)),
                   0.5 + 0.36 * std::sin(Radians(a + 25)), 0.5 - 0.36 * std::cos(Radians(a + 25)), 0.04);
}

// The layers of a picture, back to front.
std::vector<Layer> Picture(int index) {
    switch (index) {
    case 0:  // shut down
        return {{Union({Gap(Ring(0.5, 0.54, 0.3, 0.075), 0.5, 0.54, 0, 38), Segment(0.5, 0.12, 0.5, 0.48, 0.075)}),
                 {0xe0, 0x3c, 0x3c}}};
    case 1:  // restart
        return {{Union({Gap(Ring(0.5, 0.52, 0.3, 0.075), 0.5, 0.52, 30, 38), ArrowHead(0.7, 0.19, 0.99, -0.14, 0.24)}),
                 {0x2f, 0xb0, 0x55}}};
    case 2:  // log off
        return {{Cut(Box(0.12, 0.1, 0.58, 0.9), Box(0.22, 0.2, 0.48, 0.8)), {0xb8, 0xbe, 0xcc}},
                {Union({Segment(0.38, 0.5, 0.72, 0.5, 0.07), ArrowHead(0.94, 0.5, 1, 0, 0.24)}), {0xf0, 0x96, 0x20}}};
    case 3:  // suspend
        return {{Cut(Circle(0.48, 0.52, 0.36), Circle(0.66, 0.36, 0.3)), {0x5a, 0x8c, 0xf0}},
                {Circle(0.8, 0.72, 0.07), {0xf6, 0xe0, 0x94}}};
    case 4: {  // hibernate
        std::vector<Shape> parts;
        for (int a : {0, 60, 120}) parts.push_back(Spoke(a));
        for (int a = 0; a < 360; a += 60) parts.push_back(Twig(a));
        return {{Union(std::move(parts)), {0x4c, 0xc8, 0xe8}}};
    }
    case 5:  // lock
        return {{Gap(Ring(0.5, 0.4, 0.2, 0.065), 0.5, 0.4, 180, 90), {0xa8, 0xae, 0xbc}},
                {Segment(0.3, 0.4, 0.3, 0.5, 0.065), {0xa8, 0xae, 0xbc}},
                {Segment(0.7, 0.4, 0.7, 0.5, 0.065), {0xa8, 0xae, 0xbc}},
                {Cut(Box(0.16, 0.48, 0.84, 0.92), Circle(0.5, 0.66, 0.07)), {0xe8, 0xb4, 0x28}}};
    case 6:  // options
        return {{Cut(Gear(0.5, 0.5, 0.3, 8, 0.12), Circle(0.5, 0.5, 0.12)), {0x9a, 0xa4, 0xb8}}};
    case 7:  // always on top
        return {
            {Box(0.36, 0.36, 0.92, 0.88), {0x9c, 0xa4, 0xb4}},
            {Box(0.08, 0.12, 0.64, 0.64), {0xf4, 0xf4, 0xf8}},
            {Box(0.08, 0.12, 0.64, 0.26), {0x9b, 0x5c, 0xe0}},
            {Union({Segment(0.78, 0.14, 0.78, 0.32, 0.05), ArrowHead(0.78, 0.04, 0, -1, 0.13)}), {0x9b, 0x5c, 0xe0}}};
    default: return {};
    }
}

// Halves go to the even neighbour.
std::uint32_t Round(double value) { return static_cast<std::uint32_t>(std::nearbyint(value)); }

}  // namespace

std::vector<std::uint32_t> DrawQuickbarPicture(int index, int size) {
    const std::vector<Layer> layers = Picture(index);
    if (layers.empty() || size <= 0) return {};
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(size) * static_cast<size_t>(size));
    const double line = 1.0 / size;  // the outline: one pixel at every size
    constexpr int n = kSupersample;
    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            double r = 0, g = 0, b = 0;
            int covered = 0;
            for (int sy = 0; sy < n; ++sy) {
                for (int sx = 0; sx < n; ++sx) {
                    const double x = (px + (sx + 0.5) / n) / size;
                    const double y = (py + (sy + 0.5) / n) / size;
                    const Colour* colour = nullptr;
                    for (const Layer& layer : layers) {
                        const double d = layer.shape(x, y);
                        if (d <= 0)
                            colour = &layer.fill;
                        else if (d <= line)
                            colour = &kOutline;
                    }
                    if (!colour) continue;
                    r += colour->r;
                    g += colour->g;
                    b += colour->b;
                    ++covered;
                }
            }
            if (covered == 0) {
                pixels.push_back(0);
                continue;
            }
            pixels.push_back(Round(covered * 255.0 / (n * n)) << 24 | Round(r / covered) << 16 |
                             Round(g / covered) << 8 | Round(b / covered));
        }
    }
    return pixels;
}

}  // namespace dwl
