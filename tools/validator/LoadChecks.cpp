// Whether the library loads and its entry answers a usable VST 2.4 effect record.
#include "tools/validator/Check.h"
#include "tools/validator/TestedPlugin.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

constexpr int kMostChannels = 64;

std::string checkLoad(CheckContext& context) {
    TestedPlugin plugin(context);
    const AEffect& record = plugin.record();
    if (!record.dispatcher || !record.setParameter || !record.getParameter)
        fail("the record lacks its dispatcher or parameter entries");
    if (!(record.flags & effFlagsCanReplacing) || !record.processReplacing)
        fail("the record offers no processReplacing, which VST 2.4 requires");
    if (record.numInputs < 0 || record.numInputs > kMostChannels || record.numOutputs < 0 ||
        record.numOutputs > kMostChannels || record.numParams < 0 || record.numPrograms < 0)
        fail(describe("implausible counts: %d inputs, %d outputs, %d parameters, %d programs",
                      record.numInputs, record.numOutputs, record.numParams, record.numPrograms));
    return describe("\"%s\": %d inputs, %d outputs, %d parameters, %d programs%s",
                    plugin.text(effGetEffectName).c_str(), record.numInputs, record.numOutputs,
                    record.numParams, record.numPrograms,
                    plugin.hasEditor() ? ", an editor" : "");
}

}  // namespace

Group loadChecks() { return {"load", {{"load", &checkLoad}}}; }

}  // namespace validator
