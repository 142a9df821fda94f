#include "text/Numbers.h"

#include <charconv>
#include <cmath>
#include <string>

namespace quorvane::text {

std::optional<int> ParseInt(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    bool negative = false;
    size_t i = 0;
    if (text[0] == '+' || text[0] == '-') {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 2147483647LL)
        return std::nullopt;
    return static_cast<int>(value);
}

int ParseIntOr(std::string_view text, int fallback) {
    auto v = ParseInt(text);
    return v ? *v : fallback;
}

std::optional<double> ParseDouble(std::string_view text) {
    if (text.empty())
        return std::nullopt;
    std::string_view t = text;
    // One optional sign: from_chars takes "-" itself but not "+".
    if (t.front() == '+') {
        t.remove_prefix(1);
        if (!t.empty() && t.front() == '-')
            return std::nullopt;
    }
    if (t.empty() || t.front() == '+' || t.front() == ' ')
        return std::nullopt;
    double value = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || ptr != t.data() + t.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<uint32_t> ParseHex32(std::string_view text) {
    if (text.empty() || text.size() > 8)
        return std::nullopt;
    uint32_t value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string ShortestText(double value) {
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, ptr) : std::string();
}

std::string ShortestText(float value) {
    char buf[64];
    auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, ptr) : std::string();
}

} // namespace quorvane::text
