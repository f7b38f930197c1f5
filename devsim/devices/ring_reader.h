// The club's RFID ring reader, both generations: version 5 on portlink framing, version 6
// on wirelink framing (class 0x11). Both share one field of rings (RingField); tests and
// the demo mode place and remove rings through it, or through the control verbs:
//
//   ring club UID IDENT RC        club ring: UID, identity, random code (hex), signed "41957302"
//   ring foreign UID IDENT RC [KEY]   signed under another club key (default "12345678")
//   ring unsigned UID IDENT RC    formatted ring without signature
//   ring blank UID                fresh Hitag S ring
//   ring hitag2 UID [KEY]         Hitag 2 ring (key: 8 hex digits)
//   ring weak UID [0|1]           the ring acknowledges writes but keeps its pages
//   ring remove [UID]             take one ring (or every ring) out of the field
//   ring list                     "UID config identity|-" for each ring in the field
//   ring page UID N               the page as 8 hex digits
//   reader signals                driver signals so far: "signal,p1,p2,p3 ..."
//   reader resets                 RF_Reset values so far
//   reader pad N                  add N bytes to every select/page/block answer (0 = off)
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "devsim/device.h"
#include "devsim/portlink_device.h"
#include "club_identity.h"
#include "wirelink_device.h"
#include "ring_chip.h"

namespace devsim {

// Status bytes of the ring reader.
enum : uint8_t {
    kReaderNoRing = 0x20,       // no ring (of the addressed family) answers
    kReaderWriteRefused = 0x21, // the chip refused a write
    kReaderBadData = 0x22,      // request data too short
    kReaderUnknown = 0x23,      // unknown command or family
    kReaderAuthFailed = 0x24,   // wrong key, or Hitag 2 not authenticated
    kReaderCheckFailed = 0x25,  // check page: the data differ
    kReaderNoCode = 0x26,       // no ring talking first in the asked format
};

class RingField {
public:
    enum class Gen { V5, V6 };

    // Puts a ring in the field (after those already there).
    void place(const RingChip& ring);
    // Takes the ring out; false when it is not there.
    bool remove(uint32_t uid);
    void clear();
    RingChip* find(uint32_t uid);
    const std::vector<RingChip>& rings() const { return rings_; }

    // What the reader was told to do, in order.
    const std::vector<std::array<uint8_t, 4>>& signals() const { return signals_; }
    const std::vector<uint16_t>& resets() const { return resets_; }
    const std::vector<uint8_t>& configs() const { return configs_; }
    void set_answer_pad(size_t n) { pad_ = n; }

    Answer driver_signal(const Bytes& data);
    Answer rf_config(Gen g, const Bytes& data);
    Answer rf_reset(Gen g, const Bytes& data);
    // Data 0x00, family byte, sub-command, arguments.
    Answer transponder(Gen g, const Bytes& data);

    bool control(const std::string& verb, const std::vector<std::string>& args, std::string& reply);

private:
    RingChip* current(RingChip::Kind kind);
    Answer hitag_s(Gen g, uint8_t sub, const Bytes& args);
    Answer hitag_2(uint8_t sub, const Bytes& args);
    Answer talk_first(Gen g, uint8_t type);
    Answer padded(Bytes data) const;

    std::vector<RingChip> rings_;
    std::optional<uint32_t> selected_;
    bool ht2_authenticated_ = false;
    std::vector<std::array<uint8_t, 4>> signals_;
    std::vector<uint16_t> resets_;
    std::vector<uint8_t> configs_;
    size_t pad_ = 0;
};

class RingReaderV5 : public PortlinkDevice {
public:
    RingField& field() { return field_; }
    bool control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) override;

protected:
    Answer user_command(const Request& request, bool secured, LinkState& link) override;

private:
    RingField field_;
};

// Like every newer device it answers its family's commands only after IFD_Connect with
// the system identity it was set up with (control verb: identity XXXXXXXX).
class RingReaderV6 : public WirelinkDevice {
public:
    static constexpr uint8_t kClass = 0x11;
    RingField& field() { return field_; }
    ClubIdentity& identity() { return identity_; }
    bool control(const std::string& verb, const std::vector<std::string>& args, std::string& reply) override;

protected:
    void device_number(uint8_t out[4]) const override;
    bool knows_identity(const uint8_t sysid[8], uint8_t code[8]) const override { return identity_.knows(sysid, code); }
    Answer family_command(uint8_t cls, uint8_t cmd, const Bytes& data) override;

private:
    RingField field_;
    ClubIdentity identity_;
};

}  // namespace devsim
