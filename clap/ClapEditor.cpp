#include "clap/ClapEditor.h"

#include "clap/ClapPlugin.h"
#include "effect/ParameterUnits.h"

namespace {

// About 30 redraws a second: the meters move smoothly, and an idle host stays idle.
constexpr uint32_t kTimerPeriodMs = 33;

template <typename Extension>
const Extension* hostExtension(const clap_host_t* host, const char* id) {
    return host->get_extension ? static_cast<const Extension*>(host->get_extension(host, id)) : nullptr;
}

}  // namespace

ClapEditor::ClapEditor(ClapPlugin& plugin) : plugin(plugin), editor(*this) {
    const clap_host_t* host = plugin.host();
    timerSupport = hostExtension<clap_host_timer_support_t>(host, CLAP_EXT_TIMER_SUPPORT);
    descriptorSupport = hostExtension<clap_host_posix_fd_support_t>(host, CLAP_EXT_POSIX_FD_SUPPORT);
    if (timerSupport && timerSupport->register_timer)
        timerRegistered = timerSupport->register_timer(host, kTimerPeriodMs, &timer);
}

ClapEditor::~ClapEditor() {
    unregisterDescriptor();
    if (timerRegistered && timerSupport->unregister_timer)
        timerSupport->unregister_timer(plugin.host(), timer);
    editor.close();
}

bool ClapEditor::setParent(void* parentWindow) {
    unregisterDescriptor();
    if (!editor.open(parentWindow)) return false;
    const int fd = editor.getFrame()->getPlatformFrame()->eventFileDescriptor();
    if (fd >= 0 && descriptorSupport && descriptorSupport->register_fd &&
        descriptorSupport->register_fd(plugin.host(), fd, CLAP_POSIX_FD_READ))
        descriptor = fd;
    return true;
}

void ClapEditor::unregisterDescriptor() {
    if (descriptor >= 0 && descriptorSupport->unregister_fd)
        descriptorSupport->unregister_fd(plugin.host(), descriptor);
    descriptor = -1;
}

void ClapEditor::setVisible(bool visible) {
    if (VSTGUI::CFrame* frame = editor.getFrame()) frame->setVisible(visible);
}

void ClapEditor::idle() {
    const uint32_t changed = plugin.takeHostChanges();
    for (int32_t index = 0; index < parameter::kActiveCount; ++index)
        if (changed & (1u << index)) editor.parameterChanged(index);
    editor.idle();
}

float ClapEditor::getParameter(int index) { return plugin.core().getParameter(index); }

void ClapEditor::setParameterAutomated(int index, float value) {
    plugin.core().setParameter(index, value);
    editor.parameterChanged(index);
    queue(EditorEvents::Kind::value, index, parameter::toReal(index, value));
}

bool ClapEditor::beginEdit(int32_t index) {
    queue(EditorEvents::Kind::gestureBegin, index, 0.0);
    return true;
}

bool ClapEditor::endEdit(int32_t index) {
    queue(EditorEvents::Kind::gestureEnd, index, 0.0);
    return true;
}

void ClapEditor::queue(EditorEvents::Kind kind, int32_t index, double value) {
    // The meters and the other views without a parameter have no id at the host.
    if (!parameter::isActive(index)) return;
    if (plugin.editorEvents().push({kind, static_cast<uint32_t>(index), value})) plugin.requestFlush();
}

float ClapEditor::getGainReductionLeft() { return plugin.core().publishedMeters().gainReductionLeft; }
float ClapEditor::getGainReductionRight() { return plugin.core().publishedMeters().gainReductionRight; }
float ClapEditor::getInputLevel() { return plugin.core().publishedMeters().inputLevel; }
float ClapEditor::getOutputLevel() { return plugin.core().publishedMeters().outputLevel; }
