#include "editor/VireRude_StaticVectorImage.h"

#include "editor/EditorLayout.h"
#include "gui/CDrawContext.h"
#include "gui/CGradient.h"
#include "gui/CGraphicsPath.h"

using namespace VSTGUI;

namespace {

// Each curve leaves and enters the top or bottom edge horizontally: its control points
// lie this far inside its end points.
constexpr double kCurveReach = 50.0;

void curveTo(CGraphicsPath& path, const CPoint& from, const CPoint& to) {
    const double reach = to.x >= from.x ? kCurveReach : -kCurveReach;
    path.addBezierCurve({from.x + reach, from.y}, {to.x - reach, to.y}, to);
}

}  // namespace

void VireRude_StaticVectorImage::draw(CDrawContext* context) {
    const double L = size.left, T = size.top, R = size.right, B = size.bottom;
    const double W = R - L;
    const double f = shapeFraction;
    auto path = SharedPointer<CGraphicsPath>::adopt(new CGraphicsPath);
    // Kinds 0 to 2 are clear along the top edge, kinds 3 and 4 along the bottom one.
    bool clearAtTop = true;
    switch (shapeKind) {
        case layout::kTopRightFigure: {
            const CPoint x(L + f * W, B);
            path->beginSubpath({L, T});
            curveTo(*path, {L, T}, x);
            path->addLine({R, B});
            path->addLine({R, T});
            break;
        }
        case layout::kBandFigure: {
            const CPoint x(L + f * W, B);
            const CPoint y(R - f * W, B);
            path->beginSubpath({L, T});
            curveTo(*path, {L, T}, x);
            path->addLine(y);
            curveTo(*path, y, {R, T});
            break;
        }
        case layout::kBottomLeftFigure: {
            const CPoint x(L + (1 - f) * W, T);
            path->beginSubpath({L, B});
            path->addLine({L, T});
            path->addLine(x);
            curveTo(*path, x, {R, B});
            clearAtTop = false;
            break;
        }
        case layout::kBottomRightFigure: {
            const CPoint x(L + f * W, T);
            path->beginSubpath({L, B});
            curveTo(*path, {L, B}, x);
            path->addLine({R, T});
            path->addLine({R, B});
            clearAtTop = false;
            break;
        }
        default: {  // layout::kTopLeftFigure, and any unknown kind
            const CPoint x(L + (1 - f) * W, B);
            path->beginSubpath({L, T});
            path->addLine({L, B});
            path->addLine(x);
            curveTo(*path, x, {R, T});
            break;
        }
    }
    path->closeSubpath();
    auto gradient = SharedPointer<CGradient>::adopt(
        CGradient::create(0.0, 1.0, {255, 255, 255, 0}, {255, 255, 255, 45}));
    const CPoint clearEdge(L, clearAtTop ? T : B);
    const CPoint faintEdge(L, clearAtTop ? B : T);
    context->saveGlobalState();
    context->setDrawMode(kAntiAliasing);
    context->fillLinearGradient(path.get(), *gradient, clearEdge, faintEdge);
    context->restoreGlobalState();
    setDirty(false);
}
