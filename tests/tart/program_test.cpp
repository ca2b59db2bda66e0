// The tart program run as a process over archives written by GNU tar, with
// expected values taken from the files that went in: lstat, `stat -c %A`,
// `sum -r` and `date`.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Process.h"
#include "TempRoot.h"
#include "tarBuilder.h"

namespace {

const char* const kTz = "EST5EDT,M3.2.0,M11.1.0";

using tk::readFile;
using tk::writeFile;

// The output of a shell command (run with the tests' time zone and C locale).
std::string shell(const std::string& cmd) {
    tk::Spawn s({"/bin/sh", "-c", cmd});
    s.env = {{"LC_ALL", "C"}, {"TZ", kTz}};
    const tk::RunResult r = tk::run(s);
    EXPECT_EQ(r.code, 0) << cmd << r.describe();
    return r.out;
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
tk::RunResult runTart(const std::vector<std::string>& args, int inFd, int outFd = -1) {
    tk::Spawn s;
    s.argv = {TART_BIN};
    s.argv.insert(s.argv.end(), args.begin(), args.end());
    s.env = {{"LC_ALL", "C"}, {"TZ", kTz}};
    s.stdinFd = inFd;
    s.stdoutFd = outFd;
    return tk::run(s);
}

tk::RunResult runOnFile(const std::vector<std::string>& args, const std::string& path) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0) << path;
    tk::RunResult r = runTart(args, fd);
    close(fd);
    return r;
}

// Feeds data through a pipe in pieces.  The first piece is followed by a
// pause so that tart's first read sees it alone; a few more pauses follow
// when the pieces are smaller than a record.
tk::RunResult runOnPipe(const std::vector<std::string>& args, const std::string& data,
                        std::size_t piece = 65536) {
    tk::FeedPace pace;
    pace.piece = piece;
    pace.firstPause = std::chrono::milliseconds(30);
    pace.pause = std::chrono::milliseconds(1);
    pace.pausedWrites = piece < 512 ? 49 : 0;
    tk::Feeder feed(data, pace);
    return runTart(args, feed.readFd());
}

// A tree of files of every kind, owned, moded and dated on purpose.
class Tree {
public:
    struct Item {
        std::string path;      // below the root, as given to tar
        std::string hardLink;  // the earlier name when tar stores a hard link
    };

    std::string at(const std::string& p) const { return tmp.file(p); }

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
        return write(format, "tar --format=" + format + " -cf %a -C %r --no-recursion %f");
    }
    // The archive that a writer's command makes of all items in order: %a
    // stands for the archive, %r for the root, %f for the items.
    std::string write(const std::string& label, const std::string& command) const {
        std::string items;
        for (const Item& i : this->items) items += " " + shq(i.path);
        std::string cmd = command;
        const std::pair<const char*, std::string> subst[] = {
            {"%a", shq(at(label + ".tar"))}, {"%r", shq(root)}, {"%f", items}};
        for (const auto& [key, value] : subst) cmd.replace(cmd.find(key), 2, value);
        EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
        return at(label + ".tar");
    }

    tk::TempRoot tmp;
    const std::string root = tmp.path();
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

// The archive writers of today, each with what its format can hold beyond
// the V7 fields: names and link targets over 100 bytes, ids over 2,097,151
// and times before 1970.
struct Writer {
    const char* label;
    const char* command;
    bool longNames, longLinks, wideNumbers;
};

const char* const kPythonTar =
    "cd %r && python3 -c 'import sys, tarfile\n"
    "with tarfile.open(sys.argv[1], \"w\", format=getattr(tarfile, sys.argv[2])) as t:\n"
    "    for f in sys.argv[3:]: t.add(f, recursive=False)' %a ";

const Writer kWriters[] = {
    {"v7", "tar --format=v7 -cf %a -C %r --no-recursion %f", false, false, false},
    {"ustar", "tar --format=ustar -cf %a -C %r --no-recursion %f", true, false, false},
    {"oldgnu", "tar --format=oldgnu -cf %a -C %r --no-recursion %f", true, true, true},
    {"gnu", "tar --format=gnu -cf %a -C %r --no-recursion %f", true, true, true},
    {"posix", "tar --format=posix -cf %a -C %r --no-recursion %f", true, true, true},
    {"bsdtar", "bsdtar --format=pax -cf %a -C %r -n %f", true, true, true},
    {"tarfile-gnu", "GNU_FORMAT %f", true, true, true},
    {"tarfile-pax", "PAX_FORMAT %f", true, true, true},
};

std::string writerCommand(const Writer& w) {
    const std::string c = w.command;
    return c.rfind("tar", 0) == 0 || c.rfind("bsdtar", 0) == 0 ? c : kPythonTar + c;
}

