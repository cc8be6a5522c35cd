#include "data/data_files.h"
#include "data/datafile.h"
#include "data/datafile_check.h"
#include "data/pcx_check.h"
#include "files/file_bytes.h"
#include "files/paths.h"
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The movie reader checks what is inside; here only that it is a plain file.
std::string CheckRegularFileAt(const char* path)
{
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return FILE_CANNOT_BE_OPENED;
    struct stat st {};
    const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    close(fd);
    return regular ? "" : "is not a regular file";
}

std::string CheckData(const char* path)
{
    return CheckDatafileAt(path, ExpectedDataKinds());
}

struct DataFileCheck {
    const char* name;
    std::string (*check)(const char* path);
    bool mayBeMissing;
};

const DataFileCheck DATA_FILE_CHECKS[] = {
    {DATA_FILE, CheckData, false},
    {PATCHES_FILE, CheckPatchSetAt, true},
    {GAME_FONT_FILE, CheckGameFontAt, true},
    {INTRO_MOVIE_FILE, CheckRegularFileAt, true},
};

}  // namespace

std::string CheckGameFontAt(const char* path)
{
    std::vector<uint8_t> bytes;
    std::string problem = ReadRegularFile(path, GAME_FONT_MAX_BYTES, bytes);
    if (problem == FILE_CANNOT_BE_OPENED)
        return "";
    return problem.empty() ? CheckFontPcxBytes(bytes.data(), bytes.size()) : problem;
}

std::string CheckDataFiles()
{
    for (const DataFileCheck& file : DATA_FILE_CHECKS) {
        std::string problem = file.check(DataPath(file.name).c_str());
        if (problem == FILE_CANNOT_BE_OPENED && file.mayBeMissing)
            continue;
        if (!problem.empty())
            return std::string(file.name) + ": " + problem;
    }
    return "";
}
