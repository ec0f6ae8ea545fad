// The reveal masks as their inequalities read, in floating point: the oracle that the masks and the
// golden frames are checked against, written apart from the integer arithmetic of transitions/Mask.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

// Whether pixel (x, y) of a w x h frame of geometric pattern k shows the new picture at p. margin
// is how far the pixel lies from an edge of the decision: below about 1e-9 only exact arithmetic
// can tell, and a check should pass such a pixel over.
inline bool MaskByInequality(int32_t k, int32_t x, int32_t y, int32_t w, int32_t h, double p, double& margin) {
  const double u = (x + 0.5) / w, v = (y + 0.5) / h, dx = std::fabs(u - 0.5), dy = std::fabs(v - 0.5);
  const double d = std::sqrt(std::pow((u - 0.5) * w, 2) + std::pow((v - 0.5) * h, 2));
  const double r = std::sqrt(w * w / 4.0 + h * h / 4.0);
  auto frac = [](double t) { return t - std::floor(t); };
  auto gap = [](double t) { return std::fabs(t - std::round(t)); };  // distance from a step of floor
  auto test = [&](double a, double b) { margin = std::fabs(a - b); return a; };
  margin = 1;
  switch (k) {
    case 0: return test(std::max(dx, dy), (1 - p) / 2) >= (1 - p) / 2;
    case 1: return test(std::max(dx, dy), p / 2) < p / 2;
    case 2: return test(d, (1 - p) * r) >= (1 - p) * r;
    case 3: return test(d, p * r) < p * r;
    case 4: return test(v, 1 - p) > 1 - p;
    case 5: return test(v, p) < p;
    case 6: return test(u, p) < p;
    case 7: return test(u, 1 - p) > 1 - p;
    case 8:
    case 9: {
      const double t = 10 * (k == 8 ? u : v);
      const bool on = test(frac(t), p) < p;
      margin = std::min(margin, gap(t));
      return on;
    }
    case 10: {
      const double c = (12 * u + static_cast<int>(std::floor(10 * v)) % 2) / 2;
      const bool on = test(frac(c), p) < p;
      margin = std::min({margin, gap(c), gap(10 * v)});
      return on;
    }
    case 11: {
      const double c = (10 * v + static_cast<int>(std::floor(12 * u)) % 2) / 2;
      const bool on = test(frac(c), p) < p;
      margin = std::min({margin, gap(c), gap(12 * u)});
      return on;
    }
    case 13: return test(dx, (1 - p) / 2) >= (1 - p) / 2;
    case 14: return test(dx, p / 2) < p / 2;
    case 15: return test(dy, (1 - p) / 2) >= (1 - p) / 2;
    case 16: return test(dy, p / 2) < p / 2;
    default: {
      const double a = (k == 19 || k == 20) ? 1 - u : u, b = (k == 18 || k == 20) ? 1 - v : v;
      const double strip = std::floor(16 * a) + std::floor(16 * b) + 1;
      const bool on = test(strip, p * 31) <= p * 31;
      margin = std::min({margin, gap(16 * a), gap(16 * b)});
      return on;
    }
  }
}

