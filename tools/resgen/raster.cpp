// A tiny vector rasteriser for the engine's pictures.
#include "raster.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace resgen {

namespace {

const double kPi = 3.14159265358979323846;

Box unionBox(const Box& a, const Box& b) {
  return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

double clamp01(double v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

}  // namespace

Color rgb(int r, int g, int b, double a) { return {r / 255.0, g / 255.0, b / 255.0, a}; }

Color hex(uint32_t v, double a) {
  return rgb(static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
             static_cast<int>(v & 0xFF), a);
}

Color withAlpha(Color c, double a) {
  c.a = a;
  return c;
}

Color mix(Color a, Color b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
          a.a + (b.a - a.a) * t};
}

Shape rect(double x0, double y0, double x1, double y1) {
  return {{x0, y0, x1, y1},
          [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }};
}

Shape roundRect(double x0, double y0, double x1, double y1, double radius) {
  double r = std::max(0.0, std::min(radius, std::min(x1 - x0, y1 - y0) / 2));
  return {{x0, y0, x1, y1}, [=](double x, double y) {
            if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
            double dx = std::max({x0 + r - x, 0.0, x - (x1 - r)});
            double dy = std::max({y0 + r - y, 0.0, y - (y1 - r)});
            return dx * dx + dy * dy <= r * r;
          }};
}

Shape ellipse(double cx, double cy, double rx, double ry) {
  return {{cx - rx, cy - ry, cx + rx, cy + ry}, [=](double x, double y) {
            if (rx <= 0 || ry <= 0) return false;
            double u = (x - cx) / rx, v = (y - cy) / ry;
            return u * u + v * v <= 1.0;
          }};
}

Shape circle(double cx, double cy, double r) { return ellipse(cx, cy, r, r); }

Shape segment(Pt a, Pt b, double width, Cap cap) {
  double h = width / 2;
  double dx = b.x - a.x, dy = b.y - a.y;
  double len2 = dx * dx + dy * dy;
  double len = std::sqrt(len2);
  Box box{std::min(a.x, b.x) - h, std::min(a.y, b.y) - h, std::max(a.x, b.x) + h,
          std::max(a.y, b.y) + h};
  return {box, [=](double x, double y) {
            double px = x - a.x, py = y - a.y;
            if (len2 <= 1e-12) return cap == Cap::Round ? px * px + py * py <= h * h : false;
            double t = (px * dx + py * dy) / len2;          // along, 0..1 on the segment
            double d = std::fabs(px * dy - py * dx) / len;  // across
            switch (cap) {
              case Cap::Butt:
                return t >= 0 && t <= 1 && d <= h;
              case Cap::Square: {
                double ext = h / len;
                return t >= -ext && t <= 1 + ext && d <= h;
              }
              case Cap::Round:
              default: {
                double tc = t < 0 ? 0 : (t > 1 ? 1 : t);
                double ex = px - tc * dx, ey = py - tc * dy;
                return ex * ex + ey * ey <= h * h;
              }
            }
          }};
}

Shape polyline(const std::vector<Pt>& pts, double width, Cap cap) {
  if (pts.empty()) return {{0, 0, 0, 0}, [](double, double) { return false; }};
  if (pts.size() == 1) return segment(pts[0], pts[0], width, cap);
  std::vector<Shape> parts;
  for (size_t i = 0; i + 1 < pts.size(); ++i) {
    bool first = i == 0, last = i + 2 == pts.size();
    // Interior joints are round (a round-capped piece); the ends take the requested cap.
    if (cap == Cap::Round || (!first && !last)) {
      parts.push_back(segment(pts[i], pts[i + 1], width, Cap::Round));
    } else {
      parts.push_back(segment(pts[i], pts[i + 1], width, cap));
      if (!first) parts.push_back(circle(pts[i].x, pts[i].y, width / 2));
      if (!last) parts.push_back(circle(pts[i + 1].x, pts[i + 1].y, width / 2));
    }
  }
  Box box = parts[0].box;
  for (const Shape& s : parts) box = unionBox(box, s.box);
  return {box, [parts](double x, double y) {
            for (const Shape& s : parts) {
              if (x < s.box.x0 || x > s.box.x1 || y < s.box.y0 || y > s.box.y1) continue;
              if (s.inside(x, y)) return true;
            }
            return false;
          }};
}

Shape polygon(const std::vector<Pt>& pts) {
  Box box{1e9, 1e9, -1e9, -1e9};
  for (const Pt& p : pts) box = unionBox(box, {p.x, p.y, p.x, p.y});
  return {box, [pts](double x, double y) {
            int winding = 0;
            size_t n = pts.size();
            for (size_t i = 0; i < n; ++i) {
              const Pt& a = pts[i];
              const Pt& b = pts[(i + 1) % n];
              double side = (b.x - a.x) * (y - a.y) - (x - a.x) * (b.y - a.y);
              if (a.y <= y) {
                if (b.y > y && side > 0) ++winding;
              } else if (b.y <= y && side < 0) {
                --winding;
              }
            }
            return winding != 0;
          }};
}

Shape unite(const Shape& a, const Shape& b) {
  return {unionBox(a.box, b.box),
          [a, b](double x, double y) { return a.inside(x, y) || b.inside(x, y); }};
}

Shape subtract(const Shape& a, const Shape& b) {
  return {a.box, [a, b](double x, double y) { return a.inside(x, y) && !b.inside(x, y); }};
}

Shape intersect(const Shape& a, const Shape& b) {
  Box box{std::max(a.box.x0, b.box.x0), std::max(a.box.y0, b.box.y0), std::min(a.box.x1, b.box.x1),
          std::min(a.box.y1, b.box.y1)};
  return {box, [a, b](double x, double y) { return a.inside(x, y) && b.inside(x, y); }};
}

Shape translate(const Shape& s, double dx, double dy) {
  return {{s.box.x0 + dx, s.box.y0 + dy, s.box.x1 + dx, s.box.y1 + dy},
          [s, dx, dy](double x, double y) { return s.inside(x - dx, y - dy); }};
}

Shape strokeRoundRect(double x0, double y0, double x1, double y1, double radius, double width) {
  double h = width / 2;
  return subtract(roundRect(x0 - h, y0 - h, x1 + h, y1 + h, radius + h),
                  roundRect(x0 + h, y0 + h, x1 - h, y1 - h, std::max(0.0, radius - h)));
}

Shape strokeEllipse(double cx, double cy, double rx, double ry, double width) {
  double h = width / 2;
  return subtract(ellipse(cx, cy, rx + h, ry + h), ellipse(cx, cy, rx - h, ry - h));
}

std::vector<Pt> arc(double cx, double cy, double rx, double ry, double fromDeg, double toDeg,
                    int steps) {
  std::vector<Pt> pts;
  for (int i = 0; i <= steps; ++i) {
    double a = (fromDeg + (toDeg - fromDeg) * i / steps) * kPi / 180.0;
    pts.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
  }
  return pts;
}

std::vector<Pt> join(std::vector<Pt> a, const std::vector<Pt>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

Canvas::Canvas(int w, int h) : w_(w), h_(h), px_(static_cast<size_t>(w) * h) {
  if (w <= 0 || h <= 0) throw std::invalid_argument("empty canvas");
}

std::vector<float> Canvas::coverage(const Shape& s, int samples) const {
  std::vector<float> mask(px_.size(), 0.0f);
  int xa = std::max(0, static_cast<int>(std::floor(s.box.x0)) - 1);
  int ya = std::max(0, static_cast<int>(std::floor(s.box.y0)) - 1);
  int xb = std::min(w_, static_cast<int>(std::ceil(s.box.x1)) + 1);
  int yb = std::min(h_, static_cast<int>(std::ceil(s.box.y1)) + 1);
  // Sample j of row i sits at ((i + (j + 0.5) / n) / n, (j + (i + 0.5) / n) / n): an n x n
  // grid sheared so that all n * n samples fall on different columns and different rows. Edges
  // at any angle then get n * n coverage levels and a thin line with a rational slope does
  // not beat against the grid.
  const int n = samples;
  const double step = 1.0 / n;
  for (int y = ya; y < yb; ++y) {
    for (int x = xa; x < xb; ++x) {
      int hits = 0;
      for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
          double sx = x + (i + (j + 0.5) * step) * step;
          double sy = y + (j + (i + 0.5) * step) * step;
          if (s.inside(sx, sy)) ++hits;
        }
      }
      mask[static_cast<size_t>(y) * w_ + x] =
          static_cast<float>(hits) / static_cast<float>(samples * samples);
    }
  }
  return mask;
}

