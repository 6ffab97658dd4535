#include "tools/host/RenderSummary.h"

#include <cmath>
#include <limits>

namespace vsthost {

namespace {

// VST 2.4 has no request through which a host could read a plug-in's meters; only
// Marvolenzik's can be read, by this host built from the same sources.
constexpr const char* kGainReductionUnavailable =
    "n/a (the plug-in reports none: CLAP plug-ins may, VST 2.4 ones only in their editor; this host reads Marvolenzik's)";

std::string levelText(double db) {
    if (!std::isfinite(db)) return "-inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", db);
    return text;
}

std::string jsonString(const std::string& text) {
    std::string quoted = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                quoted += "\\\"";
                break;
            case '\\':
                quoted += "\\\\";
                break;
            case '\n':
                quoted += "\\n";
                break;
            case '\t':
                quoted += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    quoted += escaped;
                } else {
                    quoted += c;
                }
        }
    }
    return quoted + "\"";
}

// JSON has no infinities: silence (-inf dB) and an unmeasurable factor become null.
std::string jsonNumber(double number) {
    if (!std::isfinite(number)) return "null";
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", number);
    return text;
}

}  // namespace

double RenderSummary::audioSeconds() const {
    return sampleRate > 0.0 ? static_cast<double>(result.inputFrames) / sampleRate : 0.0;
}

double RenderSummary::realTimeFactor() const {
    return result.pluginCpuSeconds > 0.0 ? audioSeconds() / result.pluginCpuSeconds
                                         : std::numeric_limits<double>::infinity();
}

void printSummaryText(std::FILE* out, const RenderSummary& s) {
    const char* channels = s.inputChannels == 1 ? "mono, fed to both inputs" : "stereo";
    if (s.inputPath.empty())
        std::fprintf(out, "Input           demo loop, %.1f s, %.0f Hz, %s\n", s.audioSeconds(),
                     s.sampleRate, channels);
    else
        std::fprintf(out, "Input           %s (%s), %.1f s, %.0f Hz, %s\n", s.inputPath.c_str(),
                     s.inputFormat.c_str(), s.audioSeconds(), s.sampleRate, channels);
    std::fprintf(out, "Output          %s (%s), %lld frames\n", s.outputPath.c_str(),
                 s.outputFormat.c_str(), static_cast<long long>(s.result.outputFrames));
    std::fprintf(out, "Plug-in         %s (%s)%s, blocks of %d\n", s.pluginName.c_str(),
                 s.pluginPath.c_str(), s.pluginInstances > 1 ? ", one instance per channel" : "",
                 s.blockSize);
    std::string settings;
    for (const ParameterState& p : s.parameters)
        if (p.setByUser) settings += (settings.empty() ? "" : ", ") + p.name + " " + p.display;
    if (!settings.empty()) std::fprintf(out, "Settings        %s\n", settings.c_str());
    std::fprintf(out, "Latency         %d samples, %s\n", s.result.latencySamples,
                 s.latencyCompensated ? "compensated" : "not compensated");
    if (s.prerollSeconds > 0.0)
        std::fprintf(out, "Pre-roll        %.2f s of silence before the input\n", s.prerollSeconds);
    std::fprintf(out, "Input level     peak %s dBFS, RMS %s dBFS\n",
                 levelText(s.result.inputLevels.peakDb()).c_str(),
                 levelText(s.result.inputLevels.rmsDb()).c_str());
    std::fprintf(out, "Output level    peak %s dBFS, RMS %s dBFS\n",
                 levelText(s.result.outputLevels.peakDb()).c_str(),
                 levelText(s.result.outputLevels.rmsDb()).c_str());
    if (s.maxGainReductionDb)
        std::fprintf(out, "Gain reduction  up to %.1f dB\n", *s.maxGainReductionDb);
    else
        std::fprintf(out, "Gain reduction  %s\n", kGainReductionUnavailable);
    std::fprintf(out,
                 "CPU time        %.3f s in the plug-in for %.1f s of audio: %.1fx real time\n",
                 s.result.pluginCpuSeconds, s.audioSeconds(), s.realTimeFactor());
}

void printSummaryJson(std::FILE* out, const RenderSummary& s) {
    const RenderResult& r = s.result;
    std::fprintf(out, "{\n");
    std::fprintf(out,
                 "  \"input\": {\"path\": %s, \"demo\": %s, \"format\": %s, \"channels\": %d, "
                 "\"frames\": %lld, \"peakDbfs\": %s, \"rmsDbfs\": %s},\n",
                 s.inputPath.empty() ? "null" : jsonString(s.inputPath).c_str(),
                 s.inputPath.empty() ? "true" : "false",
                 s.inputPath.empty() ? "null" : jsonString(s.inputFormat).c_str(), s.inputChannels,
                 static_cast<long long>(r.inputFrames), jsonNumber(r.inputLevels.peakDb()).c_str(),
                 jsonNumber(r.inputLevels.rmsDb()).c_str());
    std::fprintf(out,
                 "  \"output\": {\"path\": %s, \"format\": %s, \"channels\": 2, "
                 "\"frames\": %lld, \"peakDbfs\": %s, \"rmsDbfs\": %s},\n",
                 jsonString(s.outputPath).c_str(), jsonString(s.outputFormat).c_str(),
                 static_cast<long long>(r.outputFrames),
                 jsonNumber(r.outputLevels.peakDb()).c_str(),
                 jsonNumber(r.outputLevels.rmsDb()).c_str());
    std::fprintf(out, "  \"plugin\": {\"path\": %s, \"name\": %s, \"instances\": %d},\n",
                 jsonString(s.pluginPath).c_str(), jsonString(s.pluginName).c_str(),
                 s.pluginInstances);
    std::fprintf(out, "  \"sampleRate\": %s,\n  \"blockSize\": %d,\n",
                 jsonNumber(s.sampleRate).c_str(), s.blockSize);
    std::fprintf(
        out, "  \"latencySamples\": %d,\n  \"latencyCompensated\": %s,\n  \"tailSamples\": %d,\n",
        r.latencySamples, s.latencyCompensated ? "true" : "false", r.tailSamples);
    std::fprintf(out, "  \"parameters\": [");
    for (std::size_t i = 0; i < s.parameters.size(); ++i) {
        const ParameterState& p = s.parameters[i];
        std::fprintf(
            out,
            "%s\n    {\"index\": %d, \"name\": %s, \"value\": %s, \"display\": %s, \"set\": %s}",
            i ? "," : "", p.index, jsonString(p.name).c_str(), jsonNumber(p.value).c_str(),
            jsonString(p.display).c_str(), p.setByUser ? "true" : "false");
    }
    std::fprintf(out, "\n  ],\n");
    std::fprintf(out, "  \"maxGainReductionDb\": %s,\n",
                 s.maxGainReductionDb ? jsonNumber(*s.maxGainReductionDb).c_str() : "null");
    std::fprintf(out, "  \"prerollSeconds\": %s,\n", jsonNumber(s.prerollSeconds).c_str());
    std::fprintf(out,
                 "  \"audioSeconds\": %s,\n  \"cpuSeconds\": %s,\n  \"realTimeFactor\": %s\n}\n",
                 jsonNumber(s.audioSeconds()).c_str(), jsonNumber(r.pluginCpuSeconds).c_str(),
                 jsonNumber(s.realTimeFactor()).c_str());
}

}  // namespace vsthost
