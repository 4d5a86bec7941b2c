#include "platform/gfx/FontEngine.h"

#include "platform/base/Cp936Decode.h"
#include "platform/gfx/Font.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace gfx {

namespace {

// Fonts kept for reuse; past this, fonts nobody else holds are let go.
constexpr std::size_t kMaxKeptFonts = 256;
constexpr const char* kAliasFile = "fonts/corvane-fonts.conf";

std::string& ResourceDirOverride()
{
    static std::string dir;
    return dir;
}

std::string EnvDir(const char* name, const char* suffix)
{
    const char* v = std::getenv(name);
    if (v == nullptr || *v == '\0') return std::string();
    return std::string(v) + suffix;
}

std::string ExecutablePath()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

// The source tree this file was compiled from, as a last resort for developers' builds.
std::string BuiltFromDir()
{
#ifdef CORVANE_BUILT_FROM
    return std::string(CORVANE_BUILT_FROM) + "/res";
#else
    std::filesystem::path self(__FILE__);
    if (!self.is_absolute()) return std::string();
    return (self.parent_path().parent_path().parent_path() / "res").string();
#endif
}

} // namespace

// fontconfig reads a relative path against its own folder, so the result is absolute.
std::string FindAliasFile(const std::string& exePath, std::string* tried)
{
    // A link to the program (say in /usr/local/bin) must find the program's own files.
    std::string exeDir;
    if (!exePath.empty()) {
        std::error_code ec;
        auto real = std::filesystem::weakly_canonical(exePath, ec);
        if (!ec) exeDir = real.parent_path().string();
    }
    std::vector<std::string> dirs = {ResourceDirOverride(), EnvDir("CORVANE_RES_DIR", ""),
                                     EnvDir("CORVANE_SOURCE_DIR", "/res"),
                                     exeDir.empty() ? std::string() : exeDir + "/res",
                                     exeDir.empty() ? std::string() : exeDir + "/../share/corvane/res",
                                     BuiltFromDir()};
    for (const std::string& dir : dirs) {
        if (dir.empty()) continue;
        std::error_code ec;
        auto path = std::filesystem::absolute(std::filesystem::path(dir) / kAliasFile, ec);
        if (ec) continue;
        if (tried) *tried += (tried->empty() ? "" : ", ") + path.string();
        if (std::filesystem::is_regular_file(path, ec)) return path.lexically_normal().string();
    }
    return std::string();
}

void SetResourceDir(const std::string& path)
{
    ResourceDirOverride() = path;
}

FontEngine& FontEngine::Instance()
{
    static FontEngine* engine = new FontEngine();
    return *engine;
}

FontEngine::FontEngine()
{
    if (FT_Init_FreeType(&m_library) != 0) {
        m_library = nullptr;
        m_problem = "FreeType could not start; text draws as boxes";
    }
    m_config = FcInitLoadConfig();
    if (m_config == nullptr) {
        m_problem = "fontconfig could not load its configuration; text draws as boxes";
        std::fprintf(stderr, "corvane: %s\n", m_problem.c_str());
        return;
    }
    std::string tried;
    std::string alias = FindAliasFile(ExecutablePath(), &tried);
    if (alias.empty()) {
        m_problem = "font aliases not found (looked for " + tried + "); faces are matched by the system alone";
    } else if (!FcConfigParseAndLoad(m_config, reinterpret_cast<const FcChar8*>(alias.c_str()), FcTrue)) {
        m_problem = "font aliases in " + alias + " could not be read; faces are matched by the system alone";
    } else {
        m_aliasFile = alias;
    }
    if (!FcConfigBuildFonts(m_config)) m_problem = "fontconfig could not list the installed fonts";
    if (!m_problem.empty()) std::fprintf(stderr, "corvane: %s\n", m_problem.c_str());
}

std::shared_ptr<Font> FontEngine::Get(const FontRequest& spec)
{
    auto it = m_fonts.find(spec);
    if (it != m_fonts.end()) return it->second;
    if (m_fonts.size() >= kMaxKeptFonts) DropUnusedFonts();
    auto font = std::make_shared<Font>(*this, spec);
    m_fonts.emplace(spec, font);
    return font;
}

void FontEngine::DropUnusedFonts()
{
    for (auto it = m_fonts.begin(); it != m_fonts.end();) {
        if (it->second.use_count() == 1)
            it = m_fonts.erase(it);
        else
            ++it;
    }
}

FT_FaceRec_* FontEngine::Face(const std::string& file, int index)
{
    auto key = std::make_pair(file, index);
    auto it = m_faces.find(key);
    if (it != m_faces.end()) return it->second;
    FT_Face face = nullptr;
    if (m_library == nullptr || file.empty() || FT_New_Face(m_library, file.c_str(), index, &face) != 0)
        face = nullptr; // remembered, so a broken file is tried once
    m_faces.emplace(key, face);
    return face;
}

_FcPattern* FontEngine::MakePattern(const FontRequest& spec) const
{
    if (m_config == nullptr) return nullptr;
    FcPattern* p = FcPatternCreate();
    if (p == nullptr) return nullptr;
    std::string family = corvane::Cp936ToUtf8(spec.faceName.data(), spec.faceName.size());
    // A name that is nothing but blanks asks for no face in particular.
    if (family.find_first_not_of(" \t") != std::string::npos)
        FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    int weight = spec.weight <= 0 ? 400 : spec.weight;
    FcPatternAddInteger(p, FC_WEIGHT, FcWeightFromOpenType(std::min(weight, 1000)));
    FcPatternAddInteger(p, FC_SLANT, spec.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(p, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(m_config, p, FcMatchPattern);
    FcDefaultSubstitute(p);
    return p;
}

bool FontEngine::Match(_FcPattern* pattern, FaceMatch& out) const
{
    if (m_config == nullptr || pattern == nullptr) return false;
    FcResult result;
    FcPattern* font = FcFontMatch(m_config, pattern, &result);
    if (font == nullptr) return false;
    bool ok = Describe(font, out);
    FcPatternDestroy(font);
    return ok;
}

bool FontEngine::Describe(_FcPattern* font, FaceMatch& out)
{
    FcChar8* file = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch || file == nullptr) return false;
    out.file = reinterpret_cast<const char*>(file);
    int index = 0;
    out.index = FcPatternGetInteger(font, FC_INDEX, 0, &index) == FcResultMatch ? index : 0;
    FcChar8* family = nullptr;
    out.family = FcPatternGetString(font, FC_FAMILY, 0, &family) == FcResultMatch && family != nullptr
                     ? reinterpret_cast<const char*>(family)
                     : std::string();
    int weight = FC_WEIGHT_REGULAR;
    double weightValue = 0;
    if (FcPatternGetInteger(font, FC_WEIGHT, 0, &weight) != FcResultMatch) {
        weight = FcPatternGetDouble(font, FC_WEIGHT, 0, &weightValue) == FcResultMatch ? static_cast<int>(weightValue)
                                                                                       : FC_WEIGHT_REGULAR;
    }
    out.weight = FcWeightToOpenType(weight);
    int slant = FC_SLANT_ROMAN;
    if (FcPatternGetInteger(font, FC_SLANT, 0, &slant) != FcResultMatch) slant = FC_SLANT_ROMAN;
    out.italic = slant != FC_SLANT_ROMAN;
    return true;
}

} // namespace gfx

#if defined(__SANITIZE_ADDRESS__)
// fontconfig keeps its internal pointers as offsets, so the leak checker cannot see that
// patterns and configuration held for the whole run are still reachable.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
#endif
