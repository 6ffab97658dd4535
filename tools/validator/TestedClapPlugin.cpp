#include "tools/validator/TestedClapPlugin.h"

#include "tools/host/ClapLibrary.h"
#include "tools/validator/Breadcrumb.h"
#include "tools/validator/CheckedBlock.h"
#include "tools/validator/Verdict.h"

namespace validator {

TestedClapPlugin::TestedClapPlugin(CheckContext& context) {
    noteStep("create and init the plug-in");
    instance_ = std::make_unique<vsthost::ClapInstance>(context.clapLibrary());
    if (!instance_->ok()) fail(instance_->error());
    if (outputs() == 0) fail("the plug-in has no main audio output");
}

void TestedClapPlugin::start(double sampleRate, int largestBlock) {
    noteStep("activate at %.0f Hz, blocks up to %d, and start processing", sampleRate, largestBlock);
    if (!instance_->activate(sampleRate, static_cast<uint32_t>(largestBlock)))
        fail(describe("activate at %.0f Hz with blocks up to %d was refused", sampleRate, largestBlock));
    if (!instance_->startProcessing()) fail("start_processing was refused after activation");
}

OutputScan TestedClapPlugin::process(AudioBuffers& buffers, int frames, const std::string& situation,
                                     AllocationCount* allocations) {
    noteStep("process, %d frames (%s)", frames, situation.c_str());
    clap_process_status status = CLAP_PROCESS_CONTINUE;
    const OutputScan scan = runCheckedBlock(buffers, frames, situation, allocations, [&] {
        status = instance_->process(buffers.inputPointers(), buffers.outputPointers(), static_cast<uint32_t>(frames));
    });
    if (status == CLAP_PROCESS_ERROR) fail(situation + ": process answered an error");
    return scan;
}

void TestedClapPlugin::processSane(AudioBuffers& buffers, int frames, const std::string& situation) {
    requireSane(process(buffers, frames, situation), situation);
}

void TestedClapPlugin::requireThreadRules() {
    const auto violations = instance_->host().threadViolations();
    if (!violations.empty())
        fail(describe("%zu request(s) on a forbidden thread, the first: %s", violations.size(), violations.front().c_str()));
}

std::vector<clap_param_info_t> requireParameters(TestedClapPlugin& plugin) {
    if (!plugin.instance().params()) skip("the plug-in has no params extension");
    return plugin.instance().parameterInfos();
}

}  // namespace validator
