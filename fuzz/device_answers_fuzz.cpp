// Any answers into the device libraries (PC side): every export, picked by the first input
// byte, runs against a link that hands out the fuzzer's bytes as the device's answers. Its
// output buffers are heap blocks of exactly the size the description gives, so a write past
// one (or a read past an answer) is caught by AddressSanitizer.
//
// Built twice: LINK_GEN 6 (race timer, hand scanner and ring reader 6 over a stand-in for
// wirelink) and LINK_GEN 5 (training clock and ring reader 5 over a stand-in for portlink).
// The stand-in keeps the link's contract: at most 52 (wirelink) or 141 (portlink) data
// bytes, a device status fills the answer block, a link failure leaves it alone.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "ringreader.h"
#if LINK_GEN == 6
#include "handscan.h"
#include "racetimer.h"
#include "wirelink.h"
#else
#include "portlink.h"
#include "trainclock.h"
#endif

namespace {

struct Line {
    const uint8_t* p = nullptr;
    size_t n = 0;
    int32_t error = 0;
} g_line;

// One answer off the input: status byte, data length, data. False when the input is used
// up (the device went quiet: 259).
bool next_answer(uint8_t& status, std::vector<uint8_t>& data, size_t most) {
    if (g_line.n < 2) return false;
    status = g_line.p[0];
    size_t len = g_line.p[1] % (most + 1);
    g_line.p += 2;
    g_line.n -= 2;
    if (len > g_line.n) len = g_line.n;
    data.assign(g_line.p, g_line.p + len);
    g_line.p += len;
    g_line.n -= len;
    return true;
}

// Buffers of one call: separate heap blocks of the exact size.
std::vector<std::unique_ptr<uint8_t[]>> g_blocks;
uint8_t* buf(size_t n) {
    g_blocks.emplace_back(new uint8_t[n]);
    std::memset(g_blocks.back().get(), 0xA5, n);
    return g_blocks.back().get();
}
char* text(size_t n) { return reinterpret_cast<char*>(buf(n)); }
template <class T>
T* out() {
    return reinterpret_cast<T*>(buf(sizeof(T)));
}

}  // namespace

// ---- the stand-in link -----------------------------------------------------------------
extern "C" {
#if LINK_GEN == 6
int16_t IFD_RunCmd(uint32_t, const uint8_t* request, uint8_t* answer) {
    g_line.error = 0;
    uint8_t status;
    std::vector<uint8_t> data;
    if (!request || !next_answer(status, data, WL_MAX_DATA)) return g_line.error = WL_ERR_NO_ANSWER, 0;
    if (answer) {
        answer[0] = request[0];
        answer[1] = status;
        answer[2] = uint8_t(data.size());
        answer[3] = 0;
        if (!data.empty()) std::memcpy(answer + 4, data.data(), data.size());
    }
    if (status) g_line.error = status;
    return status ? 0 : -1;
}
void IFD_SetErrCode(uint32_t, int32_t code) { g_line.error = code; }
int32_t IFD_GetErrCode(uint32_t) { return g_line.error; }
uint32_t BinToHex(const uint8_t* bytes, uint32_t count, char* out) {
    static const char kDigits[] = "0123456789ABCDEF";
    if (!out) return 0;
    if (!bytes) count = 0;
    for (uint32_t i = 0; i < count; ++i) {
        out[2 * i] = kDigits[bytes[i] >> 4];
        out[2 * i + 1] = kDigits[bytes[i] & 15];
    }
    out[2 * count] = 0;
    return 0;
}
uint32_t HexToBin(const char* in, uint8_t* bytes, uint32_t max) {
    auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1; };
    if (!in || !bytes) return 0;
    uint32_t n = 0;
    int hi = -1;
    for (; *in && n < max; ++in) {
        const int d = digit(*in);
        if (d < 0) continue;
        if (hi < 0) {
            hi = d;
        } else {
            bytes[n++] = uint8_t(hi << 4 | d);
            hi = -1;
        }
    }
    return n;
}
#else
int16_t IFD_RunCmd(uint32_t, uint8_t* flags, const uint8_t* request, uint8_t* answer) {
    g_line.error = 0;
    uint8_t status;
    std::vector<uint8_t> data;
    if (!request || !next_answer(status, data, 141)) return g_line.error = 259, 0;
    if (flags) *flags = uint8_t(*flags | 0x02);
    if (answer) {
        answer[0] = 0x01;
        answer[1] = status;
        answer[2] = uint8_t(data.size());
        if (!data.empty()) std::memcpy(answer + 3, data.data(), data.size());
    }
    if (status) g_line.error = status;
    return status ? 0 : -1;
}
void IFD_SetErrCode(uint32_t, int32_t code) { g_line.error = code; }
int32_t IFD_GetErrCode(uint32_t) { return g_line.error; }
#endif
}  // extern "C"

