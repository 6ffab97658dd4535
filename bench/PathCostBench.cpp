// What an instance of the plug-in costs, against the signal path's own limit, in one run:
//   - per host rate (44.1, 48, 96 kHz), the circuit recursion alone (the floor) and the
//     full path through the plug-in's processReplacing with 1, 4 and 16 instances processed
//     in turn per block, as a host runs tracks; thread CPU time per stereo sample and
//     instance, median over interleaved rounds, and its ratio to the floor;
//   - the memory each instance adds (heap in use and resident pages);
//   - the wall-clock time to create the first instance and a second one beside it.
// Several builds of the plug-in given on the command line are measured side by side, each
// round visiting them in a different order, so that before and after share the machine's
// drifts.
//
//   path_cost_bench [--rounds N] [--seconds N] [--rate HZ] [--instances 1|4|16]
//                   [[LABEL=]PLUGIN.so...]
// --rate measures one rate only and --instances stops at that many instances: for counting
// instructions under callgrind, where two runs that differ in --rounds alone differ by whole
// passes.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchMaterial.h"
#include "bench/CircuitFloor.h"
#include "bench/ProcessMemory.h"

#include "dsp/Oversampling.h"
#include "dsp/SharedTubeTables.h"
#include "tools/host/CpuClock.h"
#include "tools/host/Host.h"
#include "tools/host/Median.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"

