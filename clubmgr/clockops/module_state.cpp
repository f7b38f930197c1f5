#include "module_state.h"

namespace clockops {

ModuleState &Modules()
{
    static ModuleState state;
    return state;
}

bool FreeCurrentModule()
{
    ModuleState &m = Modules();
    if (m.ReaderPort != 0 || m.reader) {
        m.reader.reset();
        m.ReaderPort = 0;
        return false;
    }
    if (m.ClockPort != 0 || m.clock) {
        m.clock.reset();
        m.ClockPort = 0;
        return true;
    }
    return false;
}

int32_t CreateModuleForPage(int pageIndex)
{
    ModuleState &m = Modules();
    if (pageIndex == 0 || pageIndex == 1) {
        m.reader = std::make_unique<TRaceModule>();
        m.ReaderPort = m.reader->PortHandle;
        return m.ReaderPort;
    }
    if (pageIndex >= 2 && pageIndex <= 4) {
        m.clock = std::make_unique<TPigModuV6>();
        m.ClockPort = m.clock->PortHandle;
        return m.ClockPort;
    }
    return 0;
}

void ShutdownModules()
{
    ModuleState &m = Modules();
    m.reader.reset();
    m.clock.reset();
    m.ReaderPort = 0;
    m.ClockPort = 0;
}

} // namespace clockops
