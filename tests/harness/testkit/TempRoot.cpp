#include "TempRoot.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

namespace tk {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("tk: cannot read " + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

void makeDirs(const std::string& path) { fs::create_directories(path); }

void writeFile(const std::string& path, const std::string& bytes, int mode) {
    fs::create_directories(fs::path(path).parent_path());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        if (!(out << bytes)) throw std::runtime_error("tk: cannot write " + path);
    }
    fs::permissions(path, static_cast<fs::perms>(mode));
}

void removeTree(const std::string& path) {
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

TempRoot::TempRoot() {
    char tmpl[] = "/tmp/tk_root.XXXXXX";
    if (!mkdtemp(tmpl)) throw std::runtime_error("tk: mkdtemp failed");
    path_ = tmpl;
    makeDirs(file("install/tmp"));
}

TempRoot::~TempRoot() { removeTree(path_); }

std::string TempRoot::write(const std::string& rel, const std::string& bytes, int mode) const {
    writeFile(file(rel), bytes, mode);
    return file(rel);
}

std::string TempRoot::read(const std::string& rel) const { return readFile(file(rel)); }

bool TempRoot::exists(const std::string& rel) const { return fs::exists(fs::symlink_status(file(rel))); }

std::string TempRoot::mkdir(const std::string& rel) const {
    makeDirs(file(rel));
    return file(rel);
}

}  // namespace tk
