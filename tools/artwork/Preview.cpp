#include "tools/artwork/Preview.h"

#include <cmath>
#include <stdexcept>

#include "tools/artwork/Layout.h"
#include "tools/artwork/Shapes.h"
#include "tools/artwork/Text.h"

namespace artwork {
namespace {

const Image& find(const std::vector<Image>& images, int resource) {
    for (const Image& image : images)
        if (image.resource == resource) return image;
    throw std::runtime_error("no image " + std::to_string(resource));
}

// Frame `frame` of a strip of `frames` frames, drawn at the rectangle's top left.
// One frame of a strip control's image, where the editor places the control.
void drawFrame(cairo_t* cr, const std::vector<Image>& images, const layout::editor::StripControl& control,
               int frame) {
    const Image& strip = find(images, control.image.resource);
    const int h = cairo_image_surface_get_height(strip.pixels.get()) / control.image.frames;
    const Box at = layout::box(control.rect());
    cairo_save(cr);
    cairo_rectangle(cr, at.left, at.top, at.width(), at.height());
    cairo_clip(cr);
    cairo_set_source_surface(cr, strip.pixels.get(), at.left, at.top - h * frame);
    cairo_paint(cr);
    cairo_restore(cr);
}

// The frame a film strip shows for a value, as the editor's knobs choose it.
int frameFor(double value, int frames) { return static_cast<int>(std::floor(value * (frames - 1))); }

// A stand-in for what the editor draws at run time, so the preview can be judged as a whole:
// corner shapes, title, vendor lines, preset titles, dry/wet knob and caption, read-out.
void drawRuntimeStandIns(cairo_t* cr) {
    const auto corner = [&](double l, double t, double r, double b, bool top, bool fullLeft, double f) {
        const double w = r - l, x = fullLeft ? l + (1 - f) * w : l + f * w;
        const double edge = top ? t : b, cut = top ? b : t;
        cairo_move_to(cr, l, edge);
        if (fullLeft) {
            cairo_line_to(cr, l, cut);
            cairo_line_to(cr, x, cut);
            cairo_curve_to(cr, x + 50, cut, r - 50, edge, r, edge);
        } else {
            cairo_curve_to(cr, l + 50, edge, x - 50, cut, x, cut);
            cairo_line_to(cr, r, cut);
            cairo_line_to(cr, r, edge);
        }
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(l, edge, l, cut);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0);
        cairo_pattern_add_color_stop_rgba(g, 1, 1, 1, 1, 45 / 255.0);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    };
    for (const layout::editor::Corner& c : layout::editor::kCorners) {
        const bool top = c.figure == layout::editor::kTopLeftFigure || c.figure == layout::editor::kTopRightFigure;
        const bool fullLeft =
            c.figure == layout::editor::kTopLeftFigure || c.figure == layout::editor::kBottomLeftFigure;
        corner(c.rect.left, c.rect.top, c.rect.right, c.rect.bottom, top, fullLeft, c.fraction);
    }

    const auto label = [&](const std::string& text, Box at, TextStyle style, Align align) {
        const double x = align == Align::Left ? at.left : align == Align::Right ? at.right : at.centreX();
        drawText(cr, text, style, x, at.centreY() + 0.5 * measureText(text, style).capHeight, align);
    };
    label("Marvolenzik", layout::kTitle, {Face::Sans, 28, rgb8(255, 199, 4)}, Align::Left);
    label("vendor.example", layout::kVendorTop, {Face::Sans, 12, rgb8(220, 220, 220)}, Align::Left);
    label("Vendor", layout::kVendorBottom, {Face::Sans, 12, rgb8(220, 220, 220)}, Align::Left);
    const char* titles[4] = {"LOAD", "SAVE", "COPY", "PASTE"};
    for (int i = 0; i < 4; ++i)
        label(titles[i], layout::kPresetButtons[i], {Face::Sans, 11, rgb8(220, 220, 220)}, Align::Centre);
    label("dry/wet balance", layout::kDryWetCaption, {Face::Sans, 12, rgb8(230, 230, 230)}, Align::Right);
    label("---", layout::kReadout, {Face::Sans, 12, rgb8(180, 180, 180)}, Align::Left);

    const Box k = layout::kDryWetKnob;
    cairo_arc(cr, k.centreX(), k.centreY(), 11, 0, 2 * kPi);
    cairo_pattern_t* disc = cairo_pattern_create_linear(k.left, k.top, k.left, k.bottom);
    cairo_pattern_add_color_stop_rgb(disc, 0, 90 / 255.0, 90 / 255.0, 90 / 255.0);
    cairo_pattern_add_color_stop_rgb(disc, 1, 60 / 255.0, 60 / 255.0, 60 / 255.0);
    cairo_set_source(cr, disc);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(disc);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double a = layout::knobAngle(1.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, k.centreX() + 1, k.centreY() - 1);
    cairo_line_to(cr, k.centreX() + 1 + 9 * std::cos(a), k.centreY() - 1 + 9 * std::sin(a));
    cairo_stroke(cr);
}

}  // namespace

Surface drawPreview(const std::vector<Image>& images) {
    Surface preview = makeSurface(layout::kWindowWidth, layout::kWindowHeight, true);
    Context context = makeContext(preview.get());
    cairo_t* cr = context.get();
    namespace editor = layout::editor;
    paste(cr, find(images, editor::kBackground.resource).pixels.get(), 0, 0);
    const double knobValue[5] = {0.5, 1.0, 0.5, 0.5, 0.5};
    for (int i = 0; i < 5; ++i)
        drawFrame(cr, images, editor::kBigKnobs[i], frameFor(knobValue[i], layout::kKnobFrames));
    drawFrame(cr, images, editor::kLeftGridControl, frameFor(0.5, layout::kGrilleFrames));
    drawFrame(cr, images, editor::kRightGridControl, frameFor(0.5, layout::kGrilleFrames));
    drawFrame(cr, images, editor::kLeftMeter, 100);
    drawFrame(cr, images, editor::kRightMeter, 100);
    drawFrame(cr, images, editor::kAutoGainSwitch, 0);
    drawFrame(cr, images, editor::kPowerSwitch, 1);
    drawFrame(cr, images, editor::kSidechainSwitch, 0);
    drawRuntimeStandIns(cr);
    return preview;
}

}  // namespace artwork
