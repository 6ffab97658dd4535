#include "gui/platform/PlatformFrame.h"

#include <atomic>

namespace VSTGUI::platform {
namespace {

std::atomic<PlatformFrameFactory> installedFactory{nullptr};

}  // namespace

PlatformFrameFactory platformFrameFactory() {
    PlatformFrameFactory factory = installedFactory.load();
    return factory ? factory : createNativeFrame;
}

void setPlatformFrameFactory(PlatformFrameFactory factory) { installedFactory.store(factory); }

}  // namespace VSTGUI::platform
