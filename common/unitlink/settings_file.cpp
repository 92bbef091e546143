#include "unitlink/settings_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <sstream>

#include "platform/regular_file.h"
#include "platform/atomic_file.h"

namespace velmar {
namespace {

struct ByteRange {
    std::size_t begin;
    std::size_t end;  // one past the last byte
};

// The unit's own adjustments between the two ranges are not carried by a settings file.
constexpr std::array<ByteRange, 2> kWrittenRanges{{{16, 64}, {96, 3584}}};
constexpr std::size_t kBytesPerRecord = 16;
constexpr char kHexDigits[] = "0123456789abcdef";

struct RecordKind {
    char typeDigit;
    std::size_t addressBytes;
};

constexpr std::array<RecordKind, 2> kRecordKinds{{{'1', 2}, {'2', 3}}};

// Type character pair, then the count byte; the address follows.
constexpr std::size_t kCountOffset = 2;
constexpr std::size_t kAddressOffset = 4;

void appendHexByte(std::string& out, unsigned value)
{
    out.push_back(kHexDigits[(value >> 4) & 0xF]);
    out.push_back(kHexDigits[value & 0xF]);
}

void appendRecord(std::string& out, const Image& image, std::size_t start, std::size_t count)
{
    const unsigned countByte = static_cast<unsigned>(count + 3);
    const unsigned addressHigh = static_cast<unsigned>(start >> 8) & 0xFF;
    const unsigned addressLow = static_cast<unsigned>(start) & 0xFF;
    unsigned sum = countByte + addressHigh + addressLow;
    out += "S1";
    appendHexByte(out, countByte);
    appendHexByte(out, addressHigh);
    appendHexByte(out, addressLow);
    for (std::size_t i = start; i < start + count; ++i) {
        appendHexByte(out, image[i]);
        sum += image[i];
    }
    appendHexByte(out, 0xFF - (sum & 0xFF));
    out.push_back('\n');
}

bool isSpace(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// Keeps at most one character beyond the longest allowed token, so that an endless token is
// recognised as too long without being held in memory.
bool nextToken(std::streambuf& in, std::string& token)
{
    token.clear();
    int c = in.sbumpc();
    while (c != std::char_traits<char>::eof() && isSpace(c)) {
        c = in.sbumpc();
    }
    if (c == std::char_traits<char>::eof()) {
        return false;
    }
    while (c != std::char_traits<char>::eof() && !isSpace(c)) {
        if (token.size() <= kMaxSettingsTokenLength) {
            token.push_back(static_cast<char>(c));
        }
        c = in.sbumpc();
    }
    return true;
}

std::optional<unsigned> hexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return static_cast<unsigned>(c - '0');
    }
    if (c >= 'a' && c <= 'f') {
        return static_cast<unsigned>(c - 'a' + 10);
    }
    if (c >= 'A' && c <= 'F') {
        return static_cast<unsigned>(c - 'A' + 10);
    }
    return std::nullopt;
}

std::optional<unsigned> hexByte(const std::string& token, std::size_t offset)
{
    if (offset + 2 > token.size()) {
        return std::nullopt;
    }
    const auto high = hexDigit(token[offset]);
    const auto low = hexDigit(token[offset + 1]);
    if (!high || !low) {
        return std::nullopt;
    }
    return (*high << 4) | *low;
}

const RecordKind* recordKindOf(const std::string& token)
{
    if (token.size() < 2) {
        return nullptr;
    }
    const auto kind = std::find_if(kRecordKinds.begin(), kRecordKinds.end(),
                                   [&](const RecordKind& k) { return k.typeDigit == token[1]; });
    return kind == kRecordKinds.end() ? nullptr : &*kind;
}

// A record's bytes are stored only when the whole record is well formed, its checksum holds
// and every byte lies inside the image.
bool applyRecord(const std::string& token, const RecordKind& kind, Image& image)
{
    if (token.size() > kMaxSettingsTokenLength) {
        return false;
    }
    const auto count = hexByte(token, kCountOffset);
    if (!count || *count < kind.addressBytes + 1 || token.size() != kAddressOffset + 2 * *count) {
        return false;
    }
    unsigned sum = *count;
    std::size_t address = 0;
    std::size_t offset = kAddressOffset;
    for (std::size_t i = 0; i < kind.addressBytes; ++i, offset += 2) {
        const auto byte = hexByte(token, offset);
        if (!byte) {
            return false;
        }
        address = (address << 8) | *byte;
        sum += *byte;
    }
    const std::size_t dataLength = *count - kind.addressBytes - 1;
    std::array<std::uint8_t, 256> data{};
    for (std::size_t i = 0; i < dataLength; ++i, offset += 2) {
        const auto byte = hexByte(token, offset);
        if (!byte) {
            return false;
        }
        data[i] = static_cast<std::uint8_t>(*byte);
        sum += *byte;
    }
    const auto checksum = hexByte(token, offset);
    if (!checksum || ((sum + *checksum) & 0xFF) != 0xFF) {
        return false;
    }
    if (address > kImageSize || dataLength > kImageSize - address) {
        return false;
    }
    std::copy_n(data.begin(), dataLength, image.begin() + static_cast<std::ptrdiff_t>(address));
    return true;
}

}  // namespace

