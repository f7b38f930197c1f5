// devsim: device emulators on pseudo-terminals, driven by a line protocol on stdin.
//   devsim [kind[=link-path]]...
// prints "READY <id> <kind> <path>" for each device started, then answers one reply line
// per command line (see docs/devsim.md).
#include <cstdio>
#include <iostream>
#include <string>

#include "devsim/control.h"
#include "devsim/registry.h"

int main(int argc, char** argv) {
    devsim::Controller ctl;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::cout << "usage: devsim [kind[=link-path]]...\nkinds:\n";
            for (const auto& k : devsim::Registry::instance().devices())
                std::cout << "  " << k.name << "  " << k.help << "\n";
            return 0;
        }
        const auto eq = arg.find('=');
        const std::string kind = arg.substr(0, eq);
        const std::string link = eq == std::string::npos ? std::string() : arg.substr(eq + 1);
        try {
            const int id = ctl.start(kind, link);
            std::cout << "READY " << id << " " << kind << " " << ctl.find(id)->path() << std::endl;
        } catch (const std::exception& e) {
            std::cerr << "devsim: " << e.what() << std::endl;
            return 1;
        }
    }
    bool quit = false;
    for (std::string line; !quit && std::getline(std::cin, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::cout << ctl.execute(line, quit) << std::endl;
    }
    return 0;
}