class TartProgramArchiveWriters : public ::testing::TestWithParam<Writer> {
protected:
    void SetUp() override {
        const Writer& w = GetParam();
        buildTree(tree_);
        // After the tree's own items, so that the cut below stays in usr/big.
        tree_.file("caf\xC3\xA9 na\xC3\xAFve", 0644, "cr\xC3\xA8me\n");
        if (w.longNames) {
            const std::string dir = "usr/" + std::string(60, 'd') + "/" + std::string(60, 'e');
            tree_.dir("usr/" + std::string(60, 'd'), 0755);
            tree_.dir(dir, 0755);
            tree_.file(dir + "/" + std::string(99, 'f'), 0644, "long\n");
        }
        if (w.longLinks) tree_.symLink("usr/longlink", std::string(150, 't'));
        if (w.wideNumbers) tree_.file("usr/wide", 0600, "wide\n", 3000000, 2100000);
        tree_.setTimes();
        if (w.wideNumbers) {
            const struct timespec ts[2] = {{-86400 * 400, 0}, {-86400 * 400, 0}};
            utimensat(AT_FDCWD, tree_.at("usr/wide").c_str(), ts, AT_SYMLINK_NOFOLLOW);
        }
        archive_ = tree_.write(w.label, writerCommand(w));
        expected_ = expectations(tree_);
    }
    void expectListing(const tk::RunResult& r, const std::string& out) {
        EXPECT_EQ(r.out, out);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.code, 0);
    }
    Tree tree_;
    std::string archive_;
    std::vector<Expected> expected_;
};

TEST_P(TartProgramArchiveWriters, EachFormatThroughAPipeAndCut) {
    // The names as GNU tar lists them.
    EXPECT_EQ(runOnFile({"+%f"}, archive_).out,
              shell("tar --quoting-style=literal -tf " + shq(archive_)));
    const std::pair<const char*, std::string Expected::*> formats[] = {
        {nullptr, &Expected::defaultLine},
        {"+%c %f", &Expected::checksumLine},  // checksums of the contents
        {"+%d", &Expected::dateLine},
        {"+%m %M", &Expected::modeLine}};
    for (const auto& [format, field] : formats) {
        SCOPED_TRACE(format ? format : "default");
        expectListing(runOnFile(format ? std::vector<std::string>{format} : std::vector<std::string>{},
                                archive_),
                      joined(expected_, field));
    }
    // Through a pipe in small pieces.
    const std::string data = readFile(archive_);
    expectListing(runOnPipe({}, data, 100), joined(expected_, &Expected::defaultLine));
    expectListing(runOnPipe({"+%c %f"}, data, 100), joined(expected_, &Expected::checksumLine));

    // Cut inside usr/big's data: the members before it are listed, usr/big
    // is not, whether its data is read, sought over or piped.
    const std::string cut = data.substr(0, 1024 * 1024);
    const std::string cutPath = tree_.at("cut.tar");
    writeFile(cutPath, cut);
    std::vector<Expected> before(expected_.begin(), expected_.begin() + 5);
    for (const char* format : {"+%t%M %u/%g %s %D %f%l", "+%c %f"}) {
        const std::string lines = joined(before, format[2] == 'c' ? &Expected::checksumLine
                                                                  : &Expected::defaultLine);
        for (const tk::RunResult& r : {runOnFile({format}, cutPath), runOnPipe({format}, cut)}) {
            EXPECT_EQ(r.out, lines);
            EXPECT_EQ(r.err, "tart: unexpected end of archive\n");
            EXPECT_EQ(r.code, 3);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, TartProgramArchiveWriters, ::testing::ValuesIn(kWriters),
                         [](const ::testing::TestParamInfo<Writer>& i) {
                             std::string n = i.param.label;
                             n.erase(std::remove(n.begin(), n.end(), '-'), n.end());
                             return n;
                         });

TEST(TartProgramSelection, NamesAndListFiles) {
    Tree t;
    buildTree(t);
    const std::string archive = t.tar("ustar");
    const std::string exc = t.tmp.write("exc", "usr/lib/old\n");
    const std::string inc = t.tmp.write("inc", "  usr/bin\n\tusr/libx usr/a\n");
    const std::string excBin = t.tmp.write("excBin", "usr/bin/sgid usr/a");
    const std::string excAll = t.tmp.write("excAll", "usr/lib usr/big usr/bin usr/tmp");
    const std::string excA = t.tmp.write("excA", "usr/a");
    const struct {
        std::vector<std::string> args;
        std::string names;
    } cases[] = {
        {{"usr/lib"}, "usr/lib/\nusr/lib/x\nusr/lib/old/\nusr/lib/old/y\n"},
        {{"usr/bin/suid", "usr/a"}, "usr/a\nusr/bin/suid\n"},
        {{"usr/li"}, ""},
        {{"usr/tmp/"}, "usr/tmp/\n"},
        {{"-X", exc, "usr/lib"}, "usr/lib/\nusr/lib/x\n"},
        {{"-I", inc, "usr/tmp"},
         "usr/a\nusr/bin/\nusr/bin/suid\nusr/bin/sgid\nusr/bin/nox\nusr/tmp/\nusr/libx\n"},
        {{"-I", inc, "-X", excBin}, "usr/bin/\nusr/bin/suid\nusr/bin/nox\nusr/libx\n"},
        // Everything but the excluded.
        {{"-X", excAll}, "usr/\nusr/a\nusr/hard\nusr/link\nusr/empty\nusr/libx\nusr/library\n"},
        // An empty include file selects nothing.
        {{"-I", t.tmp.write("empty", "")}, ""},
        {{"-I", t.tmp.write("blank", " \n\n\t")}, ""},
        // Names end the options: "-X" after a name is a name.
        {{"usr/a", "-X", excA}, "usr/a\n"},
        {{"-v", "usr/bin/nox"}, "usr/bin/nox\n"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "+%f");
        SCOPED_TRACE(args[1]);
        const tk::RunResult r = runOnFile(args, archive);
        EXPECT_EQ(r.out, c.names);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.code, 0);
    }
    const std::string all = runOnFile({"+%f"}, archive).out;
    EXPECT_EQ(std::count(all.begin(), all.end(), '\n'), 17);

    const std::string missing = t.at("nonesuch");
    for (const char* option : {"-I", "-X"}) {
        const tk::RunResult r = runOnFile({option, missing, "usr"}, archive);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, std::string("tart: cannot open ") + (option[1] == 'I' ? "include" : "exclude") +
                             " file (" + missing + ")\n" + missing + ": No such file or directory\n");
        EXPECT_EQ(r.code, 1);
    }
}

