// The boot loader: single-letter commands with binary arguments; acknowledgement is a CR.
// Unknown bytes are answered with "?" (AVR910 style), so the probe "?\n" reads exactly "??".
#include "simulator/simulated_unit.h"

namespace velmar::sim {

namespace {

constexpr uint32_t kApplicationBootMs = 300;  // from "X" until the main firmware listens

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

bool knownCommand(uint8_t c)
{
    constexpr std::string_view kCommands = "SVXyxPseaCmRDdFfGgJjh";
    return kCommands.find(static_cast<char>(c)) != std::string_view::npos;
}

}  // namespace

void SimulatedUnit::loaderByte(uint8_t byte, uint64_t nowNs)
{
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
    if (!knownCommand(byte)) {
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

void SimulatedUnit::loaderCommand(uint8_t command, const std::vector<uint8_t>& args, uint64_t nowNs)
{
    const int version = loaderVersionNumber();
    auto ack = [&] { emit("\r", nowNs); };
    switch (command) {
    case 'S': emit(identificationText(), nowNs); break;
    case 'V': emit(config_.loaderVersion.substr(0, 2), nowNs); break;
    case 'X':
        ack();
        if (config_.installed == Installed::Application)
            startLevel(Level::Application, nowNs, kApplicationBootMs);
        else if (config_.installed == Installed::EepromProgrammer)
            startLevel(Level::EepromProgrammer, nowNs, kApplicationBootMs);
        break;  // an erased flash runs back into the loader
    case 'y':
    case 'x':
    case 'P': ack(); break;
    case 'e':
        std::fill(memory_.flash.begin(), memory_.flash.end(), 0xFFFF);
        ack();
        break;
    case 's': {
        const char sig[3] = {static_cast<char>(version >= 300 ? 0x02 : 0x01), static_cast<char>(0x97), 0x1E};
        emit(std::string_view(sig, 3), nowNs);
        break;
    }
    case 'a':
        address_ = static_cast<uint16_t>(args[0] << 8 | args[1]);
        ack();
        break;
    case 'd':
        memory_.settings[address_ & 0x0FFF] = args[0];
        ack();
        break;
    case 'D': {
        const char b = static_cast<char>(memory_.settings[address_ & 0x0FFF]);
        emit(std::string_view(&b, 1), nowNs);
        break;
    }
    case 'R': {
        const uint16_t w = memory_.flash[address_];
        const char word[2] = {static_cast<char>(w >> 8), static_cast<char>(w & 0xFF)};
        emit(std::string_view(word, 2), nowNs);
        ++address_;
        break;
    }
    case 'C':
        for (size_t i = 0; i + 1 < args.size() - 1 && pageFill_ < pageBuffer_.size(); i += 2)
            pageBuffer_[pageFill_++] = static_cast<uint16_t>(args[1 + i] << 8 | args[2 + i]);
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
    case 'F': {
        const char b = static_cast<char>(memory_.fuseLow);
        emit(std::string_view(&b, 1), nowNs);
        break;
    }
    case 'G': {
        const char b = static_cast<char>(memory_.fuseHigh);
        emit(std::string_view(&b, 1), nowNs);
        break;
    }
    case 'J': {
        const char b = static_cast<char>(memory_.lockBits);
        emit(std::string_view(&b, 1), nowNs);
        break;
    }
    case 'f': memory_.fuseLow = args[0]; ack(); break;
    case 'g': memory_.fuseHigh = args[0]; ack(); break;
    case 'j': memory_.lockBits = args[0]; ack(); break;
    case 'h': {  // new rate; nothing is answered
        const uint8_t d = args[0];
        if (version >= 300)
            loaderRate_ = d == 0x04 ? 115200 : d == 0x1D ? 19200 : loaderRate_;
        else if (version >= 200)
            loaderRate_ = d == 0x01 ? 115200 : d == 0x0B ? 19200 : loaderRate_;
        break;
    }
    default: emit("?", nowNs); break;
    }
}

}  // namespace velmar::sim
