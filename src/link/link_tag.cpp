#include "link_tag.h"

#include <stdexcept>

namespace lullex {

namespace {

constexpr std::string_view Opening = "<LX";
constexpr char Closing = '>';
constexpr std::size_t CodeOffset = 3;
constexpr std::size_t CodeLength = 2;
constexpr std::size_t LengthFieldOffset = 5;
constexpr std::size_t MaxPayload = 99;
// Opening, code, the two-digit length field and the closing ">".
constexpr std::size_t FrameLength = 8;

struct CommandCode {
    std::string_view code;
    TagCommand command;
};

constexpr CommandCode CommandCodes[] = {
    {"C0", TagCommand::Cancel},
    {"T0", TagCommand::Test},
};

// Not std::isdigit: it depends on the locale and is undefined for bytes above 127.
bool isAsciiDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::optional<std::size_t> readLengthField(std::string_view tag)
{
    const char tens = tag[LengthFieldOffset];
    const char units = tag[LengthFieldOffset + 1];
    if (!isAsciiDigit(tens) || !isAsciiDigit(units)) {
        return std::nullopt;
    }
    return static_cast<std::size_t>((tens - '0') * 10 + (units - '0'));
}

TagCommand commandOf(std::string_view code)
{
    for (const CommandCode& row : CommandCodes) {
        if (row.code == code) {
            return row.command;
        }
    }
    return TagCommand::Heartbeat;
}

}  // namespace

std::string BuildTag(std::string_view code, std::string_view payload)
{
    if (code.size() != CodeLength) {
        throw std::invalid_argument("a tag's command code is two bytes long");
    }
    if (payload.size() > MaxPayload) {
        throw std::invalid_argument("a tag's payload is at most 99 bytes long");
    }
    std::string tag(Opening);
    tag += code;
    tag += static_cast<char>('0' + payload.size() / 10);
    tag += static_cast<char>('0' + payload.size() % 10);
    tag += payload;
    tag += Closing;
    return tag;
}

std::optional<TagCommand> ReadTag(std::string_view datagram)
{
    if (datagram.size() < FrameLength || !datagram.starts_with(Opening) ||
        datagram.back() != Closing) {
        return std::nullopt;
    }
    const std::optional<std::size_t> payloadLength = readLengthField(datagram);
    if (!payloadLength || *payloadLength != datagram.size() - FrameLength) {
        return std::nullopt;
    }
    return commandOf(datagram.substr(CodeOffset, CodeLength));
}

}  // namespace lullex
