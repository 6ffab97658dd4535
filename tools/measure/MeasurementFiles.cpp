#include "tools/measure/MeasurementFiles.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/host/ToolError.h"

namespace measure {

namespace {

// Six significant digits; JSON has no NaN, nor CSV readers agree on one: empty, or null.
std::string number(double value, const char* missing) {
    if (!std::isfinite(value)) return missing;
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}
std::string csv(double value) { return number(value, ""); }
std::string json(double value) { return number(value, "null"); }

// A CSV field in quotes doubles its quotes; a JSON string escapes them.
std::string csvText(const std::string& text) {
    std::string result = "\"";
    for (const char c : text) result += c == '"' ? std::string("\"\"") : std::string(1, c);
    return result + "\"";
}
std::string jsonText(const std::string& text) {
    std::string result = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') result += '\\';
        if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            result += escaped;
            continue;
        }
        result += c;
    }
    return result + "\"";
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    if (!file) throw vsthost::ToolError("cannot write " + path);
}

std::string harmonicsCsv(const DistortionPoint& point) {
    std::string row;
    for (int h = 2; h <= 10; ++h) row.append(",").append(csv(point.harmonicsDbc[static_cast<std::size_t>(h)]));
    return row;
}

std::string distortionCsv(const std::vector<PluginMeasurements>& results, bool byLevel) {
    std::ostringstream out;
    out << (byLevel ? "plugin,hz,input_dbfs" : "plugin,input_dbfs,hz")
        << ",fundamental_dbfs,thd_percent,odd_percent,even_percent";
    for (int h = 2; h <= 10; ++h) out << ",h" << h << "_dbc";
    out << "\n";
    for (const PluginMeasurements& r : results) {
        const auto& points = byLevel ? r.distortionByLevel : r.distortionByFrequency;
        const double fixed = byLevel ? r.distortionFrequency : r.distortionLevelDbfs;
        for (const DistortionPoint& p : points)
            out << csvText(r.label) << "," << csv(fixed) << "," << csv(p.at) << "," << csv(p.fundamentalDbfs) << ","
                << csv(p.thdPercent) << "," << csv(p.oddPercent) << "," << csv(p.evenPercent) << harmonicsCsv(p)
                << "\n";
    }
    return out.str();
}

void distortionJson(std::ostream& out, const DistortionPoint& p, const char* atKey) {
    out << "{\"" << atKey << "\": " << json(p.at) << ", \"fundamental_dbfs\": " << json(p.fundamentalDbfs)
        << ", \"thd_percent\": " << json(p.thdPercent) << ", \"odd_percent\": " << json(p.oddPercent)
        << ", \"even_percent\": " << json(p.evenPercent) << ", \"harmonics_dbc\": [";
    for (int h = 2; h <= 10; ++h) out << (h > 2 ? ", " : "") << json(p.harmonicsDbc[static_cast<std::size_t>(h)]);
    out << "]}";
}

// A JSON array of `items`, each written by `write`, one per line at `indent`.
template <typename Items, typename Write>
void jsonList(std::ostream& out, const Items& items, Write&& write, const char* indent = "\n    ") {
    out << "[";
    bool first = true;
    for (const auto& item : items) {
        out << (first ? "" : ",") << indent;
        write(item);
        first = false;
    }
    out << "]";
}

// One plug-in's results as the members of a JSON object.
void resultsJson(std::ostream& out, const PluginMeasurements& r) {
    out << "  \"plugin\": " << jsonText(r.label) << ",\n  \"path\": " << jsonText(r.path) << ",\n  \"rate\": " << json(r.rate)
        << ",\n  \"static_curve\": ";
    jsonList(out, r.staticCurve, [&](const CurvePoint& p) {
        out << "{\"input_dbfs\": " << json(p.inputDbfs) << ", \"output_dbfs\": " << json(p.outputDbfs)
            << ", \"gain_reduction_db\": " << json(p.gainReductionDb) << "}";
    });
    const StepResponse& s = r.step;
    out << ",\n  \"attack_release\": {\"low_dbfs\": " << json(s.lowDbfs) << ", \"high_dbfs\": " << json(s.highDbfs)
        << ", \"step_down_ms\": " << json(s.stepDownMs) << ", \"attack_63_ms\": " << json(s.attack63Ms)
        << ", \"attack_90_ms\": " << json(s.attack90Ms) << ", \"release_63_ms\": " << json(s.release63Ms)
        << ", \"release_90_ms\": " << json(s.release90Ms) << ",\n    \"time_ms_and_gain_reduction_db\": [";
    for (std::size_t i = 0; i < s.timeMs.size(); ++i)
        out << (i ? ", " : "") << "[" << json(s.timeMs[i]) << ", " << json(s.gainReductionDb[i]) << "]";
    out << "]},\n  \"frequency_response\": ";
    jsonList(out, r.responses, [&](const FrequencyResponse& f) {
        out << "{\"condition\": " << jsonText(f.condition) << ", \"level_dbfs\": " << json(f.levelDbfs) << ", \"points\": ";
        jsonList(out, f.points, [&](const ResponsePoint& p) {
            out << "{\"hz\": " << json(p.hertz) << ", \"magnitude_db\": " << json(p.magnitudeDb)
                << ", \"phase_degrees\": " << json(p.phaseDegrees) << "}";
        }, "\n      ");
        out << "}";
    });
    out << ",\n  \"detector_response\": ";
    jsonList(out, r.detector, [&](const DetectorResponse& d) {
        out << "{\"setting\": " << jsonText(d.setting) << ", \"points\": ";
        jsonList(out, d.hertzAndGainReductionDb, [&](const std::pair<double, double>& p) {
            out << "{\"hz\": " << json(p.first) << ", \"gain_reduction_db\": " << json(p.second) << "}";
        }, "\n      ");
        out << "}";
    });
    out << ",\n  \"distortion_by_level\": {\"hz\": " << json(r.distortionFrequency) << ", \"points\": ";
    jsonList(out, r.distortionByLevel, [&](const DistortionPoint& p) { distortionJson(out, p, "input_dbfs"); });
    out << "},\n  \"distortion_by_frequency\": {\"input_dbfs\": " << json(r.distortionLevelDbfs) << ", \"points\": ";
    jsonList(out, r.distortionByFrequency, [&](const DistortionPoint& p) { distortionJson(out, p, "hz"); });
    out << "},\n  \"aliasing\": ";
    jsonList(out, r.aliasing, [&](const Aliasing& a) {
        out << "{\"rate\": " << json(a.rate) << ", \"points\": ";
        jsonList(out, a.points, [&](const AliasingPoint& p) {
            out << "{\"hz\": " << json(p.hertz) << ", \"worst_dbc\": " << json(p.worstDbc) << ", \"total_dbc\": "
                << json(p.totalDbc) << "}";
        }, "\n      ");
        out << "}";
    });
    out << ",\n  \"latency\": {\"reported_samples\": " << r.reportedLatency << ", \"measured_samples\": " << r.measuredLatency
        << "},\n  \"cpu\": {\"ns_per_stereo_sample\": " << json(r.nanosecondsPerSample)
        << ", \"real_time_factor\": " << json(r.realTimeFactor) << "}";
}

}  // namespace

