#pragma once

// Runs a test under de_DE.UTF-8, a locale that writes decimals with a comma, as the programs
// run for such a user once Qt (or velmarctl) has called setlocale(LC_ALL, ""). For the guard's
// lifetime the process's locale is that one and LC_ALL names it to the programs the test starts;
// both are put back at the end.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace velmar::test {

class CommaLocale {
public:
    static constexpr const char* kName = "de_DE.UTF-8";

    CommaLocale() : saved_(std::setlocale(LC_ALL, nullptr))
    {
        if (const char* env = std::getenv("LC_ALL"))
            savedEnv_ = env;
        active_ = std::setlocale(LC_ALL, kName) && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
        if (active_)
            ::setenv("LC_ALL", kName, 1);
        else
            std::setlocale(LC_ALL, saved_.c_str());
    }
    ~CommaLocale()
    {
        std::setlocale(LC_ALL, saved_.c_str());
        if (savedEnv_)
            ::setenv("LC_ALL", savedEnv_->c_str(), 1);
        else
            ::unsetenv("LC_ALL");
    }
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;
    bool active() const { return active_; }

private:
    std::string saved_;
    std::optional<std::string> savedEnv_;
    bool active_ = false;
};

}  // namespace velmar::test

#define SKIP_WITHOUT_COMMA_LOCALE(locale) \
    if (!(locale).active())               \
    GTEST_SKIP() << "the de_DE.UTF-8 locale cannot be set (scripts/setup.sh generates it)"
