// Byte sources: every compressed format decodes to exactly the text that was
// packed (streams one after another included), bad or cut-off data is
// reported, pipes are read to their end, and files that never end are refused.
#include "analysis/LogSource.h"

#include "platform/base/CodePage.h"
#include "tests/support/TestPaths.h"

#include <bzlib.h>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <lzma.h>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <zlib.h>
#include <zstd.h>

namespace {

using corvane::test::ScratchDir;
using corvane::test::WriteScratchFile;

// Text that compresses well, then bytes that do not: together their packed
// form is larger than one input piece, so streams cross piece boundaries.
std::string TestText(std::size_t lines, std::size_t noise, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string text;
    for (std::size_t i = 0; i < lines; ++i)
        text += "66.249.65." + std::to_string(rng() % 256) + " - - [21/Feb/2011:10:" + std::to_string(i % 60) +
                "] \"GET /p" + std::to_string(rng() % 5000) + " HTTP/1.1\" 200 " + std::to_string(rng() % 9999) +
                " \"-\" \"Googlebot/2.1\"\n";
    for (std::size_t i = 0; i < noise; ++i)
        text += static_cast<char>(rng() & 0xFF);
    return text;
}

std::string Gzip(const std::string& text)
{
    z_stream z{};
    EXPECT_EQ(deflateInit2(&z, 6, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY), Z_OK);
    std::string out(deflateBound(&z, text.size()) + 64, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::string Zstd(const std::string& text)
{
    ZSTD_CCtx* cctx = ZSTD_createCCtx();
    ZSTD_CCtx_setParameter(cctx, ZSTD_c_checksumFlag, 1); // as the zstd tool writes
    std::string out(ZSTD_compressBound(text.size()), '\0');
    std::size_t n = ZSTD_compress2(cctx, out.data(), out.size(), text.data(), text.size());
    ZSTD_freeCCtx(cctx);
    EXPECT_FALSE(ZSTD_isError(n));
    out.resize(n);
    return out;
}

std::string Bzip2(const std::string& text)
{
    std::string out(text.size() + text.size() / 100 + 700, '\0');
    unsigned n = static_cast<unsigned>(out.size());
    EXPECT_EQ(BZ2_bzBuffToBuffCompress(out.data(), &n, const_cast<char*>(text.data()),
                                       static_cast<unsigned>(text.size()), 9, 0, 0),
              BZ_OK);
    out.resize(n);
    return out;
}

std::string Xz(const std::string& text)
{
    std::string out(lzma_stream_buffer_bound(text.size()), '\0');
    std::size_t n = 0;
    EXPECT_EQ(lzma_easy_buffer_encode(6, LZMA_CHECK_CRC64, nullptr, reinterpret_cast<const uint8_t*>(text.data()),
                                      text.size(), reinterpret_cast<uint8_t*>(out.data()), &n, out.size()),
              LZMA_OK);
    out.resize(n);
    return out;
}

struct Format {
    const char* name;
    CLogSource::Format format;
    std::string (*pack)(const std::string&);
};
const Format kFormats[] = {
    {"gzip", CLogSource::formatGzip, Gzip},
    {"zstd", CLogSource::formatZstd, Zstd},
    {"bzip2", CLogSource::formatBzip2, Bzip2},
    {"xz", CLogSource::formatXz, Xz},
};

// Everything the source gives, in reads of the given size.
std::string ReadWhole(CLogSource& source, std::ptrdiff_t piece)
{
    std::string all;
    std::string buf(static_cast<std::size_t>(piece), '\0');
    for (;;) {
        std::ptrdiff_t n = source.Read(buf.data(), piece);
        all.append(buf.data(), static_cast<std::size_t>(n));
        if (n < piece) break; // a short read is the end
    }
    EXPECT_EQ(source.Read(buf.data(), piece), 0);
    return all;
}

std::string ReadPath(const std::string& path, std::ptrdiff_t piece = 1 << 20)
{
    CLogSource source(path.c_str());
    return ReadWhole(source, piece);
}

struct Refusal {
    bool thrown = false;
    int reason = -1; // a CLogSourceException reason, -1 for another file error
    std::string text;
};

template <class F> Refusal Refused(F&& f)
{
    Refusal r;
    try {
        f();
    } catch (CFileException* e) {
        r.thrown = true;
        if (auto* s = dynamic_cast<CLogSourceException*>(e)) r.reason = s->m_reason;
        r.text = e->GetErrorText().GetString();
        e->Delete();
    }
    return r;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(LogSource, EachFormatDecodesToThePackedTextWhateverTheNameAndPieceSize)
{
    const std::string first = TestText(9000, 300000, 1);
    const std::string second = TestText(50, 1000, 2);
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.name);
        // One stream, then two streams one after another, each under a plain name.
        const std::string one = WriteScratchFile(std::string(f.name) + "-one.log", f.pack(first));
        const std::string two = WriteScratchFile(std::string(f.name) + "-two.txt", f.pack(first) + f.pack(second));
        CLogSource source(one.c_str());
        EXPECT_EQ(source.GetFormat(), f.format);
        EXPECT_EQ(source.GetKnownSize(), CLogSource::unknownSize);
        EXPECT_TRUE(ReadWhole(source, 1 << 20) == first);
        EXPECT_TRUE(ReadPath(two, 4093) == first + second);
        // A stream of nothing still ends cleanly.
        const std::string empty = WriteScratchFile(std::string(f.name) + "-empty", f.pack(""));
        EXPECT_EQ(ReadPath(empty), "");
    }
    // Bytes after the last gzip member or bzip2 stream are left, as their tools leave them.
    const std::string gzTail = WriteScratchFile("tail.gz", Gzip(second) + std::string(512, '\0'));
    EXPECT_TRUE(ReadPath(gzTail) == second);
    const std::string bzTail = WriteScratchFile("tail.bz2", Bzip2(second) + "garbage");
    EXPECT_TRUE(ReadPath(bzTail) == second);
    // A text file named as if compressed is read as it is.
    const std::string plain = WriteScratchFile("plain.gz", second);
    EXPECT_EQ(CLogSource(plain.c_str()).GetFormat(), CLogSource::formatPlain);
    EXPECT_TRUE(ReadPath(plain, 7) == second);
}

TEST(LogSource, CutOrDamagedCompressedDataIsReportedNotReturned)
{
    const std::string text = TestText(4000, 20000, 3);
    for (const Format& f : kFormats) {
        SCOPED_TRACE(f.name);
        const std::string packed = f.pack(text);
        std::string damaged = packed;
        for (std::size_t i = packed.size() / 2; i < packed.size() / 2 + 16; ++i)
            damaged[i] = static_cast<char>(~damaged[i]);
        const struct {
            const char* what;
            std::string bytes;
        } cases[] = {
            {"cut in half", packed.substr(0, packed.size() / 2)},
            {"last byte missing", packed.substr(0, packed.size() - 1)},
            {"damaged", damaged},
            {"second stream cut", packed + packed.substr(0, packed.size() / 3)},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.what);
            const std::string path = WriteScratchFile(std::string(f.name) + ".bad", c.bytes);
            Refusal r = Refused([&] { ReadPath(path); });
            ASSERT_TRUE(r.thrown);
            EXPECT_TRUE(r.reason == CLogSourceException::corrupt || r.reason == CLogSourceException::truncated);
            EXPECT_NE(r.text.find("压缩文件已损坏或不完整"), std::string::npos);
            EXPECT_NE(r.text.find(path), std::string::npos) << r.text;
        }
    }
}

TEST(LogSource, RegularFilesKnowTheirLengthAndOtherFilesAreReadToTheirEnd)
{
    // A regular file gives what it held when opened; lines appended later wait for the next load.
    const std::string path = WriteScratchFile("growing.log", "line one\nline two\n");
    CLogSource source(path.c_str());
    EXPECT_EQ(source.GetKnownSize(), 18u);
    std::ofstream(path, std::ios::app) << "line three\n";
    EXPECT_EQ(ReadWhole(source, 5), "line one\nline two\n");

    // Shorter than any signature, and empty.
    EXPECT_EQ(ReadPath(WriteScratchFile("short", "ab")), "ab");
    EXPECT_EQ(ReadPath(WriteScratchFile("empty", "")), "");

    // A /proc file reports length 0 but has text.
    CLogSource proc("/proc/self/status");
    EXPECT_EQ(proc.GetKnownSize(), CLogSource::unknownSize);
    EXPECT_NE(ReadWhole(proc, 100).find("Name:"), std::string::npos);
}

TEST(LogSource, PipesAreReadToTheirEndAndCompressedDataThroughThemIsDecoded)
{
    std::signal(SIGPIPE, SIG_IGN);
    const std::string text = TestText(20000, 0, 4); // larger than a pipe holds
    const std::string fifo = ScratchDir() + "/feed";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "gzip" : "plain");
        const std::string bytes = compressed ? Gzip(text) : text;
        std::thread writer([&] {
            int fd = open(fifo.c_str(), O_WRONLY); // waits for the reader
            for (std::size_t done = 0; fd >= 0 && done < bytes.size();) {
                ssize_t n = write(fd, bytes.data() + done, std::min<std::size_t>(bytes.size() - done, 5000));
                if (n <= 0) break;
                done += static_cast<std::size_t>(n);
            }
            if (fd >= 0) close(fd);
        });
        std::string got;
        Refusal r = Refused([&] {
            CLogSource source(fifo.c_str());
            EXPECT_EQ(source.GetKnownSize(), CLogSource::unknownSize);
            got = ReadWhole(source, 1 << 16);
        });
        if (r.thrown) close(open(fifo.c_str(), O_RDONLY | O_NONBLOCK)); // lets the writer go
        writer.join();
        EXPECT_FALSE(r.thrown) << r.text;
        EXPECT_TRUE(got == text);
    }
    // An anonymous pipe named by /dev/fd, as a shell's process substitution passes it.
    int p[2];
    ASSERT_EQ(pipe(p), 0);
    ASSERT_EQ(write(p[1], "a b\n", 4), 4);
    close(p[1]);
    EXPECT_EQ(ReadPath("/dev/fd/" + std::to_string(p[0])), "a b\n");
    close(p[0]);
    // A named pipe nobody writes to is given up on instead of read as empty.
    Refusal silent = Refused([&] { CLogSource(fifo.c_str(), 0); });
    EXPECT_EQ(silent.reason, CLogSourceException::pipeTimeout);
}

