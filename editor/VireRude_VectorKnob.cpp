#include "editor/VireRude_VectorKnob.h"

#include "gui/CDrawContext.h"
#include "gui/CGradient.h"
#include "gui/CGraphicsPath.h"

using namespace VSTGUI;

void VireRude_VectorKnob::draw(CDrawContext* context) {
    context->saveGlobalState();
    context->setDrawMode(kAntiAliasing);
    auto path = SharedPointer<CGraphicsPath>::adopt(new CGraphicsPath);
    path->addEllipse(CRect(size.left + 1, size.top + 1, size.right - 1, size.bottom - 1));
    auto disc = SharedPointer<CGradient>::adopt(
        CGradient::create(0.0, 1.0, {90, 90, 90, 255}, {60, 60, 60, 255}));
    context->fillLinearGradient(path.get(), *disc, {size.left, size.top}, {size.left, size.bottom});
    context->setFrameColor(kBlackCColor);
    context->drawGraphicsPath(path.get(), CDrawContext::kPathStroked);
    context->restoreGlobalState();
    CKnob::draw(context);
}
