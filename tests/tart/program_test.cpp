// The tart program run as a process over archives written by GNU tar, with
// expected values taken from the files that went in: lstat, `stat -c %A`,
// `sum -r` and `date`.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const char* const kTz = "EST5EDT,M3.2.0,M11.1.0";

// A tart that ends early must not kill the test writing into its pipe.
const bool kSigpipeIgnored = [] {
    signal(SIGPIPE, SIG_IGN);
    return true;
}();

struct Outcome {
    std::string out;
    std::string err;
    int status = -1;
};

std::string readAll(int fd) {
    std::string s;
    char buf[65536];
    lseek(fd, 0, SEEK_SET);
    ssize_t n;
    while ((n = read(fd, buf, sizeof buf)) > 0) s.append(buf, static_cast<std::size_t>(n));
    return s;
}

void writeFile(const std::string& path, const std::string& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    ASSERT_EQ(std::fwrite(data.data(), 1, data.size(), f), data.size());
    std::fclose(f);
}

std::string readFile(const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0) << path;
    std::string s = readAll(fd);
    close(fd);
    return s;
}

// The output of a shell command (run with the tests' time zone and C locale).
std::string shell(const std::string& cmd) {
    FILE* p = popen(("LC_ALL=C TZ='" + std::string(kTz) + "' " + cmd).c_str(), "r");
    EXPECT_NE(p, nullptr);
    std::string s;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) s.append(buf, n);
    EXPECT_EQ(pclose(p), 0) << cmd;
    return s;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> v;
    std::size_t start = 0, nl;
    while ((nl = text.find('\n', start)) != std::string::npos) {
        v.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
    return v;
}

std::string shq(const std::string& s) { return "'" + s + "'"; }

// Runs tart with args; stdin from inFd, stdout to outFd when given.
Outcome runTart(const std::vector<std::string>& args, int inFd, int outFd = -1) {
    const int out = memfd_create("out", MFD_CLOEXEC), err = memfd_create("err", MFD_CLOEXEC);
    std::vector<char*> argv{const_cast<char*>(TART_BIN)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const std::string tz = std::string("TZ=") + kTz;
    char* envp[] = {const_cast<char*>(tz.c_str()), const_cast<char*>("LC_ALL=C"), nullptr};
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGPIPE, SIG_DFL);
        dup2(inFd, 0);
        dup2(outFd >= 0 ? outFd : out, 1);
        dup2(err, 2);
        execve(TART_BIN, argv.data(), envp);
        _exit(127);
    }
    Outcome r;
    int ws = 0;
    waitpid(pid, &ws, 0);
    r.status = WIFEXITED(ws) ? WEXITSTATUS(ws) : 128 + WTERMSIG(ws);
    r.out = readAll(out);
    r.err = readAll(err);
    close(out);
    close(err);
    return r;
}

Outcome runOnFile(const std::vector<std::string>& args, const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0) << path;
    Outcome r = runTart(args, fd);
    close(fd);
    return r;
}

// Feeds data through a pipe in pieces.  The first piece is followed by a
// pause so that tart's first read sees it alone; a few more pauses follow.
Outcome runOnPipe(const std::vector<std::string>& args, const std::string& data,
              std::size_t piece = 65536) {
    int p[2];
    EXPECT_EQ(pipe2(p, O_CLOEXEC), 0);
    std::thread writer([&] {
        for (std::size_t off = 0, i = 0; off < data.size(); off += piece, ++i) {
            const std::size_t n = std::min(piece, data.size() - off);
            if (write(p[1], data.data() + off, n) != static_cast<ssize_t>(n)) break;
            if (i == 0) usleep(30000);
            if (i < 50 && piece < 512) usleep(1000);
        }
        close(p[1]);
    });
    Outcome r = runTart(args, p[0]);
    close(p[0]);
    writer.join();
    return r;
}

// A tree of files of every kind, owned, moded and dated on purpose.
class Tree {
public:
    struct Item {
        std::string path;      // below the root, as given to tar
        std::string hardLink;  // the earlier name when tar stores a hard link
    };

    Tree() {
        char dir[] = "/tmp/tart_progXXXXXX";
        EXPECT_NE(mkdtemp(dir), nullptr);
        root = dir;
    }
    ~Tree() { std::system(("rm -rf " + shq(root)).c_str()); }

    std::string at(const std::string& p) const { return root + "/" + p; }

