#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "simulator/unit_config.h"

namespace velmar::sim {

// What the unit holds, addressed as the loader and the debug monitor address it.
struct UnitMemory {
    std::vector<uint8_t> settings = std::vector<uint8_t>(4096, 0xFF);    // settings EEPROM
    std::vector<uint16_t> flash = std::vector<uint16_t>(65536, 0xFFFF);  // processor flash, words
    std::vector<uint8_t> dataEeprom = std::vector<uint8_t>(1024 * 128, 0xFF);
    uint8_t fuseLow = 0xB7;   // "F"
    uint8_t fuseHigh = 0xD9;  // "G" (versions 300 and above)
    uint8_t lockBits = 0xFF;  // "J"

    uint32_t flashByteSum() const;
    // The flash as bytes, each word low byte first (the form of a flash image file).
    std::vector<uint8_t> flashBytes() const;
    void setFlashBytes(const std::vector<uint8_t>& bytes);
    // Puts a small program whose banner is `banner` into an erased flash.
    void installProgram(std::string_view banner);
};

// The unit as a state machine fed bytes, producing bytes. Main firmware, its debug
// monitor, boot loader and EEPROM programmer are handled in their own source files. Time comes
// in from outside (virtual or real), so the same code serves tests and unit_simulator.
class SimulatedUnit {
public:
    struct OutByte {
        uint8_t byte;
        uint32_t rate;         // the unit's line rate when the byte was produced
        uint64_t notBeforeNs;  // earliest start on the wire
    };

    explicit SimulatedUnit(UnitConfig config = {});

    // A byte arrived on the unit's line at its own rate (the wire drops mismatched bytes).
    void receive(uint8_t byte, uint64_t nowNs);
    // Called by the wire when it is idle: lets an endless talker produce more.
    void refill(uint64_t nowNs);

    uint32_t lineRate() const;
    Level level() const { return level_; }

    bool hasOutput() const { return !out_.empty(); }
    const OutByte& peekOutput() const { return out_.front(); }
    void popOutput() { out_.pop_front(); }

    // Observation for tests and the trace.
    const std::string& transcript() const { return transcript_; }
    std::vector<std::string> receivedLines() const;  // transcript split at LF (LF removed)
    void clearTranscript() { transcript_.clear(); }
    uint64_t lostBytes() const { return lost_; }
    // Bytes the loader's receive buffer could not hold while it was writing the settings EEPROM.
    uint64_t receiveOverruns() const { return overruns_; }
    // Bytes the loader has written into the settings EEPROM ("d" commands carried out).
    uint64_t settingsWrites() const { return settingsWrites_; }
    void countLost() { ++lost_; }
    bool zoneOn(int zone) const { return zones_.at(static_cast<size_t>(zone - 1)); }
    int dayOfWeek() const { return dayOfWeek_; }
    const std::string& clockText() const { return clockText_; }
    const UnitConfig& config() const { return config_; }
    UnitConfig& config() { return config_; }
    UnitMemory& memory() { return memory_; }
    int loaderVersionNumber() const;

    // Power on: the loader starts and hands over to whatever program the flash holds.
    void powerOn();

    // The answer to "?\n" at the current level (without echo).
    std::string identificationText() const;

private:
    void emit(std::string_view bytes, uint64_t nowNs, bool immediate = false);
    void startLevel(Level level, uint64_t nowNs, uint32_t bootMs);
    uint32_t replyDelayNs() const;

    // main_firmware.cpp
    void applicationByte(uint8_t byte, uint64_t nowNs);
    void applicationLine(const std::string& line, uint64_t nowNs);
    void monitorLine(const std::string& line, uint64_t nowNs);
    // boot_loader.cpp
    void loaderByte(uint8_t byte, uint64_t nowNs);
    void loaderCommand(uint8_t command, const std::vector<uint8_t>& args, uint64_t nowNs);
    void bootFromFlash(uint64_t nowNs);
    uint8_t readFuse(char letter) const;
    // The time an EEPROM access received at `nowNs` can start; the loader reads nothing until then.
    uint64_t waitForEeprom(uint64_t nowNs);
    void blockUntil(uint64_t untilNs);
    size_t receiveBufferBytes() const;
    void writeFuse(char letter, uint8_t value);
    // The loseReadAt fault: true (once) for a read at that address.
    bool loseRead();
    // data_eeprom.cpp: the data-EEPROM lines and the DSP queries; false when not one of them.
    bool dataEepromLine(const std::string& line, uint64_t nowNs);
    bool dspLine(const std::string& line, uint64_t nowNs);

    UnitConfig config_;
    UnitMemory memory_;
    Level level_;
    uint32_t applicationRate_;
    uint32_t loaderRate_ = 19200;
    uint64_t busyUntilNs_ = 0;
    std::deque<OutByte> out_;
    std::string transcript_;
    uint64_t lost_ = 0;
    uint32_t noise_ = 0x2545F491;

    // main firmware
    std::string line_;
    std::array<bool, 3> zones_;
    int dayOfWeek_ = 0;
    std::string clockText_;

    // boot loader
    int pendingCommand_ = -1;
    size_t argsNeeded_ = 0;
    std::vector<uint8_t> args_;
    uint16_t address_ = 0;
    std::array<uint16_t, 128> pageBuffer_{};
    size_t pageFill_ = 0;
    int chunksLoaded_ = 0;
    uint8_t unstableValue_ = 0;
    uint32_t flakyReads_ = 0;
    uint64_t writingUntilNs_ = 0;
    uint64_t blockedUntilNs_ = 0;
    size_t heldWhileBlocked_ = 0;
    uint64_t overruns_ = 0;
    uint64_t settingsWrites_ = 0;

    // data EEPROM
    bool dataEepromLocked_ = true;  // "del1" locks writes, "del0" unlocks them
};

}  // namespace velmar::sim
