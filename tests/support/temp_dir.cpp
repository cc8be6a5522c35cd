#include "support/temp_dir.h"
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

TempDir::TempDir()
{
    char old[PATH_MAX];
    m_OldDir = getcwd(old, sizeof old) ? old : "/";
    char templ[] = "/tmp/pesko-test-XXXXXX";
    m_Path = mkdtemp(templ);
    if (chdir(m_Path.c_str()) != 0)
        abort();
}

TempDir::~TempDir()
{
    if (chdir(m_OldDir.c_str()) != 0)
        abort();
    std::string cmd = "rm -rf '" + m_Path + "'";
    if (system(cmd.c_str()) != 0) {
    }
}

std::string TempDir::ReadFile(const std::string& name) const
{
    std::ifstream in(m_Path + "/" + name, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void TempDir::WriteFile(const std::string& name, const std::string& bytes) const
{
    std::ofstream out(m_Path + "/" + name, std::ios::binary);
    out << bytes;
}

bool TempDir::Exists(const std::string& name) const
{
    struct stat st;
    return stat((m_Path + "/" + name).c_str(), &st) == 0;
}

unsigned TempDir::Mode(const std::string& name) const
{
    struct stat st;
    return stat((m_Path + "/" + name).c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}