void Canvas::fill(const Shape& s, Color c, int samples) { fillMask(coverage(s, samples), c); }

void Canvas::fillMask(const std::vector<float>& mask, Color c) {
  for (size_t i = 0; i < px_.size(); ++i) {
    double a = clamp01(c.a * mask[i]);
    if (a <= 0) continue;
    P& d = px_[i];
    double k = 1 - a;
    d.r = static_cast<float>(c.r * a + d.r * k);
    d.g = static_cast<float>(c.g * a + d.g * k);
    d.b = static_cast<float>(c.b * a + d.b * k);
    d.a = static_cast<float>(a + d.a * k);
  }
}

void Canvas::draw(const Canvas& src, int dx, int dy, double opacity) {
  for (int y = 0; y < src.h_; ++y) {
    int ty = y + dy;
    if (ty < 0 || ty >= h_) continue;
    for (int x = 0; x < src.w_; ++x) {
      int tx = x + dx;
      if (tx < 0 || tx >= w_) continue;
      const P& s = src.px_[static_cast<size_t>(y) * src.w_ + x];
      P& d = px_[static_cast<size_t>(ty) * w_ + tx];
      double o = opacity;
      double k = 1 - s.a * o;
      d.r = static_cast<float>(s.r * o + d.r * k);
      d.g = static_cast<float>(s.g * o + d.g * k);
      d.b = static_cast<float>(s.b * o + d.b * k);
      d.a = static_cast<float>(s.a * o + d.a * k);
    }
  }
}

