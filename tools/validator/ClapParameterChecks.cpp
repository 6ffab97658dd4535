// A CLAP plug-in's parameters (their infos, values and texts both ways, changes through
// flush) and its state, saved and loaded through streams that move as few bytes per call
// as they like, and refused when cut short or empty.
#include <cmath>
#include <cstring>
#include <set>
#include <string>

#include "tools/validator/Check.h"
#include "tools/validator/TestedClapPlugin.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {

bool finite(double value) { return std::isfinite(value); }

// A value in the parameter's range, whole for a stepped one.
double randomValue(const clap_param_info_t& info, Random& random) {
    const double value = info.min_value + (info.max_value - info.min_value) * random.uniform(0.0f, 1.0f);
    return info.flags & CLAP_PARAM_IS_STEPPED ? std::round(value) : value;
}

// How close a value must come back through its text: a hundredth of the range, or the
// step itself.
double textTolerance(const clap_param_info_t& info) {
    return info.flags & CLAP_PARAM_IS_STEPPED ? 0.5 : 0.01 * (info.max_value - info.min_value);
}

std::string checkInfos(CheckContext& context) {
    TestedClapPlugin plugin(context);
    const auto infos = requireParameters(plugin);
    std::set<clap_id> ids;
    for (const clap_param_info_t& info : infos) {
        const std::string which = describe("parameter %u \"%s\"", info.id, info.name);
        if (!ids.insert(info.id).second) fail(which + ": its id is given twice");
        if (info.id == CLAP_INVALID_ID) fail(which + ": its id is CLAP_INVALID_ID");
        if (!*info.name) fail(describe("parameter %u has no name", info.id));
        if (!finite(info.min_value) || !finite(info.max_value) || !finite(info.default_value) ||
            info.min_value > info.max_value || info.default_value < info.min_value ||
            info.default_value > info.max_value)
            fail(which + describe(": range %g to %g with default %g", info.min_value, info.max_value, info.default_value));
        const auto value = plugin.instance().value(info.id);
        if (!value) fail(which + ": get_value failed");
        if (!finite(*value) || *value < info.min_value || *value > info.max_value)
            fail(which + describe(": its value %g lies outside its range", *value));
    }
    clap_param_info_t past{};
    if (plugin.instance().params()->get_info(plugin.plugin(), static_cast<uint32_t>(infos.size()), &past))
        fail("get_info answers for the index past the last");
    return describe("%zu parameters, distinct ids, values within their ranges", infos.size());
}

std::string checkTexts(CheckContext& context) {
    TestedClapPlugin plugin(context);
    const auto infos = requireParameters(plugin);
    int readBack = 0, written = 0, notReadBack = 0;
    for (const clap_param_info_t& info : infos) {
        for (int sample = 0; sample < 8; ++sample) {
            const double value = sample == 0 ? info.min_value
                                 : sample == 1 ? info.max_value
                                 : sample == 2 ? info.default_value
                                               : randomValue(info, context.random());
            const std::string text = plugin.instance().valueText(info.id, value);
            if (text.empty()) continue;
            ++written;
            const auto back = plugin.instance().textValue(info.id, text);
            if (!back) {
                ++notReadBack;
                continue;
            }
            ++readBack;
            if (!finite(*back) || std::abs(*back - value) > textTolerance(info))
                fail(describe("parameter %u \"%s\": %g is written \"%s\", which reads back as %g", info.id, info.name,
                              value, text.c_str(), *back));
        }
    }
    if (readBack > 0 && notReadBack > 0)
        fail(describe("%d of the texts the plug-in wrote it cannot read back", notReadBack));
    return describe("%d texts written, %d read back to their values%s", written, readBack,
                    readBack == 0 && written > 0 ? " (the plug-in reads no texts)" : "");
}

// What a host does with its automation while the plug-in is not processing.
std::string checkFlush(CheckContext& context) {
    TestedClapPlugin plugin(context);
    const auto infos = requireParameters(plugin);
    if (!plugin.instance().params()->flush) fail("params.flush is missing");
    std::vector<double> sent;
    for (const clap_param_info_t& info : infos) {
        sent.push_back(randomValue(info, context.random()));
        plugin.instance().queueValue(info.id, sent.back());
    }
    plugin.instance().flush();
    int followed = 0;
    for (std::size_t i = 0; i < infos.size(); ++i) {
        if (infos[i].flags & CLAP_PARAM_IS_READONLY) continue;
        const auto value = plugin.instance().value(infos[i].id);
        if (value && std::abs(*value - sent[i]) <= 1e-4 * (infos[i].max_value - infos[i].min_value) + 1e-9) ++followed;
    }
    plugin.requireThreadRules();
    return describe("%d of %zu parameters hold the value flushed to them", followed, infos.size());
}

// Values beyond every range, and non-finite ones, must leave the sound finite.
std::string checkHostileValues(CheckContext& context) {
    TestedClapPlugin plugin(context);
    const auto infos = requireParameters(plugin);
    plugin.start(48000.0, 256);
    AudioBuffers buffers = plugin.makeBuffers(256);
    for (const double hostile : {1e9, -1e9, static_cast<double>(NAN), static_cast<double>(INFINITY)}) {
        for (const clap_param_info_t& info : infos) plugin.instance().queueValue(info.id, hostile);
        for (int block = 0; block < 8; ++block) {
            fillQuietNoise(buffers, 256, context.random());
            requireFinite(plugin.process(buffers, 256, describe("every parameter set to %g", hostile)),
                          describe("every parameter set to %g", hostile));
        }
    }
    return describe("%zu parameters set beyond their ranges and to NaN and infinity: finite output", infos.size());
}

