#include "scratch_dir.h"

#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

namespace velmar::test {

ScratchDir::ScratchDir()
{
    // A name nobody else has chosen: create_directory fails on one that exists.
    static std::mt19937_64 pick{std::random_device{}()};
    const auto base = std::filesystem::temp_directory_path();
    std::error_code ec;
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = base / ("velmar-test-" + std::to_string(pick() % 1'000'000'000'000u));
        if (std::filesystem::create_directory(candidate, ec)) {
            std::filesystem::permissions(candidate, std::filesystem::perms::owner_all, ec);
            path_ = candidate;
            return;
        }
        if (ec)
            break;
    }
    throw std::system_error(ec, "cannot make a scratch directory");
}

ScratchDir::~ScratchDir()
{
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::size_t ScratchDir::entries() const
{
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(path_), std::filesystem::directory_iterator()));
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::uint8_t> readBytes(const std::string& path)
{
    const std::string bytes = readFile(path);
    return {bytes.begin(), bytes.end()};
}

void writeFile(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

void writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
    writeFile(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace velmar::test
