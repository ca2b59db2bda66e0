// A fresh temporary installation root ($Proot) per test.
#pragma once

#include <string>

namespace tk {

class TempRoot {
public:
    TempRoot();   // creates <tmp>/install/tmp
    ~TempRoot();  // removes the whole tree
    TempRoot(const TempRoot&) = delete;
    TempRoot& operator=(const TempRoot&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& rel) const { return path_ + "/" + rel; }
    // Writes a file below the root, creating its directories.
    std::string write(const std::string& rel, const std::string& bytes, int mode = 0644) const;
    std::string read(const std::string& rel) const;
    bool exists(const std::string& rel) const;
    std::string mkdir(const std::string& rel) const;

private:
    std::string path_;
};

// Whole-file helpers for absolute paths.
std::string readFile(const std::string& path);  // throws when unreadable
void writeFile(const std::string& path, const std::string& bytes, int mode = 0644);
void makeDirs(const std::string& path);
void removeTree(const std::string& path);

}  // namespace tk
