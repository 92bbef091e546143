#include "simulator/memory_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/regular_file.h"

namespace velmar::sim {

namespace {

// Only a regular file of at most the memory's size is read, so a device or FIFO named by mistake
// neither hangs nor fills the memory of the machine.
bool readWhole(const std::string& path, size_t size, std::vector<uint8_t>& out, std::string& error)
{
    std::string bytes;
    std::string reason;
    if (!velmar::platform::readRegularFile(path, size, bytes, reason)) {
        error = "cannot read " + path + ": " + reason;
        return false;
    }
    out.assign(bytes.begin(), bytes.end());
    if (out.size() != size) {
        error = path + ": " + std::to_string(out.size()) + " bytes, expected " + std::to_string(size);
        return false;
    }
    return true;
}

bool writeWhole(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error)
{
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            error = "cannot write " + temporary;
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot replace " + path;
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace

bool loadMemoryFiles(const MemoryFiles& files, UnitMemory& memory, std::string& error)
{
    std::vector<uint8_t> bytes;
    auto present = [](const std::string& path) { return !path.empty() && std::filesystem::exists(path); };
    if (present(files.eeprom)) {
        if (!readWhole(files.eeprom, memory.settings.size(), bytes, error))
            return false;
        memory.settings = bytes;
    }
    if (present(files.flash)) {
        if (!readWhole(files.flash, memory.flash.size() * 2, bytes, error))
            return false;
        memory.setFlashBytes(bytes);
    }
    if (present(files.dataEeprom)) {
        if (!readWhole(files.dataEeprom, memory.dataEeprom.size(), bytes, error))
            return false;
        memory.dataEeprom = bytes;
    }
    return true;
}

bool saveMemoryFiles(const MemoryFiles& files, const UnitMemory& memory, std::string& error)
{
    bool ok = true;
    if (!files.eeprom.empty())
        ok = writeWhole(files.eeprom, memory.settings, error) && ok;
    if (!files.flash.empty())
        ok = writeWhole(files.flash, memory.flashBytes(), error) && ok;
    if (!files.dataEeprom.empty())
        ok = writeWhole(files.dataEeprom, memory.dataEeprom, error) && ok;
    return ok;
}

}  // namespace velmar::sim
