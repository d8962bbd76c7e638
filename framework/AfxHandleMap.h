// The maps from platform handles (windows, menus, GDI objects, device contexts) to framework
// objects. Each holds permanent objects, which the caller owns and attached, and temporary ones,
// which the map made for handles nobody attached and deletes again later (see CWnd.h).
#pragma once

#include <unordered_map>
#include <vector>

class CHandleMapBase {
public:
    CHandleMapBase();
    virtual ~CHandleMapBase();
    // Deletes the temporaries: all of them, or only those made while a message was handled.
    virtual void DeleteTemp(bool bOnlyMadeInMessage) = 0;
};

// Message nesting of the framework's window procedures; temporaries made inside the outermost
// message die when it has been handled.
void AfxEnterMessage();
void AfxLeaveMessage();
bool AfxInMessage();
// Deletes every map's temporaries (for the end of the application, and for tests).
void AfxDeleteAllTempMaps();

template <class Handle, class Object> class CHandleMap : public CHandleMapBase {
public:
    typedef void (*SetHandleFn)(Object* pObject, Handle h);
    typedef Object* (*MakeFn)(Handle h);

    // setHandle gives a fresh temporary its handle, and takes it away (null) before deletion,
    // so that deleting a temporary never destroys the handle's platform object.
    // make creates the temporary object for a handle (of the class that fits it); by default an
    // Object.
    explicit CHandleMap(SetHandleFn setHandle, MakeFn make = nullptr)
        : m_setHandle(setHandle), m_make(make) {}
    ~CHandleMap() override { DeleteTemp(false); }

    Object* LookupPermanent(Handle h) const {
        auto it = m_permanent.find(h);
        return it != m_permanent.end() ? it->second : nullptr;
    }
    Object* LookupTemporary(Handle h) const {
        auto it = m_temporary.find(h);
        return it != m_temporary.end() ? it->second.first : nullptr;
    }
    Object* FromHandle(Handle h) {
        if (h == Handle()) {
            return nullptr;
        }
        if (Object* permanent = LookupPermanent(h)) {
            return permanent;
        }
        if (Object* temporary = LookupTemporary(h)) {
            return temporary;
        }
        Object* made = m_make != nullptr ? m_make(h) : new Object();
        m_setHandle(made, h);
        m_temporary.emplace(h, std::make_pair(made, AfxInMessage()));
        return made;
    }
    void SetPermanent(Handle h, Object* pObject) { m_permanent[h] = pObject; }
    void RemovePermanent(Handle h, Object* pObject) {
        auto it = m_permanent.find(h);
        if (it != m_permanent.end() && it->second == pObject) {
            m_permanent.erase(it);
        }
    }

    void DeleteTemp(bool bOnlyMadeInMessage) override {
        std::vector<Object*> doomed;
        for (auto it = m_temporary.begin(); it != m_temporary.end();) {
            if (!bOnlyMadeInMessage || it->second.second) {
                doomed.push_back(it->second.first);
                it = m_temporary.erase(it);
            } else {
                ++it;
            }
        }
        for (Object* pObject : doomed) {
            m_setHandle(pObject, Handle());
            delete pObject;
        }
    }

private:
    SetHandleFn m_setHandle;
    MakeFn m_make;
    std::unordered_map<Handle, Object*> m_permanent;
    std::unordered_map<Handle, std::pair<Object*, bool>> m_temporary;
};
