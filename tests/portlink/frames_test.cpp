// Frames and runners against the emulated device over a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstring>

#include "common/crc.h"
#include "devsim/portlink_device.h"
#include "fixture.h"

namespace {

using devsim::Fault;

TEST_F(DeviceOnLine, SystemCommandsAreByteExactOnTheWire) {
    char devno[9];
    ASSERT_EQ(IFD_GetDevNo(h, devno), -1);
    EXPECT_STREQ(devno, "12345678");
    EXPECT_EQ(last_request_hex(), "1A0000FFFF0001000101B317");

    uint32_t state = 99;
    ASSERT_EQ(IFD_GetState(h, &state), -1);
    EXPECT_EQ(state, 0u);
    EXPECT_EQ(last_request_hex(), "1A0000FFFF0001000100AE17");
    ASSERT_EQ(PG_GetDevState(h, &state), -1);

    uint8_t flags = 0x01;
    const uint8_t req[3] = {0x00, 0x12, 0x00};
    uint8_t ans[PL_ANSWER_BLOCK_SIZE];
    EXPECT_EQ(IFD_RunCmd(h, &flags, req, ans), 0);  // echo knows no command 12
    EXPECT_EQ(last_request_hex(), "1A0000FFFF01011200CE17");
    EXPECT_EQ(IFD_GetErrCode(h), devsim::kStatusUnknownCommand);
    EXPECT_EQ(flags, 0x03);
}

TEST_F(DeviceOnLine, EscapedBytesTravelBothWays) {
    // Data with every byte that needs escaping goes out escaped and comes back intact.
    uint8_t req[3 + 4] = {0x00, 0x01, 0x04, 0x1B, 0x17, 0x1A, 0x9B};
    uint8_t flags = 0x01;
    uint8_t ans[PL_ANSWER_BLOCK_SIZE];
    ASSERT_EQ(IFD_RunCmd(h, &flags, req, ans), -1);
    EXPECT_EQ(hexs(ans, 7), "01000" "41B171A9B");
    EXPECT_NE(last_request_hex().find("1B9B1B971B9A9B"), std::string::npos) << last_request_hex();
}

TEST_F(DeviceOnLine, RunCmdFillsTheAnswerBlockAndHandsBackFlags) {
    uint8_t req[3 + 150] = {0x00, 0x01, 150};  // longer than 137: cut
    for (int i = 0; i < 150; ++i) req[3 + i] = uint8_t(i);
    uint8_t ans[PL_ANSWER_BLOCK_SIZE];
    uint8_t flags = 0x01;
    ASSERT_EQ(IFD_RunCmd(h, &flags, req, ans), -1);
    EXPECT_EQ(flags, 0x03);
    EXPECT_EQ(ans[0], 0x01);  // frame mark
    EXPECT_EQ(ans[1], 0x00);
    EXPECT_EQ(ans[2], 137);
    EXPECT_EQ(ans[3 + 136], 136);

    // The longest answer a plain frame can carry: 141 bytes fill 150 body bytes.
    const uint8_t want141[4] = {0x00, 0x02, 0x01, 141};
    ASSERT_EQ(IFD_RunCmd(h, &flags, want141, ans), -1);
    EXPECT_EQ(ans[2], 141);
    EXPECT_EQ(ans[3 + 140], 140);
    // Null flags pointer sends 00 (a system command), null answer block is allowed.
    const uint8_t state_req[4] = {0x00, 0x00, 0x01, 0x00};
    EXPECT_EQ(IFD_RunCmd(h, nullptr, state_req, nullptr), -1);
    EXPECT_EQ(emu->last_request().flags, 0x00);
}

TEST_F(DeviceOnLine, EveryReceiveFaultEndsInItsCode) {
    struct Case {
        Fault fault;
        int arg;
        int32_t code;
    };
    const Case cases[] = {
        {Fault::NoAnswer, -1, 259},  {Fault::Delay, 700, 259},   {Fault::Garbage, 3, 263},
        {Fault::CutOff, -1, 263},    {Fault::Oversized, -1, 262}, {Fault::BadCrc, -1, 266},
        {Fault::NoAnswerFlag, -1, 263}, {Fault::WrongAddress, 0x0005, 264}, {Fault::BadMac, -1, 265},
        {Fault::Status, 0x21, 33},
    };
    // The emulator counts a request once its answer is written, which may be after the PC
    // has the answer: the count is kept here rather than read back.
    uint64_t handled = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(devsim::fault_name(c.fault));
        arm(c.fault, c.arg);
        uint32_t state = 0;
        EXPECT_EQ(IFD_GetState(h, &state), 0);
        EXPECT_EQ(IFD_GetErrCode(h), c.code);
        // A late answer must be on the line before the next exchange, which then has to
        // discard it.
        ASSERT_TRUE(emu->wait_requests(handled + 1, 2000));
        // The next exchange starts clean: leftovers of a damaged answer are discarded.
        EXPECT_EQ(IFD_GetState(h, &state), -1);
        EXPECT_EQ(IFD_GetErrCode(h), 0);
        handled += 2;
    }
    // A short delay is within the time-outs.
    arm(Fault::Delay, 30);
    uint32_t state = 0;
    EXPECT_EQ(IFD_GetState(h, &state), -1);
}

TEST_F(DeviceOnLine, DeviceStatusStillFillsTheAnswerBlock) {
    arm(Fault::Status, 0x21);
    const uint8_t req[6] = {0x00, 0x01, 0x03, 7, 8, 9};
    uint8_t ans[PL_ANSWER_BLOCK_SIZE] = {};
    uint8_t flags = 0x01;
    EXPECT_EQ(IFD_RunCmd(h, &flags, req, ans), 0);
    EXPECT_EQ(IFD_GetErrCode(h), 33);
    EXPECT_EQ(hexs(ans, 6), "012103070809");
    EXPECT_EQ(flags, 0x03);
}

