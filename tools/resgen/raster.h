// A tiny vector rasteriser for the engine's pictures.
//
// Shapes are inside-tests over continuous coordinates; pixel (x, y) covers the square
// [x, x+1) x [y, y+1), so a 1-pixel line through the middle of column 5 runs along x = 5.5.
// Coverage is estimated by supersampling (8 x 8 samples per pixel by default) and painted with
// source-over compositing. Canvases keep premultiplied floats; output converts to straight alpha.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace resgen {

// Straight (not premultiplied) colour, channels 0..1.
struct Color {
  double r = 0, g = 0, b = 0, a = 0;
};

Color rgb(int r, int g, int b, double a = 1.0);
Color hex(uint32_t rrggbb, double a = 1.0);
Color withAlpha(Color c, double a);
Color mix(Color a, Color b, double t);  // t = 0 gives a, 1 gives b

struct Pt {
  double x = 0, y = 0;
};

struct Box {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct Shape {
  Box box;
  std::function<bool(double, double)> inside;
};

enum class Cap { Round, Butt, Square };

Shape rect(double x0, double y0, double x1, double y1);
Shape roundRect(double x0, double y0, double x1, double y1, double radius);
Shape ellipse(double cx, double cy, double rx, double ry);
Shape circle(double cx, double cy, double r);
// A straight stroke of the given width from a to b.
Shape segment(Pt a, Pt b, double width, Cap cap = Cap::Round);
// Union of segments through the points: round joins, caps as given.
Shape polyline(const std::vector<Pt>& pts, double width, Cap cap = Cap::Round);
// Filled polygon, non-zero winding.
Shape polygon(const std::vector<Pt>& pts);
Shape unite(const Shape& a, const Shape& b);
Shape subtract(const Shape& a, const Shape& b);
Shape intersect(const Shape& a, const Shape& b);
Shape translate(const Shape& s, double dx, double dy);
// Outline of a rounded rectangle / ellipse whose centre line is the given geometry.
Shape strokeRoundRect(double x0, double y0, double x1, double y1, double radius, double width);
Shape strokeEllipse(double cx, double cy, double rx, double ry, double width);

// Points along an elliptical arc, angles in degrees, 0 = +x, 90 = +y (downwards).
std::vector<Pt> arc(double cx, double cy, double rx, double ry, double fromDeg, double toDeg,
                    int steps = 24);
std::vector<Pt> join(std::vector<Pt> a, const std::vector<Pt>& b);

class Canvas {
 public:
  Canvas() = default;
  Canvas(int w, int h);

  int width() const { return w_; }
  int height() const { return h_; }

  // Coverage of the shape per pixel, row-major, 0..1.
  std::vector<float> coverage(const Shape& s, int samples = 8) const;

  void fill(const Shape& s, Color c, int samples = 8);
  // Paint colour c through a coverage mask of this canvas's size.
  void fillMask(const std::vector<float>& mask, Color c);
  // Source-over of src with its top-left corner at (dx, dy).
  void draw(const Canvas& src, int dx, int dy, double opacity = 1.0);
  // A soft shadow of the shape: coverage offset by (dx, dy), blurred with a Gaussian.
  void shadow(const Shape& s, double dx, double dy, double sigma, Color c);

  Color get(int x, int y) const;    // straight
  void set(int x, int y, Color c);  // straight, replaces
  Canvas crop(int x, int y, int w, int h) const;
  // Apply f to every pixel's straight colour.
  void map(const std::function<Color(Color)>& f);

  // Straight-alpha 8-bit pixels, B G R A, rows top-down.
  std::vector<uint8_t> toBGRA() const;

 private:
  struct P {
    float r = 0, g = 0, b = 0, a = 0;  // premultiplied
  };
  int w_ = 0, h_ = 0;
  std::vector<P> px_;
};

// Frames side by side, left to right; all must have the same height.
Canvas hstack(const std::vector<Canvas>& frames);
// Frames one above the other; all must have the same width.
Canvas vstack(const std::vector<Canvas>& frames);
// The disabled look of a picture: desaturated, lighter, a little more transparent.
Canvas greyed(const Canvas& c);
// Shrink a picture drawn with a generous middle to the final size w x h by keeping its margins
// and repeating its central column and row, so the stretchable middle of a nine-grid picture is
// exactly uniform.
Canvas collapseNineGrid(const Canvas& big, int left, int top, int right, int bottom, int w, int h);
// Gaussian blur of a mask in place.
void blurMask(std::vector<float>& mask, int w, int h, double sigma);

}  // namespace resgen
