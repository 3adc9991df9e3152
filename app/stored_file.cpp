#include "stored_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <optional>

#include "diagnostic_log.h"
#include "file_io.h"

namespace {

// Names tried before a save gives up; a clash needs another save to pick the same 64 bits.
constexpr int kNameAttempts = 16;
constexpr size_t kUniqueDigits = 16;
constexpr const char* kTemporarySuffix = ".tmp";
// Symbolic links a save follows before it gives up, as many as the kernel follows in a path.
constexpr int kMaxLinks = 40;

// What stopped a save, and the system's error (0 where there is none to tell).
struct Refusal {
    const char* what;
    int error;
};

uint64_t mixed(uint64_t x) {
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ull;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebull;
    return x ^ (x >> 31);
}

// "<base>.<16 hex digits>.tmp": the load screen lists only "*.pzl", so it never shows one.
std::string temporaryName(const std::string& base) {
    static std::atomic<uint64_t> saves{0};
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const uint64_t unique = mixed(
        mixed(static_cast<uint64_t>(::getpid()) ^ saves.fetch_add(1)) ^
        (static_cast<uint64_t>(now.tv_sec) * 1000000000ull + static_cast<uint64_t>(now.tv_nsec)));
    char digits[kUniqueDigits + 1];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(unique));
    return base + "." + digits + kTemporarySuffix;
}

bool isTemporaryOf(const std::string& entry, const std::string& base) {
    const size_t suffix = std::char_traits<char>::length(kTemporarySuffix);
    if (entry.size() != base.size() + 1 + kUniqueDigits + suffix ||
        entry.compare(0, base.size(), base) != 0 || entry[base.size()] != '.' ||
        entry.compare(entry.size() - suffix, suffix, kTemporarySuffix) != 0) {
        return false;
    }
    for (size_t i = base.size() + 1; i < base.size() + 1 + kUniqueDigits; ++i) {
        const char c = entry[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) {
            return false;
        }
    }
    return true;
}

// True while `name` in `folder` is the file open as `fd`.
bool isNamed(int folder, const std::string& name, int fd) {
    struct stat opened {}, named {};
    return ::fstat(fd, &opened) == 0 &&
           ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// The folder opened for reading, as a listing and a sync need: -1 for a folder that may be
// written but not listed.
int openListing(int folder) {
    return ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// Every save holds a lock on its temporary until it is done with it, so a temporary of the
// target that nobody holds is a killed save's: it goes. A live save's, a FIFO or a symlink
// of that shape is left alone, and the lock keeps this right across pid namespaces. A folder
// the user may not list is not swept.
void sweepDeadTemporaries(int folder, const std::string& base) {
    const int listing = openListing(folder);
    DIR* entries = listing >= 0 ? ::fdopendir(listing) : nullptr;
    if (entries == nullptr) {
        if (listing >= 0) {
            ::close(listing);
        }
        return;
    }
    while (const dirent* entry = ::readdir(entries)) {
        struct stat named {};
        if (!isTemporaryOf(entry->d_name, base) ||
            ::fstatat(folder, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(named.st_mode)) {
            continue;
        }
        const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        int fd = ::openat(folder, entry->d_name, O_RDONLY | flags);
        if (fd < 0) {
            fd = ::openat(folder, entry->d_name, O_WRONLY | flags);  // a write-only target's
        }
        if (fd < 0) {
            continue;
        }
        if (isNamed(folder, entry->d_name, fd) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlinkat(folder, entry->d_name, 0);
        }
        ::close(fd);
    }
    ::closedir(entries);
}

// The save's own temporary in the target's folder, locked (see the sweep), under a fresh name
// that is created, never opened, so no FIFO or symlink planted there is used. Only its owner
// may read it until it takes the mode of the file it replaces.
int openTemporary(int folder, const std::string& base, std::string& name) {
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = temporaryName(base);
        const int fd = ::openat(folder, name.c_str(),
                                O_CREAT | O_EXCL | O_NOFOLLOW | O_WRONLY | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST) {
            continue;
        }
        if (fd < 0) {
            break;
        }
        // A sweep may take it for dead in the instant before this lock and remove it: once
        // locked and still under its name, it is ours.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK) {
                return fd;  // a file system without locks has no sweep either
            }
        } else if (isNamed(folder, name, fd)) {
            return fd;
        }
        ::close(fd);
    }
    name.clear();
    return -1;
}

// The umask, read without setting it: umask() reads it only by changing it, which would
// race a save on another thread. -1 where /proc does not tell.
int currentUmask() {
    FILE* status = std::fopen("/proc/self/status", "re");
    if (status == nullptr) {
        return -1;
    }
    int mask = -1;
    char line[256];
    unsigned value = 0;
    while (mask < 0 && std::fgets(line, sizeof line, status) != nullptr) {
        if (std::sscanf(line, "Umask: %o", &value) == 1) {
            mask = static_cast<int>(value & 0777);
        }
    }
    std::fclose(status);
    return mask;
}

// Gives the temporary what the file it replaces has, as far as the saver may: the owner only
// root may give, the group any member of it. The owner goes first, as a change of owner clears
// the set-id bits. A temporary left with another group loses the group's bits, so no group
// reads the file that could not before. A new file gets what a plain create would have.
bool takeOver(int fd, const struct stat* old) {
    if (old == nullptr) {
        const int mask = currentUmask();
        return mask < 0 || ::fchmod(fd, 0666 & ~static_cast<mode_t>(mask)) == 0;
    }
    mode_t mode = old->st_mode & 07777;
    if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
        if (old->st_uid != ::geteuid()) {
            mode &= ~S_ISUID;  // the saver's now
        }
        if (::fchown(fd, static_cast<uid_t>(-1), old->st_gid) != 0) {
            mode &= ~(S_ISGID | S_IRWXG);
        }
    }
    return ::fchmod(fd, mode) == 0;
}

