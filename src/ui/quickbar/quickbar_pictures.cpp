#include "ui/quickbar/quickbar_pictures.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <utility>

namespace dwl {
namespace {

// A picture is a little program in numbers, run at every sample point. Shapes
// are signed distance functions on the unit square (y grows downwards):
// negative inside, positive outside. A shape step pushes its distance, a
// combining step pops its operands and pushes the result, a fill step pops a
// distance into the layer of its colour (0xRRGGBB). Layers go back to front.
enum Op {
    kEnd,
    kCircle,     // cx, cy, r
    kRing,       // cx, cy, r, half width
    kBox,        // x0, y0, x1, y1
    kSegment,    // x0, y0, x1, y1, half width
    kArrowHead,  // tip x, tip y, direction x, direction y, size
    kGear,       // cx, cy, r, teeth, depth
    kSnowflake,  // three spokes through the centre and six twigs
    kUnion,      // count: the nearest of that many shapes
    kCut,        // the shape below without the one on top
    kGap,        // cx, cy, angle, half angle: the shape without the wedge around
                 // angle (degrees, 0 = up, clockwise)
    kFill,       // colour
    // Steps of a prepared program only: the numbers the drawing reads.
    kCentredBox,  // cx, cy, half width, half height
    kTriangle,    // per edge: a point on it and its outward normal
};

// clang-format off
constexpr double kPictures[] = {
    // shut down
    kRing, 0.5, 0.54, 0.3, 0.075, kGap, 0.5, 0.54, 0, 38, kSegment, 0.5, 0.12, 0.5, 0.48, 0.075, kUnion, 2,
    kFill, 0xe03c3c, kEnd,
    // restart
    kRing, 0.5, 0.52, 0.3, 0.075, kGap, 0.5, 0.52, 30, 38, kArrowHead, 0.7, 0.19, 0.99, -0.14, 0.24, kUnion, 2,
    kFill, 0x2fb055, kEnd,
    // log off
    kBox, 0.12, 0.1, 0.58, 0.9, kBox, 0.22, 0.2, 0.48, 0.8, kCut, kFill, 0xb8becc,
    kSegment, 0.38, 0.5, 0.72, 0.5, 0.07, kArrowHead, 0.94, 0.5, 1, 0, 0.24, kUnion, 2, kFill, 0xf09620, kEnd,
    // suspend
    kCircle, 0.48, 0.52, 0.36, kCircle, 0.66, 0.36, 0.3, kCut, kFill, 0x5a8cf0,
    kCircle, 0.8, 0.72, 0.07, kFill, 0xf6e094, kEnd,
    // hibernate
    kSnowflake, kFill, 0x4cc8e8, kEnd,
    // lock
    kRing, 0.5, 0.4, 0.2, 0.065, kGap, 0.5, 0.4, 180, 90, kFill, 0xa8aebc,
    kSegment, 0.3, 0.4, 0.3, 0.5, 0.065, kFill, 0xa8aebc,
    kSegment, 0.7, 0.4, 0.7, 0.5, 0.065, kFill, 0xa8aebc,
    kBox, 0.16, 0.48, 0.84, 0.92, kCircle, 0.5, 0.66, 0.07, kCut, kFill, 0xe8b428, kEnd,
    // options
    kGear, 0.5, 0.5, 0.3, 8, 0.12, kCircle, 0.5, 0.5, 0.12, kCut, kFill, 0x9aa4b8, kEnd,
    // always on top
    kBox, 0.36, 0.36, 0.92, 0.88, kFill, 0x9ca4b4,
    kBox, 0.08, 0.12, 0.64, 0.64, kFill, 0xf4f4f8,
    kBox, 0.08, 0.12, 0.64, 0.26, kFill, 0x9b5ce0,
    kSegment, 0.78, 0.14, 0.78, 0.32, 0.05, kArrowHead, 0.78, 0.04, 0, -1, 0.13, kUnion, 2, kFill, 0x9b5ce0, kEnd,
};
// clang-format on

constexpr double kOutline = 0x1c1c24;
constexpr int kSupersample = 4;
constexpr double kPi = 3.14159265358979323846;

double Radians(double degrees) { return degrees * (kPi / 180.0); }

void Add(std::vector<double>& program, std::initializer_list<double> numbers) {
    program.insert(program.end(), numbers);
}

void AddSegment(std::vector<double>& program, double x0, double y0, double x1, double y1, double halfWidth) {
    Add(program, {kSegment, x0, y0, x1, y1, halfWidth});
}

// The spoke of the snowflake at `degrees`, through the centre.
void AddSpoke(std::vector<double>& program, double a) {
    const double s = std::sin(Radians(a)), c = std::cos(Radians(a));
    AddSegment(program, 0.5 + 0.38 * s, 0.5 - 0.38 * c, 0.5 - 0.38 * s, 0.5 + 0.38 * c, 0.055);
}

// One of the snowflake's twigs, branching off a spoke at `degrees`.
void AddTwig(std::vector<double>& program, double a) {
    AddSegment(program, 0.5 + 0.25 * std::sin(Radians(a)), 0.5 - 0.25 * std::cos(Radians(a)),
               0.5 + 0.36 * std::sin(Radians(a + 25)), 0.5 - 0.36 * std::cos(Radians(a + 25)), 0.04);
}

// A triangle, its points in either turning direction.
void AddTriangle(std::vector<double>& program, const std::pair<double, double> (&points)[3]) {
    double area = 0;
    for (size_t i = 0; i < 3; ++i) {
        const auto [ax, ay] = points[i];
        const auto [bx, by] = points[(i + 1) % 3];
        area += ax * by - bx * ay;
    }
    const double turn = area > 0 ? 1 : -1;
    Add(program, {kTriangle});
    for (size_t i = 0; i < 3; ++i) {
        const auto [ax, ay] = points[i];
        const auto [bx, by] = points[(i + 1) % 3];
        const double length = std::hypot(bx - ax, by - ay);
        Add(program, {ax, ay, turn * (by - ay) / length, -turn * (bx - ax) / length});
    }
}

void AddArrowHead(std::vector<double>& program, double tipX, double tipY, double dx, double dy, double size) {
    const double px = -dy, py = dx;
    const double baseX = tipX - dx * size, baseY = tipY - dy * size;
    AddTriangle(program, {{tipX, tipY},
                          {baseX - px * size * 0.8, baseY - py * size * 0.8},
                          {baseX + px * size * 0.8, baseY + py * size * 0.8}});
}

// How many numbers follow each step of kPictures.
constexpr unsigned char kNumbers[] = {0, 3, 4, 4, 5, 5, 5, 0, 1, 0, 4, 1};

// Picture `index` with its numbers worked out once: boxes by their centres,
// arrowheads by their edges, the snowflake by its segments. Empty for an
// index out of range.
std::vector<double> Prepared(int index) {
    std::vector<double> program;
    const double* step = kPictures;
    for (; index > 0 && step != std::end(kPictures); ++step)
        if (static_cast<Op>(*step) == kEnd)
            --index;
        else
            step += kNumbers[static_cast<int>(*step)];
    if (index < 0 || step == std::end(kPictures)) return program;
    for (;;) {
        const auto op = static_cast<Op>(*step);
        const double* n = step + 1;
        switch (op) {
        case kEnd: Add(program, {kEnd}); return program;
        case kBox:
            Add(program, {kCentredBox, (n[0] + n[2]) / 2, (n[1] + n[3]) / 2, (n[2] - n[0]) / 2, (n[3] - n[1]) / 2});
            break;
        case kArrowHead: AddArrowHead(program, n[0], n[1], n[2], n[3], n[4]); break;
        case kSnowflake:
            for (int a : {0, 60, 120}) AddSpoke(program, a);
            for (int a = 0; a < 360; a += 60) AddTwig(program, a);
            Add(program, {kUnion, 9});
            break;
        default: program.insert(program.end(), step, n + kNumbers[op]);
        }
        step = n + kNumbers[op];
    }
}

// Runs a prepared program at (x, y): the colour of the front layer there,
// the outline's within `line` outside a layer, or none (-1).
double ColourAt(const double* step, double x, double y, double line) {
    double stack[16];
    double* top = stack;  // one past the last distance
    double colour = -1;
    for (;;) {
        const double* n = step + 1;
        switch (static_cast<Op>(*step)) {
        case kCircle:
            *top++ = std::hypot(x - n[0], y - n[1]) - n[2];
            step += 4;
            break;
        case kRing:
            *top++ = std::fabs(std::hypot(x - n[0], y - n[1]) - n[2]) - n[3];
            step += 5;
            break;
        case kCentredBox: {
            const double qx = std::fabs(x - n[0]) - n[2], qy = std::fabs(y - n[1]) - n[3];
            *top++ = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0)) + std::min(std::max(qx, qy), 0.0);
            step += 5;
            break;
        }
        case kSegment: {
            const double x0 = n[0], y0 = n[1], x1 = n[2], y1 = n[3];
            const double dx = x1 - x0, dy = y1 - y0;
            const double t = std::max(0.0, std::min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)));
            *top++ = std::hypot(x - x0 - t * dx, y - y0 - t * dy) - n[4];
            step += 6;
            break;
        }
        case kTriangle: {
            double d = -HUGE_VAL;
            for (int i = 0; i < 12; i += 4) d = std::max(d, (x - n[i]) * n[i + 2] + (y - n[i + 1]) * n[i + 3]);
            *top++ = d;
            step += 13;
            break;
        }
        case kGear: {
            const double a = std::atan2(y - n[1], x - n[0]);
            const double bump = std::cos(a * n[3]) > 0.1 ? 1.0 : 0.0;
            *top++ = std::hypot(x - n[0], y - n[1]) - (n[2] + n[4] * bump);
            step += 6;
            break;
        }
        case kUnion: {
            const auto count = static_cast<int>(n[0]);
            top -= count;
            double d = HUGE_VAL;
            for (int i = 0; i < count; ++i) d = std::min(d, top[i]);
            *top++ = d;
            step += 2;
            break;
        }
        case kCut:
            --top;
            top[-1] = std::max(top[-1], -top[0]);
            step += 1;
            break;
        case kGap: {
            const double a = std::atan2(x - n[0], n[1] - y) * (180.0 / kPi);
            double diff = std::fmod(a - n[2] + 180, 360.0);
            if (diff < 0) diff += 360;
            diff = std::fabs(diff - 180);
            if (!(diff > n[3])) top[-1] = std::max(top[-1], 0.02);
            step += 5;
            break;
        }
        case kFill: {
            const double d = *--top;
            if (d <= 0)
                colour = n[0];
            else if (d <= line)
                colour = kOutline;
            step += 2;
            break;
        }
        default: return colour;
        }
    }
}

// Halves go to the even neighbour.
std::uint32_t Round(double value) { return static_cast<std::uint32_t>(std::nearbyint(value)); }

}  // namespace

std::vector<std::uint32_t> DrawQuickbarPicture(int index, int size) {
    const std::vector<double> program = Prepared(index);
    if (program.empty() || size <= 0) return {};
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
                    const double colour = ColourAt(program.data(), x, y, line);
                    if (colour < 0) continue;
                    const auto rgb = static_cast<std::uint32_t>(colour);
                    r += rgb >> 16;
                    g += rgb >> 8 & 0xff;
                    b += rgb & 0xff;
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
