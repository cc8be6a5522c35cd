#include "files/save_file.h"
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static std::string Reason(int error)
{
    return strerror(error);
}

SaveFileState ReadSaveFile(const std::string& path, unsigned char* bytes, size_t size, size_t& got, std::string& why)
{
    got = 0;
    // O_NONBLOCK: opening a FIFO with no writer returns at once instead of waiting.
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            struct stat st;
            // A dangling symlink is still the player's, not a missing file.
            return lstat(path.c_str(), &st) == 0 ? (why = "a broken link", SaveFileState::Unusable)
                                                 : SaveFileState::Missing;
        }
        why = Reason(errno);
        return SaveFileState::Unusable;
    }
    struct stat st;
    SaveFileState state = SaveFileState::Read;
    if (fstat(fd, &st) != 0) {
        why = Reason(errno);
        state = SaveFileState::Unusable;
    } else if (!S_ISREG(st.st_mode)) {
        why = "not a regular file";
        state = SaveFileState::Unusable;
    } else if (static_cast<size_t>(st.st_size) > LARGEST_SAVE_FILE) {
        why = "larger than " + std::to_string(LARGEST_SAVE_FILE) + " bytes";
        state = SaveFileState::Unusable;
    }
    while (state == SaveFileState::Read && got < size) {
        ssize_t n = read(fd, bytes + got, size - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = Reason(errno);
            state = SaveFileState::Unusable;
        }
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    close(fd);
    return state;
}

// What stands at `path` now: nothing, or a regular file we may replace.
static bool MayReplace(const std::string& path, mode_t& mode, std::string& why)
{
    struct stat st;
    mode = 0644;
    if (lstat(path.c_str(), &st) != 0)
        return errno == ENOENT || (why = Reason(errno), false);
    if (!S_ISREG(st.st_mode)) {
        why = "not a regular file";
        return false;
    }
    // No write bit for anyone is the player's "keep this"; root's access() would say yes.
    if ((st.st_mode & 0222) == 0 || access(path.c_str(), W_OK) != 0) {
        why = "the file is read-only";
        return false;
    }
    mode = st.st_mode & 07777;
    return true;
}

static bool WriteAll(int fd, const unsigned char* bytes, size_t size)
{
    while (size > 0) {
        ssize_t n = write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool WriteSaveFile(const std::string& path, const unsigned char* bytes, size_t size, std::string& why)
{
    mode_t mode;
    if (!MayReplace(path, mode, why))
        return false;
    std::string temp = path + ".new";
    unlink(temp.c_str());  // a leftover of a crash, or something planted there
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        why = Reason(errno);
        return false;
    }
    bool ok = WriteAll(fd, bytes, size) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    int error = errno;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temp.c_str(), path.c_str()) == 0)
        return true;
    why = Reason(ok ? errno : error);
    unlink(temp.c_str());
    return false;
}
