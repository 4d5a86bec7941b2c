// Temporary wrapper objects handed out by FromHandle for handles no permanent
// object owns. They stay valid until the framework is idle again; then
// AfxDeleteTempMaps releases them without touching their handles.
#pragma once

#include <memory>
#include <unordered_map>

namespace afxinternal {

void RegisterTempMapCleaner(void (*cleaner)());
void DeleteAllTempMaps();

template <class T>
class TempMap {
    // A temporary never owns its handle, also when freed at exit.
    struct Release {
        void operator()(T* obj) const
        {
            T::ReleaseTemporary(obj);
            delete obj;
        }
    };
    using Owned = std::unique_ptr<T, Release>;

public:
    // The temporary wrapper of handle h, made by make() on first request.
    template <class Make>
    static T* Get(void* h, Make make)
    {
        auto& m = Map();
        if (auto it = m.find(h); it != m.end()) return it->second.get();
        static const bool registered = (RegisterTempMapCleaner(&Clear), true);
        (void)registered;
        T* obj = make();
        m.emplace(h, Owned(obj));
        return obj;
    }
    static T* Find(void* h)
    {
        auto& m = Map();
        auto it = m.find(h);
        return it == m.end() ? nullptr : it->second.get();
    }
    static void Clear()
    {
        Map().clear();
    }
    static std::size_t Size() { return Map().size(); }

private:
    static std::unordered_map<void*, Owned>& Map()
    {
        static std::unordered_map<void*, Owned> map;
        return map;
    }
};

} // namespace afxinternal