std::string formatSettingsRecords(const Image& image)
{
    std::string out;
    for (const auto& range : kWrittenRanges) {
        for (std::size_t start = range.begin; start < range.end; start += kBytesPerRecord) {
            appendRecord(out, image, start, std::min(kBytesPerRecord, range.end - start));
        }
    }
    return out;
}

bool parseSettingsRecords(std::istream& in, Image& image, std::string& message, EmptyFile empty)
{
    std::streambuf* buffer = in.rdbuf();
    if (buffer == nullptr) {
        message = kSettingsFileOpenErrorText;
        return false;
    }
    std::string token;
    bool anyText = false;
    bool anyRecord = false;
    while (nextToken(*buffer, token)) {
        anyText = true;
        const RecordKind* kind = recordKindOf(token);
        if (kind == nullptr) {
            continue;
        }
        if (!applyRecord(token, *kind, image)) {
            message = kSettingsFileChecksumErrorText;
            return false;
        }
        anyRecord = true;
    }
    if (!anyRecord && (anyText || empty == EmptyFile::Refuse)) {
        message = kSettingsFileNoRecordsText;
        return false;
    }
    return true;
}

std::string fileMessage(std::string_view text, const std::string& path, std::string_view reason)
{
    std::string out = std::string(text) + ": " + path;
    if (!reason.empty()) {
        out += ": ";
        out += reason;
    }
    return out;
}

bool writeSettingsFile(const std::string& path, const Image& image, std::string& message)
{
    std::string reason;
    if (!platform::replaceFileContents(path, formatSettingsRecords(image), reason)) {
        message = fileMessage(kSettingsFileOpenErrorText, path, reason);
        return false;
    }
    message = kSettingsSavedText;
    return true;
}

bool checkSettingsFileWritable(const std::string& path, std::string& message)
{
    std::string reason;
    if (!platform::canReplaceFile(path, reason)) {
        message = fileMessage(kSettingsFileOpenErrorText, path, reason);
        return false;
    }
    return true;
}

bool readSettingsFile(const std::string& path, Image& image, std::string& message, EmptyFile empty)
{
    std::string contents;
    std::string reason;
    if (!platform::readRegularFile(path, kMaxSettingsFileBytes, contents, reason)) {
        message = fileMessage(kSettingsFileOpenErrorText, path, reason);
        return false;
    }
    std::istringstream in(std::move(contents));
    if (parseSettingsRecords(in, image, message, empty)) {
        return true;
    }
    message = fileMessage(message, path);
    return false;
}

}  // namespace velmar
