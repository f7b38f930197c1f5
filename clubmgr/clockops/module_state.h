// The device module of the clock-operation window. It belongs to this unit, not to a
// window: closing the window leaves the module (and its open port) in place until the
// next page change in this or a later window, or until the program ends.
#pragma once

#include "device_modules.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace clockops {

struct ModuleState {
    std::unique_ptr<TRaceModule> reader;
    std::unique_ptr<TPigModuV6> clock;
    int32_t ReaderPort = 0; // 0 = no reader module
    int32_t ClockPort = 0;  // 0 = no clock module

    // Working copies of the clock pages.
    QByteArray SysIdBytes = QByteArray(8, '\0');
    QByteArray SysIdCodeBytes = QByteArray(8, '\0');
    QByteArray RaceIdCode = QByteArray(8, '\0');
    QString DeviceNo;
};

ModuleState &Modules();

// Frees the module of either kind (the reader first). Returns true when a clock module
// was freed, so the caller can forget the clock it processed last.
bool FreeCurrentModule();

// Creates the module a page needs: pages 0-1 the reader, 2-4 the clock, 5 none. Returns
// the new handle (0 when the port could not be opened; also 0 for page 5).
int32_t CreateModuleForPage(int pageIndex);

// Frees everything (program end).
void ShutdownModules();

} // namespace clockops
