#include <windows.h>

#include "platform/port_names.h"
#include "platform/win32_text.h"

namespace velmar::platform {

PortNames PortNames::discover()
{
    // Every serial port driver names its ports here ("\Device\Serial0" = "COM1"); reading the
    // list opens no port.
    std::vector<std::string> names;
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return {};
    for (DWORD index = 0;; ++index) {
        wchar_t valueName[256];
        DWORD valueNameSize = 256;
        wchar_t data[64];
        DWORD dataSize = sizeof data - sizeof(wchar_t);
        DWORD type = 0;
        const LONG r = RegEnumValueW(key, index, valueName, &valueNameSize, nullptr, &type,
                                     reinterpret_cast<BYTE*>(data), &dataSize);
        if (r == ERROR_NO_MORE_ITEMS)
            break;
        if (r != ERROR_SUCCESS || type != REG_SZ)
            continue;
        data[dataSize / sizeof(wchar_t)] = L'\0';
        names.push_back(win32::narrow(data));
    }
    RegCloseKey(key);
    return fromComNames(std::move(names));
}

}  // namespace velmar::platform
