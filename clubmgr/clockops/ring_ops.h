// Ring reader steps of the Matching and Marking pages (ringreader version 5 on ReaderPort).
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace clockops {

// HTS_Active: the UID of the ring in the field as 8 hex digits, or nullopt when none answers.
std::optional<QString> ActiveRingUid(uint32_t port);

// Pages 6-7 decrypted under the club key, as text up to the first zero byte (at most 8).
// nullopt when a page cannot be read.
std::optional<QString> RingSignatureText(uint32_t port);

// RF_Reset 50, TTF_Read type 0, RF_Reset 0: the identity code as 10 hex digits.
std::optional<QString> ReadIdentityCode(uint32_t port);

// The bell and the exclamation beep after a handled ring.
void SignalRingHandled(uint32_t port);

// A uniformly drawn byte from the system's secure random source.
uint8_t SecureRandomByte();

} // namespace clockops