    void dir(const std::string& p, mode_t mode) {
        EXPECT_EQ(mkdir(at(p).c_str(), 0700), 0) << p;
        chmod(at(p).c_str(), mode);
        items.push_back({p, ""});
    }
    void file(const std::string& p, mode_t mode, const std::string& data, uid_t uid = 0,
              gid_t gid = 0) {
        writeFile(at(p), data);
        chmod(at(p).c_str(), mode);
        if (uid || gid) (void)!lchown(at(p).c_str(), uid, gid);
        items.push_back({p, ""});
    }
    void hardLink(const std::string& p, const std::string& target) {
        EXPECT_EQ(link(at(target).c_str(), at(p).c_str()), 0);
        items.push_back({p, target});
    }
    void symLink(const std::string& p, const std::string& target) {
        EXPECT_EQ(symlink(target.c_str(), at(p).c_str()), 0);
        items.push_back({p, ""});
    }
    // Distinct modification times, set last so that directories keep theirs.
    void setTimes() {
        static const time_t times[] = {826034820, 991750020, 1700000000, 1720000000,
                                       946684799, 1234567890, 1059999999};
        for (std::size_t i = 0; i < items.size(); ++i) {
            const struct timespec ts[2] = {{times[i % 7], 0}, {times[i % 7], 0}};
            utimensat(AT_FDCWD, at(items[i].path).c_str(), ts, AT_SYMLINK_NOFOLLOW);
        }
    }
    // GNU tar's archive of all items in order, in the given format.
    std::string tar(const std::string& format) const {
        std::string cmd = "tar --format=" + format + " -cf " + shq(at(format + ".tar")) +
                          " -C " + shq(root) + " --no-recursion";
        for (const Item& i : items) cmd += " " + shq(i.path);
        EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
        return at(format + ".tar");
    }

    std::string root;
    std::vector<Item> items;
};

// What tart must print for each item, found without tart.
struct Expected {
    std::string defaultLine, checksumLine, dateLine, modeLine;
};

std::vector<Expected> expectations(const Tree& t) {
    std::string paths, regular, times;
    std::vector<struct stat> st(t.items.size());
    for (std::size_t i = 0; i < t.items.size(); ++i) {
        EXPECT_EQ(lstat(t.at(t.items[i].path).c_str(), &st[i]), 0);
        paths += " " + shq(t.at(t.items[i].path));
        if (S_ISREG(st[i].st_mode) && t.items[i].hardLink.empty()) {
            regular += " " + shq(t.at(t.items[i].path));
        }
        times += "@" + std::to_string(st[i].st_mtime) + "\n";
    }
    const std::vector<std::string> modes = lines(shell("stat -c %A" + paths));
    const std::vector<std::string> sums =
        regular.empty() ? std::vector<std::string>{} : lines(shell("sum -r" + regular));
    writeFile(t.at("times"), times);
    const std::vector<std::string> dates =
        lines(shell("date -f " + shq(t.at("times")) + " '+%b %e %H:%M %Y'"));
    const std::vector<std::string> numbers =
        lines(shell("date -f " + shq(t.at("times")) + " '+%Y %m %d %H %M'"));

    std::vector<Expected> v;
    std::size_t nextSum = 0;
    for (std::size_t i = 0; i < t.items.size(); ++i) {
        const Tree::Item& item = t.items[i];
        const struct stat& s = st[i];
        const bool dir = S_ISDIR(s.st_mode);
        const std::string name = item.path + (dir ? "/" : "");
        std::string link;
        if (!item.hardLink.empty()) link = " -> " + item.hardLink;
        if (S_ISLNK(s.st_mode)) {
            char target[4096];
            const ssize_t n = readlink(t.at(item.path).c_str(), target, sizeof target);
            link = " -> " + std::string(target, static_cast<std::size_t>(n));
        }
        // stat shows S and T where the execute bit is off; tart always s, t.
        std::string modeStr = modes[i].substr(1);
        for (char& c : modeStr) {
            if (c == 'S') c = 's';
            if (c == 'T') c = 't';
        }
        const char type = S_ISLNK(s.st_mode) ? 'l' : dir ? 'd' : '-';
        const bool hasData = S_ISREG(s.st_mode) && item.hardLink.empty();
        const std::string sum = hasData ? sums[nextSum++].substr(0, 5) : "00000";
        char buf[512];
        std::snprintf(buf, sizeof buf, "%c%s %u/%u %6lld %s %s%s", type, modeStr.c_str(),
                      s.st_uid, s.st_gid, hasData ? static_cast<long long>(s.st_size) : 0LL,
                      dates[i].c_str(), name.c_str(), link.c_str());
        Expected e;
        e.defaultLine = buf;
        e.checksumLine = sum + " " + name;
        int y, mo, d, h, mi;
        EXPECT_EQ(std::sscanf(numbers[i].c_str(), "%d %d %d %d %d", &y, &mo, &d, &h, &mi), 5);
        std::snprintf(buf, sizeof buf, "%02d%02d%02d%02d%02d", y - 1900, mo - 1, d, h, mi);
        e.dateLine = buf;
        std::snprintf(buf, sizeof buf, "%o %s", static_cast<unsigned>(s.st_mode & 07777),
                      modeStr.c_str());
        e.modeLine = buf;
        v.push_back(e);
    }
    return v;
}

