#include "gui/platform/PlatformFrame.h"

#include <atomic>

#include "gui/platform/linux/X11Frame.h"

namespace VSTGUI::platform {
namespace {

std::atomic<PlatformFrameFactory> installedFactory{nullptr};

}  // namespace

PlatformFrameFactory platformFrameFactory() {
    PlatformFrameFactory factory = installedFactory.load();
    return factory ? factory : X11Frame::create;
}

void setPlatformFrameFactory(PlatformFrameFactory factory) { installedFactory.store(factory); }

}  // namespace VSTGUI::platform