TEST(LogSource, FoldersDevicesAndMissingFilesAreRefusedWithTheirReason)
{
    const struct {
        std::string path;
        int reason;
        const char* says;
    } cases[] = {
        {"/dev/zero", CLogSourceException::device, "设备"},
        {"/dev/urandom", CLogSourceException::device, "设备"},
        {ScratchDir(), CLogSourceException::directory, "文件夹"},
        {ScratchDir() + "/none.log", -1, "找不到文件"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        Refusal r = Refused([&] { CLogSource(c.path.c_str()); });
        ASSERT_TRUE(r.thrown);
        EXPECT_EQ(r.reason, c.reason);
        EXPECT_NE(r.text.find(c.says), std::string::npos) << r.text;
        EXPECT_NE(r.text.find(c.path), std::string::npos) << r.text;
    }
}

TEST(LogSource, FileNamesOutsideTheOldCodePageOpenThroughTheirConvertedForm)
{
    // Code page 936 names reach every Unicode name through its GB18030 superset.
    const char8_t* names[] = {u8"with space.log", u8"日志 文件.log", u8"журнал.log", u8"log-😀.log", u8"mixed ÄÖ ✓.gz"};
    for (const char8_t* utf8 : names) {
        const std::string native = ScratchDir() + "/" + reinterpret_cast<const char*>(utf8);
        SCOPED_TRACE(native);
        std::ofstream(native, std::ios::binary) << "x - - y\n";
        const std::string cp936 = Utf8ToCp936(native);
        EXPECT_EQ(Cp936ToUtf8(cp936), native);
        CLogSource source(cp936.c_str());
        EXPECT_EQ(std::string(source.GetFilePath().GetString()), cp936);
        EXPECT_EQ(ReadWhole(source, 64), "x - - y\n");
    }
}

// A public log packed by each format's own tool reads back as that tool unpacks it.
TEST(LogSource, RealLogPackedByTheCommandLineToolsMatchesTheirUnpacking)
{
    const std::string log = "/work/shared/realdata/call518-LogSentinelAI_access-10k_zanbil.log";
    if (!std::filesystem::exists(log)) GTEST_SKIP() << "no real logs on this machine";
    const std::string original = ReadFile(log);
    const struct {
        const char* tool;
        const char* pack;
        const char* unpack;
    } tools[] = {{"gzip", "gzip -c", "gzip -dc"},
                 {"zstd", "zstd -q -c", "zstd -q -dc"},
                 {"bzip2", "bzip2 -1 -c", "bzip2 -dc"},
                 {"xz", "xz -1 -c", "xz -dc"}};
    int ran = 0;
    for (const auto& t : tools) {
        if (std::system((std::string("command -v ") + t.tool + " >/dev/null").c_str()) != 0) continue;
        SCOPED_TRACE(t.tool);
        const std::string packed = ScratchDir() + "/real." + t.tool;
        const std::string unpacked = packed + ".out";
        // Packed twice over, as a rotated log appended to another.
        const std::string cmd = std::string("(") + t.pack + " '" + log + "'; " + t.pack + " '" + log + "') > '" +
                                packed + "' && " + t.unpack + " '" + packed + "' > '" + unpacked + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        const std::string want = ReadFile(unpacked);
        EXPECT_EQ(want.size(), 2 * original.size());
        EXPECT_TRUE(ReadPath(packed) == want);
        ++ran;
    }
    if (ran == 0) GTEST_SKIP() << "no compression tools installed";
}

} // namespace
