#include "platform/port_names.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace velmar::platform {

namespace fs = std::filesystem;

namespace {

struct Candidate {
    int group;
    std::string prefix;
    long number;
    std::string name;
};

std::optional<Candidate> classify(const std::string& name)
{
    static const std::pair<const char*, int> kGroups[] = {{"ttyUSB", 0}, {"ttyACM", 1}, {"ttyS", 2}};
    for (const auto& [prefix, group] : kGroups) {
        const std::string p = prefix;
        if (name.size() > p.size() && name.compare(0, p.size(), p) == 0) {
            const std::string digits = name.substr(p.size());
            if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
                return std::nullopt;
            return Candidate{group, p, std::strtol(digits.c_str(), nullptr, 10), name};
        }
    }
    return std::nullopt;
}

}  // namespace

PortNames PortNames::discover(const std::string& sysClassTty, const std::string& devDir)
{
    std::vector<Candidate> found;
    std::error_code ec;
    for (fs::directory_iterator it(sysClassTty, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        auto c = classify(name);
        if (!c)
            continue;
        // Only ttys backed by a device; a ttyS without hardware reports type 0 (PORT_UNKNOWN).
        if (!fs::exists(it->path() / "device", ec))
            continue;
        if (c->group == 2) {
            std::ifstream type(it->path() / "type");
            int t = 0;
            if (!(type >> t) || t == 0)
                continue;
        }
        found.push_back(*c);
    }
    std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        return a.group != b.group ? a.group < b.group : a.number < b.number;
    });
    std::vector<std::string> paths;
    for (const auto& c : found)
        paths.push_back(devDir + "/" + c.name);
    return PortNames(std::move(paths));
}

}  // namespace velmar::platform
