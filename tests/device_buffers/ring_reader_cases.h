// The ring reader's exports as cases of the buffer test, for the generation this test
// program links (RR_GEN 5 or 6). Sizes are the caller buffers the description gives.
#pragma once

#include "guarded.h"
#include "ringreader.h"

namespace buffers {

inline std::vector<Case> ring_reader_cases() {
    static const uint8_t page[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    static const uint8_t identity[5] = {0x0A, 0x1B, 0x2C, 0x3D, 0x7F};
    std::vector<Case> cases = {
        {"RF_Config", {}, [](uint32_t h, Buffers&) { return RF_Config(h, 0x11) != 0; }},
        {"RF_Reset", {}, [](uint32_t h, Buffers&) { return RF_Reset(h, 0x0132) != 0; }},
        {"HTS_Active", {4}, [](uint32_t h, Buffers& b) { return HTS_Active(h, b.p(0)) != 0; }},
        {"HTS_ReadPage", {4}, [](uint32_t h, Buffers& b) { return HTS_ReadPage(h, 4, b.p(0)) != 0; }},
        {"HTS_WritePage", {}, [](uint32_t h, Buffers& b) { return HTS_WritePage(h, 4, b.in(page)) != 0; }},
        {"HTS_ReadBlock", {16}, [](uint32_t h, Buffers& b) { return HTS_ReadBlock(h, 1, b.p(0)) != 0; }},
        {"HTS_WriteBlock", {}, [](uint32_t h, Buffers& b) { return HTS_WriteBlock(h, 1, b.in(page)) != 0; }},
        {"HTS_Deactive", {}, [](uint32_t h, Buffers&) { return HTS_Deactive(h) != 0; }},
        {"TTF_Read", {RR_TTF_MAX}, [](uint32_t h, Buffers& b) { return TTF_Read(h, 0, b.p(0)) != 0; }},
        {"HTS_ChangePigeon", {}, [](uint32_t h, Buffers& b) { return HTS_ChangePigeon(h, b.in(identity)) != 0; }, true},
        {"HTS_FormatPigeon", {}, [](uint32_t h, Buffers& b) { return HTS_FormatPigeon(h, b.in(identity), 1, 1) != 0; }, true},
        {"HTS_Format_MC2K64", {}, [](uint32_t h, Buffers& b) { return HTS_Format_MC2K64(h, b.in(identity)) != 0; }, true},
        {"HTS_Format_BC2K64", {}, [](uint32_t h, Buffers& b) { return HTS_Format_BC2K64(h, b.in(identity)) != 0; }, true},
        {"HTS_WriteConfig", {}, [](uint32_t h, Buffers&) { return HTS_WriteConfig(h, RR_CFG_PIGEON) != 0; }, true},
        {"HTS_Fuse", {}, [](uint32_t h, Buffers&) { return HTS_Fuse(h, RR_FUSE_LOCK) != 0; }},
        {"ISO11784_GetNational", {16},
         [](uint32_t, Buffers& b) {
             static const uint8_t code[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
             ISO11784_GetNational(b.in(code), b.c(0));
             return true;
         }},
    };
#if RR_GEN == 5
    // Hexadecimal text by type: 5, 5, 13 and 13 bytes.
    for (uint8_t type = 0; type < 4; ++type)
        cases.push_back({"TTF_Read_Hex", {type < 2 ? 11u : 27u},
                         [type](uint32_t h, Buffers& b) { return TTF_Read_Hex(h, type, b.c(0)) != 0; }});
    cases.insert(cases.end(), {
        {"SC_DriverSignal", {}, [](uint32_t h, Buffers&) { return SC_DriverSignal(h, 1, 2, 3, 4) != 0; }},
        {"SC_DoBell", {}, [](uint32_t h, Buffers&) { return SC_DoBell(h, 1, 3, 2) != 0; }},
        {"HTS_FormatTTF", {}, [](uint32_t h, Buffers& b) { return HTS_FormatTTF(h, 2, b.in(page)) != 0; }, true},
        {"HT2_Active", {4, 4}, [](uint32_t h, Buffers& b) { return HT2_Active(h, b.in(page), b.p(0), b.p(1)) != 0; }},
        {"HT2_ReadPage", {4}, [](uint32_t h, Buffers& b) { return HT2_ReadPage(h, 4, b.p(0)) != 0; }},
        {"HT2_WritePage", {}, [](uint32_t h, Buffers& b) { return HT2_WritePage(h, 4, b.in(page)) != 0; }},
        {"HT2_CheckPage", {}, [](uint32_t h, Buffers& b) { return HT2_CheckPage(h, 4, b.in(page)) != 0; }},
        {"HT2_Deactive", {}, [](uint32_t h, Buffers&) { return HT2_Deactive(h) != 0; }},
        {"HT2_WriteConfig", {}, [](uint32_t h, Buffers&) { return HT2_WriteConfig(h, 0x06) != 0; }},
        {"HT2_Lock", {}, [](uint32_t h, Buffers&) { return HT2_Lock(h, 0x01) != 0; }},
        {"HT2_Format_MC2K64", {}, [](uint32_t h, Buffers& b) { return HT2_Format_MC2K64(h, b.in(identity)) != 0; }, true},
        {"HT2_FormatTTF", {}, [](uint32_t h, Buffers& b) { return HT2_FormatTTF(h, 2, b.in(page)) != 0; }, true},
    });
#else
    // Type 0 carries its own length (at most RR_TTF_MAX bytes are kept); 5 and 11 bytes.
    const size_t hex_sizes[] = {2 * RR_TTF_MAX + 1, 11, 23};
    for (uint8_t type = 0; type < 3; ++type)
        cases.push_back({"TTF_Read_Hex", {hex_sizes[type]},
                         [type](uint32_t h, Buffers& b) { return TTF_Read_Hex(h, type, b.c(0)) != 0; }});
    cases.insert(cases.end(), {
        {"HTS_ActiveEx", {4, 4}, [](uint32_t h, Buffers& b) { return HTS_ActiveEx(h, b.p(0), b.p(1)) != 0; }},
        {"HTS_Auth", {4}, [](uint32_t h, Buffers& b) { return HTS_Auth(h, b.p(0), b.in(page), 1) != 0; }},
    });
#endif
    return cases;
}

}  // namespace buffers
