#pragma once
// "Discover": reads the serial number of the race clock on the serial port through a
// device module of its own (TPigModuV6 over wirelink), independent of the module the
// clock-operation window may hold.

#include <QString>
#include <QStringList>

namespace members {

struct DiscoveryResult {
    bool found = false;
    QString deviceNo;     // up to the first zero byte, at most 9 characters
    QStringList messages; // to show, in order
};

// Opens the port, presents the club's identity, reads the device number and closes the
// port again on every path. A clock that is absent or refuses the identity gives no
// message; a missing or busy port, or an unreadable number, gives the described ones.
// clubDir holds LCXS.ini with the club's SysID.
DiscoveryResult discoverClock(const QString& clubDir);

}  // namespace members
