#include "tests/gui/GuiTestSupport.h"

#include "gui/platform/cairo/CairoBitmap.h"

namespace guitest {

void RecordingListener::valueChanged(VSTGUI::CControl* control) {
    values.push_back(control->getValue());
    log.push_back("valueChanged " + std::to_string(control->getValue()));
}

void OffscreenTest::SetUp() {
    VSTGUI::platform::setPlatformFrameFactory(VSTGUI::platform::OffscreenFrame::create);
    frame = new VSTGUI::CFrame(VSTGUI::CRect(0, 0, 200, 150), &editor);
    ASSERT_TRUE(frame->open(nullptr));
}

void OffscreenTest::TearDown() {
    frame->forget();
    VSTGUI::platform::setPlatformFrameFactory(nullptr);
}

VSTGUI::platform::OffscreenFrame& OffscreenTest::screen() const {
    return *dynamic_cast<VSTGUI::platform::OffscreenFrame*>(frame->getPlatformFrame());
}

std::shared_ptr<VSTGUI::platform::PlatformBitmap> numberedStrip(int frames, int width, int height) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, frames * height);
    cairo_t* cr = cairo_create(surface);
    for (int i = 0; i < frames; ++i) {
        cairo_set_source_rgb(cr, i / 255.0, (255 - i) / 255.0, 128 / 255.0);
        cairo_rectangle(cr, 0, i * height, width, height);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    return std::make_shared<VSTGUI::platform::CairoBitmap>(surface);
}

}  // namespace guitest