std::string joined(const std::vector<Expected>& v, std::string Expected::*field) {
    std::string s;
    for (const Expected& e : v) s += e.*field + "\n";
    return s;
}

// The tree every listing test uses.
void buildTree(Tree& t) {
    std::mt19937 rng(4);
    std::string big(1536 * 1024 + 123, '\0');
    for (char& c : big) c = static_cast<char>(rng());
    t.dir("usr", 0755);
    t.file("usr/a", 0644, "hello, world\n", 1234, 567);
    t.hardLink("usr/hard", "usr/a");
    t.symLink("usr/link", "a");
    t.file("usr/empty", 0600, "");
    t.file("usr/big", 0640, big, 0, 42);
    t.dir("usr/bin", 0755);
    t.file("usr/bin/suid", 04755, "#!/bin/sh\nexit 0\n");
    t.file("usr/bin/sgid", 02711, std::string(700, '\xE9'));
    t.file("usr/bin/nox", 04644, "x");
    t.dir("usr/tmp", 01777);
    t.dir("usr/lib", 0755);
    t.file("usr/lib/x", 0444, std::string(512, 'x'));
    t.dir("usr/lib/old", 0700);
    t.file("usr/lib/old/y", 0664, "y\n");
    t.file("usr/libx", 0644, "libx\n");
    t.file("usr/library", 0644, "library\n");
    t.setTimes();
}

class TartProgramGnuTarListing : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        buildTree(tree_);
        archive_ = tree_.tar(GetParam());
        expected_ = expectations(tree_);
    }
    void expectListing(const Outcome& r, const std::string& out) {
        EXPECT_EQ(r.out, out);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.status, 0);
    }
    Tree tree_;
    std::string archive_;
    std::vector<Expected> expected_;
};

TEST_P(TartProgramGnuTarListing, DefaultFormat) {
    expectListing(runOnFile({}, archive_), joined(expected_, &Expected::defaultLine));
}

TEST_P(TartProgramGnuTarListing, ChecksumsOfContents) {
    expectListing(runOnFile({"+%c %f"}, archive_), joined(expected_, &Expected::checksumLine));
}

TEST_P(TartProgramGnuTarListing, DateNumbers) {
    expectListing(runOnFile({"+%d"}, archive_), joined(expected_, &Expected::dateLine));
}

TEST_P(TartProgramGnuTarListing, Modes) {
    expectListing(runOnFile({"+%m %M"}, archive_), joined(expected_, &Expected::modeLine));
}

TEST_P(TartProgramGnuTarListing, ThroughAPipeInSmallPieces) {
    const std::string data = readFile(archive_);
    expectListing(runOnPipe({}, data, 100), joined(expected_, &Expected::defaultLine));
    expectListing(runOnPipe({"+%c %f"}, data, 100), joined(expected_, &Expected::checksumLine));
}

