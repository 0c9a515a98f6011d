// Paths built and given to the system (see the header).
#include "companion/native_path.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {
constexpr wchar_t extendedPrefix[] = L"\\\\?\\";
constexpr wchar_t devicePrefix[] = L"\\\\.\\";
constexpr wchar_t sharePrefix[] = L"\\\\";
constexpr wchar_t extendedSharePrefix[] = L"\\\\?\\UNC\\";

bool beginsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.compare(0, std::char_traits<wchar_t>::length(prefix), prefix) == 0;
}
}  // namespace

bool isPathSeparator(char c) {
#ifdef _WIN32
    return c == '/' || c == '\\';
#else
    return c == '/';
#endif
}

std::string pathInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    return isPathSeparator(folder.back()) ? folder + name : folder + nativeSeparator + name;
}

std::string folderPartOf(const std::string& path) {
#ifdef _WIN32
    const std::size_t end = path.find_last_of("/\\:");
#else
    const std::size_t end = path.rfind('/');
#endif
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

std::wstring extendedLengthPath(const std::wstring& fullPath) {
    if (beginsWith(fullPath, extendedPrefix) || beginsWith(fullPath, devicePrefix)) {
        return fullPath;
    }
    if (beginsWith(fullPath, sharePrefix)) {
        return extendedSharePrefix + fullPath.substr(2);
    }
    return extendedPrefix + fullPath;
}

#ifdef _WIN32
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

// GetFullPathNameW takes and gives paths of any length; a path it cannot make
// full is given on as it is, for the call to refuse with its own reason.
std::wstring systemPath(const std::string& path) {
    const std::wstring wide = widePath(path);
    if (wide.empty()) {
        return wide;
    }
    const DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(needed, L'\0');
    const DWORD length = needed > 0 ? GetFullPathNameW(wide.c_str(), needed, &full[0], nullptr)
                                    : 0;
    if (length == 0 || length >= needed) {
        return wide;
    }
    full.resize(length);
    return extendedLengthPath(full);
}
#endif
