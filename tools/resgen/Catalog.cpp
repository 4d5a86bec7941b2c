#include "tools/resgen/Catalog.h"

#include "res/ResourceIds.h"

namespace resgen {

const std::vector<CaptionBitmap>& CaptionBitmaps()
{
    using G = CaptionGlyph;
    using S = CaptionSquare;
    static const std::vector<CaptionBitmap> list = {
        {IDB_CLOSE_RED, G::Close, S::RedOrange, "images/close_red.bmp"},
        {IDB_CLOSE_GREEN, G::Close, S::OliveGreen, "images/close_green.bmp"},
        {IDB_HELP_RED, G::Help, S::RedOrange, "images/help_red.bmp"},
        {IDB_HELP_GREEN, G::Help, S::OliveGreen, "images/help_green.bmp"},
        {IDB_RESTORE_GREEN, G::Restore, S::OliveGreen, "images/restore_green.bmp"},
        {IDB_MAX_RED, G::Maximize, S::RedOrange, "images/maximize_red.bmp"},
        {IDB_MAX_GREEN, G::Maximize, S::OliveGreen, "images/maximize_green.bmp"},
        {IDB_MIN_RED, G::Minimize, S::RedOrange, "images/minimize_red.bmp"},
        {IDB_MIN_GREEN, G::Minimize, S::OliveGreen, "images/minimize_green.bmp"},
        {IDB_RESTORE_RED, G::Restore, S::RedOrange, "images/restore_red.bmp"},
    };
    return list;
}

bool GenerateResourceFiles(std::vector<GeneratedFile>* out, std::string* error)
{
    out->clear();
    for (const CaptionBitmap& b : CaptionBitmaps())
        out->push_back({b.path, EncodeBmp24(DrawCaptionButton(b.glyph, b.square))});
    out->push_back({kIconPath, EncodeIco32(DrawAppIcon())});
    std::string pngError;
    ByteVector png = EncodePngRgba(DrawTabStrip(), &pngError);
    if (png.empty()) {
        if (error) *error = "toolbar PNG: " + pngError;
        return false;
    }
    out->push_back({kTabStripPath, std::move(png)});
    ByteVector icon = EncodePngRgba(DrawAppIcon(), &pngError);
    if (icon.empty()) {
        if (error) *error = "desktop icon PNG: " + pngError;
        return false;
    }
    out->push_back({kDesktopIconPath, std::move(icon), false});
    for (const GeneratedFile& f : *out) {
        if (f.bytes.empty()) {
            if (error) *error = f.path + ": encoder produced nothing";
            return false;
        }
    }
    return true;
}

} // namespace resgen