std::vector<std::string> writeCsvFiles(const std::string& folder, const std::vector<PluginMeasurements>& results) {
    std::vector<std::pair<std::string, std::string>> files;
    std::ostringstream curve, step, response, detector, aliasing, summary;
    curve << "plugin,input_dbfs,output_dbfs,gain_reduction_db\n";
    step << "plugin,time_ms,gain_reduction_db\n";
    response << "plugin,condition,level_dbfs,hz,magnitude_db,phase_degrees\n";
    detector << "plugin,setting,hz,gain_reduction_db\n";
    aliasing << "plugin,rate,hz,worst_dbc,total_dbc\n";
    summary << "plugin,path,rate,reported_latency_samples,measured_latency_samples,attack_63_ms,attack_90_ms,"
               "release_63_ms,release_90_ms,ns_per_stereo_sample,real_time_factor\n";
    for (const PluginMeasurements& r : results) {
        const std::string name = csvText(r.label);
        for (const CurvePoint& p : r.staticCurve)
            curve << name << "," << csv(p.inputDbfs) << "," << csv(p.outputDbfs) << "," << csv(p.gainReductionDb) << "\n";
        for (std::size_t i = 0; i < r.step.timeMs.size(); ++i)
            step << name << "," << csv(r.step.timeMs[i]) << "," << csv(r.step.gainReductionDb[i]) << "\n";
        for (const FrequencyResponse& f : r.responses)
            for (const ResponsePoint& p : f.points)
                response << name << "," << csvText(f.condition) << "," << csv(f.levelDbfs) << "," << csv(p.hertz) << ","
                         << csv(p.magnitudeDb) << "," << csv(p.phaseDegrees) << "\n";
        for (const DetectorResponse& d : r.detector)
            for (const auto& [hertz, reduction] : d.hertzAndGainReductionDb)
                detector << name << "," << csvText(d.setting) << "," << csv(hertz) << "," << csv(reduction) << "\n";
        for (const Aliasing& a : r.aliasing)
            for (const AliasingPoint& p : a.points)
                aliasing << name << "," << csv(a.rate) << "," << csv(p.hertz) << "," << csv(p.worstDbc) << ","
                         << csv(p.totalDbc) << "\n";
        summary << name << "," << csvText(r.path) << "," << csv(r.rate) << "," << r.reportedLatency << ","
                << r.measuredLatency << "," << csv(r.step.attack63Ms) << "," << csv(r.step.attack90Ms) << ","
                << csv(r.step.release63Ms) << "," << csv(r.step.release90Ms) << "," << csv(r.nanosecondsPerSample)
                << "," << csv(r.realTimeFactor) << "\n";
    }
    files = {{"static_curve.csv", curve.str()},
             {"attack_release.csv", step.str()},
             {"frequency_response.csv", response.str()},
             {"detector_response.csv", detector.str()},
             {"distortion_by_level.csv", distortionCsv(results, true)},
             {"distortion_by_frequency.csv", distortionCsv(results, false)},
             {"aliasing.csv", aliasing.str()},
             {"latency_and_cpu.csv", summary.str()}};
    std::vector<std::string> written;
    for (const auto& [name, text] : files) {
        writeFile(folder + "/" + name, text);
        written.push_back(name);
    }
    return written;
}

std::string writeJson(const std::string& folder, const std::vector<PluginMeasurements>& results) {
    std::ostringstream out;
    out << "{\n";
    resultsJson(out, results.front());
    out << ",\n  \"compared_with\": [";
    for (std::size_t i = 1; i < results.size(); ++i) {
        out << (i > 1 ? "," : "") << "\n    {\n";
        resultsJson(out, results[i]);
        out << "\n    }";
    }
    out << (results.size() > 1 ? "\n  ]\n}\n" : "]\n}\n");
    writeFile(folder + "/measurements.json", out.str());
    return "measurements.json";
}

}  // namespace measure
