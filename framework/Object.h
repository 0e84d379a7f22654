// Run-time class records and the root of the framework's class tree.
//
// A class that wants a record declares `static const CRuntimeClass runtimeClass;` and overrides
// GetRuntimeClass() to return it. A record names the class, links to its base's record and, for a
// class that may be created by name, carries a factory (CRuntimeClass::Factory<T>).
#pragma once

namespace fw {

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
    CObject* (*m_pfnCreateObject)(); // null: not creatable by name

    bool IsDerivedFrom(const CRuntimeClass* base) const
    {
        for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
            if (c == base)
                return true;
        return false;
    }
    // A new, value-initialised (zero-filled) object, or null when the class has no factory.
    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }

    template <class T>
    static CObject* Factory()
    {
        return new T();
    }
};

class CObject {
public:
    static const CRuntimeClass runtimeClass;

    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const { return &runtimeClass; }
    bool IsKindOf(const CRuntimeClass* base) const { return GetRuntimeClass()->IsDerivedFrom(base); }

protected:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

inline const CRuntimeClass CObject::runtimeClass{"CObject", nullptr, nullptr};

} // namespace fw
