#include "stored_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "file_io.h"

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

bool replaceStoredFile(const std::string& path, const std::function<bool(FileWriter&)>& write) {
    struct stat status {};
    const bool exists = ::stat(path.c_str(), &status) == 0;
    // Root may write anything: a file without its owner's write permission still counts as
    // read-only, as a desktop user would expect.
    if (exists && (!S_ISREG(status.st_mode) || (status.st_mode & S_IWUSR) == 0 ||
                   ::access(path.c_str(), W_OK) != 0)) {
        return false;
    }
    const std::string temporary = path + ".tmp";
    bool written = false;
    {
        FileWriter writer(temporary.c_str());
        if (writer.isOpen()) {
            writer.setTextMode(false);
            written = write(writer);
            written = writer.close() && written;
        }
    }
    if (written && exists) {
        written = ::chmod(temporary.c_str(), status.st_mode & 07777) == 0;
    }
    if (!written || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}
