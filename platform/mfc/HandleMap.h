// The per-thread maps from a platform handle to the framework object wrapping
// it: permanent entries belong to their objects; temporary ones are made on
// demand for handles nobody wraps and deleted by the thread when it is idle.
#pragma once

#include <memory>
#include <unordered_map>

namespace tw::mfc {

template <typename Object, typename Handle>
class HandleMap {
public:
    // AttachTemp gives a fresh object the handle without making it permanent;
    // DetachTemp takes it back before the object is deleted.
    using AttachTemp = void (*)(Object*, Handle);
    using DetachTemp = void (*)(Object*);

    HandleMap(AttachTemp attach, DetachTemp detach) : m_attach(attach), m_detach(detach) {}
    ~HandleMap() { DeleteTemp(); }
    HandleMap(const HandleMap&) = delete;
    HandleMap& operator=(const HandleMap&) = delete;

    Object* LookupPermanent(Handle h) const
    {
        auto it = m_permanent.find(h);
        return it == m_permanent.end() ? nullptr : it->second;
    }
    Object* LookupTemporary(Handle h) const
    {
        auto it = m_temporary.find(h);
        return it == m_temporary.end() ? nullptr : it->second.get();
    }
    Object* FromHandle(Handle h)
    {
        if (!h)
            return nullptr;
        if (Object* permanent = LookupPermanent(h))
            return permanent;
        if (Object* temporary = LookupTemporary(h))
            return temporary;
        auto object = std::make_unique<Object>();
        m_attach(object.get(), h);
        Object* result = object.get();
        m_temporary.emplace(h, std::move(object));
        return result;
    }
    void SetPermanent(Handle h, Object* object) { m_permanent[h] = object; }
    void RemoveHandle(Handle h) { m_permanent.erase(h); }
    void DeleteTemp()
    {
        auto doomed = std::move(m_temporary);
        m_temporary.clear();
        for (auto& [h, object] : doomed)
            m_detach(object.get());
    }

private:
    AttachTemp m_attach;
    DetachTemp m_detach;
    std::unordered_map<Handle, Object*> m_permanent;
    std::unordered_map<Handle, std::unique_ptr<Object>> m_temporary;
};

}  // namespace tw::mfc
