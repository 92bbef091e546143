#pragma once

// Sets or removes a variable of this process's environment, on every system.
#include <cstdlib>
#include <string>

namespace velmar::test {

inline void setEnvironment(const std::string& name, const std::string& value)
{
#ifdef _WIN32
    _putenv_s(name.c_str(), value.c_str());
#else
    ::setenv(name.c_str(), value.c_str(), 1);
#endif
}

inline void unsetEnvironment(const std::string& name)
{
#ifdef _WIN32
    _putenv_s(name.c_str(), "");  // an empty value removes it there
#else
    ::unsetenv(name.c_str());
#endif
}

}  // namespace velmar::test