// Writes the temporary whole, gives it what `old` has (null: a new file) and renames it over
// `base`; the refusal, with nothing replaced, where a step failed.
std::optional<Refusal> writeAndRename(int folder, const std::string& base, const struct stat* old,
                                      const std::function<bool(FileWriter&)>& write) {
    std::string name;
    const int fd = openTemporary(folder, base, name);
    if (fd < 0) {
        return Refusal{"no temporary can be made in its folder", errno};
    }
    // The stream closes its own copy, so `fd` and its lock stay for syncing and the rename.
    const int streamFd = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    FILE* stream = streamFd >= 0 ? ::fdopen(streamFd, "wb") : nullptr;
    int error = stream == nullptr ? errno : 0;
    if (stream == nullptr && streamFd >= 0) {
        ::close(streamFd);
    }
    bool written = false;
    {
        FileWriter writer(stream);
        if (writer.isOpen()) {
            writer.setTextMode(false);
            written = write(writer);
            // Only a stream that failed has an error of its own to tell.
            const bool closed = writer.close();
            error = closed ? 0 : errno;
            written = closed && written;
        }
    }
    // Synced before the rename, so that after a crash the target is the old file or the new
    // one whole.
    std::optional<Refusal> refusal;
    if (!written) {
        refusal = Refusal{"the write failed", error};
    } else if (!takeOver(fd, old)) {
        refusal = Refusal{"its owner and permissions cannot be kept", errno};
    } else if (::fsync(fd) != 0) {
        refusal = Refusal{"the sync failed", errno};
    } else if (::renameat(folder, name.c_str(), folder, base.c_str()) != 0) {
        refusal = Refusal{"the rename failed", errno};
    }
    if (refusal) {
        ::unlinkat(folder, name.c_str(), 0);
    } else if (const int listing = openListing(folder); listing >= 0) {
        // The rename lasts a crash once the folder is synced. The new file is in place by now,
        // and some file systems cannot sync a folder, so a failure here refuses nothing.
        ::fsync(listing);
        ::close(listing);
    }
    ::close(fd);
    return refusal;
}

// Follows `path` to the file a save of it replaces: the end of its chain of symbolic links,
// each relative link read from the link's own folder. False, with errno, where the chain is
// too long (ELOOP) or a link cannot be read.
bool followLinks(std::string& path) {
    for (int followed = 0;; ++followed) {
        struct stat named {};
        if (::lstat(path.c_str(), &named) != 0 || !S_ISLNK(named.st_mode)) {
            return true;  // the end of the chain, there or to be created
        }
        if (followed == kMaxLinks) {
            errno = ELOOP;
            return false;
        }
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0) {
            return false;
        }
        if (static_cast<size_t>(length) == sizeof target) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string link(target, static_cast<size_t>(length));
        const size_t slash = path.rfind('/');
        path = link.starts_with('/') || slash == std::string::npos
                   ? link
                   : path.substr(0, slash + 1) + link;
    }
}

std::optional<Refusal> replace(std::string path, const std::function<bool(FileWriter&)>& write) {
    if (!followLinks(path)) {
        return Refusal{"its symbolic links cannot be followed", errno};
    }
    struct stat status {};
    const bool exists = ::stat(path.c_str(), &status) == 0;
    if (!exists && errno != ENOENT) {
        return Refusal{"it cannot be looked up", errno};
    }
    // Root may write anything: a file without its owner's write permission still counts as
    // read-only, as a desktop user would expect.
    if (exists && (!S_ISREG(status.st_mode) || (status.st_mode & S_IWUSR) == 0 ||
                   ::access(path.c_str(), W_OK) != 0)) {
        return Refusal{"the file may not be written", 0};
    }
    const size_t slash = path.rfind('/');
    const std::string folderPath = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    if (base.empty()) {
        return Refusal{"it names a folder", 0};
    }
    // Only a path: a folder the user may write but not list still takes a save.
    const int folder = ::open(folderPath.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        return Refusal{"its folder cannot be opened", errno};
    }
    sweepDeadTemporaries(folder, base);
    const std::optional<Refusal> refusal =
        writeAndRename(folder, base, exists ? &status : nullptr, write);
    ::close(folder);
    return refusal;
}

}  // namespace

FILE* openStoredFile(const char* path) {
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return nullptr;
    }
    FILE* stream = ::fdopen(fd, "rb");
    if (stream == nullptr) {
        ::close(fd);
    }
    return stream;
}

void logUnsavedFile(const std::string& name, const char* why) {
    logPrintf("File \"%s\" not saved: %s\n", name.c_str(), why);
}

bool replaceStoredFile(const std::string& path, const std::function<bool(FileWriter&)>& write) {
    const std::optional<Refusal> refusal = replace(path, write);
    if (refusal) {
        const std::string why =
            refusal->error == 0 ? std::string(refusal->what)
                                : std::string(refusal->what) + ": " + std::strerror(refusal->error);
        logUnsavedFile(path, why.c_str());
    }
    return !refusal;
}
