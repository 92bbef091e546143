#include "unitlink/unit_numbers.h"

#include <charconv>
#include <cmath>

namespace velmar::unitlink {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

void skipBlanks(std::string_view& text)
{
    size_t at = 0;
    while (at < text.size() && isBlank(text[at]))
        ++at;
    text.remove_prefix(at);
}

}  // namespace

std::string_view takeWord(std::string_view& text)
{
    skipBlanks(text);
    size_t end = 0;
    while (end < text.size() && !isBlank(text[end]))
        ++end;
    const std::string_view word = text.substr(0, end);
    text.remove_prefix(end);
    return word;
}

std::optional<double> takeDecimal(std::string_view& text)
{
    std::string_view rest = text;
    skipBlanks(rest);
    if (!rest.empty() && rest[0] == '+')  // from_chars takes a minus sign only
        rest.remove_prefix(1);
    double value = 0.0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value, std::chars_format::fixed);
    if (error != std::errc() || !std::isfinite(value))
        return std::nullopt;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return value;
}

std::optional<uint32_t> takeHex(std::string_view& text)
{
    std::string_view rest = text;
    skipBlanks(rest);
    if (rest.size() > 2 && rest[0] == '0' && (rest[1] == 'x' || rest[1] == 'X'))
        rest.remove_prefix(2);
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value, 16);
    if (error != std::errc())
        return std::nullopt;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return value;
}

std::string fixedTwoDecimals(double value)
{
    char text[400];  // the largest double has 309 digits before the point
    const auto [end, error] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return error == std::errc() ? std::string(text, end) : std::string("0.00");
}

}  // namespace velmar::unitlink
