// Runs a test inside a fresh empty working directory, removed afterwards.
#pragma once
#include <string>

class TempDir {
public:
    TempDir();   // creates it and changes into it
    ~TempDir();  // changes back and removes it
    const std::string& Path() const { return m_Path; }
    std::string ReadFile(const std::string& name) const;
    void WriteFile(const std::string& name, const std::string& bytes) const;
    bool Exists(const std::string& name) const;
    unsigned Mode(const std::string& name) const;  // its permission bits, 0 when missing

private:
    std::string m_Path;
    std::string m_OldDir;
};
