// DXUTFindDXSDKMediaFileCch: finds a file the application loads at run time (the effect).
//
// Looks, in order, in the current directory, the executable's directory, its media/
// subdirectory, the installed media as seen from an installed executable (../share/orvanta/
// media) and the configured installed data directory; never in the source tree, so an
// installed program does not load the build machine's files (the build tree's programs find
// them through a media link beside them). A name may use '\' or '/' between folders. The path
// returned is absolute, so it stays valid when the application changes directory. A name not
// found, or a path that does not fit the buffer, fails and leaves an empty string, never a
// truncated path.
#pragma once

#include <filesystem>
#include <vector>

#include "win32/hresult.h"

HRESULT DXUTFindDXSDKMediaFileCch(WCHAR* destPath, int cchDest, LPCWSTR fileName);

// The directories searched, in order.
std::vector<std::filesystem::path> mediaSearchDirectories();
// The search itself, over the given directories.
HRESULT findMediaFile(const std::vector<std::filesystem::path>& directories, LPCWSTR fileName,
                      WCHAR* destPath, int cchDest);