TEST_P(TartProgramGnuTarListing, CutArchiveKeepsTheLinesBefore) {
    // Cut inside usr/big's data: the members before it are listed, usr/big
    // is not, whether its data is read, sought over or piped.
    const std::string data = readFile(archive_);
    const std::string cut = data.substr(0, 1024 * 1024);
    const std::string cutPath = tree_.at("cut.tar");
    writeFile(cutPath, cut);
    std::vector<Expected> before(expected_.begin(), expected_.begin() + 5);
    for (const char* format : {"+%t%M %u/%g %s %D %f%l", "+%c %f"}) {
        const std::string lines = joined(before, format[2] == 'c' ? &Expected::checksumLine
                                                                  : &Expected::defaultLine);
        for (const Outcome& r : {runOnFile({format}, cutPath), runOnPipe({format}, cut)}) {
            EXPECT_EQ(r.out, lines);
            EXPECT_EQ(r.err, "tart: unexpected end of archive\n");
            EXPECT_EQ(r.status, 3);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Formats, TartProgramGnuTarListing, ::testing::Values("ustar", "gnu"));

class TartProgramSelection : public ::testing::Test {
protected:
    void SetUp() override {
        buildTree(tree_);
        archive_ = tree_.tar("ustar");
    }
    std::string listFile(const std::string& name, const std::string& text) {
        writeFile(tree_.at(name), text);
        return tree_.at(name);
    }
    std::string names(std::vector<std::string> args) {
        args.insert(args.begin(), "+%f");
        const Outcome r = runOnFile(args, archive_);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.status, 0);
        return r.out;
    }
    Tree tree_;
    std::string archive_;
};

TEST_F(TartProgramSelection, NamesOnTheCommandLine) {
    EXPECT_EQ(names({"usr/lib"}), "usr/lib/\nusr/lib/x\nusr/lib/old/\nusr/lib/old/y\n");
    EXPECT_EQ(names({"usr/bin/suid", "usr/a"}), "usr/a\nusr/bin/suid\n");
    EXPECT_EQ(names({"usr/li"}), "");
    EXPECT_EQ(names({"usr/tmp/"}), "usr/tmp/\n");
}

TEST_F(TartProgramSelection, IncludeAndExcludeFiles) {
    const std::string exc = listFile("exc", "usr/lib/old\n");
    EXPECT_EQ(names({"-X", exc, "usr/lib"}), "usr/lib/\nusr/lib/x\n");
    const std::string inc = listFile("inc", "  usr/bin\n\tusr/libx usr/a\n");
    EXPECT_EQ(names({"-I", inc, "usr/tmp"}),
              "usr/a\nusr/bin/\nusr/bin/suid\nusr/bin/sgid\nusr/bin/nox\nusr/tmp/\nusr/libx\n");
    const std::string excBin = listFile("excBin", "usr/bin/sgid usr/a");
    EXPECT_EQ(names({"-I", inc, "-X", excBin}), "usr/bin/\nusr/bin/suid\nusr/bin/nox\nusr/libx\n");
    // Everything but the excluded.
    const std::string all = names({});
    const std::string excAll = listFile("excAll", "usr/lib usr/big usr/bin usr/tmp");
    EXPECT_EQ(names({"-X", excAll}),
              "usr/\nusr/a\nusr/hard\nusr/link\nusr/empty\nusr/libx\nusr/library\n");
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 17);
}

TEST_F(TartProgramSelection, EmptyIncludeFileSelectsNothing) {
    EXPECT_EQ(names({"-I", listFile("empty", "")}), "");
    EXPECT_EQ(names({"-I", listFile("blank", " \n\n\t")}), "");
}

TEST_F(TartProgramSelection, NamesEndTheOptions) {
    // "-X" after a name is a name, so nothing is excluded.
    const std::string exc = listFile("exc", "usr/a");
    EXPECT_EQ(names({"usr/a", "-X", exc}), "usr/a\n");
    EXPECT_EQ(names({"-v", "usr/bin/nox"}), "usr/bin/nox\n");
}

TEST_F(TartProgramSelection, MissingListFile) {
    const std::string missing = tree_.at("nonesuch");
    const Outcome r = runOnFile({"-I", missing}, archive_);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "tart: cannot open include file (" + missing + ")\n" + missing +
                         ": No such file or directory\n");
    EXPECT_EQ(r.status, 1);
    const Outcome x = runOnFile({"-X", missing, "usr"}, archive_);
    EXPECT_EQ(x.err, "tart: cannot open exclude file (" + missing + ")\n" + missing +
                         ": No such file or directory\n");
    EXPECT_EQ(x.status, 1);
}

// Rewrites every header checksum of an archive as a sum of signed bytes, as
// tart expects them.
std::string withSignedChecksums(std::string a) {
    for (std::size_t off = 0; off + 512 <= a.size() && a[off] != '\0';) {
        int sum = 0;
        for (std::size_t i = 0; i < 512; ++i) {
            sum += (i >= 148 && i < 156) ? ' ' : static_cast<signed char>(a[off + i]);
        }
        std::snprintf(&a[off + 148], 8, "%06o", sum);
        a[off + 155] = ' ';
        const long size = std::strtol(a.substr(off + 124, 12).c_str(), nullptr, 8);
        off += 512 + static_cast<std::size_t>((size + 511) / 512 * 512);
    }
    return a;
}

