#include "files/file_bytes.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::string ReadRegularFile(const char* path, size_t maxBytes, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    // Non-blocking, so that opening a FIFO returns at once.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FILE_CANNOT_BE_OPENED;
    struct stat st {};
    std::string problem;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        problem = "is not a regular file";
    else if (uint64_t(st.st_size) > maxBytes)
        problem = "is larger than " + std::to_string(maxBytes >> 20) + " MB";
    else
        bytes.resize(size_t(st.st_size));
    size_t got = 0;
    while (problem.empty() && got < bytes.size()) {
        ssize_t n = read(fd, bytes.data() + got, bytes.size() - got);
        if (n <= 0)
            problem = "cannot be read";
        got += n > 0 ? size_t(n) : 0;
    }
    close(fd);
    return problem;
}
