// The secure channel end to end: device key, session, key transport, protected commands.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/linkframe.h"
#include "devsim/portlink_device.h"
#include "fixture.h"

namespace {

using SecureChannel = DeviceOnLine;

std::string echo(uint32_t h, const std::string& text, int32_t* err = nullptr) {
    uint8_t out[141] = {};
    uint32_t cap = sizeof out;
    const int16_t ok = IFD_RunUserCmd(h, 0x01, reinterpret_cast<const uint8_t*>(text.data()),
                                      uint32_t(text.size()), out, &cap);
    if (err) *err = IFD_GetErrCode(h);
    return ok ? std::string(reinterpret_cast<char*>(out), cap) : "<failed>";
}

TEST_F(SecureChannel, InitDevThenConnectThenProtectedEcho) {
    ASSERT_EQ(IFD_InitDev(h, 3, "secret"), -1);
    EXPECT_EQ(emu->last_request().data.size(), 25u);
    ASSERT_EQ(IFD_Connect(h, 3, "secret"), -1);
    EXPECT_EQ(echo(h, "Hello, loft 17!"), "Hello, loft 17!");
    EXPECT_EQ(emu->last_request().flags, 0xC1);
    // On the wire the request data is not in clear.
    EXPECT_EQ(hexs(emu->last_request().raw).find(club::bin_to_hex(
                  reinterpret_cast<const uint8_t*>("Hello"), 5)),
              std::string::npos);
    // Block edges: 5 data bytes fill one block exactly, 6 need padding. 133 bytes are the
    // most a protected frame carries within the 150 body bytes a receiver keeps.
    for (size_t n : {0u, 5u, 6u, 13u, 133u}) {
        const std::string s(n, char('a' + n % 26));
        EXPECT_EQ(echo(h, s), s) << n;
    }
}

TEST_F(SecureChannel, WrongPasswordOrNoDeviceKey) {
    int32_t err = 0;
    // No device key under number 1 yet: the device refuses the connect.
    EXPECT_EQ(IFD_Connect(h, 1, "pw"), 0);
    EXPECT_EQ(IFD_GetErrCode(h), devsim::kStatusSecurity);
    ASSERT_EQ(IFD_InitDev(h, 1, "pw"), -1);
    // Another password: the device recovers other keys; the answer fails the MAC check.
    ASSERT_EQ(IFD_Connect(h, 1, "other"), -1);
    EXPECT_EQ(echo(h, "abc", &err), "<failed>");
    EXPECT_EQ(err, 265);
    ASSERT_EQ(IFD_Connect(h, 1, "pw"), -1);
    EXPECT_EQ(echo(h, "abc", &err), "abc");
    EXPECT_EQ(err, 0);
}

TEST_F(SecureChannel, NullAndLongPasswordsDeriveTheSameKeys) {
    // A null password contributes nothing, and a 256-character one counts as empty.
    ASSERT_EQ(IFD_InitDev(h, 2, nullptr), -1);
    ASSERT_EQ(IFD_Connect(h, 2, ""), -1);
    EXPECT_EQ(echo(h, "x"), "x");
    ASSERT_EQ(IFD_Connect(h, 2, std::string(256, 'p').c_str()), -1);
    EXPECT_EQ(echo(h, "y"), "y");
    ASSERT_EQ(IFD_Connect(h, 2, std::string(257, 'p').c_str()), -1);  // counts as "p"
    int32_t err = 0;
    EXPECT_EQ(echo(h, "z", &err), "<failed>");
    ASSERT_EQ(IFD_InitDev(h, 2, "p"), -1);
    ASSERT_EQ(IFD_Connect(h, 2, std::string(257, 'p').c_str()), -1);
    EXPECT_EQ(echo(h, "z"), "z");
}

TEST_F(SecureChannel, SessionIdentifierAndRepeatedConnects) {
    uint32_t sid = 0;
    ASSERT_EQ(IFD_GetSession(h, &sid), -1);
    EXPECT_EQ(IFD_GetSession(h, nullptr), -1);
    uint8_t first[4], challenge[4];
    ASSERT_EQ(IFD_CreateSession(h, first, challenge), -1);
    const auto sent = emu->last_request().data;
    ASSERT_EQ(sent.size(), 8u);
    EXPECT_EQ(hexs(sent).substr(0, 8), "80000000");
    EXPECT_EQ(std::memcmp(sent.data() + 4, &sid, 4), 0);
    EXPECT_EQ(hexs(first, 4), "00000001");
    ASSERT_EQ(IFD_CreateSession(h, nullptr, nullptr), -1);

    ASSERT_EQ(IFD_InitDev(h, 1, "pw"), -1);
    ASSERT_EQ(IFD_Connect(h, 1, "pw"), -1);
    const auto c1 = emu->last_request().data;
    ASSERT_EQ(IFD_Connect(h, 1, "pw"), -1);
    const auto c2 = emu->last_request().data;
    // Same keys, each time under a fresh challenge.
    EXPECT_NE(hexs(c1), hexs(c2));
    EXPECT_EQ(echo(h, "still"), "still");
    // A new port draws new keys and needs a new connect.
    uint32_t sid_before = sid;
    IFD_ClosePort(h);
    h = IFD_OpenPort(emu->path().c_str(), "timeout=250");
    ASSERT_NE(h, 0u);
    ASSERT_EQ(IFD_GetSession(h, &sid), -1);
    EXPECT_NE(sid, sid_before);
    int32_t err = 0;
    EXPECT_EQ(echo(h, "old keys", &err), "<failed>");
    EXPECT_EQ(err, 265);
}

TEST_F(SecureChannel, ShortSessionAnswerIs263) {
    class ShortSession : public devsim::Device {
    public:
        devsim::Answer handle(const devsim::Request& r, devsim::LinkState&) override {
            devsim::Answer a;
            if (r.command == 5) a.data = {1, 2, 3, 4, 5, 6, 7};
            return a;
        }
    };
    IFD_ClosePort(h);
    open_on(emulate(std::make_unique<ShortSession>()));
    EXPECT_EQ(IFD_CreateSession(h, nullptr, nullptr), 0);
    EXPECT_EQ(IFD_GetErrCode(h), 263);
}

}  // namespace