void Canvas::shadow(const Shape& s, double dx, double dy, double sigma, Color c) {
  std::vector<float> mask = coverage(translate(s, dx, dy));
  blurMask(mask, w_, h_, sigma);
  fillMask(mask, c);
}

Color Canvas::get(int x, int y) const {
  const P& p = px_[static_cast<size_t>(y) * w_ + x];
  if (p.a <= 0) return {0, 0, 0, 0};
  return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

void Canvas::set(int x, int y, Color c) {
  P& p = px_[static_cast<size_t>(y) * w_ + x];
  double a = clamp01(c.a);
  p = {static_cast<float>(c.r * a), static_cast<float>(c.g * a), static_cast<float>(c.b * a),
       static_cast<float>(a)};
}

Canvas Canvas::crop(int x, int y, int w, int h) const {
  Canvas out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (x + i >= 0 && x + i < w_ && y + j >= 0 && y + j < h_)
        out.px_[static_cast<size_t>(j) * w + i] = px_[static_cast<size_t>(y + j) * w_ + (x + i)];
  return out;
}

void Canvas::map(const std::function<Color(Color)>& f) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) set(x, y, f(get(x, y)));
}

std::vector<uint8_t> Canvas::toBGRA() const {
  std::vector<uint8_t> out(px_.size() * 4, 0);
  auto byte = [](double v) { return static_cast<uint8_t>(std::lround(clamp01(v) * 255.0)); };
  for (size_t i = 0; i < px_.size(); ++i) {
    const P& p = px_[i];
    uint8_t a = byte(p.a);
    if (a == 0) continue;  // fully transparent pixels are all zero
    out[i * 4 + 0] = byte(p.b / p.a);
    out[i * 4 + 1] = byte(p.g / p.a);
    out[i * 4 + 2] = byte(p.r / p.a);
    out[i * 4 + 3] = a;
  }
  return out;
}

Canvas hstack(const std::vector<Canvas>& frames) {
  int w = 0, h = frames.at(0).height();
  for (const Canvas& f : frames) {
    if (f.height() != h) throw std::invalid_argument("hstack: heights differ");
    w += f.width();
  }
  Canvas out(w, h);
  int x = 0;
  for (const Canvas& f : frames) {
    out.draw(f, x, 0);
    x += f.width();
  }
  return out;
}

Canvas vstack(const std::vector<Canvas>& frames) {
  int w = frames.at(0).width(), h = 0;
  for (const Canvas& f : frames) {
    if (f.width() != w) throw std::invalid_argument("vstack: widths differ");
    h += f.height();
  }
  Canvas out(w, h);
  int y = 0;
  for (const Canvas& f : frames) {
    out.draw(f, 0, y);
    y += f.height();
  }
  return out;
}

Canvas greyed(const Canvas& c) {
  Canvas out = c;
  out.map([](Color p) {
    double l = 0.299 * p.r + 0.587 * p.g + 0.114 * p.b;
    double v = l + (1 - l) * 0.55;
    return Color{v, v, v, p.a * 0.8};
  });
  return out;
}

Canvas collapseNineGrid(const Canvas& big, int left, int top, int right, int bottom, int w, int h) {
  if (left + right > w || top + bottom > h || big.width() < w || big.height() < h)
    throw std::invalid_argument("collapseNineGrid: bad margins");
  auto source = [](int v, int lead, int trail, int size, int bigSize) {
    if (v < lead) return v;
    if (v >= size - trail) return bigSize - (size - v);
    return bigSize / 2;
  };
  Canvas out(w, h);
  for (int y = 0; y < h; ++y) {
    int sy = source(y, top, bottom, h, big.height());
    for (int x = 0; x < w; ++x) {
      int sx = source(x, left, right, w, big.width());
      out.set(x, y, big.get(sx, sy));
    }
  }
  return out;
}

void blurMask(std::vector<float>& mask, int w, int h, double sigma) {
  if (sigma <= 0) return;
  int r = static_cast<int>(std::ceil(sigma * 3));
  std::vector<double> k(2 * r + 1);
  double sum = 0;
  for (int i = -r; i <= r; ++i) sum += k[i + r] = std::exp(-(i * i) / (2 * sigma * sigma));
  for (double& v : k) v /= sum;
  std::vector<float> tmp(mask.size(), 0.0f);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double acc = 0;
      for (int i = -r; i <= r; ++i) {
        int sx = x + i;
        if (sx >= 0 && sx < w) acc += k[i + r] * mask[static_cast<size_t>(y) * w + sx];
      }
      tmp[static_cast<size_t>(y) * w + x] = static_cast<float>(acc);
    }
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      double acc = 0;
      for (int i = -r; i <= r; ++i) {
        int sy = y + i;
        if (sy >= 0 && sy < h) acc += k[i + r] * tmp[static_cast<size_t>(sy) * w + x];
      }
      mask[static_cast<size_t>(y) * w + x] = static_cast<float>(acc);
    }
}

}  // namespace resgen