// Rewrites every header checksum of an archive as a sum of signed bytes, as
// tart expects them.
std::string withSignedChecksums(std::string a) {
    for (std::size_t off = 0; off + 512 <= a.size() && a[off] != '\0';) {
        std::string rec = a.substr(off, 512);
        tarbuild::setChecksum(rec, tarbuild::headerSum(rec, true));
        a.replace(off, 512, rec);
        const long size = std::strtol(a.substr(off + 124, 12).c_str(), nullptr, 8);
        off += 512 + static_cast<std::size_t>((size + 511) / 512 * 512);
    }
    return a;
}

// The stored (unsigned) and the signed sum of the header at off.
std::pair<int, int> headerSums(const std::string& a, std::size_t off) {
    return {tarbuild::headerSum(a.substr(off, 512), false), tarbuild::headerSum(a.substr(off, 512), true)};
}

TEST(TartProgramHeaderChecksum, SignedSumsOfOldTarsStillList) {
    // Today's tars sum header bytes unsigned (the writers' table above); an
    // old tar summed them signed.  Both list alike.
    Tree t;
    t.file("caf\xC3\xA9", 0644, "cr\xC3\xA8me\n");
    t.setTimes();
    const std::string raw = readFile(t.tar("gnu"));
    const auto [stored, computed] = headerSums(raw, 0);
    ASSERT_EQ(stored - computed, 2 * 256);
    writeFile(t.at("signed.tar"), withSignedChecksums(raw));
    const tk::RunResult good = runOnFile({"+%c %f"}, t.at("signed.tar"));
    EXPECT_EQ(good.out, joined(expectations(t), &Expected::checksumLine));
    EXPECT_EQ(good.code, 0);
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
    const tk::RunResult r = runOnFile({"+%f"}, t.at("bad.tar"));
    EXPECT_EQ(r.out, "one\n");
    EXPECT_EQ(r.err, "tart: directory checksum error (" + std::to_string(stored) + " != " +
                         std::to_string(computed) + ")\n");
    EXPECT_EQ(r.code, 2);
}

TEST(TartProgramGnuTarFields, NamesFillingTheirField) {
    Tree t;
    const std::string longName(100, 'n'), longTarget(100, 't');
    t.file(longName, 0644, "n");
    t.symLink("s", longTarget);
    t.setTimes();
    const tk::RunResult r = runOnFile({"+%f%l"}, t.tar("ustar"));
    EXPECT_EQ(r.out, longName + "\ns -> " + longTarget + "\n");
    EXPECT_EQ(r.code, 0);
}

