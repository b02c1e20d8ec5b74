#include "platform/core/color.h"

#include <cmath>

namespace qv {

Color HSV(double h, double s, double v) {
    auto unit = [](double x) { return std::isfinite(x) ? std::fmin(1.0, std::fmax(0.0, x)) : 0.0; };
    h = std::isfinite(h) ? h - std::floor(h) : 0.0;
    s = unit(s);
    v = unit(v);
    const double sector = h * 6.0;
    const int i = static_cast<int>(sector) % 6;
    const double f = sector - std::floor(sector);
    const double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
    double r = v, g = t, b = p;
    switch (i) {
        case 0: r = v; g = t; b = p; break;
        case 1: r = q; g = v; b = p; break;
        case 2: r = p; g = v; b = t; break;
        case 3: r = p; g = q; b = v; break;
        case 4: r = t; g = p; b = v; break;
        default: r = v; g = p; b = q; break;
    }
    auto byte = [](double x) { return static_cast<long long>(std::lround(x * 255.0)); };
    return RGB(byte(r), byte(g), byte(b));
}

}  // namespace qv