namespace {

using vsthost::medianOf;

constexpr int kBlockSize = 512;
constexpr int kInstanceCounts[] = {1, 4, 16};
constexpr int kMostInstances = 16;
constexpr int kCreationTrials = 5;
constexpr float kRates[] = {44100.0f, 48000.0f, 96000.0f};

struct Options {
    int rounds = 7, seconds = 2;
    std::vector<float> rates{std::begin(kRates), std::end(kRates)};
    std::vector<int> instanceCounts{std::begin(kInstanceCounts), std::end(kInstanceCounts)};
    std::vector<std::string> plugins;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

struct Contender {
    std::string label, path;
    std::unique_ptr<vsthost::PluginLibrary> library;
    std::vector<std::unique_ptr<vsthost::PluginInstance>> instances;
    double firstCreation = 0.0, secondCreation = 0.0;  // seconds, median
    long firstHeap = 0, firstResident = 0;             // bytes added by the first instance
    double furtherHeap = 0.0, furtherResident = 0.0;   // mean of the others
    // per rate, per instance count: ns per stereo sample and instance, one per round
    std::vector<std::vector<std::vector<double>>> passes;
};

std::unique_ptr<vsthost::PluginInstance> createInstance(vsthost::Host& host, const Contender& c) {
    auto instance = std::make_unique<vsthost::PluginInstance>(host, *c.library);
    if (!instance->ok()) {
        std::fprintf(stderr, "%s created no effect\n", c.path.c_str());
        std::exit(1);
    }
    return instance;
}

void measureCreation(vsthost::Host& host, Contender& c) {
    std::vector<double> first, second;
    for (int trial = 0; trial < kCreationTrials; ++trial) {
        auto start = std::chrono::steady_clock::now();
        auto a = createInstance(host, c);
        first.push_back(secondsSince(start));
        start = std::chrono::steady_clock::now();
        auto b = createInstance(host, c);
        second.push_back(secondsSince(start));
    }
    c.firstCreation = medianOf(first);
    c.secondCreation = medianOf(second);
}

void processBlock(vsthost::PluginInstance& instance, const bench::StereoMaterial& material,
                  int position, int frames, std::vector<float>& scratch) {
    float* inputs[] = {const_cast<float*>(&material.left[position]),
                       const_cast<float*>(&material.right[position])};
    float* outputs[] = {scratch.data(), scratch.data() + kBlockSize};
    instance.processReplacing(inputs, outputs, frames);
}

// Creates the instances one by one; each is started and processes one block before the
// memory is read, so that what it touches lazily counts too.
void createInstances(vsthost::Host& host, Contender& c, const bench::StereoMaterial& material,
                     std::vector<float>& scratch) {
    long heapTotal = 0, residentTotal = 0;
    for (int i = 0; i < kMostInstances; ++i) {
        const long heapBefore = bench::heapBytesInUse();
        const long residentBefore = bench::residentBytes();
        c.instances.push_back(createInstance(host, c));
        c.instances.back()->start(kRates[0], kBlockSize);
        processBlock(*c.instances.back(), material, 0, kBlockSize, scratch);
        const long heap = bench::heapBytesInUse() - heapBefore;
        const long resident = bench::residentBytes() - residentBefore;
        if (i == 0) {
            c.firstHeap = heap;
            c.firstResident = resident;
        } else {
            heapTotal += heap;
            residentTotal += resident;
        }
    }
    c.furtherHeap = static_cast<double>(heapTotal) / (kMostInstances - 1);
    c.furtherResident = static_cast<double>(residentTotal) / (kMostInstances - 1);
}

// The whole material through the first `count` instances, block by block, each block
// through every instance in turn; ns per stereo sample and instance.
double timePass(Contender& c, int count, const bench::StereoMaterial& material,
                std::vector<float>& scratch) {
    const double before = vsthost::threadCpuSeconds();
    for (int position = 0; position < material.frames(); position += kBlockSize) {
        const int frames = std::min(kBlockSize, material.frames() - position);
        for (int i = 0; i < count; ++i) processBlock(*c.instances[i], material, position, frames, scratch);
    }
    return (vsthost::threadCpuSeconds() - before) * 1e9 / (static_cast<double>(material.frames()) * count);
}

void printReport(const Options& options, const std::vector<Contender>& contenders,
                 const std::vector<std::vector<double>>& floors, int firstRateSteps) {
    std::printf("\nCreation (wall clock, median of %d) and memory added per instance\n\n", kCreationTrials);
    std::printf("| Plug-in | First instance | Second instance | Memory, first (heap / resident) | "
                "Memory, each further (mean of %d) |\n|---|---:|---:|---:|---:|\n", kMostInstances - 1);
    for (const Contender& c : contenders)
        std::printf("| %s | %.2f ms | %.3f ms | %.0f kB / %.0f kB | %.1f kB / %.1f kB |\n", c.label.c_str(),
                    c.firstCreation * 1e3, c.secondCreation * 1e3, c.firstHeap / 1024.0,
                    c.firstResident / 1024.0, c.furtherHeap / 1024.0, c.furtherResident / 1024.0);

    std::printf("\nns per stereo sample and instance (median), and ratio to the floor\n\n| Rate | Floor |");
    for (const Contender& c : contenders)
        for (int count : options.instanceCounts) std::printf(" %s x%d |", c.label.c_str(), count);
    std::printf("\n|---|---:|");
    for (std::size_t i = 0; i < contenders.size() * options.instanceCounts.size(); ++i) std::printf("---:|");
    std::printf("\n");
    for (std::size_t r = 0; r < options.rates.size(); ++r) {
        const double floor = medianOf(floors[r]);
        std::printf("| %.1f kHz | %.1f |", options.rates[r] / 1000.0, floor);
        for (const Contender& c : contenders)
            for (std::size_t k = 0; k < options.instanceCounts.size(); ++k) {
                const double path = medianOf(c.passes[r][k]);
                std::printf(" %.1f (%.2fx) |", path, path / floor);
            }
        std::printf("\n");
    }
    std::printf("\nFloor: %d circuit steps per pass at %.1f kHz, %.1f ns per step.\n", firstRateSteps,
                options.rates[0] / 1000.0, medianOf(floors[0]) * options.rates[0] / dsp::kInternalRate);
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--rounds") == 0 && hasValue) {
            options.rounds = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--seconds") == 0 && hasValue) {
            options.seconds = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--rate") == 0 && hasValue) {
            options.rates = {std::max(1000.0f, static_cast<float>(std::atof(argv[++i])))};
        } else if (std::strcmp(argv[i], "--instances") == 0 && hasValue) {
            const int most = std::atoi(argv[++i]);
            std::erase_if(options.instanceCounts, [&](int count) { return count > most; });
            if (options.instanceCounts.empty()) options.instanceCounts = {1};
        } else {
            options.plugins.push_back(argv[i]);
        }
    }
    if (options.plugins.empty()) options.plugins.push_back(MARVOLENZIK_PLUGIN_PATH);
    return options;
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse(argc, argv);
    const int mostInstances = options.instanceCounts.back();

