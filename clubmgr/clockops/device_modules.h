// Device modules: an object that finds the serial port, opens it through a link library
// and keeps the handle for as long as it lives.
//
//   TRaceModule  the ring reader (older generation, portlink; library defaults)
//   TPigModuV6   the race clock (newer generation, wirelink; "baud=115200;timeout=2000"),
//                carrying the club's system identity and its DES code
//
// Creating a module never fails: a port that cannot be opened leaves PortHandle 0. Only a
// module whose port was confirmed valid closes it again.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

class TRaceModule {
public:
    TRaceModule();
    ~TRaceModule();
    TRaceModule(const TRaceModule &) = delete;
    TRaceModule &operator=(const TRaceModule &) = delete;

    bool PortValid = false;
    int32_t PortHandle = 0;
    QString PortName; // the port that was tried
};

class TPigModuV6 {
public:
    TPigModuV6();
    ~TPigModuV6();
    TPigModuV6(const TPigModuV6 &) = delete;
    TPigModuV6 &operator=(const TPigModuV6 &) = delete;

    bool PortValid = false;
    int32_t PortHandle = 0;
    QString PortName;
    QString SysIdHex;  // the 8 padded SysID characters as 16 hex digits
    QString SysIdCode; // their DES code under the club key, 16 hex digits

    // IFD_GetDevNo into a buffer of at least 9 bytes; true when the clock answered.
    bool ReadDeviceNo(char *buffer);
    // The same as text (at most 9 characters, up to the first zero byte); "" on failure.
    QString ReadDeviceNo(bool *ok);

    // IFD_Connect with the identity and its code; true when the clock accepts the club.
    bool Connect();

    // The identity bytes and their code as 8 bytes each (HexToBin of the texts).
    QByteArray SysIdBytes() const;
    QByteArray SysIdCodeBytes() const;

    static int32_t CoordinateToMs(const QString &compact);

    // SysIdHex and SysIdCode for a SysID text (padded or cut to 8 characters).
    static void EncodeSysId(const QString &sysId, QString *hex, QString *code);
};
