#include "clock_discovery.h"

#ifdef CLUB_HAVE_PIGMODU
#include "device_modules.h"
#include "settings_file.h"
#endif

namespace members {

namespace {
const QString kPortMessage = QStringLiteral("Com Port not be actived , Pls Connect Rs232 Cable and restart !");
}

DiscoveryResult discoverClock(const QString& clubDir)
{
    DiscoveryResult result;
#ifdef CLUB_HAVE_PIGMODU
    clockops::SetSettingsFolder(clubDir);
    TPigModuV6 module;
    if (module.PortHandle == 0)
        result.messages << kPortMessage;
    // With no port the calls below fail quietly, as the clock-operation pages expect.
    if (module.PortHandle == 0 || !module.Connect())
        return result;
    bool ok = false;
    const QString deviceNo = module.ReadDeviceNo(&ok);
    if (!ok) {
        result.messages << QStringLiteral("IFDGetDevNo Fail !");
        return result;
    }
    result.found = true;
    result.deviceNo = deviceNo;
#else
    Q_UNUSED(clubDir);
    // This build has no race clock link.
    result.messages << kPortMessage;
#endif
    return result;
}

}  // namespace members
