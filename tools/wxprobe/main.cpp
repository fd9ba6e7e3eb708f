// wxprobe COMMAND --SERVICE-FLAG FILE [options]: prints one JSON object.
#include <cstring>
#include <iostream>

#include "Probe.h"

namespace {
void usage() {
    std::cerr << "usage:\n";
    for (const TProbeCommand &c : ProbeCommands()) std::cerr << "  wxprobe " << c.Usage << "\n";
}
}  // namespace

int main(int argc, char **argv) {
    if (argc < 2 || !std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h")) {
        usage();
        return argc < 2 ? 2 : 0;
    }
    const std::string command = argv[1];
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const TProbeCommand &c : ProbeCommands()) {
        if (command != c.Command || !HasArg(args, c.Flag)) continue;
        nlohmann::json out;
        int rc = c.Run(args, out);
        std::cout << out.dump(2) << std::endl;
        return rc;
    }
    std::cerr << "wxprobe: no probe for \"" << command << "\" with these options\n";
    usage();
    return 2;
}
