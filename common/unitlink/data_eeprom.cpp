// The data EEPROM, written block by block through the debug monitor.
#include <algorithm>
#include <cstdio>

#include "unitlink/operation_note.h"
#include "unitlink/progress_sink.h"
#include "unitlink/shown_progress.h"
#include "unitlink/texts.h"
#include "unitlink/unit_link.h"

namespace velmar::unitlink {

namespace {

constexpr int kBlockWrites = 3;
constexpr size_t kQuarterBytes = kDataBlockBytes / 4;
constexpr int kProgressEnd = 466;

bool identifiesDataEeprom(std::string_view reply)
{
    return reply.find("d51f") != std::string_view::npos || reply.find("7bf") != std::string_view::npos;
}

}  // namespace

bool UnitLink::ReadEepromBlock(size_t block, DataBlock& data)
{
    char command[16];
    std::snprintf(command, sizeof command, "det%4.4x\n", static_cast<unsigned>(block));
    std::string reply;
    const bool ok = QueryFixed(command, 1120, kDataBlockBytes, reply);
    DrainInput();
    if (ok)
        std::copy(reply.begin(), reply.end(), data.begin());
    return ok;
}

bool UnitLink::WriteEepromBlock(size_t block, const DataBlock& data)
{
    SetStreamingReads(true);
    bool ok = true;
    for (size_t part = 0; part < 4 && ok; ++part) {
        char head[16];
        std::snprintf(head, sizeof head, "dew%4.4x%u", static_cast<unsigned>(block), static_cast<unsigned>(part));
        std::string line(head);
        for (size_t i = part * kQuarterBytes; i < (part + 1) * kQuarterBytes; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%2.2x", data[i]);
            line += hex;
        }
        line += '\n';
        ok = CommandAck(line, 280) == 1;
    }
    SetStreamingReads(false);
    return ok;
}

bool UnitLink::WriteEepromRegion(size_t& blockCounter, std::span<const uint8_t> data, bool swapped,
                                 const std::function<void(size_t)>& afterBlock)
{
    const std::vector<uint8_t> bytes = swapped ? wordSwapped(data) : std::vector<uint8_t>(data.begin(), data.end());
    for (size_t offset = 0; offset < bytes.size(); offset += kDataBlockBytes) {
        DataBlock wanted{};
        const size_t n = std::min(kDataBlockBytes, bytes.size() - offset);
        std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), n, wanted.begin());
        DataBlock held{};
        // A block that already holds the data is only read.
        bool equal = ReadEepromBlock(blockCounter, held) && held == wanted;
        for (int write = 0; write < kBlockWrites && !equal; ++write) {
            static_cast<void>(WriteEepromBlock(blockCounter, wanted));  // the read-back decides
            equal = ReadEepromBlock(blockCounter, held) && held == wanted;
        }
        if (!equal)
            return false;
        ++blockCounter;
        if (afterBlock)
            afterBlock(blockCounter);
    }
    return true;
}

void UnitLink::leaveDebugMonitor()
{
    std::string ignored;
    // Best effort on the way out: the caller's result stands whatever these answer.
    CommandAck("del1\n", 100);
    static_cast<void>(ExitDebugMode(ignored));
    if (baudIndex_ != kBaudIndexNormal) {
        baudIndex_ = kBaudIndexNormal;
        static_cast<void>(SetUnitBaud());
    }
}

bool UnitLink::ProgramEepromImage(std::string& message, ProgressSink& progress, const DataEepromSections& sections)
{
    OperationNote op(*this, "ProgramEepromImage");
    // Sections that would reach the directory block are refused before anything is written.
    if (!sectionsFit(sections)) {
        message = texts::kEepromFailed;
        return false;
    }
    if (!OpenPort(message)) {
        message = texts::kEepromCannotConnect;
        return false;
    }
    const bool application = mode_ == UnitMode::Application;
    if (application && !PowerOffAllZones()) {
        message = texts::kMainProcessorNotResponding;
        ClosePort();
        return false;
    }
    baudIndex_ = kBaudIndexLoaderHighSpeed;
    if (!SetUnitBaud()) {
        message = texts::kFailedToSwitchRate;
        ClosePort();
        return false;
    }
    if (application && !EnterDebugMode(message)) {
        ClosePort();
        return false;
    }

    ShownProgress bar(progress, kProgressEnd);
    message.clear();

    auto program = [&] {
        CommandAck("del1\n", 100);
        std::string reply;
        QueryLine("dei\n", 200, 64, reply);
        if (!identifiesDataEeprom(reply))
            return false;
        CommandAck("del0\n", 100);

        // The directory is cleared first and filled last: an interrupted run leaves no
        // directory pointing at half-written sections.
        DataBlock directory{};
        size_t counter = kDirectoryBlock;
        if (!WriteEepromRegion(counter, directory))
            return false;
        // The bar follows every block: the first section alone takes a long while. The last
        // section's final blocks lie past the bar's end, which it then stays at.
        const auto follow = [&bar](size_t block) {
            if (block <= static_cast<size_t>(kProgressEnd))
                bar.at(static_cast<int>(block));
        };
        counter = 0;
        if (!WriteEepromRegion(counter, sections.section1, false, follow))
            return false;
        const std::span<const uint8_t> tables[] = {sections.section2, sections.section3, sections.section4};
        size_t entry = 0;
        for (auto table : tables) {
            if (!putDirectoryEntry(directory, entry++, counter, table.size()) ||
                !WriteEepromRegion(counter, table, false, follow))
                return false;
        }
        const uint8_t storeByte[1] = {sections.section5};
        if (!putDirectoryEntry(directory, entry++, counter, 1) || !WriteEepromRegion(counter, storeByte, false, follow))
            return false;
        if (!putDirectoryEntry(directory, entry++, counter, sections.section6.size()) ||
            !WriteEepromRegion(counter, sections.section6, true, follow))
            return false;
        if (counter < static_cast<size_t>(kProgressEnd))
            bar.at(kProgressEnd);
        putDirectoryTag(directory);
        counter = kDirectoryBlock;
        return WriteEepromRegion(counter, directory);
    };

    if (!program()) {
        streaming_ = false;
        std::string ignored;
        if (OpenPort(ignored))
            leaveDebugMonitor();
        ClosePort();
        message = texts::kEepromFailed;
        return false;
    }
    streaming_ = false;
    ApplyTimeouts();
    leaveDebugMonitor();
    message = texts::kEepromDone;
    ClosePort();
    return true;
}

}  // namespace velmar::unitlink
