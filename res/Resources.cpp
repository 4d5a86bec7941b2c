#include "res/Resources.h"

#include "platform/system/dialog/Resource.h"
#include "res/EmbeddedFiles.h"
#include "res/ResourceIds.h"
#include "res/Templates.h"
#include "res/VersionInfo.h"

const char kAboutMenuText[] = "关于 Corvane(&A)...";

namespace {

struct FileResource {
    LPCSTR type;
    UINT id;
    const char* file;
};

void RegisterFile(const FileResource& r)
{
    // The build embeds every listed file; a missing one leaves that id unregistered.
    const EmbeddedFile* f = FindEmbeddedFile(r.file);
    if (f != nullptr) sys::RegisterResourceData(r.type, r.id, f->data, f->size);
}

} // namespace

void RegisterCorvaneResources()
{
    const FileResource files[] = {
        {RT_BITMAP, IDB_CLOSE_RED, "images/close_red.bmp"},
        {RT_BITMAP, IDB_CLOSE_GREEN, "images/close_green.bmp"},
        {RT_BITMAP, IDB_HELP_RED, "images/help_red.bmp"},
        {RT_BITMAP, IDB_HELP_GREEN, "images/help_green.bmp"},
        {RT_BITMAP, IDB_RESTORE_GREEN, "images/restore_green.bmp"},
        {RT_BITMAP, IDB_MAX_RED, "images/maximize_red.bmp"},
        {RT_BITMAP, IDB_MAX_GREEN, "images/maximize_green.bmp"},
        {RT_BITMAP, IDB_MIN_RED, "images/minimize_red.bmp"},
        {RT_BITMAP, IDB_MIN_GREEN, "images/minimize_green.bmp"},
        {RT_BITMAP, IDB_RESTORE_RED, "images/restore_red.bmp"},
        {RT_GROUP_ICON, IDR_MAINFRAME, "images/corvane.ico"},
        {"PNG", IDR_PNG_TABS, "images/toolbar.png"},
    };
    for (const FileResource& r : files)
        RegisterFile(r);

    sys::RegisterString(IDS_ABOUTBOX, kAboutMenuText);
    sys::RegisterResourceData(RT_VERSION, VS_VERSION_INFO, BuildVersionResource(CorvaneVersionInfo()));

    sys::RegisterDialogTemplate(IDD_ABOUTBOX, AboutBoxTemplate());
    sys::RegisterDialogTemplate(IDD_CORVANE_DIALOG, MainDialogTemplate());
    sys::RegisterDialogTemplate(IDD_FDLG, AllLinesPageTemplate());
    sys::RegisterDialogTemplate(IDD_SDLG, CrawlerPageTemplate());
}
