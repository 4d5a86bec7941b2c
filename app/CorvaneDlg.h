// CCorvaneDlg: the main window. A modal dialog (template 102) with the path
// box, the open button and seven result pages on a tab control. It owns the
// current load and fills the pages from it; it paints its own caption, frame
// and caption buttons.
#pragma once

#include "analysis/LogLoad.h"
#include "controls/XPButton.h"
#include "controls/XPEdit.h"
#include "pages/MyTab.h"
#include "platform/framework/Afxwin.h"

#include <atomic>
#include <functional>

class CFDlg;
class CListCtrlCl;
class CSDlg;

class CCorvaneDlg : public CDialog {
public:
    static constexpr int kPageCount = 7;

    explicit CCorvaneDlg(CWnd* pParent = nullptr);
    ~CCorvaneDlg() override;

    // The pages in tab order: 0 the all-lines page (CFDlg), 1 to 6 the crawler pages (CSDlg).
    CDialog* m_pPages[kPageCount] = {};
    CXPButton m_btnOpen;
    CXPEdit m_editPath;
    // The file loaded last: its path, whole text, entry-marker count and records.
    // A new load is built aside and swapped in only when it succeeded.
    LogLoad m_load;
    BOOL m_bLoaded = FALSE; // set by the first load that succeeds, never cleared
    CMyTab m_tab;
    // Caption icon and buttons in screen coordinates, as the last frame paint,
    // hover or click laid them out (LayoutCaption).
    CRect m_rtIcon;
    CRect m_rtButtMax;
    CRect m_rtButtMin;
    CRect m_rtButtExit;
    CRect m_rtButtHelp;
    HICON m_hIcon = nullptr;
    // A log to open as soon as the window is up (the command line's), code page 936.
    CString m_strStartFile;
    // Posted to itself from OnInitDialog when there is a start file.
    static constexpr UINT WM_OPENSTARTFILE = WM_USER + 8;

    // Loads the file at lpszPath in place of the current load and refills the
    // seven pages. When the file cannot be read the framework's exception report
    // says so and the current load, path box and pages stay; FALSE then.
    BOOL OpenLogFile(LPCSTR lpszPath);

    // Reads the log in place of LoadLogFile, on the worker thread (tests stand
    // a slow reader in for a big file with it).
    std::function<LogLoad(const char* pszPath, LogLoadProgress* pProgress)> m_fnReadHook;

    // True while a worker reads a file and the window waits for it.
    BOOL IsReading() const { return m_bReading; }

    // Paints caption band, borders, icon, caption buttons and title into a
    // DC of the whole window.
    void DrawTitleBar(CDC* pDC);

    // The crawler pages' tokens, in tab order (pages 1 to 6).
    static const char* CrawlerToken(int nPage);
    CSDlg* CrawlerPage(int nPage) const;
    CFDlg* AllLinesPage() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnOpenFile();
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    LRESULT OnShowAll(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowBaidu(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowGoogle(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowYoudao(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowSoso(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowSogou(WPARAM wParam, LPARAM lParam);
    LRESULT OnShowBing(WPARAM wParam, LPARAM lParam);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnDropFiles(HDROP hDropInfo);
    LRESULT OnOpenStartFile(WPARAM wParam, LPARAM lParam);

    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);

    // Reads the file at lpszPath into load: big files and pipes on a worker
    // thread while the window waits. A failure is reported; FALSE then, and
    // also when the user gave the read up (nothing to report).
    BOOL ReadLogFile(LPCSTR lpszPath, LogLoad& load);
    // Pumps messages until the worker is done; FALSE when the user gave the
    // read up (Esc) or the program is ending, and the worker is then left.
    BOOL WaitForRead(const LogLoadProgress& progress, const std::atomic<bool>& bDone, LPCSTR lpszPath);
    void ShowReadProgress(const LogLoadProgress& progress, LPCSTR lpszPath);
    static bool ReadsLong(LPCSTR lpszPath);
    // Puts the pages of the current load up; FALSE when one could not be filled.
    BOOL FillPages();

    // Runs a page fill; a fill that fails or throws empties the page and sets m_bFillFailed.
    void FillOrNote(CListCtrlCl& list, const std::function<BOOL()>& fill);

    BOOL m_bReading = FALSE;   // a worker is reading a file
    BOOL m_bFillFailed = FALSE; // a page fill ran out of memory

    // Refills crawler page nPage (1 to 6) from the current load; nothing before the first load.
    void ShowCrawlerPage(int nPage);
    // Selects, cuts and lists the lines of one crawler on pPage.
    void ShowCrawler(CSDlg* pPage, CString strToken);
    // The painted caption's parts: the buttons from the right, then the icon.
    enum CaptionPart { kCaptionClose, kCaptionMaxRestore, kCaptionMinimize, kCaptionHelp, kCaptionIcon };
    static constexpr int kCaptionButtonCount = kCaptionIcon;
    static constexpr int kCaptionPartCount = kCaptionIcon + 1;
    // Where caption part nPart lies in a window of rtWnd's size (window coordinates).
    static CRect CaptionPartRect(int nPart, const CRect& rtWnd);
    // Lays the icon and buttons out for the window as it stands into m_rtIcon and
    // the m_rtButt members; returns the window rectangle it used.
    CRect LayoutCaption();
    // Draws the four caption buttons, hovered where pHover (screen) lies on one.
    void DrawCaptionButtons(CDC* pDC, const CRect& rtWnd, const CPoint* pHover);
    // A caption button's bitmap for the state the window is in now.
    UINT ButtonBitmap(int nButton, BOOL bHover) const;
    // The frame's brush and title font, made with the dialog and deleted with it.
    CBrush m_brFrame;
    CFont m_fontTitle;
    void CreateFrameObjects();
    void DeleteFrameObjects();
    // Gives the window rounded corners of the given ellipse, sized to its rectangle now.
    void SetRoundRegion(int nEllipse);

    DECLARE_MESSAGE_MAP()
};
