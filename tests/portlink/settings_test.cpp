#include <gtest/gtest.h>

#include "serial_line.h"
#include "settings_text.h"

namespace {

TEST(SettingsText, ItemsAreRecognisedIgnoredOrKept) {
    struct Case {
        const char* text;
        long baud;
        uint32_t read_const;
    };
    const Case cases[] = {
        {nullptr, 57600, 2000},
        {"", 57600, 2000},
        {"parity=E", 57600, 2000},
        {"baud=115200;timeout=2000", 115200, 2000},
        {"BAUD=9600", 9600, 2000},
        {"Timeout=500;baud=19200", 19200, 500},
        {"parity=E;baud=4800", 4800, 2000},
        {"baud=;timeout=x", 57600, 2000},           // no number: values stay
        {"baud= 38400", 38400, 2000},               // blanks before the number
        {"baud=1200abc;", 1200, 2000},              // reading stops at a non-digit
        {"baudrate=9600", 57600, 2000},             // "r" is the skipped character, "ate" no number
        {"baud:9600", 9600, 2000},                  // any character after "baud"
        {"timeout=-5", 57600, 2000},                // a negative time-out is ignored
        {";;timeout=300;", 57600, 300},
        {"baud=-9600", -9600, 2000},                // read as given; opening then fails
    };
    for (const auto& c : cases) {
        long baud = 57600;
        uint32_t rc = 2000;
        portlink::parse_settings(c.text, baud, rc);
        EXPECT_EQ(baud, c.baud) << (c.text ? c.text : "null");
        EXPECT_EQ(rc, c.read_const) << (c.text ? c.text : "null");
    }
}

TEST(SettingsText, ComNamesMapToSerialDevices) {
    EXPECT_EQ(portlink::device_path("COM1"), "/dev/ttyS0");
    EXPECT_EQ(portlink::device_path("com12"), "/dev/ttyS11");
    EXPECT_EQ(portlink::device_path("COM0"), "COM0");
    EXPECT_EQ(portlink::device_path("COM"), "COM");
    EXPECT_EQ(portlink::device_path("COM1x"), "COM1x");
    EXPECT_EQ(portlink::device_path("/dev/pts/7"), "/dev/pts/7");
}

}  // namespace
