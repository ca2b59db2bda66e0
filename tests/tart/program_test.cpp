// The tart program run as a process, one table of rows {archive, arguments,
// how the archive arrives, expected output, messages and status}.  The
// archives are written by the real GNU tar and bsdtar from a tree made here,
// with chosen modes, owners and times; a few are made by hand.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "Process.h"
#include "TempRoot.h"

namespace {

using V = std::vector<std::string>;

std::string shq(const std::string& s) { return "'" + s + "'"; }

const std::string kLong = "long/" + std::string(60, 'd');

// The archives, made once from the files below root/tree.
struct Archives {
    Archives() {
        std::mt19937 rng(4);
        std::string big(1536 * 1024 + 123, '\0');
        for (char& c : big) c = static_cast<char>(rng());
        // Path (a directory when it ends in "/"), mode, contents, modification time.
        const struct {
            std::string path;
            mode_t mode;
            std::string data;
            time_t time;
        } files[] = {
            {"usr/lib/old/y", 0664, "y\n", 1059999999},
            {"usr/lib/old/", 0700, "", 1234567890},
            {"usr/lib/", 0755, "", 1720000000},
            {"usr/a", 0644, "hello, world\n", 991750020},
            {"usr/big", 0640, big, 946684799},
            {"usr/bin/sgid", 02711, std::string(700, '\xE9'), 826034820},
            {"usr/bin/nox", 04644, "x", 991750020},
            {"usr/bin/", 0755, "", 1234567890},
            {"usr/tmp/", 01777, "", 1700000000},
            {"usr/libx", 0644, "libx\n", 826034820},
            {"usr/", 0755, "", 826034820},
            {"caf\xC3\xA9 na\xC3\xAFve", 0644, "cr\xC3\xA8me\n", 1700000000},
            {kLong + "/" + std::string(99, 'f'), 0644, "long\n", 991750020},
            {kLong + "/", 0755, "", 826034820},
            {"long/", 0755, "", 1720000000},
            {"old", 0600, "old\n", -86400 * 400},
            {"after", 0644, "after", 0},
        };
        for (const auto& f : files) {
            tk::makeDirs(at(f.path.substr(0, f.path.rfind('/') + 1)));
            if (f.path.back() != '/') root.write("tree/" + f.path, f.data);
            chmod(at(f.path).c_str(), f.mode);
        }
        EXPECT_EQ(link(at("usr/a").c_str(), at("usr/hard").c_str()), 0);
        EXPECT_EQ(symlink("a", at("usr/link").c_str()), 0);
        EXPECT_EQ(symlink(std::string(150, 't').c_str(), at("long/link").c_str()), 0);
        const int holes = open(at("holes").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
        for (int i = 0; i < 12; ++i)  // more regions than an old GNU header holds
            EXPECT_EQ(pwrite(holes, "data", 4, i * 65536 + 1000), 4);
        EXPECT_EQ(pwrite(holes, "z", 1, 2000000), 1);
        close(holes);
        // Times last, of the links themselves, contents before their directories.
        std::vector<std::pair<std::string, time_t>> times = {{"usr/link", 1700000000}, {"long/link", 946684799}};
        for (const auto& f : files) times.emplace_back(f.path, f.time);
        for (const auto& [path, time] : times) {
            const struct timespec ts[2] = {{time, 0}, {time, 0}};
            utimensat(AT_FDCWD, at(path).c_str(), ts, AT_SYMLINK_NOFOLLOW);
        }
        const V items = {"usr",     "usr/a",       "usr/hard", "usr/link", "usr/big",       "usr/bin",
                         "usr/bin/sgid", "usr/bin/nox", "usr/tmp",  "usr/lib",  "usr/lib/old", "usr/lib/old/y",
                         "usr/libx",     "caf\xC3\xA9 na\xC3\xAFve"};
        const std::string tar = "tar --owner=1234 --group=567 --numeric-owner --no-recursion -C tree ";
        const std::string bsd = "bsdtar --uid 1234 --gid 567 --uname '' --gname '' -n -C tree ";
        for (const char* f : {"v7", "ustar", "oldgnu", "gnu", "posix"}) write(f, tar + "--format=" + f, items);
        write("bsdtar", bsd + "--format=pax", items);
        for (const char* w : {"v7", "ustar", "oldgnu", "gnu", "posix", "bsdtar"})
            tars[w + std::string("-cut")] = tars[w].substr(0, 1024 * 1024);
        // Names and link targets over 100 bytes, ids over 2,097,151 and a
        // time before 1970.
        const std::string wide = "tar --owner=3000000 --group=2100000 --numeric-owner --no-recursion -C tree ";
        const V wideItems = {"long", kLong, kLong + "/" + std::string(99, 'f'), "long/link", "old"};
        for (const char* f : {"oldgnu", "gnu", "posix"})
            write(std::string("wide-") + f, wide + "--format=" + f, wideItems);
        write("wide-bsdtar", "bsdtar --uid 3000000 --gid 2100000 --uname '' --gname '' -n -C tree --format=pax",
              wideItems);
        // A file of holes, in each of GNU tar's sparse forms.
        const std::string sparse = "tar --owner=0 --group=0 --numeric-owner -S -C tree ";
        write("sparse-gnu", sparse + "--format=gnu", {"holes", "after"});
        for (const char* v : {"0.0", "0.1", "1.0"})
            write(std::string("sparse-pax") + v, sparse + "--format=posix --sparse-version=" + v, {"holes", "after"});
        // By hand: "usr/a" read as "usXa", its sum 26 short; too little input.
        tars["corrupt"] = tars["ustar"];
        tars["corrupt"][512 + 2] = 'X';
        tars["empty"] = "";
        tars["hundred"] = std::string(100, 'h');
        for (const auto& [name, bytes] : tars) root.write(name + ".tar", bytes);
        root.write("exc", "usr/lib/old\n");
        root.write("inc", "  usr/bin\n\tusr/libx usr/a\n");
        root.write("excBin", "usr/bin/sgid usr/a");
        root.write("blank", " \n\n\t");
    }
    std::string at(const std::string& p) const { return root.file("tree/" + p); }
    void write(const std::string& name, const std::string& command, const V& items) {
        std::string cmd = "cd " + shq(root.path()) + " && " + command + " -cf " + shq(name + ".tar");
        for (const std::string& i : items) cmd += " " + shq(i);
        EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
        tars[name] = root.read(name + ".tar");
    }

    tk::TempRoot root;
    std::map<std::string, std::string> tars;
};

// How the archive reaches tart's standard input: a file; a pipe, in pieces
// of 100 bytes; a file of which not a byte may be read; a file, with the
// output to /dev/full; a directory, which opens but cannot be read.
enum class Way { File, Pipe, FileUnread, FileToFull, Directory };

tk::RunResult run(Archives& a, const std::string& archive, const V& args, Way way) {
    tk::Spawn s;
    s.argv = {TART_BIN};
    s.argv.insert(s.argv.end(), args.begin(), args.end());
    s.env = {{"LC_ALL", "C"}, {"TZ", "EST5EDT,M3.2.0,M11.1.0"}};
    s.cwd = a.root.path();
    if (way == Way::Pipe) {
        // tart's first read sees the first piece alone.
        tk::Feeder feed(a.tars.at(archive), {100, false, std::chrono::milliseconds(30), std::chrono::milliseconds(1), 49});
        s.stdinFd = feed.readFd();
        return tk::run(s);
    }
    s.stdinFd = open(a.root.file(way == Way::Directory ? "" : archive + ".tar").c_str(), O_RDONLY | O_CLOEXEC);
    s.stdoutFd = way == Way::FileToFull ? open("/dev/full", O_WRONLY | O_CLOEXEC) : -1;
    tk::RunResult r = tk::run(s);
    if (way == Way::FileUnread) {
        EXPECT_EQ(lseek(s.stdinFd, 0, SEEK_CUR), 0);
    }
    close(s.stdinFd);
    if (s.stdoutFd >= 0) close(s.stdoutFd);
    return r;
}

// The first line of the usage; the formats follow.
const std::string kUsage = "usage: tart [+format] [file ...] [-I include_file] [-X exclude_file]\t\t\n";

// The tree's listings, the same from every writer; the cut archives end in
// usr/big's data.
const std::string kBeforeBig =
    "drwxr-xr-x 1234/567      0 Mar  5 09:07 1996 usr/\n"
    "-rw-r--r-- 1234/567     13 Jun  5 10:07 2001 usr/a\n"
    "-rw-r--r-- 1234/567      0 Jun  5 10:07 2001 usr/hard -> usr/a\n"
    "lrwxrwxrwx 1234/567      0 Nov 14 17:13 2023 usr/link -> a\n";
const std::string kDefault = kBeforeBig +
    "-rw-r----- 1234/567 1572987 Dec 31 18:59 1999 usr/big\n"
    "drwxr-xr-x 1234/567      0 Feb 13 18:31 2009 usr/bin/\n"
    "-rwx--s--x 1234/567    700 Mar  5 09:07 1996 usr/bin/sgid\n"
    "-rwsr--r-- 1234/567      1 Jun  5 10:07 2001 usr/bin/nox\n"
    "drwxrwxrwt 1234/567      0 Nov 14 17:13 2023 usr/tmp/\n"
    "drwxr-xr-x 1234/567      0 Jul  3 05:46 2024 usr/lib/\n"
    "drwx------ 1234/567      0 Feb 13 18:31 2009 usr/lib/old/\n"
    "-rw-rw-r-- 1234/567      2 Aug  4 08:26 2003 usr/lib/old/y\n"
    "-rw-r--r-- 1234/567      5 Mar  5 09:07 1996 usr/libx\n"
    "-rw-r--r-- 1234/567      7 Nov 14 17:13 2023 caf\xC3\xA9 na\xC3\xAFve\n";
// The contents' checksums as `sum -r` gives them.
const std::string kSumsBeforeBig = "00000 usr/\n37777 usr/a\n00000 usr/hard\n00000 usr/link\n";
const std::string kSums = kSumsBeforeBig +
    "64282 usr/big\n00000 usr/bin/\n25007 usr/bin/sgid\n00120 usr/bin/nox\n00000 usr/tmp/\n"
    "00000 usr/lib/\n00000 usr/lib/old/\n32838 usr/lib/old/y\n24690 usr/libx\n03198 caf\xC3\xA9 na\xC3\xAFve\n";
const std::string kWide =
    "drwxr-xr-x 3000000/2100000      0 Jul  3 05:46 2024 long/\n"
    "drwxr-xr-x 3000000/2100000      0 Mar  5 09:07 1996 " + kLong + "/\n"
    "-rw-r--r-- 3000000/2100000      5 Jun  5 10:07 2001 " + kLong + "/" + std::string(99, 'f') + "\n"
    "lrwxrwxrwx 3000000/2100000      0 Dec 31 18:59 1999 long/link -> " + std::string(150, 't') + "\n"
    "-rw------- 3000000/2100000      4 Nov 26 19:00 1968 old\n";
// The holes read as zeros; the member after them is found.
const std::string kSparse = "2000001 59585 holes\n     5 20692 after\n";

struct Row {
    std::string archive;
    V args;
    Way way;
    std::string out, err;
    int status;
};

TEST(TartProgram, Rows) {
    Archives archives;
    const std::string sum = std::to_string(std::stoi(archives.tars.at("ustar").substr(512 + 148, 7), nullptr, 8));
    std::vector<Row> v;
    const std::string cut = "tart: unexpected end of archive\n";
    for (const char* w : {"v7", "ustar", "oldgnu", "gnu", "posix", "bsdtar"}) {
        const std::string c = std::string(w) + "-cut";  // cut inside usr/big's data
        const Row writerRows[] = {
            {w, {}, Way::File, kDefault, "", 0},
            {w, {"+%c %f"}, Way::Pipe, kSums, "", 0},
            {c, {"+%t%M %u/%g %s %D %f%l"}, Way::File, kBeforeBig, cut, 3},
            {c, {"+%c %f"}, Way::Pipe, kSumsBeforeBig, cut, 3},
        };
        v.insert(v.end(), std::begin(writerRows), std::end(writerRows));
    }
    for (const char* w : {"wide-oldgnu", "wide-gnu", "wide-posix", "wide-bsdtar"}) v.push_back({w, {}, Way::File, kWide, "", 0});
    for (const char* w : {"sparse-gnu", "sparse-pax0.0", "sparse-pax0.1", "sparse-pax1.0"})
        v.push_back({w, {"+%s %c %f"}, Way::File, kSparse, "", 0});
    const Row others[] = {
        // Selection by names and list files; names end the options.
        {"ustar", {"+%f", "usr/bin/nox", "usr/a"}, Way::File, "usr/a\nusr/bin/nox\n", "", 0},
        {"ustar", {"+%f", "usr/li", "usr/tmp/"}, Way::File, "usr/tmp/\n", "", 0},
        {"ustar", {"+%f", "-X", "exc", "usr/lib"}, Way::File, "usr/lib/\n", "", 0},
        {"ustar", {"+%f", "-I", "inc", "-X", "excBin"}, Way::File, "usr/bin/\nusr/bin/nox\nusr/libx\n", "", 0},
        {"ustar", {"+%f", "-I", "blank"}, Way::File, "", "", 0},
        // Other arguments starting with "-" are skipped; the last -I counts.
        {"ustar", {"+%f", "-v", "-I", "x", "-I", "inc", "--", "-Ifoo"}, Way::File,
         "usr/a\nusr/bin/\nusr/bin/sgid\nusr/bin/nox\nusr/libx\n", "", 0},
        {"ustar", {"-X", "nonesuch", "usr"}, Way::File, "",
         "tart: cannot open exclude file (nonesuch)\nnonesuch: No such file or directory\n", 1},
        // The command line: usage, refused formats, a failed write.
        {"empty", {"-h"}, Way::File, "", kUsage, 1},
        {"empty", {"+%f", "-X"}, Way::File, "", kUsage, 1},
        {"ustar", {"+%s%"}, Way::FileUnread, "", std::string("Unrecognized format: \0\n", 23), 1},
        {"ustar", {"+%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f"}, Way::FileUnread, "",
         "tart: too many directives in format (at most 24)\n", 1},
        {"ustar", {"+%U %G|100%% %%f %%%%\\t", "usr/a"}, Way::File, "1234 567|100% %f %%\\t\n", "", 0},
        {"ustar", {"+%m %d", "usr/bin/sgid", "usr/a"}, Way::File, "644 10105051007\n2711 9602050907\n", "", 0},
        {"ustar", {"usr/a", "+%f"}, Way::File, "-rw-r--r-- 1234/567     13 Jun  5 10:07 2001 usr/a\n", "", 0},  // a name
        {"ustar", {"+%f %\xE9"}, Way::FileUnread, "", "Unrecognized format: \xE9\n", 1},
        {"ustar", {"+%q%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f%f"}, Way::FileUnread, "", "Unrecognized format: q\n", 1},
        {"ustar", {"-I", "."}, Way::File, "", "tart: cannot read include file (.)\n.: Is a directory\n", 1},
        {"ustar", {}, Way::FileToFull, "", "tart: write error\n", 3},
        // Input that is no archive.
        {"empty", {}, Way::File, "", "tart: blocksize = 0\n", 0},
        {"hundred", {}, Way::File, "", "tart: blocksize error\n", 3},
        {"hundred", {}, Way::Pipe, "", cut, 3},  // from a pipe the record is completed first
        {"", {}, Way::Directory, "", "tart: read error\n", 3},
        {"corrupt", {"+%f"}, Way::File, "usr/\n",
         "tart: directory checksum error (" + sum + " != " + std::to_string(std::stoi(sum) - 26) + ")\n", 2},
    };
    v.insert(v.end(), std::begin(others), std::end(others));
    for (const Row& row : v) {
        SCOPED_TRACE(row.archive + (row.args.empty() ? "" : " " + row.args[0]) + " way " +
                     std::to_string(static_cast<int>(row.way)));
        const tk::RunResult r = run(archives, row.archive, row.args, row.way);
        EXPECT_EQ(r.out, row.out);
        EXPECT_EQ(row.err == kUsage ? r.err.substr(0, kUsage.size()) : r.err, row.err);
        EXPECT_EQ(r.code, row.status) << r.describe();
    }
}

}  // namespace
