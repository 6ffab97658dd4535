#include "tools/validator/TestedLv2Plugin.h"

#include "tools/host/ToolError.h"
#include "tools/validator/Breadcrumb.h"
#include "tools/validator/CheckedBlock.h"
#include "tools/validator/Verdict.h"

namespace validator {

TestedLv2Plugin::TestedLv2Plugin(CheckContext& context) {
    noteStep("load the bundle through lilv");
    try {
        plugin_ = std::make_unique<vsthost::Lv2StereoPlugin>(context.environment().pluginPath);
    } catch (const vsthost::ToolError& error) {
        fail(error.what());
    }
}

void TestedLv2Plugin::start(double sampleRate, int largestBlock) {
    noteStep("instantiate at %.0f Hz, blocks up to %d, connect and activate", sampleRate, largestBlock);
    try {
        plugin_->start(sampleRate, largestBlock);
    } catch (const vsthost::ToolError& error) {
        fail(error.what());
    }
}

OutputScan TestedLv2Plugin::process(AudioBuffers& buffers, int frames, const std::string& situation,
                                    AllocationCount* allocations) {
    noteStep("run, %d frames (%s)", frames, situation.c_str());
    return runCheckedBlock(buffers, frames, situation, allocations, [&] {
        plugin_->process(buffers.input(0), buffers.input(1), buffers.output(0), buffers.output(1), frames);
    });
}

void TestedLv2Plugin::processSane(AudioBuffers& buffers, int frames, const std::string& situation) {
    requireSane(process(buffers, frames, situation), situation);
}

}  // namespace validator
