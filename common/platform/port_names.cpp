#include "platform/port_names.h"

#include <algorithm>
#include <cstdlib>

namespace velmar::platform {

std::optional<int> PortNames::comNumber(std::string_view name)
{
    if (name.size() < 4 || name.substr(0, 3) != "COM")
        return std::nullopt;
    int n = 0;
    for (char c : name.substr(3)) {
        if (c < '0' || c > '9' || n > 9999)
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    if (n < 1)
        return std::nullopt;
    return n;
}

std::optional<std::string> PortNames::resolve(std::string_view name) const
{
    if (auto n = comNumber(name)) {
        if (static_cast<size_t>(*n) <= paths_.size())
            return paths_[static_cast<size_t>(*n) - 1];
        return std::nullopt;
    }
    if (name.empty())
        return std::nullopt;
    return std::string(name);
}

PortNames PortNames::fromList(std::string_view list)
{
    std::vector<std::string> paths;
    while (!list.empty()) {
        const size_t comma = list.find(',');
        std::string_view item = list.substr(0, comma);
        while (!item.empty() && item.front() == ' ')
            item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ')
            item.remove_suffix(1);
        if (!item.empty())
            paths.emplace_back(item);
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return PortNames(std::move(paths));
}

PortNames PortNames::select(std::string_view portsOption)
{
    if (!portsOption.empty())
        return fromList(portsOption);
    if (const char* env = std::getenv("VELMAR_PORTS"); env && *env)
        return fromList(env);
    return discover();
}

PortNames PortNames::fromComNames(std::vector<std::string> names)
{
    // By number, so that COM10 follows COM9; other names keep their order after them.
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto na = comNumber(a), nb = comNumber(b);
        return na && (!nb || *na < *nb);
    });
    return PortNames(std::move(names));
}

}  // namespace velmar::platform
