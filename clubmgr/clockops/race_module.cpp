#include "device_modules.h"

#include "clock_values.h"
#include "device_link.h"
#include "port_finding.h"
#include "settings_file.h"

using namespace clockops;

TRaceModule::TRaceModule()
{
    PortName = FindPort(ModuleKind::Reader);
    PortHandle = static_cast<int32_t>(link::ReaderOpenPort(PortName.toLocal8Bit().constData(), nullptr));
    PortValid = PortHandle != 0 && link::ReaderIsPortValid(static_cast<uint32_t>(PortHandle)) != 0;
}

TRaceModule::~TRaceModule()
{
    if (PortValid)
        link::ReaderClosePort(static_cast<uint32_t>(PortHandle));
}

