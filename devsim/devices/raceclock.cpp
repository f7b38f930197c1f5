// Race clock emulator: identity, control interface, site settings, tag list, log and
// external readers. The race commands are in raceclock_races.cpp.
#include "raceclock.h"

#include <chrono>
#include <cstring>
#include <ctime>

#include "common/des.h"
#include "common/hex.h"
#include "devsim/registry.h"
#include "raceclock_codes.h"
#include "wirelink.h"

namespace devsim {

using namespace raceclock;

namespace {
Answer status(uint8_t s) { return Answer{s, {}, false}; }
Answer ok(std::vector<uint8_t> data = {}) { return Answer{0, std::move(data), false}; }
}  // namespace

RaceClock::RaceClock() : RaceClock(Config{}) {}

RaceClock::RaceClock(const Config &config)
    : device_number_(config.device_number), club_key_(config.club_key) {
    set_system_identity(config.system_identity);
    // Every clock has at least its own built-in reader unit.
    readers_.push_back({0x01, 0x00, 0x06, 0x02, 0x4C, 0x38, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00});
}

// ---- control interface --------------------------------------------------------------

void RaceClock::set_device_number(uint32_t number) {
    std::lock_guard lock(mutex_);
    device_number_ = number;
}

void RaceClock::set_system_identity(const std::string &identity) {
    std::lock_guard lock(mutex_);
    std::string id = identity.substr(0, 8);
    id.resize(8, '0');
    std::memcpy(identity_, id.data(), 8);
    uint8_t key[8] = {};
    std::memcpy(key, club_key_.data(), std::min<size_t>(8, club_key_.size()));
    club::des_encrypt(key, identity_, identity_code_);
    drop_connection();
}

void RaceClock::set_deviation_ms(int64_t ms) {
    std::lock_guard lock(mutex_);
    deviation_ms_ = ms;
}

bool RaceClock::register_arrival(const std::string &ring, const club::CalendarFields &utc,
                                 uint8_t random, const std::string &uid, std::string *why) {
    std::lock_guard lock(mutex_);
    return arrival_locked(ring, utc, random, uid, why);
}

bool RaceClock::register_arrival_now(const std::string &ring, uint8_t random, const std::string &uid,
                                     std::string *why) {
    std::lock_guard lock(mutex_);
    club::CalendarFields f;
    now_fields(f);
    return arrival_locked(ring, f, random, uid, why);
}

void RaceClock::add_log(uint8_t type, const std::vector<uint8_t> &body) {
    std::lock_guard lock(mutex_);
    log_event(type, body);
}

void RaceClock::add_external_reader(const std::vector<uint8_t> &info) {
    std::lock_guard lock(mutex_);
    Data d = info;
    if (d.size() > 52) d.resize(52);
    readers_.push_back(d);
}

std::vector<RaceClock::Tag> RaceClock::tags() const {
    std::lock_guard lock(mutex_);
    return tags_;
}

bool RaceClock::tag_list_open() const {
    std::lock_guard lock(mutex_);
    return list_open_;
}

std::vector<uint8_t> RaceClock::upload_mode() const {
    std::lock_guard lock(mutex_);
    return {upload_, upload_ + 4};
}

club::CalendarFields RaceClock::clock_now() const {
    std::lock_guard lock(mutex_);
    club::CalendarFields f;
    now_fields(f);
    return f;
}

void RaceClock::now_fields(club::CalendarFields &f) const {
    using namespace std::chrono;
    const auto t = system_clock::now() + milliseconds(deviation_ms_);
    const int64_t ms = duration_cast<milliseconds>(t.time_since_epoch()).count();
    time_t secs = time_t(ms / 1000);
    struct tm tm;
    gmtime_r(&secs, &tm);
    f.year = tm.tm_year + 1900;
    f.month = tm.tm_mon + 1;
    f.day = tm.tm_mday;
    f.hour = tm.tm_hour;
    f.minute = tm.tm_min;
    f.second = tm.tm_sec;
    f.millisecond = int(ms % 1000);
}

// ---- the line ------------------------------------------------------------------------

void RaceClock::device_number(uint8_t out[4]) const {
    std::lock_guard lock(mutex_);
    out[0] = uint8_t(device_number_ >> 24);
    out[1] = uint8_t(device_number_ >> 16);
    out[2] = uint8_t(device_number_ >> 8);
    out[3] = uint8_t(device_number_);
}

bool RaceClock::knows_identity(const uint8_t sysid[8], uint8_t code[8]) const {
    std::lock_guard lock(mutex_);
    if (std::memcmp(sysid, identity_, 8) != 0) return false;
    std::memcpy(code, identity_code_, 8);
    return true;
}

void RaceClock::on_connected(const uint8_t *) {
    std::lock_guard lock(mutex_);
    log_event(kLogConnect, {});
}

Answer RaceClock::family_command(uint8_t cls, uint8_t cmd, const Bytes &data) {
    std::lock_guard lock(mutex_);
    if (cls != kClass) return status(WL_DEV_UNKNOWN_CLASS);
    return dispatch(cmd, data);
}

Answer RaceClock::dispatch(uint8_t cmd, const Data &d) {
    // Minimum request lengths; a shorter request is refused before it is looked at.
    static const std::map<uint8_t, size_t> kMinLength = {
        {kCmdClear, 1},      {kCmdSetSite, 40},     {kCmdSetUrl, 5},       {kCmdGetUrl, 1},
        {kCmdSetUpload, 4},  {kCmdStartTag, 1},     {kCmdSetTag, 28},      {kCmdTagCount, 2},
        {kCmdGetTag, 4},     {kCmdFindTag, 4},      {kCmdCreateRace, 8},   {kCmdSetField, 9},
        {kCmdAddRaceTag, 16}, {kCmdConfirm, 20},    {kCmdStart, 5},        {kCmdClose, 12},
        {kCmdVerify, 12},    {kCmdGetField, 8},     {kCmdRaceTagCount, 6}, {kCmdRaceRecord, 8},
        {kCmdLogHead, 4},    {kCmdLogBody, 6},      {kCmdReaderInfo, 4},
    };
    auto it = kMinLength.find(cmd);
    if (it != kMinLength.end() && d.size() < it->second) return status(WL_DEV_BAD_LENGTH);

    switch (cmd) {
    case kCmdClear: return clear(d);
    case kCmdSetSite: return set_site(d);
    case kCmdGetSite: return get_site();
    case kCmdSetUrl: return set_url(d);
    case kCmdGetUrl: return get_url(d);
    case kCmdSetUpload: std::memcpy(upload_, d.data(), 4); return ok();
    case kCmdGetUpload: return ok({upload_, upload_ + 4});
    case kCmdStartTag: return start_tag(d);
    case kCmdSetTag: return set_tag(d);
    case kCmdCloseTag: return close_tag();
    case kCmdTagCount: return tag_count(d);
    case kCmdGetTag: return get_tag(d);
    case kCmdFindTag: return find_tag(d);
    case kCmdCreateRace: return create_race(d);
    case kCmdSetField: return set_field(d);
    case kCmdAddRaceTag: return add_race_tag(d);
    case kCmdConfirm: return confirm_race(d);
    case kCmdStart: return start_race(d);
    case kCmdClose: return close_race(d);
    case kCmdVerify: return verify_race(d);
    case kCmdCurrent: return get_current();
    case kCmdGetField: return get_field(d);
    case kCmdRaceTagCount: return race_tag_count(d);
    case kCmdRaceRecord: return race_record(d);
    case kCmdLogId: return log_id();
    case kCmdLogHead: return log_head(d);
    case kCmdLogBody: return log_body(d);
    case kCmdReaderCount: return reader_count();
    case kCmdReaderInfo: return reader_info(d);
    default: return status(WL_DEV_UNKNOWN_CMD);
    }
}

// ---- site settings -------------------------------------------------------------------

Answer RaceClock::clear(const Data &d) {
    // 0 clears everything; otherwise bit 0 the tag list, bit 1 the races, bit 2 the log.
    const uint8_t what = d[0] ? d[0] : 0xFF;
    if (what & 0x01) {
        tags_.clear();
        list_open_ = false;
    }
    if (what & 0x02) {
        races_.clear();
        has_current_ = false;
    }
    if (what & 0x04) {
        first_log_id_ += uint32_t(log_.size());
        log_.clear();
    }
    return ok();
}

Answer RaceClock::set_site(const Data &d) {
    site_lon_ = int32_t(get32(d.data()));
    site_lat_ = int32_t(get32(d.data() + 4));
    std::memcpy(site_name_, d.data() + 8, 32);
    return ok();
}

Answer RaceClock::get_site() {
    Data out(40);
    put32(out.data(), uint32_t(site_lon_));
    put32(out.data() + 4, uint32_t(site_lat_));
    std::memcpy(out.data() + 8, site_name_, 32);
    return ok(out);
}

Answer RaceClock::set_url(const Data &d) {
    const uint32_t index = get32(d.data());
    const size_t len = d[4];
    if (index > 255 || d.size() < 5 + len) return status(WL_DEV_BAD_LENGTH);
    urls_[uint8_t(index)] = Data(d.begin() + 5, d.begin() + 5 + long(len));
    return ok();
}

Answer RaceClock::get_url(const Data &d) {
    Data out = {0};
    auto it = urls_.find(d[0]);
    if (it != urls_.end()) {
        out[0] = uint8_t(it->second.size());
        out.insert(out.end(), it->second.begin(), it->second.end());
    }
    return ok(out);
}

// ---- tag list ------------------------------------------------------------------------

Answer RaceClock::start_tag(const Data &) {
    // A new list replaces the old one; the clock remembers the loft's pigeons only.
    tags_.clear();
    list_open_ = true;
    return ok();
}

Answer RaceClock::set_tag(const Data &d) {
    Tag t;
    t.state = d[0];
    std::memcpy(t.uid, d.data() + 4, 4);
    std::memcpy(t.code, d.data() + 8, 8);
    std::memcpy(t.label, d.data() + 16, 8);
    for (Tag &known : tags_) {
        if (std::memcmp(known.code, t.code, 8) != 0) continue;
        // An entry without UID and label only changes the state of a known tag.
        static const uint8_t zero[12] = {};
        if (std::memcmp(d.data() + 4, zero, 4) == 0 && std::memcmp(d.data() + 16, zero, 8) == 0) {
            known.state = t.state;
            return ok();
        }
        if (!list_open_) return status(WL_DEV_BAD_STATE);
        known = t;
        return ok();
    }
    if (!list_open_) return status(WL_DEV_NOT_FOUND);
    if (tags_.size() >= kMaxTags) return status(WL_DEV_FULL);
    tags_.push_back(t);
    return ok();
}

Answer RaceClock::close_tag() {
    list_open_ = false;
    Data out(2);
    put16(out.data(), uint32_t(tags_.size()));
    Data body(2);
    put16(body.data(), uint32_t(tags_.size()));
    log_event(kLogTagList, body);
    return ok(out);
}

std::vector<const RaceClock::Tag *> RaceClock::select_tags(uint16_t kind) const {
    // Kind 0 selects every tag; any other kind the tags in that state.
    std::vector<const Tag *> out;
    for (const Tag &t : tags_)
        if (kind == 0 || t.state == kind) out.push_back(&t);
    return out;
}

Answer RaceClock::tag_count(const Data &d) {
    Data out(2);
    put16(out.data(), uint32_t(select_tags(uint16_t(get16(d.data()))).size()));
    return ok(out);
}

namespace {
std::vector<uint8_t> tag_record(const RaceClock::Tag &t) {
    std::vector<uint8_t> r(32, 0);
    r[0] = t.state;
    std::memcpy(r.data() + 4, t.uid, 4);
    std::memcpy(r.data() + 8, t.code, 8);
    std::memcpy(r.data() + 16, t.label, 8);
    std::memcpy(r.data() + 24, t.extra1, 4);
    std::memcpy(r.data() + 28, t.extra2, 4);
    return r;
}
}  // namespace

Answer RaceClock::get_tag(const Data &d) {
    auto sel = select_tags(uint16_t(get16(d.data())));
    const size_t index = get16(d.data() + 2);
    if (index >= sel.size()) return status(WL_DEV_NOT_FOUND);
    return ok(tag_record(*sel[index]));
}

Answer RaceClock::find_tag(const Data &d) {
    // The key is a ring's identity: the first 4 bytes of a tag code, or a chip UID.
    for (const Tag &t : tags_)
        if (std::memcmp(t.code, d.data(), 4) == 0 || std::memcmp(t.uid, d.data(), 4) == 0)
            return ok(tag_record(t));
    return status(WL_DEV_NOT_FOUND);
}

// ---- log and external readers --------------------------------------------------------

void RaceClock::log_event(uint8_t type, const std::vector<uint8_t> &body) {
    LogEntry e;
    e.type = type;
    club::CalendarFields f;
    now_fields(f);
    put_date6(e.date, f);
    e.body = body;
    if (e.body.size() > 255) e.body.resize(255);
    log_.push_back(std::move(e));
    if (log_.size() > kMaxLog) {
        log_.erase(log_.begin());
        ++first_log_id_;
    }
}

Answer RaceClock::log_id() {
    // First and last identifier held; an empty log has last = first - 1.
    Data out(8);
    put32(out.data(), first_log_id_);
    put32(out.data() + 4, first_log_id_ + uint32_t(log_.size()) - 1);
    return ok(out);
}

Answer RaceClock::log_head(const Data &d) {
    const uint32_t id = get32(d.data());
    if (id < first_log_id_ || id - first_log_id_ >= log_.size()) return status(WL_DEV_NOT_FOUND);
    const LogEntry &e = log_[id - first_log_id_];
    Data out(8);
    out[0] = e.type;
    out[1] = uint8_t(e.body.size());
    std::memcpy(out.data() + 2, e.date, 6);
    return ok(out);
}

Answer RaceClock::log_body(const Data &d) {
    const uint32_t id = get32(d.data());
    if (id < first_log_id_ || id - first_log_id_ >= log_.size()) return status(WL_DEV_NOT_FOUND);
    const LogEntry &e = log_[id - first_log_id_];
    const size_t offset = d[4], count = d[5];
    if (count > 52 || offset + count > e.body.size()) return status(WL_DEV_BAD_LENGTH);
    return ok(Data(e.body.begin() + long(offset), e.body.begin() + long(offset + count)));
}

Answer RaceClock::reader_count() {
    Data out(4);
    put32(out.data(), uint32_t(readers_.size()));
    return ok(out);
}

Answer RaceClock::reader_info(const Data &d) {
    const uint32_t index = get32(d.data());
    if (index >= readers_.size()) return status(WL_DEV_NOT_FOUND);
    return ok(readers_[index]);
}

}  // namespace devsim

DEVSIM_DEVICE_FILE(raceclock) {
    reg.add_device({"raceclock", "wirelink",
                    "race timing clock (class 0x46): tag list, races, arrival records with MAC, log",
                    [] { return std::make_unique<devsim::RaceClock>(); }});
}
