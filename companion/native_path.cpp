// Paths between the process's code page and Windows' UTF-16 (see the header).
#include "companion/native_path.h"

std::filesystem::path nativePath(const std::string& path) {
#ifdef _WIN32
    return std::filesystem::path(widePath(path));
#else
    return std::filesystem::path(path);
#endif
}

#ifdef _WIN32
#include <windows.h>

std::wstring widePath(const std::string& path) {
    int length = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                     nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), &wide[0], length);
    return wide;
}

std::string narrowPath(const std::wstring& path) {
    int length = WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                     nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    WideCharToMultiByte(CP_ACP, 0, path.data(), static_cast<int>(path.size()), &narrow[0], length,
                        nullptr, nullptr);
    return narrow;
}
#endif