    // A fixed threshold: every large block is mapped when allocated and unmapped when freed,
    // so resident memory shows what each instance holds, not what earlier ones left behind.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    vsthost::Host host;
    host.setBlockSize(kBlockSize);
    std::vector<float> scratch(2 * kBlockSize);
    const bench::StereoMaterial first = bench::makeMaterial(bench::Material::kSignal, kRates[0], 1);
    std::vector<Contender> contenders(options.plugins.size());
    for (std::size_t i = 0; i < contenders.size(); ++i) {
        Contender& c = contenders[i];
        const std::string& argument = options.plugins[i];
        const std::size_t equals = argument.find('=');
        c.label = equals == std::string::npos ? argument : argument.substr(0, equals);
        c.path = equals == std::string::npos ? argument : argument.substr(equals + 1);
        c.library = std::make_unique<vsthost::PluginLibrary>(c.path);
        if (!c.library->ok()) {
            std::fprintf(stderr, "cannot load %s: %s\n", c.path.c_str(), c.library->error().c_str());
            return 1;
        }
        createInstances(host, c, first, scratch);
        c.passes.assign(options.rates.size(), std::vector<std::vector<double>>(options.instanceCounts.size()));
    }
    // Creation is timed with no other instance alive, as for the first track of a session.
    for (Contender& c : contenders) c.instances.clear();
    for (Contender& c : contenders) {
        measureCreation(host, c);
        while (static_cast<int>(c.instances.size()) < mostInstances)
            c.instances.push_back(createInstance(host, c));
    }

    const auto tables = dsp::sharedTubeTables();
    std::vector<std::vector<double>> floors(options.rates.size());
    int firstRateSteps = 0;
    for (std::size_t r = 0; r < options.rates.size(); ++r) {
        const float rate = options.rates[r];
        const bench::StereoMaterial material = bench::makeMaterial(bench::Material::kSignal, rate, options.seconds);
        bench::CircuitFloor floor(material, rate, *tables);
        if (r == 0) firstRateSteps = floor.stepsPerPass();
        host.setSampleRate(rate);
        for (Contender& c : contenders) {
            for (auto& instance : c.instances) {
                instance->dispatch(effMainsChanged, 0, 0);
                instance->start(rate, kBlockSize);
            }
            timePass(c, mostInstances, material, scratch);  // warm-up
        }
        floor.timePass();

        // Each round visits the floor and every (plug-in, instance count) once, starting
        // one further along each time.
        const std::size_t counts = options.instanceCounts.size();
        const std::size_t slots = 1 + contenders.size() * counts;
        for (int round = 0; round < options.rounds; ++round) {
            for (std::size_t turn = 0; turn < slots; ++turn) {
                const std::size_t slot = (round + turn) % slots;
                if (slot == 0) {
                    floors[r].push_back(floor.timePass());
                    continue;
                }
                Contender& c = contenders[(slot - 1) / counts];
                const std::size_t k = (slot - 1) % counts;
                c.passes[r][k].push_back(timePass(c, options.instanceCounts[k], material, scratch));
            }
        }
        std::fprintf(stderr, "%.1f kHz done\n", rate / 1000.0);
    }
    printReport(options, contenders, floors, firstRateSteps);
    return 0;
}
