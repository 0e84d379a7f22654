// The base of every object that handles messages: windows and the application object.
#pragma once

#include "MessageMap.h"
#include "Object.h"

namespace fw {

class CCmdTarget : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap messageMap; // empty: the root of every chain

    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    virtual const MessageMap* GetMessageMap() const { return &messageMap; }

    // Runs this object's handler for the message, if its map has one.
    bool Dispatch(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
};

} // namespace fw
