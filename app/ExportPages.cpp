#include "app/ExportPages.h"

#include "analysis/CsvExport.h"
#include "analysis/LogLoad.h"
#include "analysis/PageFillRows.h"
#include "controls/ListRowsCsv.h"
#include "pages/PageColumns.h"
#include "platform/base/CodePage.h"
#include "platform/base/Exception.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kPageCount = 7;
// A list counts its rows in an int, as the window's pages do.
constexpr std::size_t kMaxRows = 0x7FFFFFFE;

void Report(std::FILE* err, const std::string& strUtf8)
{
    std::fprintf(err, "corvane: %s\n", strUtf8.c_str());
}

std::string ExceptionText(CException* e)
{
    char szText[1024] = {};
    if (!e->GetErrorMessage(szText, sizeof szText) || !szText[0]) return "the log could not be read";
    return Cp936ToUtf8(szText);
}

// Page nPage of load as CSV to out.
void WritePage(CCsvWriter& out, const LogLoad& load, int nPage)
{
    std::vector<std::string_view> titles;
    std::unique_ptr<CListRowSource> pRows;
    std::size_t nRows = 0;
    if (nPage == 0) {
        titles.assign(std::begin(kAllLinesTitles), std::end(kAllLinesTitles));
        pRows = std::make_unique<CAllLinesRows>(load);
        nRows = load.records.GetCount();
    } else {
        for (const PageColumn& column : kCrawlerColumns)
            titles.emplace_back(column.pszTitle);
        const std::vector<std::size_t>& records = load.crawlerRecords[nPage - 1];
        pRows = std::make_unique<CCrawlerRows>(load, &records);
        nRows = records.size();
    }
    WriteRowsCsv(out, titles, *pRows, AllListRows(static_cast<int>(std::min(nRows, kMaxRows))));
}

// Page nPage into the file at strPathUtf8, whole or not at all; 0 or the errno.
int WritePageFile(const LogLoad& load, int nPage, const std::string& strPathUtf8)
{
    CAtomicFileWriter file;
    int nError = file.Open(Utf8ToCp936(strPathUtf8).c_str());
    if (nError) return nError;
    CCsvWriter out(file.Fd());
    WritePage(out, load, nPage);
    return out.Flush() ? file.Commit() : out.Error();
}

} // namespace

int ExportPages(const CCommandLine& line, std::FILE* err)
{
    LogLoad load;
    try {
        load = LoadLogFile(CStringFromUtf8(line.strFile));
    } catch (CException* e) {
        Report(err, line.strFile + ": " + ExceptionText(e));
        e->Delete();
        return 1;
    }

    try {
        if (line.strExportTo == "-") {
            CCsvWriter out(STDOUT_FILENO);
            WritePage(out, load, line.nExportPage);
            if (!out.Flush()) {
                Report(err, Cp936ToUtf8(FileErrorText("standard output", out.Error())));
                return 1;
            }
            return 0;
        }
        std::error_code error;
        std::filesystem::create_directories(line.strExportTo, error);
        if (!std::filesystem::is_directory(line.strExportTo)) {
            Report(err, line.strExportTo + ": " + (error ? error.message() : std::string("not a folder")));
            return 1;
        }
        for (int nPage = 0; nPage < kPageCount; ++nPage) {
            if (line.nExportPage >= 0 && nPage != line.nExportPage) continue;
            std::string strPath = (std::filesystem::path(line.strExportTo) / kPageExportNames[nPage]).string() + ".csv";
            if (int nError = WritePageFile(load, nPage, strPath)) {
                Report(err, Cp936ToUtf8(FileErrorText(Utf8ToCp936(strPath).c_str(), nError)));
                return 1;
            }
        }
    } catch (CException* e) {
        Report(err, "the pages could not be written: " + ExceptionText(e));
        e->Delete();
        return 1;
    } catch (const std::bad_alloc&) {
        Report(err, "the pages could not be written: out of memory");
        return 1;
    }
    return 0;
}
