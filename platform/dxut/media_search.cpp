#include "dxut/media_search.h"

#include <algorithm>
#include <string>
#include <system_error>

#include "dxut/framework.h"
#include "win32/string_format.h"
#include "win32/utf8.h"

namespace fs = std::filesystem;

std::vector<fs::path> mediaSearchDirectories() {
    std::vector<fs::path> directories;
    std::error_code error;
    const fs::path current = fs::current_path(error);
    if (!error) {
        directories.push_back(current);
    }
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error) {
        directories.push_back(executable.parent_path());
        directories.push_back(executable.parent_path() / "media");
        directories.push_back(
            (executable.parent_path() / ORVANTA_MEDIA_FROM_PROGRAM).lexically_normal());
    }
    directories.push_back(ORVANTA_INSTALLED_MEDIA_DIR);
    return directories;
}

HRESULT findMediaFile(const std::vector<fs::path>& directories, LPCWSTR fileName, WCHAR* destPath,
                      int cchDest) {
    if (destPath == nullptr || cchDest <= 0) {
        return E_INVALIDARG;
    }
    destPath[0] = L'\0';
    if (fileName == nullptr || fileName[0] == L'\0') {
        return E_INVALIDARG;
    }
    std::string name = utf8FromWide(fileName);
    std::replace(name.begin(), name.end(), '\\', '/');
    for (const fs::path& directory : directories) {
        std::error_code error;
        const fs::path candidate = directory / name;
        if (!fs::is_regular_file(candidate, error)) {
            continue;
        }
        const fs::path absolute = fs::absolute(candidate, error).lexically_normal();
        if (error) {
            continue;
        }
        const std::wstring found = wideFromUtf8(absolute.string());
        if (found.size() + 1 > std::size_t(cchDest)) {
            return STRSAFE_E_INSUFFICIENT_BUFFER;
        }
        std::copy(found.begin(), found.end(), destPath);
        destPath[found.size()] = L'\0';
        return S_OK;
    }
    return DXUTERR_MEDIANOTFOUND;
}

HRESULT DXUTFindDXSDKMediaFileCch(WCHAR* destPath, int cchDest, LPCWSTR fileName) {
    return findMediaFile(mediaSearchDirectories(), fileName, destPath, cchDest);
}
