#include "ring_ops.h"

#include "clock_values.h"
#include "device_link.h"

#include <QApplication>
#include <QRandomGenerator>

#include <ringreader.h>

namespace clockops {

std::optional<QString> ActiveRingUid(uint32_t port)
{
    uint8_t uid[4] = {};
    if (HTS_Active(port, uid) == 0)
        return std::nullopt;
    return BytesToHex(uid, 4);
}

std::optional<QString> RingSignatureText(uint32_t port)
{
    uint8_t pages[8] = {};
    if (HTS_ReadPage(port, 6, pages) == 0 || HTS_ReadPage(port, 7, pages + 4) == 0)
        return std::nullopt;
    uint8_t plain[8] = {};
    link::DesDecrypt(pages, plain, reinterpret_cast<const uint8_t *>(kClubKey));
    return TextUpToZero(reinterpret_cast<const char *>(plain), 8);
}

std::optional<QString> ReadIdentityCode(uint32_t port)
{
    RF_Reset(port, 50);
    uint8_t code[RR_TTF_MAX] = {};
    if (TTF_Read(port, 0, code) == 0)
        return std::nullopt;
    RF_Reset(port, 0);
    return BytesToHex(code, 5);
}

void SignalRingHandled(uint32_t port)
{
    SC_DoBell(port, 1, 3, 2);
    QApplication::beep();
}

uint8_t SecureRandomByte()
{
    // The random code proves that the ring at arrival is the ring that was marked, so it
    // must not be predictable from the time of marking.
    return static_cast<uint8_t>(QRandomGenerator::system()->bounded(256));
}

} // namespace clockops
