// The shell manager and the visual manager of the class library this layer stands in for. Nothing
// the launcher shows depends on them: they exist so that start-up reads as designed, and they only
// record what they are told.
#pragma once

#include "Object.h"

namespace fw {

class CShellManager {
public:
    CShellManager() = default;
    CShellManager(const CShellManager&) = delete;
    CShellManager& operator=(const CShellManager&) = delete;
};

class CMFCVisualManager : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    static void SetDefaultManager(const CRuntimeClass* managerClass) { s_defaultManager = managerClass; }
    static const CRuntimeClass* GetDefaultManager() { return s_defaultManager; }

private:
    static inline const CRuntimeClass* s_defaultManager = nullptr;
};

class CMFCVisualManagerWindows : public CMFCVisualManager {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
};

inline const CRuntimeClass CMFCVisualManager::runtimeClass{"CMFCVisualManager", &CObject::runtimeClass,
                                                           &CRuntimeClass::Factory<CMFCVisualManager>};
inline const CRuntimeClass CMFCVisualManagerWindows::runtimeClass{
    "CMFCVisualManagerWindows", &CMFCVisualManager::runtimeClass, &CRuntimeClass::Factory<CMFCVisualManagerWindows>};

} // namespace fw
