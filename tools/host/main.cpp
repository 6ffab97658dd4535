// marvolenzik-host: a small command-line host for VST 2.4, CLAP and LV2 plug-ins.
#include <cstdio>
#include <string>

#include "tools/host/Commands.h"
#include "tools/host/ToolError.h"
#include "tools/ownplugin/OwnPlugin.h"
#ifndef _WIN32
#include "tools/measure/MeasureCommand.h"
#include "tools/validator/ValidateCommand.h"
#endif

namespace {

void printUsage(std::FILE* out) {
    std::fprintf(
        out,
        "usage: marvolenzik-host COMMAND [ARGUMENTS]\n"
        "  info [--log] [PLUGIN]\n"
        "      identity, capabilities and parameters of a plug-in\n"
        "  render [OPTIONS] [IN] OUT\n"
        "      IN (WAV, AIFF, FLAC, Ogg; mono or stereo) through the plug-in into OUT;\n"
        "      without IN, a 20-second demo loop of drums and bass. OUT keeps IN's format\n"
        "      and bit depth unless its extension (.wav .aif .aiff .flac .ogg) or --bits\n"
        "      says otherwise.\n"
        "      --plugin PATH               plug-in to load\n"
        "      --param NAME=VALUE          by name (any case) or index; a VST 2.4 plug-in takes\n"
        "                                  values from 0 to 1, a CLAP or LV2 one the range info\n"
        "                                  lists;\n"
        "                                  repeatable, applied after --preset\n"
        "      --preset FILE               a Marvolenzik preset file\n"
        "      --save-preset FILE          write the settings used (after --preset and --param)\n"
        "                                  as a Marvolenzik preset file, named exactly FILE\n"
        "      --block N                   frames per block (default 512)\n"
        "      --rate HZ                   run at this rate instead of the file's (no resampling;\n"
        "                                  the demo's rate, default 48000)\n"
        "      --bits 16|24|32|float       sample encoding of OUT\n"
        "      --no-latency-compensation   keep the plug-in's delay in OUT\n"
        "      --preroll SECONDS           silence fed before IN, output dropped, so that the\n"
        "                                  plug-in has warmed up (default 1.5; 0 for none)\n"
        "      --quiet                     no progress and no summary\n"
        "      --json                      summary as JSON\n"
        "  tone [--freq HZ] [--level DBFS] [--rate HZ] [--param NAME=VALUE] [--plugin PATH]\n"
        "      a sine (default 1 kHz at -20 dBFS, 44100 Hz) through the warmed-up plug-in:\n"
        "      output level of the fundamental and harmonic distortion\n"
        "  bench [--seconds S] [--passes N] [--block N] [--rate HZ] PLUGIN...\n"
        "      CPU cost of each plug-in on the same stereo material (default 30 s at 48 kHz),\n"
        "      interleaved, with the ratio to the first\n"
        "  gui [--plugin PATH] [--seconds S] [--block N] [--screenshot PNG] [--log] [IN]\n"
        "      the plug-in's editor in a window, with IN (or the demo loop) playing through\n"
        "      it on the default audio output; --seconds ends it after S seconds,\n"
        "      --screenshot writes what the window showed at the end, and --log prints the\n"
        "      requests a VST 2.4 plug-in makes of the host\n"
        "  validate [--seed N] [--budget SECONDS] [--only CHECKS] [PLUGIN]\n"
        "      checks any VST 2.4, CLAP or LV2 plug-in against what hosts do to it, each check\n"
        "      in a process of its own; one line per check, exit 0 only when none fails.\n"
        "      --seed N          repeat a run (the seed is printed; random otherwise)\n"
        "      --budget SECONDS  time allowed per group of checks (default 120)\n"
        "      --only CHECKS     only checks whose names start with one of these,\n"
        "                        comma-separated (e.g. processing,editor.open)\n"
        "  measure [--out FOLDER] [--param NAME=VALUE] [--rate HZ] [--quiet] [PLUGIN[@NAME=VALUE,...]]...\n"
        "      static curve, attack and release, frequency and detector response, harmonic\n"
        "      distortion, aliasing, latency and CPU cost of each plug-in, compared in one\n"
        "      set of PNG plots, CSV files and measurements.json in FOLDER (default\n"
        "      measurements); settings after @ apply to that plug-in, --param to all;\n"
        "      --rate (default 48000) for all but the aliasing, measured at 44100 and 96000\n"
        "PLUGIN is a VST 2.4 shared object, a .clap file, an LV2 bundle (a folder ending in\n"
        "  .lv2) or lv2:URI of an installed LV2 plug-in; the default is the Marvolenzik.so\n"
        "  built beside this program.\n");
}

int run(const std::string& command, const vsthost::Arguments& arguments) {
    try {
        if (command == "info") return vsthost::runInfo(arguments);
        if (command == "tone") return vsthost::runTone(arguments);
        if (command == "render") return vsthost::runRender(arguments);
        if (command == "bench") return vsthost::runBench(arguments);
        if (command == "gui") return vsthost::runGui(arguments);
#ifdef _WIN32
        // Each check's own process comes from fork, which Windows lacks.
        if (command == "validate") throw vsthost::ToolError("validate runs on Linux builds only");
        // It draws with cairo, and isolates plug-ins with fork.
        if (command == "measure") throw vsthost::ToolError("measure runs on Linux builds only");
#else
        if (command == "measure") return measure::runMeasure(arguments);
        if (command == "validate") return validator::runValidate(arguments, vsthost::defaultPluginPath());
#endif
    } catch (const vsthost::UsageError& error) {
        std::fprintf(stderr, "marvolenzik-host %s: %s\n", command.c_str(), error.what());
        return 2;
    } catch (const vsthost::ToolError& error) {
        std::fprintf(stderr, "marvolenzik-host %s: %s\n", command.c_str(), error.what());
        return 1;
    }
    std::fprintf(stderr, "marvolenzik-host: unknown command '%s'\n", command.c_str());
    printUsage(stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    const std::string command = argv[1];
    if (command == "help" || command == "--help" || command == "-h") {
        printUsage(stdout);
        return 0;
    }
    return run(command, vsthost::Arguments(argv + 2, argv + argc));
}
