#include "framework/CObject.h"

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* cls = this; cls != nullptr; cls = cls->m_pBaseClass) {
        if (cls == pBaseClass) {
            return true;
        }
    }
    return false;
}

const CRuntimeClass* CObject::GetThisClass() {
    static const CRuntimeClass record = {"CObject", static_cast<int>(sizeof(CObject)), nullptr};
    return &record;
}

const CRuntimeClass* CObject::GetRuntimeClass() const {
    return GetThisClass();
}

void CObject::Serialize(CArchive&) {}

bool CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return pClass != nullptr && GetRuntimeClass()->IsDerivedFrom(pClass);
}
