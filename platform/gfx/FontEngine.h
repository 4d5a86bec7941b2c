// Resolves font requests to faces through fontconfig, with the program's face aliases, and
// keeps the faces and the fonts made from them. One thread, like the rest of the layer.
#pragma once

#include "platform/gfx/FontRequest.h"

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

struct FT_LibraryRec_;
struct FT_FaceRec_;
struct _FcConfig;
struct _FcPattern;

namespace gfx {

class Font;

// The folder holding fonts/corvane-fonts.conf. Call before the first font is made; later
// calls do not reload. Without it the engine looks where FindAliasFile says.
void SetResourceDir(const std::string& path);

// The font alias file for a program at exePath, absolute; empty when none is found. Tried in
// order: the folder given to SetResourceDir, env CORVANE_RES_DIR, $CORVANE_SOURCE_DIR/res,
// then, from the program's real folder (links followed), res/ beside it and
// ../share/corvane/res (the installed layout), and last the source tree it was built from.
// tried (optional) gets the paths looked at, for a message.
std::string FindAliasFile(const std::string& exePath, std::string* tried = nullptr);

// Where a requested face was found.
struct FaceMatch {
    std::string file;
    int index = 0;
    std::string family; // UTF-8
    int weight = 400;   // the face's own weight, 100..900
    bool italic = false;
};

class FontEngine {
public:
    static FontEngine& Instance();

    // The font for a request, shared with earlier identical requests; never null. A face
    // name that matches nothing gives the system's default face.
    std::shared_ptr<Font> Get(const FontRequest& spec);

    // The alias file in use, empty when none was found; Problem() says why.
    const std::string& AliasFile() const { return m_aliasFile; }
    const std::string& Problem() const { return m_problem; }

    // Faces are opened once and live as long as the engine. Null when the file won't open.
    FT_FaceRec_* Face(const std::string& file, int index);
    FT_LibraryRec_* Library() const { return m_library; }
    _FcConfig* Config() const { return m_config; }

    // The fontconfig request for a font (caller destroys it), and its best face.
    _FcPattern* MakePattern(const FontRequest& spec) const;
    bool Match(_FcPattern* pattern, FaceMatch& out) const;
    // Reads file, index, family, weight and slant of a font fontconfig listed.
    static bool Describe(_FcPattern* font, FaceMatch& out);

    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

private:
    FontEngine();
    ~FontEngine() = default; // lives for the whole process: fonts may outlive static objects
    void DropUnusedFonts();

    FT_LibraryRec_* m_library = nullptr;
    _FcConfig* m_config = nullptr;
    std::string m_aliasFile;
    std::string m_problem;
    std::map<std::pair<std::string, int>, FT_FaceRec_*> m_faces;
    std::unordered_map<FontRequest, std::shared_ptr<Font>, FontRequestHash> m_fonts;
};

} // namespace gfx
