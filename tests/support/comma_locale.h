#pragma once

// Runs a test under de_DE.UTF-8 (German on Windows), a locale that writes decimals with a comma, as the programs
// run for such a user once Qt (or velmarctl) has called setlocale(LC_ALL, ""). For the guard's
// lifetime the process's locale is that one and LC_ALL names it to the programs the test starts;
// both are put back at the end.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "environment.h"

namespace velmar::test {

class CommaLocale {
public:
#ifdef _WIN32
    static constexpr const char* kName = "German_Germany.1252";
#else
    static constexpr const char* kName = "de_DE.UTF-8";
#endif

    CommaLocale() : saved_(std::setlocale(LC_ALL, nullptr))
    {
        if (const char* env = std::getenv("LC_ALL"))
            savedEnv_ = env;
        active_ = std::setlocale(LC_ALL, kName) && std::strcmp(std::localeconv()->decimal_point, ",") == 0;
        if (active_)
            setEnvironment("LC_ALL", kName);
        else
            std::setlocale(LC_ALL, saved_.c_str());
    }
    ~CommaLocale()
    {
        std::setlocale(LC_ALL, saved_.c_str());
        if (savedEnv_)
            setEnvironment("LC_ALL", *savedEnv_);
        else
            unsetEnvironment("LC_ALL");
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

#define SKIP_WITHOUT_COMMA_LOCALE(locale)                      \
    if (!(locale).active())                                    \
    GTEST_SKIP() << "the " << velmar::test::CommaLocale::kName \
                 << " locale cannot be set (scripts/setup.sh generates it)"
