#include "support/file_tree.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace queltests {

namespace fs = std::filesystem;

namespace {

Bytes bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#ifdef _WIN32
// Calls `onEntry` with each name in `folder` (an extended-length path) but .
// and .., and whether it is a folder.
void forEachEntry(const std::wstring& folder,
                  const std::function<void(const std::wstring&, bool)>& onEntry) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") {
            onEntry(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

std::wstring extendedPath(const fs::path& folder) {
    return L"\\\\?\\" + fs::absolute(folder).make_preferred().wstring();
}

void walk(const std::wstring& folder, const std::string& relative,
          const std::function<void(const std::string&, const Bytes&)>& onFile) {
    forEachEntry(folder, [&](const std::wstring& name, bool isFolder) {
        const std::string path = relative + fs::path(name).u8string();
        if (isFolder) {
            walk(folder + L"\\" + name, path + "/", onFile);
        } else {
            onFile(path, bytesOf(fs::path(folder + L"\\" + name)));
        }
    });
}

void removeBelow(const std::wstring& folder) {
    forEachEntry(folder, [&](const std::wstring& name, bool isFolder) {
        const std::wstring path = folder + L"\\" + name;
        if (isFolder) {
            removeBelow(path);
            RemoveDirectoryW(path.c_str());
        } else {
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
    });
}
#endif

}  // namespace

void forEachFileBelow(const fs::path& folder,
                      const std::function<void(const std::string&, const Bytes&)>& onFile) {
#ifdef _WIN32
    walk(extendedPath(folder), "", onFile);
#else
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            onFile(entry.path().lexically_relative(folder).generic_u8string(),
                   bytesOf(entry.path()));
        }
    }
#endif
}

bool writeFileBelow(const fs::path& folder, const std::string& relative, const Bytes& bytes) {
#ifdef _WIN32
    std::wstring path = extendedPath(folder);
    std::size_t at = 0;
    for (std::size_t slash; (slash = relative.find('/', at)) != std::string::npos; at = slash + 1) {
        path += L"\\" + fs::u8path(relative.substr(at, slash - at)).wstring();
        CreateDirectoryW(path.c_str(), nullptr);
    }
    std::ofstream out(fs::path(path + L"\\" + fs::u8path(relative.substr(at)).wstring()),
                      std::ios::binary);
#else
    fs::create_directories((folder / relative).parent_path());
    std::ofstream out(folder / relative, std::ios::binary);
#endif
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

void removeTree(const fs::path& folder) {
#ifdef _WIN32
    removeBelow(extendedPath(folder));
    RemoveDirectoryW(extendedPath(folder).c_str());
#else
    std::error_code ignored;
    fs::remove_all(folder, ignored);
#endif
}

std::string deepFolder(const std::string& top) {
    std::string path = top;
    for (int level = 0; level < 7; ++level) {
        path += "/" + std::string(level == 3 ? 100 : 30, static_cast<char>('a' + level));
    }
    return path;
}

std::string windowsPath(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

}  // namespace queltests
