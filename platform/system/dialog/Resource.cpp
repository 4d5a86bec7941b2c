#include "platform/system/dialog/Resource.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace sys {
namespace {

struct Registry {
    std::map<std::string, std::unique_ptr<DialogTemplate>> templates;
    std::map<UINT, std::string> strings;
    // Resources handed out by FindResource; a handle is an index + 1.
    struct Found {
        std::string typeKey;
        std::string nameKey;
        // The names as the caller gave them, for the byte store.
        std::uintptr_t typeId = 0;
        std::string typeText;
        std::uintptr_t nameId = 0;
        std::string nameText;
    };
    std::vector<Found> found;
};

Registry& Store()
{
    static Registry r;
    return r;
}

std::uintptr_t AsInt(LPCSTR name)
{
    return reinterpret_cast<std::uintptr_t>(name);
}

const std::string* FindBytes(const Registry::Found& f)
{
    LPCSTR type = f.typeId ? MAKEINTRESOURCE(f.typeId) : f.typeText.c_str();
    LPCSTR name = f.nameId ? MAKEINTRESOURCE(f.nameId) : f.nameText.c_str();
    return FindResourceData(type, name);
}

// Integer ids (also written "#102") go to the byte store as integers.
void Remember(LPCSTR name, const std::string& key, std::uintptr_t* id, std::string* text)
{
    bool numeric = key.size() > 1 && key[0] == '#' &&
                   std::all_of(key.begin() + 1, key.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (numeric)
        *id = std::stoul(key.substr(1));
    else
        *text = name;
}

bool IsDialogType(const std::string& typeKey)
{
    return typeKey == ResourceKey(RT_DIALOG);
}

const Registry::Found* FoundOf(const void* handle)
{
    std::uintptr_t index = reinterpret_cast<std::uintptr_t>(handle);
    const auto& found = Store().found;
    if (index == 0 || index > found.size()) return nullptr;
    return &found[index - 1];
}

// Bytes of one code page 936 character starting at s[i] (GB18030 four-byte forms included).
std::size_t CharBytes(const std::string& s, std::size_t i)
{
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x81 || b > 0xFE || i + 1 >= s.size()) return 1;
    auto b2 = static_cast<unsigned char>(s[i + 1]);
    if (b2 >= 0x30 && b2 <= 0x39 && i + 3 < s.size()) return 4;
    return 2;
}

} // namespace

std::string ResourceKey(LPCSTR name)
{
    if (IS_INTRESOURCE(name)) {
        if (AsInt(name) == 0) return {};
        return "#" + std::to_string(AsInt(name));
    }
    std::string s(name);
    if (s.size() > 1 && s[0] == '#' &&
        std::all_of(s.begin() + 1, s.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        unsigned long long v = 0;
        for (std::size_t i = 1; i < s.size() && v <= 0xFFFF; ++i)
            v = v * 10 + static_cast<unsigned>(s[i] - '0');
        if (v == 0 || v > 0xFFFF) return {};
        return "#" + std::to_string(v);
    }
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

void RegisterDialogTemplate(UINT id, const DialogTemplate& dialogTemplate)
{
    RegisterDialogTemplate(MAKEINTRESOURCE(id), dialogTemplate);
}

void RegisterDialogTemplate(LPCSTR name, const DialogTemplate& dialogTemplate)
{
    std::string key = ResourceKey(name);
    if (key.empty()) return;
    Store().templates[key] = std::make_unique<DialogTemplate>(dialogTemplate);
}

const DialogTemplate* FindDialogTemplate(LPCSTR name)
{
    std::string key = ResourceKey(name);
    auto& templates = Store().templates;
    auto it = templates.find(key);
    return it == templates.end() ? nullptr : it->second.get();
}

void RegisterString(UINT id, std::string_view cp936)
{
    Store().strings[id] = std::string(cp936);
}

const std::string* FindString(UINT id)
{
    auto& strings = Store().strings;
    auto it = strings.find(id);
    return it == strings.end() ? nullptr : &it->second;
}

void ClearResources()
{
    Store().templates.clear();
    Store().strings.clear();
    Store().found.clear();
    ClearResourceData();
}

} // namespace sys

int LoadStringA(HINSTANCE, UINT id, LPSTR buffer, int size)
{
    if (buffer == nullptr || size <= 0) return 0;
    const std::string* text = sys::FindString(id);
    if (text == nullptr) {
        buffer[0] = '\0';
        return 0;
    }
    std::size_t limit = static_cast<std::size_t>(size) - 1;
    std::size_t n = 0;
    while (n < text->size()) {
        std::size_t step = sys::CharBytes(*text, n);
        if (n + step > limit) break;
        n += step;
    }
    std::memcpy(buffer, text->data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

HRSRC FindResourceExA(HMODULE, LPCSTR type, LPCSTR name, WORD)
{
    using namespace sys;
    std::string typeKey = ResourceKey(type);
    std::string nameKey = ResourceKey(name);
    if (typeKey.empty() || nameKey.empty()) return nullptr;
    Registry::Found f;
    f.typeKey = typeKey;
    f.nameKey = nameKey;
    Remember(type, typeKey, &f.typeId, &f.typeText);
    Remember(name, nameKey, &f.nameId, &f.nameText);
    if (IsDialogType(typeKey) ? FindDialogTemplate(name) == nullptr : FindBytes(f) == nullptr) return nullptr;
    auto& found = Store().found;
    auto it = std::find_if(found.begin(), found.end(),
                           [&](const Registry::Found& g) { return g.typeKey == typeKey && g.nameKey == nameKey; });
    if (it == found.end()) it = found.insert(found.end(), f);
    return reinterpret_cast<HRSRC>(static_cast<std::uintptr_t>(it - found.begin() + 1));
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type)
{
    return FindResourceExA(module, type, name, 0);
}

HGLOBAL LoadResource(HMODULE, HRSRC resource)
{
    if (sys::FoundOf(resource) == nullptr) return nullptr;
    return reinterpret_cast<HGLOBAL>(resource);
}

LPVOID LockResource(HGLOBAL loaded)
{
    const sys::Registry::Found* f = sys::FoundOf(loaded);
    if (f == nullptr) return nullptr;
    if (sys::IsDialogType(f->typeKey)) {
        const DialogTemplate* t = sys::FindDialogTemplate(f->nameKey.c_str());
        return const_cast<DialogTemplate*>(t);
    }
    const std::string* bytes = sys::FindBytes(*f);
    return bytes ? const_cast<char*>(bytes->data()) : nullptr;
}

DWORD SizeofResource(HMODULE, HRSRC resource)
{
    const sys::Registry::Found* f = sys::FoundOf(resource);
    if (f == nullptr) return 0;
    if (sys::IsDialogType(f->typeKey)) return sys::FindDialogTemplate(f->nameKey.c_str()) ? sizeof(DialogTemplate) : 0;
    const std::string* bytes = sys::FindBytes(*f);
    return bytes ? static_cast<DWORD>(bytes->size()) : 0;
}

BOOL FreeResource(HGLOBAL)
{
    return FALSE;
}
