// marvolenzik-host: a small command-line VST 2.4 host.
#include <cstdio>
#include <string>

#include "tools/host/Commands.h"

namespace {

void printUsage(std::FILE* out) {
    std::fprintf(out,
                 "usage: marvolenzik-host COMMAND [ARGUMENTS]\n"
                 "  info [--log] [PLUGIN.so]   identity, capabilities and parameters of a plug-in\n"
                 "                             (default: the Marvolenzik.so built beside this program)\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    const std::string command = argv[1];
    const vsthost::Arguments arguments(argv + 2, argv + argc);
    if (command == "info") return vsthost::runInfo(arguments);
    if (command == "help" || command == "--help" || command == "-h") {
        printUsage(stdout);
        return 0;
    }
    std::fprintf(stderr, "marvolenzik-host: unknown command '%s'\n", command.c_str());
    printUsage(stderr);
    return 2;
}
