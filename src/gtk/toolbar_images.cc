#include "gtk/toolbar_images.h"

#include <cairomm/context.h>
#include <cairomm/surface.h>

#include <cmath>
#include <numbers>

namespace tavern::gtk {
namespace {

using Context = Cairo::RefPtr<Cairo::Context>;

struct Colour {
  double r, g, b;
};

constexpr Colour kOutline{0.22, 0.25, 0.30};
constexpr Colour kArrowFill{0.20, 0.56, 0.32};
constexpr Colour kArrowDark{0.10, 0.36, 0.18};
constexpr Colour kPaper{0.99, 0.99, 0.97};

void Fill(const Context& cr, Colour colour) { cr->set_source_rgb(colour.r, colour.g, colour.b); }

void FillAndStroke(const Context& cr, Colour fill, Colour stroke, double line_width) {
  Fill(cr, fill);
  cr->fill_preserve();
  Fill(cr, stroke);
  cr->set_line_width(line_width);
  cr->stroke();
}

// All motifs are drawn on a 22 × 20 grid and scaled to the asked size.
void DrawHouse(const Context& cr) {
  cr->move_to(11, 2);
  cr->line_to(20.5, 10.5);
  cr->line_to(1.5, 10.5);
  cr->close_path();
  FillAndStroke(cr, {0.75, 0.30, 0.22}, {0.45, 0.15, 0.10}, 1.0);
  cr->rectangle(4.5, 10.5, 13, 8);
  FillAndStroke(cr, {0.96, 0.90, 0.76}, {0.42, 0.30, 0.18}, 1.0);
  cr->rectangle(9.5, 13.5, 3.5, 5);
  FillAndStroke(cr, {0.50, 0.33, 0.18}, {0.35, 0.22, 0.10}, 0.8);
  cr->rectangle(14, 12.5, 2.5, 2.5);
  FillAndStroke(cr, {0.62, 0.80, 0.94}, {0.30, 0.40, 0.50}, 0.6);
}

void DrawArrow(const Context& cr, bool pointing_left) {
  cr->save();
  if (!pointing_left) {
    cr->translate(22, 0);
    cr->scale(-1, 1);
  }
  cr->move_to(2, 10);
  cr->line_to(10, 2.5);
  cr->line_to(10, 6.5);
  cr->line_to(19.5, 6.5);
  cr->line_to(19.5, 13.5);
  cr->line_to(10, 13.5);
  cr->line_to(10, 17.5);
  cr->close_path();
  cr->set_line_join(Cairo::LINE_JOIN_ROUND);
  FillAndStroke(cr, kArrowFill, kArrowDark, 1.2);
  cr->restore();
}

void DrawStopSign(const Context& cr) {
  cr->arc(11, 10, 8.3, 0, 2 * std::numbers::pi);
  FillAndStroke(cr, {0.84, 0.20, 0.18}, {0.52, 0.08, 0.06}, 1.2);
  cr->set_source_rgb(1, 1, 1);
  cr->set_line_width(2.4);
  cr->set_line_cap(Cairo::LINE_CAP_ROUND);
  cr->move_to(7.5, 6.5);
  cr->line_to(14.5, 13.5);
  cr->move_to(14.5, 6.5);
  cr->line_to(7.5, 13.5);
  cr->stroke();
}

void DrawRefreshSheet(const Context& cr) {
  // The sheet with a folded corner.
  cr->move_to(3.5, 1.5);
  cr->line_to(13, 1.5);
  cr->line_to(17.5, 6);
  cr->line_to(17.5, 18.5);
  cr->line_to(3.5, 18.5);
  cr->close_path();
  FillAndStroke(cr, kPaper, kOutline, 1.0);
  cr->move_to(13, 1.5);
  cr->line_to(13, 6);
  cr->line_to(17.5, 6);
  Fill(cr, kOutline);
  cr->set_line_width(0.8);
  cr->stroke();
  // Two arrows chasing each other round a circle.
  const double cx = 12.5, cy = 12, radius = 5;
  cr->set_line_width(2.0);
  cr->set_line_cap(Cairo::LINE_CAP_BUTT);
  Fill(cr, kArrowDark);
  for (const double start : {0.15, std::numbers::pi + 0.15}) {
    const double end = start + 2.3;
    cr->begin_new_sub_path();
    cr->arc(cx, cy, radius, start, end);
    cr->stroke();
    const double hx = cx + radius * std::cos(end), hy = cy + radius * std::sin(end);
    const double tx = -std::sin(end), ty = std::cos(end);  // direction of travel
    const double nx = std::cos(end), ny = std::sin(end);   // outward
    cr->move_to(hx + tx * 3.2, hy + ty * 3.2);
    cr->line_to(hx + nx * 2.6, hy + ny * 2.6);
    cr->line_to(hx - nx * 2.6, hy - ny * 2.6);
    cr->close_path();
    cr->fill();
  }
}

void DrawPrinter(const Context& cr) {
  cr->rectangle(6.5, 1.5, 9, 6);  // paper going in
  FillAndStroke(cr, kPaper, kOutline, 1.0);
  cr->rectangle(2.5, 7.5, 17, 7);  // body
  FillAndStroke(cr, {0.70, 0.73, 0.77}, kOutline, 1.0);
  cr->rectangle(16, 9, 2, 1.5);  // lamp
  Fill(cr, {0.20, 0.70, 0.30});
  cr->fill();
  cr->rectangle(5.5, 12.5, 11, 6);  // page coming out
  FillAndStroke(cr, kPaper, kOutline, 1.0);
  cr->set_line_width(0.8);
  Fill(cr, {0.45, 0.50, 0.58});
  for (const double y : {14.5, 16.5}) {
    cr->move_to(7.5, y);
    cr->line_to(14.5, y);
  }
  cr->stroke();
}

void DrawLetterA(const Context& cr) {
  cr->select_font_face("DejaVu Serif", Cairo::FONT_SLANT_NORMAL, Cairo::FONT_WEIGHT_BOLD);
  cr->set_font_size(18);
  Cairo::TextExtents extents;
  cr->get_text_extents("A", extents);
  const double x = (22 - extents.width) / 2 - extents.x_bearing;
  const double y = (20 - extents.height) / 2 - extents.y_bearing;
  cr->move_to(x, y);
  Fill(cr, {0.16, 0.30, 0.58});
  cr->show_text("A");
}

Glib::RefPtr<Gdk::Pixbuf> ToPixbuf(const Cairo::RefPtr<Cairo::ImageSurface>& surface, int width,
                                   int height) {
  surface->flush();
  return Gdk::Pixbuf::create(surface, 0, 0, width, height);
}

}  // namespace

Glib::RefPtr<Gdk::Pixbuf> DrawToolbarImage(ToolbarImage image, int width, int height) {
  auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, width, height);
  auto cr = Cairo::Context::create(surface);
  cr->scale(width / 22.0, height / 20.0);
  switch (image) {
    case ToolbarImage::kHouse:
      DrawHouse(cr);
      break;
    case ToolbarImage::kLeftArrow:
      DrawArrow(cr, /*pointing_left=*/true);
      break;
    case ToolbarImage::kRightArrow:
      DrawArrow(cr, /*pointing_left=*/false);
      break;
    case ToolbarImage::kStopSign:
      DrawStopSign(cr);
      break;
    case ToolbarImage::kRefreshSheet:
      DrawRefreshSheet(cr);
      break;
    case ToolbarImage::kPrinter:
      DrawPrinter(cr);
      break;
    case ToolbarImage::kLetterA:
      DrawLetterA(cr);
      break;
    case ToolbarImage::kNone:
      break;
  }
  return ToPixbuf(surface, width, height);
}

Glib::RefPtr<Gdk::Pixbuf> DrawDropDownArrow(int width, int height) {
  auto surface = Cairo::ImageSurface::create(Cairo::FORMAT_ARGB32, width, height);
  auto cr = Cairo::Context::create(surface);
  const double middle = width / 2.0, top = height / 2.0 - 1.5;
  cr->move_to(middle - 3, top);
  cr->line_to(middle + 3, top);
  cr->line_to(middle, top + 3.5);
  cr->close_path();
  Fill(cr, kOutline);
  cr->fill();
  return ToPixbuf(surface, width, height);
}

}  // namespace tavern::gtk
