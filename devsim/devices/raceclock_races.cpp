// Race clock emulator: races, arrival records with their MAC codes, read-back of race
// fields.
#include <algorithm>
#include <cstring>

#include "common/des.h"
#include "common/hex.h"
#include "raceclock.h"
#include "raceclock_codes.h"
#include "wirelink.h"

namespace devsim {

using namespace raceclock;

namespace {
Answer status(uint8_t s) { return Answer{s, {}, false}; }
Answer ok(std::vector<uint8_t> data = {}) { return Answer{0, std::move(data), false}; }

uint32_t race_id(const uint8_t *p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
void put_race_id(uint8_t *p, uint32_t id) {
    p[0] = uint8_t(id >> 24);
    p[1] = uint8_t(id >> 16);
    p[2] = uint8_t(id >> 8);
    p[3] = uint8_t(id);
}
bool parse_race(const std::string &text, uint32_t &id) {
    uint8_t b[4] = {};
    if (club::hex_to_bin(text.c_str(), b, 4) != 4) return false;
    id = race_id(b);
    return true;
}
}  // namespace

RaceClock::Race *RaceClock::find_race(const uint8_t *id) {
    const uint32_t want = race_id(id);
    for (Race &r : races_)
        if (r.id == want) return &r;
    return nullptr;
}

const RaceClock::Race *RaceClock::current() const {
    if (!has_current_) return nullptr;
    for (const Race &r : races_)
        if (r.id == current_) return &r;
    return nullptr;
}

Answer RaceClock::create_race(const Data &d) {
    // A race belongs to the club the clock was set up for.
    if (std::memcmp(d.data() + 4, identity_, 4) != 0) return status(WL_DEV_FOREIGN);
    const uint32_t id = race_id(d.data());
    races_.erase(std::remove_if(races_.begin(), races_.end(), [&](const Race &r) { return r.id == id; }),
                 races_.end());
    if (races_.size() >= kMaxRaces) {
        // Memory is full: the oldest closed race goes, else the oldest race.
        auto victim = std::find_if(races_.begin(), races_.end(),
                                   [](const Race &r) { return r.state == kClosed; });
        races_.erase(victim != races_.end() ? victim : races_.begin());
    }
    Race r;
    r.id = id;
    std::memcpy(r.owner, d.data() + 4, 4);
    races_.push_back(std::move(r));
    current_ = id;
    has_current_ = true;
    log_event(kLogRaceCreated, Data(d.begin(), d.begin() + 4));
    return ok();
}

Answer RaceClock::set_field(const Data &d) {
    Race *r = find_race(d.data());
    if (!r) return status(WL_DEV_NOT_FOUND);
    if (r->state >= kStarted) return status(WL_DEV_BAD_STATE);
    const uint8_t *v = d.data() + 8;
    const size_t n = d.size() - 8;
    switch (d[4]) {
    case kFieldMode: r->mode = v[0]; break;
    case kFieldFlyTime:
        if (n < 6) return status(WL_DEV_BAD_LENGTH);
        std::memcpy(r->fly_time, v, 6);
        break;
    case kFieldValidate:
        if (n < 6) return status(WL_DEV_BAD_LENGTH);
        std::memcpy(r->validate, v, 6);
        break;
    case kFieldLocation:
        if (n < 8) return status(WL_DEV_BAD_LENGTH);
        r->longitude = int32_t(get32(v));
        r->latitude = int32_t(get32(v + 4));
        break;
    case kFieldDesc:
        if (n < 32) return status(WL_DEV_BAD_LENGTH);
        std::memcpy(r->desc, v, 32);
        break;
    case kFieldT1:
    case kFieldT2Device:
    case kFieldT2Auth: return status(WL_DEV_BAD_STATE);  // the clock's own times
    default: return status(WL_DEV_UNKNOWN_CMD);
    }
    return ok();
}

Answer RaceClock::add_race_tag(const Data &d) {
    Race *r = find_race(d.data());
    if (!r) return status(WL_DEV_NOT_FOUND);
    if (r->state != kCreated) return status(WL_DEV_BAD_STATE);
    const uint8_t *code = d.data() + 4;
    // Only a pigeon of the loft's tag list can be basketed.
    const bool known = std::any_of(tags_.begin(), tags_.end(),
                                   [&](const Tag &t) { return std::memcmp(t.code, code, 8) == 0; });
    if (!known) return status(WL_DEV_NOT_FOUND);
    size_t index = 0;
    while (index < r->tags.size() && std::memcmp(r->tags[index].code, code, 8) != 0) ++index;
    if (index == r->tags.size()) {
        RaceTag t;
        std::memcpy(t.code, code, 8);
        std::memcpy(t.uid, d.data() + 12, 4);
        r->tags.push_back(t);
    }
    Data out(8, 0);
    put16(out.data(), uint32_t(index));
    put16(out.data() + 2, uint32_t(r->tags.size()));
    return ok(out);
}

Answer RaceClock::confirm_race(const Data &d) {
    Race *r = find_race(d.data());
    if (!r) return status(WL_DEV_NOT_FOUND);
    if (r->state != kCreated && r->state != kConfirmed) return status(WL_DEV_BAD_STATE);
    std::memcpy(r->key, d.data() + 12, 8);
    club::CalendarFields now;
    now_fields(now);
    put_date8(r->t1, now);  // T1: the clock's own time when the race was set
    r->state = kConfirmed;
    log_event(kLogRaceConfirmed, Data(d.begin(), d.begin() + 10));
    return ok();
}

Answer RaceClock::start_race(const Data &d) {
    Race *r = find_race(d.data());
    if (!r) return status(WL_DEV_NOT_FOUND);
    if (r->state != kConfirmed) return status(WL_DEV_BAD_STATE);
    r->start_mode = d[4];
    r->state = kStarted;
    current_ = r->id;
    has_current_ = true;
    log_event(kLogRaceStarted, Data(d.begin(), d.begin() + 5));
    return ok();
}

Answer RaceClock::verify_race(const Data &d) {
    Race *r = find_race(d.data());
    if (!r) return status(WL_DEV_NOT_FOUND);
    if (r->state < kStarted) return status(WL_DEV_BAD_STATE);
    if (std::memcmp(r->key, d.data() + 4, 8) != 0) return status(WL_DEV_BAD_KEY);
    if (r->state == kStarted) r->state = kVerified;
    log_event(kLogRaceVerified, Data(d.begin(), d.begin() + 4));
    return ok();
}

Answer RaceClock::close_race(const Data &d) {
    Race *r = find_race(d.data());
    if (!r) return status(WL_DEV_NOT_FOUND);
    if (r->state < kStarted) return status(WL_DEV_BAD_STATE);
    // T2 auth is the master (PC) time sent with the command, T2 device the clock's own
    // time at that moment: their difference is the clock's deviation. Closing again (a
    // second read-out) takes both times anew.
    std::memset(r->t2_auth, 0, 8);
    std::memcpy(r->t2_auth, d.data() + 4, 6);
    club::CalendarFields now;
    now_fields(now);
    put_date8(r->t2_device, now);
    r->state = kClosed;
    log_event(kLogRaceClosed, Data(d.begin(), d.begin() + 10));
    return ok(Data(r->t2_device, r->t2_device + 8));
}

Answer RaceClock::get_current() {
    const Race *r = current();
    if (!r) return status(WL_DEV_NOT_FOUND);
    Data out(8, 0);
    out[0] = r->state;
    put_race_id(out.data() + 4, r->id);
    return ok(out);
}

Answer RaceClock::get_field(const Data &d) {
    Race *r = find_race(d.data());
    if (!r) return status(WL_DEV_NOT_FOUND);
    auto date6 = [](const uint8_t *p) {
        Data out(p, p + 6);
        out.resize(8, 0);
        return out;
    };
    switch (d[4]) {
    case kFieldMode: return ok({r->state, r->mode, r->start_mode, 0});
    case kFieldFlyTime: return ok(date6(r->fly_time));
    case kFieldValidate: return ok(date6(r->validate));
    case kFieldLocation: {
        Data out(8);
        put32(out.data(), uint32_t(r->longitude));
        put32(out.data() + 4, uint32_t(r->latitude));
        return ok(out);
    }
    case kFieldDesc: return ok(Data(r->desc, r->desc + 32));
    case kFieldT1: return ok(Data(r->t1, r->t1 + 8));
    case kFieldT2Device: return ok(Data(r->t2_device, r->t2_device + 8));
    case kFieldT2Auth: return ok(Data(r->t2_auth, r->t2_auth + 8));
    default: return status(WL_DEV_UNKNOWN_CMD);
    }
}

Answer RaceClock::race_tag_count(const Data &d) {
    Race *r = find_race(d.data());
    if (!r) return status(WL_DEV_NOT_FOUND);
    // Kind 128 counts the arrival records, any other kind the basketed tags.
    const size_t n = get16(d.data() + 4) == kKindArrivals ? r->records.size() : r->tags.size();
    Data out(2);
    put16(out.data(), uint32_t(n));
    return ok(out);
}

Answer RaceClock::race_record(const Data &d) {
    Race *r = find_race(d.data());
    if (!r) return status(WL_DEV_NOT_FOUND);
    const size_t index = get16(d.data() + 6);
    if (get16(d.data() + 4) != kKindArrivals || index >= r->records.size())
        return status(WL_DEV_NOT_FOUND);
    return ok(r->records[index]);
}

// The MAC a genuine clock writes: a DES chain in the decryption direction, under the
// race key as confirmed, over identity | device number | race | record bytes 0-43.
void RaceClock::make_mac(const Race &race, uint8_t record[48]) const {
    uint8_t message[56] = {};
    club::hex_to_bin(reinterpret_cast<const char *>(identity_), 8, message, 4);
    message[4] = uint8_t(device_number_ >> 24);
    message[5] = uint8_t(device_number_ >> 16);
    message[6] = uint8_t(device_number_ >> 8);
    message[7] = uint8_t(device_number_);
    put_race_id(message + 8, race.id);
    std::memcpy(message + 12, record, 44);
    club::DesKeySchedule ks;
    club::des_set_key(ks, race.key);
    uint8_t v[8] = {};
    for (int block = 0; block < 7; ++block) {
        for (int i = 0; i < 8; ++i) v[i] ^= message[8 * block + i];
        club::des_decrypt_block(ks, v, v);
    }
    std::memcpy(record + 44, v, 4);
}

bool RaceClock::arrival_locked(const std::string &ring, const club::CalendarFields &utc,
                               uint8_t random, const std::string &uid, std::string *why) {
    auto refuse = [&](const char *reason) {
        if (why) *why = reason;
        return false;
    };
    Race *r = nullptr;
    for (Race &x : races_)
        if (has_current_ && x.id == current_) r = &x;
    if (!r || r->state != kStarted) return refuse("no race is running");
    uint8_t key[4] = {};
    if (club::hex_to_bin(ring.c_str(), key, 4) != 4) return refuse("ring identity is not 8 hex digits");
    const RaceTag *tag = nullptr;
    for (const RaceTag &t : r->tags)
        if (std::memcmp(t.code, key, 4) == 0) tag = &t;
    if (!tag) return refuse("tag is not basketed for the race");
    if (r->records.size() >= kMaxRecords) return refuse("record memory is full");
    double probe;
    if (utc.year < 2000 || utc.year > 2255 || !club::fields_to_ole(utc, probe))
        return refuse("arrival time is not a valid date");

    std::vector<uint8_t> rec(48, 0);
    std::memcpy(rec.data(), tag->code, 8);
    put16(rec.data() + 8, uint32_t(r->records.size() + 1));
    rec[14] = random;
    put_date8(rec.data() + 16, utc);
    club::hex_to_bin(uid.c_str(), rec.data() + 24, 4);
    make_mac(*r, rec.data());
    r->records.push_back(rec);

    // The log keeps the record with the race and the tag it belongs to (60 bytes).
    std::vector<uint8_t> body(60, 0);
    std::memcpy(body.data(), rec.data(), 48);
    put_race_id(body.data() + 48, r->id);
    std::memcpy(body.data() + 52, tag->code, 8);
    log_event(kLogArrival, body);
    return true;
}

bool RaceClock::corrupt_record_mac(size_t index) {
    std::lock_guard lock(mutex_);
    for (Race &r : races_)
        if (has_current_ && r.id == current_ && index < r.records.size()) {
            r.records[index][44] ^= 0x01;
            return true;
        }
    return false;
}

std::string RaceClock::current_race() const {
    std::lock_guard lock(mutex_);
    const Race *r = current();
    if (!r) return {};
    uint8_t id[4];
    put_race_id(id, r->id);
    return club::bin_to_hex(id, 4);
}

std::optional<uint8_t> RaceClock::race_state(const std::string &race) const {
    std::lock_guard lock(mutex_);
    uint32_t id;
    if (!parse_race(race, id)) return std::nullopt;
    for (const Race &r : races_)
        if (r.id == id) return r.state;
    return std::nullopt;
}

size_t RaceClock::record_count(const std::string &race) const {
    std::lock_guard lock(mutex_);
    uint32_t id;
    if (!parse_race(race, id)) return 0;
    for (const Race &r : races_)
        if (r.id == id) return r.records.size();
    return 0;
}

}  // namespace devsim
