#include "lister.h"

#include <cinttypes>
#include <cstdio>

#include "tartExit.h"

namespace tart {

namespace {

std::string decimal(int64_t v, const char* fmt = "%" PRId64) {
    char buf[32];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

}  // namespace

Lister::Lister(const CompiledFormat& format, const NameLists& lists, ByteSource& src,
               Console& console, std::size_t chunkSize)
    : format_(format), lists_(lists), console_(console), reader_(src, chunkSize) {}

void Lister::failWith(std::string_view message, int status) {
    console_.err(message);
    status_ = status;
}

void Lister::fail(ReadStatus s) {
    switch (s) {
    case ReadStatus::Eof:
        failWith("tart: unexpected end of archive\n", kExitTruncated);
        break;
    case ReadStatus::BlocksizeError:
        failWith("tart: blocksize error\n", kExitBlocksize);
        break;
    case ReadStatus::Error:
    case ReadStatus::Ok:
        failWith("tart: read error\n", kExitRead);
        break;
    }
}

Found Lister::getdir(TarHeader& h) {
    const unsigned char* rec = nullptr;
    const ReadStatus s = reader_.readtape(rec);
    if (s != ReadStatus::Ok) {
        fail(s);
        return Found::Failed;
    }
    if (rec[0] == 0) return Found::End;
    h = parseHeader(rec);
    const int computed = checksum(rec);
    if (h.storedChecksum != computed) {
        char msg[96];
        std::snprintf(msg, sizeof msg, "tart: directory checksum error (%" PRId64 " != %d)\n",
                      h.storedChecksum, computed);
        failWith(msg, kExitChecksum);
        return Found::Failed;
    }
    bool extended = h.typeflag == kTypeGnuSparse && rec[kGnuSparseExtendedAt] != 0;
    while (extended) {
        const ReadStatus e = reader_.readtape(rec);
        if (e != ReadStatus::Ok) {
            fail(e);
            return Found::Failed;
        }
        extended = rec[kGnuExtensionExtendedAt] != 0;
    }
    return Found::Member;
}

Found Lister::GetDesired(TarHeader& h) {
    for (;;) {
        const Found f = getdir(h);
        if (f != Found::Member || lists_.selects(h.name)) return f;
        const ReadStatus s = reader_.passtape(h.dataRecords());
        if (s != ReadStatus::Ok) {
            fail(s);
            return Found::Failed;
        }
    }
}

bool Lister::FilBuf(const TarHeader& h) {
    auto uses = [this](Directive d) { return format_.uses(d); };
    auto value = [this](Directive d) -> std::string& {
        return values_[static_cast<std::size_t>(d)];
    };
    if (uses(Directive::Type)) {
        value(Directive::Type) = h.typeflag == kTypeSymLink                   ? "l"
                                 : (!h.name.empty() && h.name.back() == '/') ? "d"
                                                                             : "-";
    }
    if (uses(Directive::Size)) value(Directive::Size) = decimal(h.size, "%6" PRId64);
    if (uses(Directive::Checksum)) {
        uint16_t sum = 0;
        if (h.dataRecords() > 0) {
            const ReadStatus s = reader_.ChecksumFl(static_cast<uint64_t>(h.size), sum);
            if (s != ReadStatus::Ok) {
                fail(s);
                return false;
            }
        }
        value(Directive::Checksum) = decimal(sum, "%05" PRId64);
    }
    if (uses(Directive::Mode)) value(Directive::Mode) = decimal(h.mode, "%" PRIo64);
    if (uses(Directive::ModeStr)) value(Directive::ModeStr) = GetModeStr(h.mode);
    if (uses(Directive::Uid)) value(Directive::Uid) = decimal(h.uid);
    if (uses(Directive::UidStr)) value(Directive::UidStr) = decimal(h.uid);
    if (uses(Directive::Gid)) value(Directive::Gid) = decimal(h.gid);
    if (uses(Directive::GidStr)) value(Directive::GidStr) = decimal(h.gid);
    if (uses(Directive::FileName)) value(Directive::FileName) = h.name;
    if (uses(Directive::LinkName)) {
        const bool link = h.typeflag == kTypeHardLink || h.typeflag == kTypeSymLink;
        value(Directive::LinkName) = link ? " -> " + h.linkname : std::string();
    }
    if ((uses(Directive::Date) || uses(Directive::DateStr)) &&
        !(haveDate_ && lastMtime_ == h.mtime)) {
        std::tm t{};
        const bool ok = localTime(h.mtime, t);
        value(Directive::Date) = ok ? GetyymmddHHMM(t) : "??????????";
        value(Directive::DateStr) = ok ? GetDateStr(t) : "??? ?? ??:?? ????";
        lastMtime_ = h.mtime;
        haveDate_ = true;
    }
    if (!uses(Directive::Checksum)) {
        const ReadStatus s = reader_.passtape(h.dataRecords());
        if (s != ReadStatus::Ok) {
            fail(s);
            return false;
        }
    }
    return true;
}

int Lister::run() {
    int count = 0;
    const ReadStatus first = reader_.firstRead(count);
    if (first != ReadStatus::Ok) {
        fail(first);
        return status_;
    }
    if (count != 1) {
        console_.err("tart: blocksize = " + decimal(count) + "\n");
    }
    if (count == 0) return kExitOk;  // nothing at all: the archive ends here

    TarHeader h;
    for (;;) {
        const Found f = GetDesired(h);
        if (f == Found::End) break;
        if (f == Found::Failed || !FilBuf(h)) return status_;
        line_.clear();
        format_.render(values_, line_);
        if (!console_.out(line_)) {
            failWith("tart: write error\n", kExitWrite);
            return status_;
        }
    }
    return kExitOk;
}

int listArchive(const CompiledFormat& format, const NameLists& lists, ByteSource& src,
                Console& console) {
    Lister lister(format, lists, src, console);
    return lister.run();
}

}  // namespace tart
