// Emulated race timing clock (device class 0x46 on a wirelink line).
//
// It keeps what a club's clock keeps: its device number, the system identity it was set
// up for, site name and position, URLs, upload mode, the tag list, races with their tags,
// key and times, arrival records with their MAC codes, a log and its external reader
// units. Its own time is the PC's UTC time plus a deviation that tests set.
//
// Thread safety: the line thread calls handle(); tests call the control functions from
// their own thread. Every public function takes the clock's lock.
#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "common/oledate.h"
#include "wirelink_device.h"  // codecs/

namespace devsim {

class RaceClock : public WirelinkDevice {
public:
    static constexpr uint8_t kClass = 0x46;

    // Race states as GetRaceState and GetCurrentRace report them.
    enum RaceState : uint8_t {
        kCreated = 0x01,
        kConfirmed = 0x02,
        kStarted = 0x03,
        kVerified = 0x04,
        kClosed = 0x05,
    };

    struct Config {
        uint32_t device_number = 0x4C380001;
        std::string system_identity = "00000000";  // 8 characters, as the club pads it
        std::string club_key = "41957302";         // the identity code is DES(identity, key)
    };

    RaceClock();
    explicit RaceClock(const Config &config);

    // ---- control interface for tests and the demo ----------------------------------
    void set_device_number(uint32_t number);
    void set_system_identity(const std::string &identity);  // padded with "0" to 8
    // The clock's own time runs this far ahead of (positive) or behind the PC's UTC time.
    void set_deviation_ms(int64_t ms);
    // A pigeon arrives: the tag whose code starts with `ring` (8 hex digits, its E_Ring)
    // in the current race, at `utc` as the clock reads it (so a deviation set here is not
    // added again), read with random code `random` and chip UID `uid`
    // (8 hex digits; empty when the chip was not read). False, with the reason in `why`,
    // when the race is not running or the tag is not basketed for it.
    bool register_arrival(const std::string &ring, const club::CalendarFields &utc,
                          uint8_t random, const std::string &uid, std::string *why = nullptr);
    // Arrival at the clock's own current time (the PC's UTC time plus the deviation).
    bool register_arrival_now(const std::string &ring, uint8_t random, const std::string &uid,
                              std::string *why = nullptr);
    void add_log(uint8_t type, const std::vector<uint8_t> &body);
    void add_external_reader(const std::vector<uint8_t> &info);
    // Damages the MAC of record `index` of the current race (for the rejection path).
    bool corrupt_record_mac(size_t index);

    // ---- what the clock holds (for tests) ------------------------------------------
    struct Tag {
        uint8_t state = 0;
        uint8_t uid[4] = {};
        uint8_t code[8] = {};
        uint8_t label[8] = {};
        uint8_t extra1[4] = {};
        uint8_t extra2[4] = {};
    };
    std::vector<Tag> tags() const;
    bool tag_list_open() const;
    std::string current_race() const;  // 8 hex digits, empty when none
    std::optional<uint8_t> race_state(const std::string &race) const;
    size_t record_count(const std::string &race) const;
    std::vector<uint8_t> upload_mode() const;
    club::CalendarFields clock_now() const;

    // Control verbs of the devsim line protocol (docs/wirelink.md).
    bool control(const std::string &verb, const std::vector<std::string> &args,
                 std::string &reply) override;

protected:
    void device_number(uint8_t out[4]) const override;
    bool knows_identity(const uint8_t sysid[8], uint8_t code[8]) const override;
    void on_connected(const uint8_t sysid[8]) override;
    Answer family_command(uint8_t cls, uint8_t cmd, const Bytes &data) override;

private:
    struct RaceTag {
        uint8_t code[8];
        uint8_t uid[4];
    };
    struct Race {
        uint32_t id = 0;
        uint8_t owner[4] = {};
        uint8_t mode = 0;
        uint8_t start_mode = 0;
        RaceState state = kCreated;
        uint8_t fly_time[6] = {};
        uint8_t validate[6] = {};
        int32_t longitude = 0, latitude = 0;
        uint8_t desc[32] = {};
        std::vector<RaceTag> tags;
        uint8_t key[8] = {};  // as it travels: every byte shifted left
        uint8_t t1[8] = {}, t2_device[8] = {}, t2_auth[8] = {};
        std::vector<std::vector<uint8_t>> records;
    };
    struct LogEntry {
        uint8_t type;
        uint8_t date[6];
        std::vector<uint8_t> body;
    };

    using Data = std::vector<uint8_t>;
    Answer dispatch(uint8_t cmd, const Data &d);
    Answer clear(const Data &d);
    Answer set_site(const Data &d);
    Answer get_site();
    Answer set_url(const Data &d);
    Answer get_url(const Data &d);
    Answer start_tag(const Data &d);
    Answer set_tag(const Data &d);
    Answer close_tag();
    Answer tag_count(const Data &d);
    Answer get_tag(const Data &d);
    Answer find_tag(const Data &d);
    Answer create_race(const Data &d);
    Answer set_field(const Data &d);
    Answer add_race_tag(const Data &d);
    Answer confirm_race(const Data &d);
    Answer start_race(const Data &d);
    Answer close_race(const Data &d);
    Answer verify_race(const Data &d);
    Answer get_current();
    Answer get_field(const Data &d);
    Answer race_tag_count(const Data &d);
    Answer race_record(const Data &d);
    Answer log_id();
    Answer log_head(const Data &d);
    Answer log_body(const Data &d);
    Answer reader_count();
    Answer reader_info(const Data &d);

    Race *find_race(const uint8_t *id);
    const Race *current() const;
    std::vector<const Tag *> select_tags(uint16_t kind) const;
    void log_event(uint8_t type, const std::vector<uint8_t> &body);
    void now_fields(club::CalendarFields &f) const;
    void make_mac(const Race &race, uint8_t record[48]) const;
    bool arrival_locked(const std::string &ring, const club::CalendarFields &utc, uint8_t random,
                        const std::string &uid, std::string *why);

    mutable std::mutex mutex_;
    uint32_t device_number_;
    uint8_t identity_[8];
    uint8_t identity_code_[8];
    std::string club_key_;
    int64_t deviation_ms_ = 0;

    uint8_t site_name_[32] = {};
    int32_t site_lon_ = 0, site_lat_ = 0;
    std::map<uint8_t, Data> urls_;
    uint8_t upload_[4] = {};
    std::vector<Tag> tags_;
    bool list_open_ = false;
    std::vector<Race> races_;
    uint32_t current_ = 0;
    bool has_current_ = false;
    std::vector<LogEntry> log_;
    uint32_t first_log_id_ = 1;
    std::vector<Data> readers_;
};

}  // namespace devsim