// The stored (unsigned) and the signed sum of the header at off.
std::pair<int, int> headerSums(const std::string& a, std::size_t off) {
    int u = 0, s = 0;
    for (std::size_t i = 0; i < 512; ++i) {
        const unsigned char b = (i >= 148 && i < 156) ? ' ' : static_cast<unsigned char>(a[off + i]);
        u += b;
        s += static_cast<signed char>(b);
    }
    return {u, s};
}

TEST(TartProgramHeaderChecksum, NonAsciiNamesFromGnuTar) {
    Tree t;
    t.dir("na\xC3\xAFve", 0755);
    t.file("na\xC3\xAFve/caf\xC3\xA9", 0644, "cr\xC3\xA8me\n");
    t.symLink("na\xC3\xAFve/\xC3\xBCnicode", "caf\xC3\xA9");
    t.setTimes();
    const std::vector<Expected> expected = expectations(t);
    for (const char* format : {"ustar", "gnu"}) {
        const std::string raw = readFile(t.tar(format));
        // GNU tar sums bytes unsigned: tart refuses the first header.
        const auto [stored, computed] = headerSums(raw, 0);
        ASSERT_EQ(stored - computed, 2 * 256);
        const Outcome bad = runOnFile({}, t.at(std::string(format) + ".tar"));
        EXPECT_EQ(bad.out, "");
        EXPECT_EQ(bad.err, "tart: directory checksum error (" + std::to_string(stored) + " != " +
                               std::to_string(computed) + ")\n");
        EXPECT_EQ(bad.status, 2);
        // With signed sums, as an old tar wrote them, it lists.
        writeFile(t.at("signed.tar"), withSignedChecksums(raw));
        const Outcome good = runOnFile({}, t.at("signed.tar"));
        EXPECT_EQ(good.out, joined(expected, &Expected::defaultLine));
        EXPECT_EQ(good.status, 0);
        EXPECT_EQ(runOnFile({"+%c %f"}, t.at("signed.tar")).out,
                  joined(expected, &Expected::checksumLine));
    }
}

TEST(TartProgramHeaderChecksum, CorruptedHeader) {
    Tree t;
    t.file("one", 0644, "1");
    t.file("two", 0644, "22");
    t.setTimes();
    std::string a = readFile(t.tar("ustar"));
    a[1024 + 2] = 'X';  // "two" becomes "twX"
    const int stored = headerSums(readFile(t.at("ustar.tar")), 1024).first;
    const int computed = headerSums(a, 1024).second;
    writeFile(t.at("bad.tar"), a);
    const Outcome r = runOnFile({"+%f"}, t.at("bad.tar"));
    EXPECT_EQ(r.out, "one\n");
    EXPECT_EQ(r.err, "tart: directory checksum error (" + std::to_string(stored) + " != " +
                         std::to_string(computed) + ")\n");
    EXPECT_EQ(r.status, 2);
}

TEST(TartProgramGnuTarFields, NamesFillingTheirField) {
    Tree t;
    const std::string longName(100, 'n'), longTarget(100, 't');
    t.file(longName, 0644, "n");
    t.symLink("s", longTarget);
    t.setTimes();
    const Outcome r = runOnFile({"+%f%l"}, t.tar("ustar"));
    EXPECT_EQ(r.out, longName + "\ns -> " + longTarget + "\n");
    EXPECT_EQ(r.status, 0);
}

TEST(TartProgramGnuTarFields, LargeIdsInBase256) {
    Tree t;
    t.file("f", 0644, "f");
    const std::string cmd = "tar --format=gnu --owner=x:3000000 --group=y:2100000 -cf " +
                            shq(t.at("ids.tar")) + " -C " + shq(t.root) + " f";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    // GNU tar writes these ids in binary, and its checksum sums the binary
    // bytes unsigned: as written, the header fails the check.
    EXPECT_EQ(runOnFile({}, t.at("ids.tar")).status, 2);
    writeFile(t.at("signed.tar"), withSignedChecksums(readFile(t.at("ids.tar"))));
    const Outcome r = runOnFile({"+%u %U %g %G %f"}, t.at("signed.tar"));
    EXPECT_EQ(r.out, "3000000 3000000 2100000 2100000 f\n");
    EXPECT_EQ(r.status, 0);
}

class TartProgramFirstRead : public ::testing::Test {
protected:
    void SetUp() override { tree_.file("hundred", 0644, std::string(100, 'h')); }
    Tree tree_;
};