// Streams that take and give at most `chunk` bytes per call (random ones when 0).
struct Streams {
    explicit Streams(Random& random, std::size_t chunk) : random(random), chunk(chunk) {}
    Random& random;
    std::size_t chunk;
    std::string bytes;
    std::size_t position = 0;

    std::size_t next(uint64_t size) {
        const std::size_t most = chunk ? chunk : static_cast<std::size_t>(random.integer(1, 64));
        return static_cast<std::size_t>(std::min<uint64_t>(most, size));
    }
    clap_ostream_t out{this, [](const clap_ostream_t* s, const void* data, uint64_t size) -> int64_t {
                           auto& self = *static_cast<Streams*>(s->ctx);
                           const std::size_t n = self.next(size);
                           self.bytes.append(static_cast<const char*>(data), n);
                           return static_cast<int64_t>(n);
                       }};
    clap_istream_t in{this, [](const clap_istream_t* s, void* data, uint64_t size) -> int64_t {
                          auto& self = *static_cast<Streams*>(s->ctx);
                          const std::size_t n = std::min(self.next(size), self.bytes.size() - self.position);
                          std::memcpy(data, self.bytes.data() + self.position, n);
                          self.position += n;
                          return static_cast<int64_t>(n);
                      }};
};

const clap_plugin_state_t& requireState(TestedClapPlugin& plugin) {
    if (!plugin.instance().state()) skip("the plug-in has no state extension");
    return *plugin.instance().state();
}

std::string checkStateRoundTrip(CheckContext& context) {
    int rounds = 0;
    std::size_t size = 0;
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{0}, std::size_t{1} << 20}) {
        TestedClapPlugin source(context), target(context);
        const clap_plugin_state_t& state = requireState(source);
        std::vector<clap_param_info_t> infos;
        if (source.instance().params()) infos = source.instance().parameterInfos();
        for (const clap_param_info_t& info : infos)
            if (!(info.flags & CLAP_PARAM_IS_READONLY))
                source.instance().queueValue(info.id, randomValue(info, context.random()));
        source.instance().flush();
        Streams saved(context.random(), chunk);
        if (!state.save(source.plugin(), &saved.out)) fail("save failed");
        if (!requireState(target).load(target.plugin(), &saved.in)) fail("load of a state just saved failed");
        for (const clap_param_info_t& info : infos) {
            const auto before = source.instance().value(info.id), after = target.instance().value(info.id);
            if (before && after && std::abs(*before - *after) > 1e-6 * (info.max_value - info.min_value))
                fail(describe("parameter %u \"%s\": %g saved, %g loaded", info.id, info.name, *before, *after));
        }
        Streams again(context.random(), chunk);
        if (!requireState(target).save(target.plugin(), &again.out)) fail("saving a loaded state failed");
        if (again.bytes != saved.bytes) fail("a loaded state saved again differs from what was loaded");
        source.requireThreadRules();
        target.requireThreadRules();
        size = saved.bytes.size();
        ++rounds;
    }
    return describe("%d round trips of %zu bytes, through streams of one byte, of random chunks and whole", rounds, size);
}

std::string checkStateRefused(CheckContext& context) {
    TestedClapPlugin source(context);
    Streams saved(context.random(), 0);
    if (!requireState(source).save(source.plugin(), &saved.out)) fail("save failed");
    TestedClapPlugin target(context);
    Streams empty(context.random(), 0);
    if (requireState(target).load(target.plugin(), &empty.in)) fail("an empty state was accepted");
    int refused = 0, accepted = 0;
    for (std::size_t length = 1; length < saved.bytes.size(); length += std::max<std::size_t>(1, saved.bytes.size() / 16)) {
        Streams cut(context.random(), 0);
        cut.bytes = saved.bytes.substr(0, length);
        if (requireState(target).load(target.plugin(), &cut.in))
            ++accepted;
        else
            ++refused;
    }
    // What a plug-in took from a cut state must still be a state it can work in.
    target.start(48000.0, 256);
    AudioBuffers buffers = target.makeBuffers(256);
    fillQuietNoise(buffers, 256, context.random());
    requireFinite(target.process(buffers, 256, "after loading cut states"), "after loading cut states");
    return describe("an empty state refused; of %d cut ones, %d refused, %d accepted", refused + accepted, refused, accepted);
}

}  // namespace

Group clapParameterChecks() {
    return {"clap.parameters",
            {{"clap.parameters.infos", &checkInfos},
             {"clap.parameters.texts", &checkTexts},
             {"clap.parameters.flush", &checkFlush},
             {"clap.parameters.hostile-values", &checkHostileValues}}};
}

Group clapStateChecks() {
    return {"clap.state",
            {{"clap.state.round-trip", &checkStateRoundTrip}, {"clap.state.refused", &checkStateRefused}}};
}

}  // namespace validator