namespace {

const uint8_t kBytes[16] = {0x0A, 0x1B, 0x2C, 0x3D, 0x7F, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

std::vector<std::function<void()>> exports() {
    std::vector<std::function<void()>> calls = {
        [] { RF_Reset(1, 0x0132); },
        [] { HTS_Active(1, buf(4)); },
        [] { HTS_ReadPage(1, 4, buf(4)); },
        [] { HTS_ReadBlock(1, 1, buf(16)); },
        [] { HTS_WritePage(1, 4, kBytes); },
        [] { TTF_Read(1, 0, buf(RR_TTF_MAX)); },
        [] { HTS_ChangePigeon(1, kBytes); },
        [] { HTS_FormatPigeon(1, kBytes, 1, 1); },
        [] { HTS_Format_MC2K64(1, kBytes); },
        [] { HTS_WriteConfig(1, RR_CFG_PIGEON); },
        [] { HTS_Fuse(1, RR_FUSE_LOCK); },
#if LINK_GEN == 6
        [] { TTF_Read_Hex(1, 0, text(2 * RR_TTF_MAX + 1)); },
        [] { TTF_Read_Hex(1, 1, text(11)); },
        [] { TTF_Read_Hex(1, 2, text(23)); },
        [] { HTS_ActiveEx(1, buf(4), buf(4)); },
        [] { HTS_Auth(1, buf(4), kBytes, 1); },
        [] { PGT_GetSiteInfo(1, text(31), out<int32_t>(), out<int32_t>()); },
        [] { PGT_GetURL(1, 1, text(52)); },
        [] { PGT_GetUploadMode(1, buf(1), buf(1), out<uint16_t>()); },
        [] { PGT_CloseTag(1, out<uint32_t>()); },
        [] { PGT_GetTagCount(1, 0, out<uint32_t>()); },
        [] { PGT_GetTag(1, 0, 0, text(9), text(17), text(9), out<uint32_t>()); },
        [] { PGT_GetTagEx(1, 0, 0, text(9), text(17), text(9), buf(4), buf(4), out<uint32_t>()); },
        [] { PGT_FindTag(1, kBytes, text(9), text(9), buf(4), buf(4), out<uint32_t>()); },
        [] { PGT_AddRaceTagEx(1, "F0000001", "A1B2C3D4", "04A1B2C3", buf(8)); },
        [] { PGT_CloseRace_V2(1, "F0000001", 45000.5); },
        [] { PGT_GetCurrentRace(1, text(9), out<uint32_t>()); },
        [] { PGT_GetRaceState(1, "F0000001", out<uint32_t>()); },
        [] { PGT_GetRaceFlyTime_V2(1, "F0000001", out<double>()); },
        [] { PGT_GetRaceT2Auth(1, "F0000001", out<double>()); },
        [] { PGT_GetRaceLoLa(1, "F0000001", out<int32_t>(), out<int32_t>()); },
        [] { PGT_GetRaceDesc(1, "F0000001", text(31)); },
        [] { PGT_GetRaceTagCount(1, "F0000001", 128, out<uint32_t>()); },
        [] { PGT_GetRaceRecord(1, "F0000001", 128, 0, text(97)); },
        [] { PGT_GetLogId(1, out<uint32_t>(), out<uint32_t>()); },
        [] { PGT_GetLog(1, 1, out<uint32_t>(), out<double>(), text(193)); },
        [] { PGT_GetLog_V2(1, 1, out<uint32_t>(), out<double>(), text(193)); },
        [] { PGT_GetOutReaderCount(1, out<uint32_t>()); },
        [] { PGT_GetOutReaderInfo(1, 0, text(105)); },
        [] { PT_GetRecordCount(1, out<uint32_t>()); },
        [] { PT_GetRecord(1, 0); },
        [] { PT_GetScanMode(1, out<uint32_t>()); },
#else
        [] { TTF_Read_Hex(1, 0, text(11)); },
        [] { TTF_Read_Hex(1, 2, text(27)); },
        [] { SC_DoBell(1, 1, 3, 2); },
        [] { HTS_FormatTTF(1, 2, kBytes); },
        [] { HTS_FormatTTF(1, 3, kBytes); },
        [] { HT2_Active(1, kBytes, buf(4), buf(4)); },
        [] { HT2_ReadPage(1, 4, buf(4)); },
        [] { HT2_CheckPage(1, 4, kBytes); },
        [] { HT2_WriteConfig(1, 0x06); },
        [] { HT2_Lock(1, 0x01); },
        [] { HT2_Format_MC2K64(1, kBytes); },
        [] { HT2_FormatTTF(1, 2, kBytes); },
        [] { PGT_GetSiteInfo(1, text(TC_NAME_MAX), text(TC_COORD_TEXT), text(TC_COORD_TEXT)); },
        [] { PGT_GetPhoneCall(1, 1, text(TC_PHONE_TEXT)); },
        [] { PGT_GetTime(1, out<double>()); },
        [] { PGT_GetTagInfo(1, 1, 2, text(17), out<uint32_t>()); },
        [] { PGT_GetTrainCount(1, out<uint32_t>()); },
        [] { PGT_GetTrainId(1, 0, out<uint16_t>(), buf(1), out<uint16_t>()); },
        [] { PGT_GetTrainInfo(1, 1, out<double>(), out<uint32_t>(), text(TC_COORD_TEXT), text(TC_COORD_TEXT)); },
        [] { PGT_GetCurTrain(1, out<uint32_t>()); },
        [] { PGT_GetRecord(1, 1, 0, text(91)); },
        [] { PGT_GetTrainRecord(1, 1, 0, text(13), out<uint32_t>(), out<double>()); },
        [] { PGT_GetLogId(1, out<uint32_t>(), out<uint32_t>()); },
        [] { PGT_GetLogInfo(1, 1, out<uint32_t>(), out<double>(), out<uint32_t>(), buf(TC_LOG_DATA_MAX)); },
        [] { PGT_ReadCard(1, text(13), text(9)); },
        [] { PGC_ReadCard(1, 0, buf(16)); },
        [] { PGC_GetRecord(1, 1, out<uint32_t>(), buf(20)); },
#endif
    };
    return calls;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const auto calls = exports();
    if (size < 1) return 0;
    g_line = {data + 1, size - 1, 0};
    calls[data[0] % calls.size()]();
    g_blocks.clear();
    return 0;
}