TEST_F(TartProgramFirstRead, EmptyInputEndsAtOnce) {
    const std::string empty = tree_.at("empty");
    writeFile(empty, "");
    for (const Outcome& r : {runOnFile({}, "/dev/null"), runOnFile({}, empty), runOnPipe({}, "")}) {
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "tart: blocksize = 0\n");
        EXPECT_EQ(r.status, 0);
    }
}

TEST_F(TartProgramFirstRead, PartialRecord) {
    const Outcome file = runOnFile({}, tree_.at("hundred"));
    EXPECT_EQ(file.out, "");
    EXPECT_EQ(file.err, "tart: blocksize error\n");
    EXPECT_EQ(file.status, 3);
    // From a pipe the record is completed first; the input just ends too soon.
    const Outcome piped = runOnPipe({}, std::string(100, 'h'), 10);
    EXPECT_EQ(piped.err, "tart: unexpected end of archive\n");
    EXPECT_EQ(piped.status, 3);
}

TEST_F(TartProgramFirstRead, ReadError) {
    // A directory opens for reading, but reading it fails.
    const Outcome r = runOnFile({}, tree_.root);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "tart: read error\n");
    EXPECT_EQ(r.status, 3);
}

TEST(TartProgramCommandLine, Usage) {
    const std::string usage =
        "usage: tart [+format] [file ...] [-I include_file] [-X exclude_file]\t\t\n"
        "    formats are:\t\t\t\t\t\t\t\n"
        "       %t\ttype\t\t{dl-}\t\t\t\t\t\n"
        "       %s\tsize\t\t{0-9}+\t\t\t\t\t\n"
        "       %c\tchecksum \t{0-9}{0-9}{0-9}{0-9}{0-9}\t\t\n"
        "       %m\tmode\t\t{0-7}{0-7}{0-7}\t\t\t\t\n"
        "       %M\tmode\t\t{rwsx-}{rwsx-}{rwtx-}\t\t\t\n"
        "       %u\tuser id\t\t{0-9}+\t\t\t\t\t\n"
        "       %U\tuser str\t\t\t(currently same as %u)\t\n"
        "       %g\tgroup id\t{0-9}+\t\t\t\t\t\n"
        "       %G\tgroup str\t\t\t(currently same as %g)\t\n"
        "       %f\tfilename\t\t\t(directories end in '/')\n"
        "       %l\tlinkname\t[ -> linkname]\t(hard or soft link)\t\n"
        "       %d\tmod date\tyymmddHHMM\t\t\t\t\n"
        "       %D\tmod date str\tMar 17 09:54 1992\t\t\t\n"
        "    default is:\t\t\t\t\t\t\t\t\n"
        "       \"%t%M %u/%g %s %D %f%l\"\t\t\t\t\t\n"
        "\n";
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"-h"}, {"-I"}, {"+%f", "-X"}, {"-I", "x", "-X"}}) {
        const Outcome r = runOnFile(args, "/dev/null");
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, usage);
        EXPECT_EQ(r.status, 1);
    }
}

TEST(TartProgramCommandLine, RefusedFormatsLeaveTheArchiveUnread) {
    Tree t;
    t.file("f", 0644, "f");
    const std::string archive = t.tar("ustar");
    std::string many = "+";
    for (int i = 0; i < 25; ++i) many += "%f";
    const struct {
        std::string arg, message;
    } cases[] = {
        {"+%s%", std::string("Unrecognized format: \0\n", 23)},
        {"+%f %q", "Unrecognized format: q\n"},
        {many, "tart: too many directives in format (at most 24)\n"},
    };
    for (const auto& c : cases) {
        const int fd = open(archive.c_str(), O_RDONLY | O_CLOEXEC);
        const Outcome r = runTart({c.arg}, fd);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(lseek(fd, 0, SEEK_CUR), 0);  // not a byte read
        close(fd);
    }
    EXPECT_EQ(runOnFile({"+%f 100%%"}, archive).out, "f 100%\n");
}

TEST(TartProgramOutput, WriteFailureIsReported) {
    Tree t;
    t.file("f", 0644, "f");
    const int in = open(t.tar("ustar").c_str(), O_RDONLY | O_CLOEXEC);
    const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    const Outcome r = runTart({}, in, full);
    EXPECT_EQ(r.err, "tart: write error\n");
    EXPECT_EQ(r.status, 3);
    close(in);
    close(full);
}

}  // namespace
