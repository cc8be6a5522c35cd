#include "files/file_bytes.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

static std::string SizeText(size_t bytes)
{
    constexpr size_t MB = size_t(1) << 20;
    return bytes % MB == 0 ? std::to_string(bytes / MB) + " MB" : std::to_string(bytes) + " bytes";
}

// The one opening of a file for reading. O_NONBLOCK: opening a FIFO with no
// writer returns at once; fstat then refuses it, a device or a folder before
// any read. `openError` is open's errno, 0 when it opened. Returns "" when read.
static std::string ReadWhole(const char* path, int moreFlags, size_t maxBytes, std::vector<uint8_t>& bytes,
                             int& openError)
{
    bytes.clear();
    openError = 0;
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | moreFlags);
    if (fd < 0) {
        openError = errno;
        return FILE_CANNOT_BE_OPENED;
    }
    struct stat st {};
    std::string problem;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        problem = "is not a regular file";
    else if (uint64_t(st.st_size) > maxBytes)
        problem = "is larger than " + SizeText(maxBytes);
    else
        bytes.resize(size_t(st.st_size));
    size_t got = 0;
    while (problem.empty() && got < bytes.size()) {
        ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            problem = "cannot be read";
        if (n <= 0)
            break;  // a file that shrank while read is what it holds now
        got += size_t(n);
    }
    bytes.resize(problem.empty() ? got : 0);
    close(fd);
    return problem;
}

std::string ReadRegularFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes)
{
    int openError;
    return ReadWhole(path, 0, maxBytes, bytes, openError);
}

bool IsRegularFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Files found unusable, or that the game must not write in this run.
static std::set<std::string> s_KeptFiles;

void KeepFileAsItIs(const std::string& path)
{
    s_KeptFiles.insert(path);
}

static bool IsThere(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

PlayerFile ReadPlayerFile(const std::string& path, std::vector<uint8_t>& bytes, size_t maxBytes)
{
    int openError;
    std::string problem = ReadWhole(path.c_str(), 0, maxBytes, bytes, openError);
    if (problem.empty())
        return PlayerFile::Read;
    if (openError == ENOENT && !IsThere(path))
        return PlayerFile::Missing;
    if (openError == ENOENT)
        problem = "is a broken link";
    else if (openError)
        problem += std::string(" (") + strerror(openError) + ")";
    // pesko.cfg is read by the display's and the controls' settings: one line says it.
    static std::set<std::string> s_Reported;
    if (s_Reported.insert(path).second)
        fprintf(stderr, "pesko: %s %s; using defaults and leaving it as it is\n", path.c_str(), problem.c_str());
    KeepFileAsItIs(path);
    return PlayerFile::Unusable;
}

bool WritePlayerFile(const std::string& path, const void* bytes, size_t size)
{
    if (s_KeptFiles.count(path))
        return false;
    std::string why;
    if (WriteFileAtomically(path, bytes, size, why))
        return true;
    fprintf(stderr, "pesko: %s was not saved: %s\n", path.c_str(), why.c_str());
    return false;
}

std::string WriterTempPath(const std::string& path)
{
    return path + ".new";
}

// What stands at `path` now: nothing, a link (replaced by a new file) or a
// regular file we may replace. `mode` is what the new file gets.
static bool MayReplace(const std::string& path, mode_t& mode, std::string& why)
{
    struct stat st;
    mode = 0644;
    if (lstat(path.c_str(), &st) != 0)
        return errno == ENOENT || (why = strerror(errno), false);
    if (S_ISLNK(st.st_mode))
        return true;
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

static bool RemoveIfRegularFile(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && unlink(path.c_str()) == 0;
}

// O_EXCL and O_NOFOLLOW: the new file is always one we made, never a link's target.
static int CreateTemp(const std::string& temp)
{
    const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
    int fd = open(temp.c_str(), flags, 0600);
    if (fd < 0 && errno == EEXIST && RemoveIfRegularFile(temp))  // a killed save's leftover
        fd = open(temp.c_str(), flags, 0600);
    return fd;
}

static bool WriteAll(int fd, const unsigned char* bytes, size_t size)
{
    while (size > 0) {
        ssize_t n = write(fd, bytes, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            errno = n == 0 ? EIO : errno;
            return false;
        }
        bytes += n;
        size -= size_t(n);
    }
    return true;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
}

// The rename is on the disk only once the folder is.
static void SyncFolderOf(const std::string& path)
{
    int fd = open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool WriteFileAtomically(const std::string& path, const void* bytes, size_t size, std::string& why)
{
    mode_t mode;
    if (!MayReplace(path, mode, why))
        return false;
    std::string temp = WriterTempPath(path);
    int fd = CreateTemp(temp);
    if (fd < 0) {
        why = strerror(errno);
        return false;
    }
    bool ok = WriteAll(fd, static_cast<const unsigned char*>(bytes), size) && fchmod(fd, mode) == 0 &&
              fsync(fd) == 0;
    int error = errno;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temp.c_str(), path.c_str()) == 0) {
        SyncFolderOf(path);
        return true;
    }
    why = strerror(ok ? errno : error);
    unlink(temp.c_str());
    return false;
}

void RemoveWriterLeftovers(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths)
        RemoveIfRegularFile(WriterTempPath(path));
}

bool CopyFileIfAbsent(const std::string& from, const std::string& to, size_t maxBytes)
{
    std::vector<uint8_t> bytes;
    int openError;
    // O_NOFOLLOW: only a real file of the old folder is carried over.
    if (IsThere(to) || !ReadWhole(from.c_str(), O_NOFOLLOW, maxBytes, bytes, openError).empty())
        return false;
    std::string why;
    return WriteFileAtomically(to, bytes.data(), bytes.size(), why);
}
