#include "tools/artwork/SwitchPlates.h"

#include "tools/artwork/Lamp.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/Plate.h"
#include "tools/artwork/Toggle.h"

namespace artwork {
namespace {

constexpr Metal kMetal = Metal::Aluminium;
const Colour kBlueLamp = rgb8(60, 140, 255);
const Colour kRedLamp = rgb8(255, 40, 24);

// A lamp's light stays on its plate: beyond the plate's rectangle the frames could not show it.
void drawLampOnPlate(cairo_t* cr, const PlateShape& plate, double cx, double cy, double radius, Colour glass,
                     bool lit) {
    cairo_save(cr);
    platePath(cr, plate);
    cairo_clip(cr);
    drawLamp(cr, cx, cy, radius, glass, lit);
    cairo_restore(cr);
}

// The plate inside its rectangle, leaving room below and right for its shadow.
PlateShape plateIn(Box rect) { return {rect.left + 2.0, rect.top + 2.0, rect.width() - 6.0, rect.height() - 7.0, 3}; }

TextStyle legend(double size, int tracking) { return {Face::SansBold, size, kLegendInk, 1.0, tracking}; }

}  // namespace

void paintPowerPlate(cairo_t* cr, bool on) {
    const PlateShape plate = plateIn(layout::kPowerPlate);
    const double cx = plate.x + plate.width / 2;
    drawPlate(cr, plate, kMetal);
    drawPlateScrews(cr, plate, 7, 3.2);
    drawLampOnPlate(cr, plate, cx, plate.y + 38, 18, kBlueLamp, on);
    drawEngravedText(cr, "POWER", legend(11, 3), cx, plate.y + 79);
}

void paintAutoGainPlate(cairo_t* cr, bool on) {
    const PlateShape plate = plateIn(layout::kAutoGainPlate);
    const double cx = plate.x + plate.width / 2;
    drawPlate(cr, plate, kMetal);
    drawLampOnPlate(cr, plate, cx, plate.y + 16, 8, kRedLamp, on);
    drawToggle(cr, cx, plate.y + 52, on ? -1 : 1);
    drawEngravedText(cr, "AG", legend(11, 2), cx, plate.y + plate.height - 10);
}

void paintSidechainPlate(cairo_t* cr, int position) {
    const PlateShape plate = plateIn(layout::kSidechainPlate);
    const double cx = plate.x + plate.width / 2, pivot = plate.y + 62;
    drawPlate(cr, plate, kMetal);
    drawEngravedText(cr, "SIDECHAIN", legend(9, 1), cx, plate.y + 12);
    const char* names[3] = {"OFF", "100", "200"};
    for (int p = 0; p < 3; ++p) {
        const double y = pivot + (1 - p) * 22;
        TextStyle style = legend(9, 0);
        style.face = Face::CondensedBold;
        drawText(cr, names[p], style, cx - 17, y + 4, Align::Right);
        drawText(cr, names[p], style, cx + 18, y + 4, Align::Left);
    }
    drawToggle(cr, cx, pivot, 1 - position);
    drawEngravedText(cr, "Hz", legend(9, 1), cx, plate.y + plate.height - 11);
}

std::vector<Surface> plateFrames(cairo_surface_t* faceplate, Box rect, int states,
                                 const std::function<void(cairo_t*, int)>& paint) {
    std::vector<Surface> frames;
    for (int state = 0; state < states; ++state) {
        Surface frame = crop(faceplate, rect, true);
        Context cr = makeContext(frame.get());
        cairo_translate(cr.get(), -rect.left, -rect.top);
        paint(cr.get(), state);
        frames.push_back(std::move(frame));
    }
    return frames;
}

}  // namespace artwork
