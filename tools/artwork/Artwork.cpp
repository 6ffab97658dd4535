#include "tools/artwork/Artwork.h"

#include "tools/artwork/Bands.h"
#include "tools/artwork/DialScale.h"
#include "tools/artwork/Grille.h"
#include "tools/artwork/Knob.h"
#include "tools/artwork/Layout.h"
#include "tools/artwork/Meter.h"
#include "tools/artwork/Panel.h"
#include "tools/artwork/Plate.h"
#include "tools/artwork/Print.h"
#include "tools/artwork/SwitchPlates.h"

namespace artwork {
namespace {

// Everything of the background that the opaque controls do not bring themselves.
Surface drawFaceplate() {
    Surface plate = makeSurface(layout::kWindowWidth, layout::kWindowHeight, true);
    Context context = makeContext(plate.get());
    cairo_t* cr = context.get();
    paintPanel(cr);
    drawBandFixtures(cr);
    for (const layout::KnobPlace& knob : layout::kKnobs) printDialScale(cr, knob);
    drawMeterHousing(cr, layout::kLeftMeter, "Gain LEFT");
    drawMeterHousing(cr, layout::kRightMeter, "Gain RIGHT");
    drawGrilleHousing(cr, layout::kLeftGrille);
    drawGrilleHousing(cr, layout::kRightGrille);

    const Box below = layout::kSidechainPlate;
    drawNameplate(cr, {below.left + 6.0, below.top - 36.0, below.width() - 12.0, 24, 3}, Metal::Brass, "Marvolenzik",
                  {Face::SerifBoldItalic, 13, {}, 1.0, 0});
    const Box power = layout::kPowerPlate;
    drawText(cr, "STEREO TUBE COMPRESSOR", print::small(), power.centreX() - 1, power.bottom + 31, Align::Centre);
    return plate;
}

Image strip(const layout::editor::Image& image, const char* name, const std::vector<Surface>& frames,
            bool opaque) {
    return {image.resource, name, stackFrames(frames, opaque)};
}

}  // namespace

std::vector<Image> drawArtwork() {
    Surface faceplate = drawFaceplate();
    const auto power =
        plateFrames(faceplate.get(), layout::kPowerPlate, 2, [](cairo_t* cr, int s) { paintPowerPlate(cr, s == 1); });
    const auto autoGain = plateFrames(faceplate.get(), layout::kAutoGainPlate, 2,
                                      [](cairo_t* cr, int s) { paintAutoGainPlate(cr, s == 1); });
    const auto sidechain =
        plateFrames(faceplate.get(), layout::kSidechainPlate, layout::kSidechainPositions, paintSidechainPlate);
    const auto leftGrille = grilleFrames(layout::kLeftGrille), rightGrille = grilleFrames(layout::kRightGrille);
    const auto meter = meterFrames();

    // The background shows the opaque controls at rest too, so it is whole on its own, and
    // carries the plates' shadows beyond their rectangles.
    Surface background = makeSurface(layout::kWindowWidth, layout::kWindowHeight, true);
    {
        Context cr = makeContext(background.get());
        paste(cr.get(), faceplate.get(), 0, 0);
        paintPowerPlate(cr.get(), true);
        paintAutoGainPlate(cr.get(), false);
        paintSidechainPlate(cr.get(), 0);
        paste(cr.get(), leftGrille[4].get(), layout::kLeftGrille.left, layout::kLeftGrille.top);
        paste(cr.get(), rightGrille[4].get(), layout::kRightGrille.left, layout::kRightGrille.top);
        paste(cr.get(), meter.back().get(), layout::kLeftMeter.left, layout::kLeftMeter.top);
        paste(cr.get(), meter.back().get(), layout::kRightMeter.left, layout::kRightMeter.top);
    }

    namespace editor = layout::editor;
    std::vector<Image> images;
    images.push_back({editor::kBackground.resource, "101-background.png", std::move(background)});
    images.push_back(strip(editor::kKnobA, "102-knob-a.png", knobFrames(KnobFinish::Plain), false));
    images.push_back(strip(editor::kKnobB, "103-knob-b.png", knobFrames(KnobFinish::Ringed), false));
    images.push_back(strip(editor::kLeftGridStrip, "104-grid-left.png", leftGrille, true));
    images.push_back(strip(editor::kRightGridStrip, "105-grid-right.png", rightGrille, true));
    images.push_back(strip(editor::kPowerStrip, "106-power.png", power, true));
    images.push_back(strip(editor::kAutoGainStrip, "107-autogain.png", autoGain, true));
    images.push_back(strip(editor::kSidechainStrip, "108-sidechain.png", sidechain, true));
    images.push_back(strip(editor::kLeftMeterStrip, "109-meter-left.png", meter, true));
    images.push_back(strip(editor::kRightMeterStrip, "110-meter-right.png", meter, true));
    return images;
}

}  // namespace artwork
