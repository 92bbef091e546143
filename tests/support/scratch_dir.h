#pragma once

// A fresh private directory under the system's temporary directory, removed with the object.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmar::test {

class ScratchDir {
public:
    // Throws std::system_error if the directory cannot be made (a test then fails, not crashes).
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    // How many entries the directory holds (to see that nothing was left behind).
    std::size_t entries() const;

private:
    std::filesystem::path path_;
};

// A whole file's bytes; empty if it cannot be read.
std::string readFile(const std::string& path);
std::vector<std::uint8_t> readBytes(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace velmar::test
