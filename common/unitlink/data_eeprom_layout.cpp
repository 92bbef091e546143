#include "unitlink/data_eeprom_layout.h"

#include <algorithm>
#include <cstdio>

namespace velmar::unitlink {

namespace {
constexpr size_t kEntryBytes = 8;
constexpr size_t kEntries = 5;
constexpr size_t kTagOffset = 112;
constexpr std::string_view kTag = "AX6";
}  // namespace

std::optional<std::string> directoryEntry(size_t startBlock, size_t length)
{
    if (startBlock > 0xFFFF || length > 0xFFFF)
        return std::nullopt;
    char text[16];
    std::snprintf(text, sizeof text, "%4x%4x", static_cast<unsigned>(startBlock), static_cast<unsigned>(length));
    return std::string(text);
}

bool putDirectoryEntry(DataBlock& directory, size_t index, size_t startBlock, size_t length)
{
    const auto entry = directoryEntry(startBlock, length);
    if (!entry || index >= kEntries)
        return false;
    std::copy(entry->begin(), entry->end(), directory.begin() + static_cast<std::ptrdiff_t>(index * kEntryBytes));
    return true;
}

void putDirectoryTag(DataBlock& directory) { std::copy(kTag.begin(), kTag.end(), directory.begin() + kTagOffset); }

std::vector<uint8_t> wordSwapped(std::span<const uint8_t> data)
{
    std::vector<uint8_t> out(data.begin(), data.end());
    for (size_t i = 0; i + 1 < out.size(); i += 2)
        std::swap(out[i], out[i + 1]);
    return out;
}

bool sectionsFit(const DataEepromSections& s)
{
    const size_t blocks = blocksFor(s.section1.size()) + blocksFor(s.section2.size()) + blocksFor(s.section3.size()) +
                          blocksFor(s.section4.size()) + 1 + blocksFor(s.section6.size());
    return blocks <= kDirectoryBlock;
}

}  // namespace velmar::unitlink
