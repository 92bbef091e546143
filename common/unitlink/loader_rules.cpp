#include "unitlink/loader_rules.h"

#include <array>
#include <string>

#include "unitlink/unit_numbers.h"

namespace velmar::unitlink {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Signatures as the loader sends them (last byte first), per loader generation.
constexpr std::array<std::string_view, 4> kOlderSignatures{
    std::string_view("\x01\x01\x1E", 3),
    std::string_view("\x01\x97\x1E", 3),  // ATmega103
    std::string_view("\xFF\xFF\xFF", 3),
    std::string_view("\x02\x01", 2),
};
constexpr std::array<std::string_view, 1> kNewerSignatures{
    std::string_view("\x02\x97\x1E", 3),  // ATmega128
};

constexpr std::array<FuseStep, 1> kOlderBeforeErase{{{'F', 0x2F, 0x07, 0xB7}}};
constexpr std::array<FuseStep, 1> kOlderAfterErase{{{'F', 0x2F, 0x0E, 0xBE}}};
constexpr std::array<FuseStep, 3> kNewerBeforeErase{
    {{'G', 0xFF, 0xD1, 0xD1}, {'F', 0xFF, 0xD0, 0xD0}, {'J', 0xFF, 0xFD, 0xFD}}};
constexpr std::array<FuseStep, 1> kNewerAfterErase{{{'G', 0xFF, 0xD9, 0xD9}}};

constexpr int kNewerLoader = 300;
constexpr int kDivisorLoader = 200;

}  // namespace

int loaderVersionFromReply(std::string_view reply)
{
    if (reply.empty() || reply[0] < '1' || reply[0] > '9')
        return 0;
    const int second = reply.size() > 1 && isDigit(reply[1]) ? reply[1] - '0' : 0;
    return (reply[0] - '0') * 100 + second;
}

std::optional<uint8_t> loaderBaudDivisor(int version, bool high)
{
    if (version >= kNewerLoader)
        return high ? uint8_t{0x04} : uint8_t{0x1D};
    if (version >= kDivisorLoader)
        return high ? uint8_t{0x01} : uint8_t{0x0B};
    return std::nullopt;
}

bool signatureAccepted(int version, std::string_view reply)
{
    const std::string_view text = reply.substr(0, reply.find('\0'));
    auto holds = [&](auto& list) {
        for (std::string_view s : list) {
            if (text.find(s) != std::string_view::npos)
                return true;
        }
        return false;
    };
    return version >= kNewerLoader ? holds(kNewerSignatures) : holds(kOlderSignatures);
}

std::span<const FuseStep> fuseStepsBeforeErase(int version)
{
    if (version >= kNewerLoader)
        return kNewerBeforeErase;
    return kOlderBeforeErase;
}

std::span<const FuseStep> fuseStepsAfterErase(int version)
{
    if (version >= kNewerLoader)
        return kNewerAfterErase;
    return kOlderAfterErase;
}

bool fuseReplyMatches(const FuseStep& step, std::string_view reply)
{
    return reply.size() == 1 && (static_cast<uint8_t>(reply[0]) & step.mask) == step.expected;
}

uint16_t flashWord(std::span<const uint8_t> image, size_t index)
{
    const size_t at = index * 2;
    if (at + 1 >= image.size())
        return 0xFFFF;
    return static_cast<uint16_t>(image[at] | image[at + 1] << 8);
}

size_t flashWordCount(std::span<const uint8_t> image)
{
    size_t words = image.size() / 2;
    while (words > 0 && flashWord(image, words - 1) == 0xFFFF)
        --words;
    return (words + kFlashPageWords - 1) / kFlashPageWords * kFlashPageWords;
}

uint16_t flashChecksum(std::span<const uint8_t> image)
{
    uint32_t sum = 0;
    for (uint8_t b : image)
        sum += b;
    if (image.size() < kFlashImageBytes)  // the erase left the rest of the flash blank
        sum += static_cast<uint32_t>(kFlashImageBytes - image.size()) * 0xFF;
    return static_cast<uint16_t>(sum);
}

bool flashImageUsable(std::span<const uint8_t> image)
{
    return image.size() % 2 == 0 && image.size() <= kFlashImageBytes && flashWordCount(image) > 0;
}

std::optional<uint32_t> checksumFromReply(std::string_view reply)
{
    const size_t at = reply.find("Checksum:");
    if (at == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = reply.substr(at + std::string_view("Checksum:").size());
    return takeHex(rest);
}

bool settingsAddressWritten(size_t address, bool keepUnitAdjustments)
{
    if (address < kSettingsWriteFirst || address >= kSettingsWriteEnd || (address >= 64 && address <= 95))
        return false;
    if (keepUnitAdjustments)
        return address < 64 || (address >= 513 && address <= 2047);
    return true;
}

size_t settingsAddressesWritten(bool keepUnitAdjustments)
{
    size_t n = 0;
    for (size_t a = kSettingsWriteFirst; a < kSettingsWriteEnd; ++a)
        n += settingsAddressWritten(a, keepUnitAdjustments) ? 1 : 0;
    return n;
}

uint8_t unitFlagsAfterFlash(uint8_t flags, UnitModel model, int loaderVersion)
{
    const bool set = model == UnitModel::QRX_20 || (model == UnitModel::QRX_30 && loaderVersion <= 300) ||
                     (model == UnitModel::CORVALENT_D1 && loaderVersion < 304);
    return set ? static_cast<uint8_t>(flags | 0x02) : static_cast<uint8_t>(flags & ~0x02);
}

bool clearsMarkersBeforeFlash(UnitModel model)
{
    switch (model) {
    case UnitModel::QRX_2:
    case UnitModel::QRX_20:
    case UnitModel::QRX_30:
    case UnitModel::CORVALENT_D1:
    case UnitModel::CORVALENT_D2: return true;
    default: return false;
    }
}

}  // namespace velmar::unitlink
