#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace lullex {

// The tags a master sends; their payload is always empty.
inline constexpr std::string_view TagFirstHeartbeat = "<LXA000>";
inline constexpr std::string_view TagHeartbeat = "<LXA100>";
inline constexpr std::string_view TagCancel = "<LXC000>";
inline constexpr std::string_view TagTest = "<LXT000>";

// What a valid tag asks of a slave. Any command code other than cancel and test is a heartbeat,
// so a newer master's codes still keep an older slave's link alive.
enum class TagCommand { Heartbeat, Cancel, Test };

// "<LX", the two-byte command code, the payload's length in bytes as two decimal digits, the
// payload and ">". Throws std::invalid_argument for a code that is not two bytes long or a
// payload longer than 99 bytes, which the length field cannot express.
std::string BuildTag(std::string_view code, std::string_view payload = {});

// The command of a valid tag; nullopt when the datagram fails the validity test. Lengths count
// bytes, and the length field must be two ASCII digits.
std::optional<TagCommand> ReadTag(std::string_view datagram);

}  // namespace lullex
