// The root of the framework's class tree and its run-time class information: every class that
// declares itself dynamic gets one CRuntimeClass record naming it and its base, so that code
// holding a base pointer can ask what the object really is (IsKindOf).
#pragma once

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    const CRuntimeClass* m_pBaseClass;

    // True when this class is pBaseClass or derives from it.
    bool IsDerivedFrom(const CRuntimeClass* pBaseClass) const;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

// In the class body: the class's own record and the virtual query.
#define DECLARE_DYNAMIC(class_name)                                                                \
public:                                                                                            \
    static const CRuntimeClass* GetThisClass();                                                    \
    const CRuntimeClass* GetRuntimeClass() const override;

// In one source file: defines the record with the class's name and its base.
#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                             \
    const CRuntimeClass* class_name::GetThisClass() {                                              \
        static const CRuntimeClass record = {#class_name, static_cast<int>(sizeof(class_name)),    \
                                             RUNTIME_CLASS(base_class_name)};                      \
        return &record;                                                                            \
    }                                                                                              \
    const CRuntimeClass* class_name::GetRuntimeClass() const {                                     \
        return GetThisClass();                                                                     \
    }

class CArchive;

class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    // Objects that are not serialisable do nothing here.
    virtual void Serialize(CArchive& ar);

    bool IsKindOf(const CRuntimeClass* pClass) const;
    bool IsSerializable() const { return false; }

    static const CRuntimeClass* GetThisClass();

protected:
    CObject() = default;

public:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// Casts to class_name when the object is one (or derives from it), else null.
#define DYNAMIC_DOWNCAST(class_name, object)                                                       \
    ((object) != nullptr && (object)->IsKindOf(RUNTIME_CLASS(class_name))                          \
         ? static_cast<class_name*>(object)                                                        \
         : nullptr)