TEST_F(DeviceOnLine, AddressesOfStationAndDevice) {
    // An answer addressed to FF FF is accepted whatever our address.
    ASSERT_EQ(IFD_SetBaseAddr(h, "0005"), -1);
    uint32_t state;
    arm(Fault::WrongAddress, 0xFFFF);
    EXPECT_EQ(IFD_GetState(h, &state), -1);
    // The device answers to our own address 00 05.
    EXPECT_EQ(IFD_GetState(h, &state), -1);
    EXPECT_EQ(hexs(emu->last_request().from), "0005");
    IFD_SetBaseAddr(h, "0000");

    // A device at another address does not answer; at its own address it does.
    ASSERT_EQ(IFD_SelectDev(h, "0009"), -1);
    EXPECT_EQ(IFD_GetState(h, &state), 0);
    EXPECT_EQ(IFD_GetErrCode(h), 259);
    ASSERT_EQ(IFD_SelectDev(h, "0001"), -1);
    EXPECT_EQ(IFD_GetState(h, &state), -1);
    EXPECT_EQ(last_request_hex().substr(2, 8), "00000001");
}

TEST_F(DeviceOnLine, DeviceAddressAndProgrammingMode) {
    char addr[5];
    ASSERT_EQ(IFD_GetDevAddr(h, "12345678", addr), -1);
    EXPECT_STREQ(addr, "0001");
    ASSERT_EQ(IFD_SetDevAddr(h, "12345678", "0A0B"), -1);
    EXPECT_EQ(hexs(emu->last_request().data), "020A0B12345678");
    ASSERT_EQ(IFD_GetDevAddr(h, "12345678", addr), -1);
    EXPECT_STREQ(addr, "0A0B");
    EXPECT_EQ(IFD_GetDevAddr(h, "87654321", addr), 0);
    EXPECT_EQ(IFD_GetErrCode(h), devsim::kStatusOtherDevice);

    ASSERT_EQ(IFD_ActiveIsp(h), -1);
    EXPECT_EQ(hexs(emu->last_request().data), "6E13A954C10B97E6");
    uint32_t state = 0;
    ASSERT_EQ(IFD_GetState(h, &state), -1);
    EXPECT_EQ(state, 0x80u);
}

TEST_F(DeviceOnLine, SysCmdCapacityAndExactFlags) {
    const uint8_t n4 = 4;
    uint8_t out[8] = {};
    uint32_t cap = 2;
    // A plain user command through the system runner: answer flags 03 are not 02.
    EXPECT_EQ(IFD_RunSysCmd(h, 0x00, &n4, 1, out, &cap), 0);  // sub-code 4 unknown: status
    EXPECT_EQ(IFD_GetErrCode(h), devsim::kStatusBadData);
    const uint8_t sub1 = 0x01;
    ASSERT_EQ(IFD_RunSysCmd(h, 0x00, &sub1, 1, out, &cap), -1);
    EXPECT_EQ(cap, 2u);
    EXPECT_EQ(hexs(out, 4), "12340000");
    cap = 8;
    ASSERT_EQ(IFD_RunSysCmd(h, 0x00, &sub1, 1, nullptr, &cap), -1);
    EXPECT_EQ(cap, 4u);
    ASSERT_EQ(IFD_RunSysCmd(h, 0x00, &sub1, 1, nullptr, nullptr), -1);

    arm(Fault::BadMac);  // the answer comes back authenticated: flags 82, not 02
    EXPECT_EQ(IFD_RunSysCmd(h, 0x00, &sub1, 1, out, &cap), 0);
    EXPECT_EQ(IFD_GetErrCode(h), 265);
}

// A device whose number is one byte short.
class ShortNumberDevice : public devsim::PortlinkDevice {
protected:
    devsim::Answer user_command(const devsim::Request&, bool, devsim::LinkState&) override { return {}; }
};
class ShortAnswers : public devsim::Device {
public:
    devsim::Answer handle(const devsim::Request& r, devsim::LinkState&) override {
        devsim::Answer a;
        if (r.command == 0 && !r.data.empty() && r.data[0] == 1) a.data = {0x12, 0x34, 0x56};
        if (r.command == 0 && !r.data.empty() && r.data[0] == 2) a.data = {0x00};
        return a;  // state: no data at all
    }
};

TEST_F(DeviceOnLine, ShortAnswersAreMalformed) {
    IFD_ClosePort(h);
    open_on(emulate(std::make_unique<ShortAnswers>()));
    char devno[9] = "unset";
    EXPECT_EQ(IFD_GetDevNo(h, devno), 0);
    EXPECT_EQ(IFD_GetErrCode(h), 263);
    EXPECT_STREQ(devno, "unset");
    uint32_t state = 7;
    EXPECT_EQ(IFD_GetState(h, &state), 0);
    EXPECT_EQ(IFD_GetErrCode(h), 263);
    char addr[5];
    EXPECT_EQ(IFD_GetDevAddr(h, "12345678", addr), 0);
    EXPECT_EQ(IFD_GetErrCode(h), 263);
    EXPECT_EQ(IFD_InitDev(h, 1, "pw"), 0);  // device number unreadable: nothing else sent
    EXPECT_EQ(IFD_GetErrCode(h), 263);
    EXPECT_EQ(emu->last_request().command, 0);
}

TEST_F(DeviceOnLine, NullRequestIsMalformedNotACrash) {
    uint8_t flags = 0x01;
    EXPECT_EQ(IFD_RunCmd(h, &flags, nullptr, nullptr), 0);
    EXPECT_EQ(IFD_GetErrCode(h), 263);
}

}  // namespace