TEST(TartProgramGnuTarFields, SparseMembersAndPaxSizes) {
    // A file with more than four data regions (GNU's old format then needs
    // extension records), in each of GNU tar's sparse forms, and written by
    // Python's tarfile with a pax size record.  Each is listed with its real
    // name and size and the checksum of its contents, holes as zeros, and
    // the member after it is found.
    Tree t;
    {
        std::FILE* f = std::fopen(t.at("holes").c_str(), "wb");
        ASSERT_NE(f, nullptr);
        for (int i = 0; i < 12; ++i) {
            std::fseek(f, static_cast<long>(i) * 65536 + 1000, SEEK_SET);
            std::fputs("data", f);
        }
        std::fseek(f, 2000000, SEEK_SET);
        std::fputc('z', f);
        std::fclose(f);
    }
    t.items.push_back({"holes", ""});
    t.file("after", 0644, "after");
    const std::string paxSize =
        "cd %r && python3 -c 'import io, sys, tarfile\n"
        "with tarfile.open(sys.argv[1], \"w\", format=tarfile.PAX_FORMAT) as t:\n"
        "    for f in sys.argv[2:]:\n"
        "        i = t.gettarinfo(f); i.pax_headers = {\"size\": str(i.size)}\n"
        "        t.addfile(i, open(f, \"rb\"))' %a %f";
    const std::pair<const char*, std::string> writers[] = {
        {"gnu", "tar --format=gnu -S -cf %a -C %r %f"},
        {"pax00", "tar --format=posix --sparse-version=0.0 -S -cf %a -C %r %f"},
        {"pax01", "tar --format=posix --sparse-version=0.1 -S -cf %a -C %r %f"},
        {"pax10", "tar --format=posix --sparse-version=1.0 -S -cf %a -C %r %f"},
        {"paxsize", paxSize},
    };
    for (const auto& [label, command] : writers) {
        SCOPED_TRACE(label);
        const std::string a = shq(t.write(label, command));
        std::string expected;
        for (const std::string& name : lines(shell("tar -tf " + a))) {
            const std::string contents = "tar -xOf " + a + " " + shq(name);
            char size[32];
            std::snprintf(size, sizeof size, "%6lu ", std::stoul(shell(contents + " | wc -c")));
            expected += size + shell(contents + " | sum -r").substr(0, 5) + " " + name + "\n";
        }
        EXPECT_EQ(expected.substr(0, 14), "2000001 " + shell("sum -r < " + shq(t.at("holes"))).substr(0, 5) + " ");
        const tk::RunResult r = runOnFile({"+%s %c %f"}, t.at(std::string(label) + ".tar"));
        EXPECT_EQ(r.out, expected);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.code, 0);
        EXPECT_EQ(runOnFile({"+%s %f"}, t.at(std::string(label) + ".tar")).out,
                  "2000001 holes\n     5 after\n");
    }
}

TEST(TartProgramFirstRead, EmptyInputPartialRecordAndReadError) {
    tk::TempRoot root;
    const std::string empty = root.write("empty", ""), hundred = root.write("hundred", std::string(100, 'h'));
    for (const tk::RunResult& r : {runOnFile({}, "/dev/null"), runOnFile({}, empty), runOnPipe({}, "")}) {
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "tart: blocksize = 0\n");
        EXPECT_EQ(r.code, 0);
    }
    const tk::RunResult file = runOnFile({}, hundred);
    EXPECT_EQ(file.out, "");
    EXPECT_EQ(file.err, "tart: blocksize error\n");
    EXPECT_EQ(file.code, 3);
    // From a pipe the record is completed first; the input just ends too soon.
    const tk::RunResult piped = runOnPipe({}, std::string(100, 'h'), 10);
    EXPECT_EQ(piped.err, "tart: unexpected end of archive\n");
    EXPECT_EQ(piped.code, 3);
    // A directory opens for reading, but reading it fails.
    const tk::RunResult dir = runOnFile({}, root.path());
    EXPECT_EQ(dir.out, "");
    EXPECT_EQ(dir.err, "tart: read error\n");
    EXPECT_EQ(dir.code, 3);
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
        const tk::RunResult r = runOnFile(args, "/dev/null");
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, usage);
        EXPECT_EQ(r.code, 1);
    }
}

TEST(TartProgramCommandLine, RefusedFormatsLeaveTheArchiveUnreadAndAFailedWriteIsReported) {
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
        const tk::RunResult r = runTart({c.arg}, fd);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(lseek(fd, 0, SEEK_CUR), 0);  // not a byte read
        close(fd);
    }
    EXPECT_EQ(runOnFile({"+%f 100%%"}, archive).out, "f 100%\n");

    // A failed write of the listing.
    const int in = open(archive.c_str(), O_RDONLY | O_CLOEXEC);
    const int full = open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    const tk::RunResult r = runTart({}, in, full);
    EXPECT_EQ(r.err, "tart: write error\n");
    EXPECT_EQ(r.code, 3);
    close(in);
    close(full);
}

}  // namespace
