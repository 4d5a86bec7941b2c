#include "platform/base/CFile.h"

#include "platform/base/CodePage.h"
#include "tests/support/TestPaths.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using corvane::test::ScratchDir;
using corvane::test::WriteScratchFile;

namespace {

// Runs f with the current folder changed, and changes it back.
template <typename F> void InFolder(const std::string& folder, F&& f)
{
    char* old = getcwd(nullptr, 0);
    ASSERT_NE(old, nullptr);
    ASSERT_EQ(chdir(folder.c_str()), 0);
    f();
    EXPECT_EQ(chdir(old), 0);
    std::free(old);
}

// The current folder as code page 936 bytes (getcwd resolves links, as the
// kernel keeps the folder by identity).
CString CurrentFolderCp936()
{
    char* cwd = getcwd(nullptr, 0);
    CString s = CStringFromUtf8(cwd ? cwd : "");
    std::free(cwd);
    return s;
}

// Takes the exception a call throws, or null when it throws none.
template <typename F> CFileException* Thrown(F&& f)
{
    try {
        f();
    } catch (CFileException* e) {
        return e;
    }
    return nullptr;
}

} // namespace

TEST(CFile, ReadsAWholeFile)
{
    std::string content = "line one - - x\r\nline two\n";
    content += std::string(100000, 'z');
    std::string path = WriteScratchFile("whole.log", content);

    CFile file;
    CFileException error;
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead | CFile::shareCompat, &error));
    EXPECT_EQ(error.m_cause, CFileException::none);
    EXPECT_NE(file.m_hFile, CFile::hFileNull);
    EXPECT_EQ(file.GetLength(), content.size());

    // Asking for one byte more than the length gives exactly the file.
    std::vector<char> buffer(content.size() + 1, '#');
    UINT got = file.Read(buffer.data(), static_cast<UINT>(buffer.size()));
    EXPECT_EQ(got, content.size());
    EXPECT_EQ(std::string(buffer.data(), got), content);
    EXPECT_EQ(buffer.back(), '#');               // nothing written past what was read
    EXPECT_EQ(file.Read(buffer.data(), 10), 0u); // at the end
    EXPECT_EQ(file.Read(nullptr, 0), 0u);
    file.Close();
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    file.Close(); // a second close does nothing

    CFile again(path.c_str(), CFile::modeRead);
    std::vector<char> huge(content.size());
    EXPECT_EQ(again.ReadHuge(huge.data(), ULONGLONG(1) << 40), content.size()); // stops at the end
    EXPECT_EQ(std::string(huge.data(), huge.size()), content);

    std::string empty = WriteScratchFile("empty.log", "");
    CFile none(empty.c_str(), CFile::modeRead);
    EXPECT_EQ(none.GetLength(), 0u);
    char one = 'q';
    EXPECT_EQ(none.Read(&one, 1), 0u);
    EXPECT_EQ(one, 'q');
}

TEST(CFile, ReportsAnAbsolutePath)
{
    std::string path = WriteScratchFile("named.log", "x");
    CString folder = CStringFromUtf8(ScratchDir());
    {
        CFile file(path.c_str(), CFile::modeRead);
        EXPECT_EQ(file.GetFilePath(), CStringFromUtf8(path));
        EXPECT_EQ(file.GetFileName(), "named.log");
        file.Close();
        EXPECT_TRUE(file.GetFilePath().IsEmpty()); // closed: no path
    }

    std::filesystem::create_directories(ScratchDir() + "/sub");
    InFolder(ScratchDir(), [&] {
        CString cwd = CurrentFolderCp936();
        CFile file;
        ASSERT_TRUE(file.Open("named.log", CFile::modeRead));
        EXPECT_EQ(file.GetFilePath(), cwd + "/named.log");
        ASSERT_TRUE(file.Open("./sub/../sub/./..//named.log", CFile::modeRead)); // reopen closes the first
        EXPECT_EQ(file.GetFilePath(), cwd + "/named.log");
        EXPECT_EQ(file.GetFileName(), "named.log");
    });

    // A link is reported by the name it was opened with, not its target.
    std::string link = ScratchDir() + "/link.log";
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    CFile viaLink(link.c_str(), CFile::modeRead);
    EXPECT_EQ(viaLink.GetFilePath(), CStringFromUtf8(link));
    EXPECT_EQ(viaLink.GetFileName(), "link.log");
    char c = 0;
    EXPECT_EQ(viaLink.Read(&c, 1), 1u);
    EXPECT_EQ(c, 'x');
}

