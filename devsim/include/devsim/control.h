// The emulator's line control protocol (docs/devsim.md), shared by the devsim program and
// by tests that want to drive emulators the same way.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "devsim/emulator.h"

namespace devsim {

class Controller {
public:
    // Executes one command line; returns the reply line ("OK ..." or "ERR ...").
    // Sets `quit` when the line asked to end.
    std::string execute(const std::string& line, bool& quit);
    // Starts a device kind; returns its id. Throws std::runtime_error.
    int start(const std::string& kind, const std::string& link_path = {});
    Emulator* find(int id);

private:
    std::map<int, std::unique_ptr<Emulator>> emulators_;
    int next_id_ = 1;
    int current_ = 0;
};

}  // namespace devsim
