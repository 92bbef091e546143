// The boot loader: single-letter commands with binary arguments; acknowledgement is a CR.
// Unknown bytes are answered with "?" (AVR910 style), so the probe "?\n" reads exactly "??".
#include <algorithm>

#include "simulator/simulated_unit.h"

namespace velmar::sim {

namespace {

constexpr uint32_t kApplicationBootMs = 300;  // from "X" until the main firmware listens
constexpr int kNewerLoader = 300;
constexpr int kDivisorLoader = 200;

size_t argumentCount(uint8_t command)
{
    switch (command) {
    case 'a':
    case 'm': return 2;
    case 'C': return 33;  // 0x10 and 16 words
    case 'd':
    case 'f':
    case 'g':
    case 'j':
    case 'h': return 1;
    default: return 0;
    }
}

// The letters each loader generation knows; the three fuse letters came with version 300.
bool knownCommand(uint8_t c, int version)
{
    constexpr std::string_view kCommands = "SVXyxPseaCmRDdFfh";
    constexpr std::string_view kNewerCommands = "GgJj";
    const char ch = static_cast<char>(c);
    return kCommands.find(ch) != std::string_view::npos ||
           (version >= kNewerLoader && kNewerCommands.find(ch) != std::string_view::npos);
}

bool printable(uint8_t c) { return c >= 0x20 && c < 0x7F; }

// The printable run of text around the first occurrence of `marker` in the flash bytes.
std::optional<std::string> bannerAround(const std::vector<uint8_t>& bytes, std::string_view marker)
{
    const auto at = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
    if (at == bytes.end())
        return std::nullopt;
    auto begin = at;
    while (begin != bytes.begin() && printable(*(begin - 1)))
        --begin;
    auto end = at;
    while (end != bytes.end() && printable(*end))
        ++end;
    return std::string(begin, end);
}

}  // namespace

// The program in the flash decides what runs: the EEPROM programmer, the main firmware (whose
// banner gives the version it reports), or, with no banner at all, the loader again.
void SimulatedUnit::bootFromFlash(uint64_t nowNs)
{
    const std::vector<uint8_t> bytes = memory_.flashBytes();
    if (const auto banner = bannerAround(bytes, "EEPROM Prog")) {
        config_.eepromProgrammerReply = *banner + "\r\n";
        startLevel(Level::EepromProgrammer, nowNs, kApplicationBootMs);
        return;
    }
    const ModelInfo* info = findModel(config_.model);
    const std::string prefix = info ? std::string(info->appPrefix) : config_.model + " Version ";
    if (const auto banner = bannerAround(bytes, prefix)) {
        config_.version = banner->substr(banner->find(prefix) + prefix.size());
        startLevel(Level::Application, nowNs, kApplicationBootMs);
        return;
    }
    if (const auto banner = bannerAround(bytes, " Version ")) {  // another model's firmware
        config_.identificationReply = *banner + "\r\n";
        startLevel(Level::Application, nowNs, kApplicationBootMs);
    }
}

void SimulatedUnit::powerOn()
{
    startLevel(Level::Loader, 0, 0);
    bootFromFlash(0);
    busyUntilNs_ = 0;
}

size_t SimulatedUnit::receiveBufferBytes() const { return loaderVersionNumber() >= kNewerLoader ? 2 : 1; }

void SimulatedUnit::blockUntil(uint64_t untilNs)
{
    blockedUntilNs_ = untilNs;
    heldWhileBlocked_ = 0;
}

uint64_t SimulatedUnit::waitForEeprom(uint64_t nowNs)
{
    if (nowNs >= writingUntilNs_)
        return nowNs;
    blockUntil(writingUntilNs_);
    return writingUntilNs_;
}

void SimulatedUnit::loaderByte(uint8_t byte, uint64_t nowNs)
{
    // What the receiver holds is taken once the loader reads again; the rest never arrives.
    if (nowNs < blockedUntilNs_) {
        if (++heldWhileBlocked_ > receiveBufferBytes()) {
            ++overruns_;
            return;
        }
        nowNs = blockedUntilNs_;
    }
    if (pendingCommand_ >= 0) {
        args_.push_back(byte);
        if (args_.size() < argsNeeded_)
            return;
        const auto command = static_cast<uint8_t>(pendingCommand_);
        pendingCommand_ = -1;
        loaderCommand(command, args_, nowNs);
        args_.clear();
        return;
    }
    if (!knownCommand(byte, loaderVersionNumber())) {
        const ModelInfo* info = findModel(config_.model);
        if (byte == '?' && info && info->corvalentLoader)
            emit(identificationText() + "\r\n", nowNs);
        else if (!(byte == '\n' && info && info->corvalentLoader))
            emit("?", nowNs);
        return;
    }
    const size_t n = argumentCount(byte);
    if (n == 0) {
        loaderCommand(byte, {}, nowNs);
        return;
    }
    pendingCommand_ = byte;
    argsNeeded_ = n;
    args_.clear();
}

// Loaders before version 300 report the low fuse byte with bit 5 reading as programmed (0).
uint8_t SimulatedUnit::readFuse(char letter) const
{
    switch (letter) {
    case 'F':
        return loaderVersionNumber() >= kNewerLoader ? memory_.fuseLow : static_cast<uint8_t>(memory_.fuseLow & ~0x20);
    case 'G': return memory_.fuseHigh;
    default: return memory_.lockBits;
    }
}

void SimulatedUnit::writeFuse(char letter, uint8_t value)
{
    if (config_.faults.fuseStuck)
        return;
    if (config_.faults.fuseWritesIgnored > 0) {
        --config_.faults.fuseWritesIgnored;
        return;
    }
    uint8_t& target = letter == 'f' ? memory_.fuseLow : letter == 'g' ? memory_.fuseHigh : memory_.lockBits;
    target = value;
}

bool SimulatedUnit::loseRead()
{
    if (config_.faults.loseReadAt != address_)
        return false;
    config_.faults.loseReadAt = -1;
    return true;
}

void SimulatedUnit::loaderCommand(uint8_t command, const std::vector<uint8_t>& args, uint64_t nowNs)
{
    const int version = loaderVersionNumber();
    auto ack = [&] { emit("\r", nowNs); };
    auto reply = [&](uint8_t b) { emit(std::string_view(reinterpret_cast<const char*>(&b), 1), nowNs); };
    switch (command) {
    case 'S': emit(identificationText(), nowNs); break;
    case 'V': emit(config_.loaderVersion.substr(0, 2), nowNs); break;
    case 'X':
        ack();
        if (!config_.faults.loaderStuck)
            bootFromFlash(nowNs);
        break;
    case 'y':
    case 'x':
    case 'P': ack(); break;
    case 'e':
        std::fill(memory_.flash.begin(), memory_.flash.end(), 0xFFFF);
        ack();
        break;
    case 's': {
        std::string sig = version >= kNewerLoader ? std::string("\x02\x97\x1E", 3) : std::string("\x01\x97\x1E", 3);
        if (config_.faults.wrongSignature)
            sig = std::string("\x05\x96\x1F", 3);
        emit(sig, nowNs);
        break;
    }
    case 'a':
        address_ = static_cast<uint16_t>(args[0] << 8 | args[1]);
        pageFill_ = 0;  // a new address starts the page buffer again
        ack();
        break;
    case 'd': {
        const uint64_t start = waitForEeprom(nowNs);
        if (static_cast<int>(address_ & 0x0FFF) != config_.faults.stuckSettingsAddress)
            memory_.settings[address_ & 0x0FFF] = args[0];
        writingUntilNs_ = start + static_cast<uint64_t>(config_.eepromWriteUs) * 1000u;
        ++settingsWrites_;
        if (config_.eepromAck == EepromAck::AtStart) {
            emit("\r", start);
        } else {
            blockUntil(writingUntilNs_);
            emit("\r", writingUntilNs_);
        }
        break;
    }
    case 'D': {
        const uint64_t start = waitForEeprom(nowNs);
        const int address = address_ & 0x0FFF;
        if (loseRead())
            break;
        uint8_t value = memory_.settings[static_cast<size_t>(address)];
        if (config_.faults.unstableReadsFrom >= 0 && address >= config_.faults.unstableReadsFrom)
            value = ++unstableValue_;
        if (address == config_.faults.flakyReadAt && (++flakyReads_ % 2) == 0)
            value ^= 0x01;
        emit(std::string_view(reinterpret_cast<const char*>(&value), 1), start);
        break;
    }
    case 'R': {
        if (loseRead()) {
            ++address_;
            break;
        }
        const uint16_t w = memory_.flash[address_];
        const char word[2] = {static_cast<char>(w >> 8), static_cast<char>(w & 0xFF)};
        emit(std::string_view(word, 2), nowNs);
        ++address_;
        break;
    }
    case 'C':
        for (size_t i = 1; i + 1 < args.size() && pageFill_ < pageBuffer_.size(); i += 2)
            pageBuffer_[pageFill_++] = static_cast<uint16_t>(args[i] << 8 | args[i + 1]);
        if (config_.faults.disconnectAfterChunks >= 0 && ++chunksLoaded_ >= config_.faults.disconnectAfterChunks) {
            config_.faults.silent = true;  // the cable is pulled: nothing more gets through
            break;
        }
        ack();
        break;
    case 'm': {
        const size_t base = static_cast<size_t>(args[0] << 8 | args[1]) & ~size_t{127};
        for (size_t i = 0; i < pageFill_; ++i)
            memory_.flash[(base + i) & 0xFFFF] &= pageBuffer_[i];  // bits only clear without an erase
        pageFill_ = 0;
        ack();
        break;
    }
    case 'F':
    case 'G':
    case 'J': reply(readFuse(static_cast<char>(command))); break;
    case 'f':
    case 'g':
    case 'j':
        writeFuse(static_cast<char>(command), args[0]);
        ack();
        break;
    case 'h': {  // new rate; nothing is answered
        const uint8_t d = args[0];
        if (version >= kNewerLoader)
            loaderRate_ = d == 0x04 ? 115200 : d == 0x1D ? 19200 : loaderRate_;
        else if (version >= kDivisorLoader)
            loaderRate_ = d == 0x01 ? 115200 : d == 0x0B ? 19200 : loaderRate_;
        break;
    }
    default: emit("?", nowNs); break;
    }
}

}  // namespace velmar::sim