TEST(CFile, OpensCodePage936Names)
{
    // On disk the name is UTF-8; the program names it in code page 936.
    std::string native = ScratchDir() + "/" + reinterpret_cast<const char*>(u8"百度记录.log");
    WriteScratchFile(reinterpret_cast<const char*>(u8"百度记录.log"), "spider");
    CString path = CStringFromUtf8(ScratchDir()) + "/百度记录.log";

    CFile file;
    CFileException error;
    ASSERT_TRUE(file.Open(path, CFile::modeRead, &error)) << error.m_lOsError;
    EXPECT_EQ(file.GetFilePath(), path);
    EXPECT_EQ(file.GetFileName(), "百度记录.log");
    EXPECT_EQ(file.GetLength(), 6u);

    // Relative names are joined to the folder's code page 936 form.
    InFolder(ScratchDir(), [&] {
        CFile rel;
        ASSERT_TRUE(rel.Open("百度记录.log", CFile::modeRead));
        EXPECT_EQ(rel.GetFilePath(), CurrentFolderCp936() + "/百度记录.log");
    });

    // A name with bytes that are not code page 936 is simply not found.
    CString bad = CStringFromUtf8(ScratchDir()) + "/\xFF\xFE.log";
    EXPECT_FALSE(file.Open(bad, CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
}

TEST(CFile, FailuresReportACause)
{
    std::string missing = ScratchDir() + "/no-such.log";
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(missing.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_lOsError, ENOENT);
    EXPECT_EQ(error.m_strFileName, missing.c_str());
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    EXPECT_TRUE(file.GetFilePath().IsEmpty());
    EXPECT_FALSE(file.Open(missing.c_str(), CFile::modeRead)); // no exception object: just FALSE

    // The throwing constructor carries the same facts.
    CFileException* thrown = Thrown([&] { CFile f(missing.c_str(), CFile::modeRead); });
    ASSERT_NE(thrown, nullptr);
    EXPECT_EQ(thrown->m_cause, CFileException::fileNotFound);
    EXPECT_EQ(thrown->m_lOsError, ENOENT);
    EXPECT_EQ(thrown->m_strFileName, missing.c_str());
    EXPECT_NE(thrown->GetErrorText().Find("no-such.log"), -1);
    thrown->Delete();

    // A directory is not a file, for reading or writing.
    EXPECT_FALSE(file.Open(ScratchDir().c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_EQ(error.m_lOsError, EISDIR);
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
    EXPECT_FALSE(file.Open(ScratchDir().c_str(), CFile::modeWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);

    // A path through a file is a bad path.
    std::string plain = WriteScratchFile("plain.log", "p");
    EXPECT_FALSE(file.Open((plain + "/inner").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);

    EXPECT_FALSE(file.Open("", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    EXPECT_FALSE(file.Open(nullptr, CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    EXPECT_FALSE(file.Open(plain.c_str(), CFile::modeWrite | CFile::modeReadWrite, &error));
    EXPECT_EQ(error.m_cause, CFileException::generic);

    // A failed open leaves an earlier open file closed, not half-open.
    ASSERT_TRUE(file.Open(plain.c_str(), CFile::modeRead));
    EXPECT_FALSE(file.Open(missing.c_str(), CFile::modeRead));
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
}

TEST(CFile, NoPermission)
{
    if (geteuid() == 0) GTEST_SKIP() << "running as root: permission checks always pass";
    std::string path = WriteScratchFile("locked.log", "secret");
    ASSERT_EQ(chmod(path.c_str(), 0), 0);
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(path.c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::accessDenied);
    EXPECT_EQ(error.m_lOsError, EACCES);
    chmod(path.c_str(), 0600);
}

TEST(CFile, ClosedFileThrowsOnUse)
{
    CFile file;
    char buffer[4];
    CFileException* e = Thrown([&] { file.GetLength(); });
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->m_cause, CFileException::invalidFile);
    e->Delete();
    e = Thrown([&] { file.Read(buffer, sizeof buffer); });
    ASSERT_NE(e, nullptr);
    e->Delete();
    e = Thrown([&] { file.Write("x", 1); });
    ASSERT_NE(e, nullptr);
    e->Delete();

    std::string path = WriteScratchFile("nullbuf.log", "abc");
    ASSERT_TRUE(file.Open(path.c_str(), CFile::modeRead));
    e = Thrown([&] { file.Read(nullptr, 3); });
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->m_lOsError, EINVAL);
    e->Delete();
    // Writing to a file opened for reading fails with the system's reason.
    e = Thrown([&] { file.Write("x", 1); });
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->m_lOsError, EBADF);
    e->Delete();
}

TEST(CFile, LengthFollowsAFileThatChangesWhileOpen)
{
    std::string path = WriteScratchFile("growing.log", "12345");
    CFile reader(path.c_str(), CFile::modeRead | CFile::shareDenyWrite);
    EXPECT_EQ(reader.GetLength(), 5u);

    // Share flags lock nothing: another writer may go on appending.
    {
        CFile writer;
        ASSERT_TRUE(writer.Open(path.c_str(), CFile::modeWrite | CFile::modeCreate | CFile::modeNoTruncate));
        EXPECT_EQ(writer.GetLength(), 5u); // not truncated
        int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "6789", 4), 4);
        ::close(fd);
    }
    EXPECT_EQ(reader.GetLength(), 9u);
    char buffer[32] = {};
    EXPECT_EQ(reader.Read(buffer, sizeof buffer), 9u);
    EXPECT_STREQ(buffer, "123456789");

    // A file cut shorter after opening reads only what is left.
    CFile second(path.c_str(), CFile::modeRead);
    ULONGLONG length = second.GetLength();
    ASSERT_EQ(truncate(path.c_str(), 3), 0);
    std::vector<char> all(static_cast<std::size_t>(length) + 1);
    EXPECT_EQ(second.Read(all.data(), static_cast<UINT>(all.size())), 3u);
    EXPECT_EQ(second.GetLength(), 3u);
}

TEST(CFile, WritesAndCreates)
{
    std::string path = ScratchDir() + "/written.log";
    {
        CFile out(path.c_str(), CFile::modeWrite | CFile::modeCreate);
        out.Write("hello ", 6);
        out.Write("world", 5);
        out.Write(nullptr, 0);
        out.Close();
    }
    {
        CFile in(path.c_str(), CFile::modeRead);
        char buffer[16] = {};
        EXPECT_EQ(in.Read(buffer, sizeof buffer), 11u);
        EXPECT_STREQ(buffer, "hello world");
    }
    {
        // modeCreate without modeNoTruncate empties an existing file.
        CFile out(path.c_str(), CFile::modeReadWrite | CFile::modeCreate);
        EXPECT_EQ(out.GetLength(), 0u);
        EXPECT_EQ(out.GetOpenFlags(), UINT(CFile::modeReadWrite | CFile::modeCreate));
    }
}

TEST(CFile, NamedPipeWithoutWriterDoesNotHang)
{
    std::string fifo = ScratchDir() + "/pipe";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    CFile file;
    ASSERT_TRUE(file.Open(fifo.c_str(), CFile::modeRead));
    EXPECT_EQ(file.GetLength(), 0u);
    char buffer[8];
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u); // no writer: the end at once
}
