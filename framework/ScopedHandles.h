// Move-only owners for the raw handles this program touches.
//
// Convention: a type named for a resource owns it and releases it in its destructor; a plain handle
// (HDC, HWND, IUnknown*) is always borrowed. Every owner is move-only, so one resource has exactly one
// owner. Release()/Detach() hand ownership out explicitly where an API takes it over.
#pragma once

#include <windows.h>
#include <ole2.h>

#include <utility>

namespace fw {

// A handle closed by `Close` when its owner goes away, unless handed on with Release().
template <class Handle, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    Handle Release() { return std::exchange(m_handle, nullptr); }
    void Reset(Handle handle = nullptr)
    {
        if (m_handle)
            Close(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

// A GDI object (bitmap, brush, pen, font, region); it must not be selected into a DC when it goes.
template <class Handle>
using GdiObject = UniqueHandle<Handle, &::DeleteObject>;
using Bitmap = GdiObject<HBITMAP>;

// A global memory block.
using GlobalMemory = UniqueHandle<HGLOBAL, &::GlobalFree>;

// Selects an object into a DC for the scope and puts the previous one back, so that the object can be
// deleted afterwards (a selected object must never be deleted).
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            ::SelectObject(m_dc, m_previous);
    }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Keeps a global memory block locked for the scope.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL block) : m_block(block), m_data(::GlobalLock(block)) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard()
    {
        if (m_data)
            ::GlobalUnlock(m_block);
    }
    void* Data() const { return m_data; }

private:
    HGLOBAL m_block;
    void* m_data;
};

// One reference to a COM object.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    // Adopts a reference the caller already holds.
    static ComPtr Adopt(Interface* object)
    {
        ComPtr result;
        result.m_object = object;
        return result;
    }
    ComPtr(ComPtr&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_object = std::exchange(other.m_object, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    Interface* Get() const { return m_object; }
    Interface* operator->() const { return m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    // For out-parameters: releases what is held and returns the slot to fill.
    Interface** Receive()
    {
        Reset();
        return &m_object;
    }
    void Reset()
    {
        if (m_object)
            std::exchange(m_object, nullptr)->Release();
    }
    Interface* Detach() { return std::exchange(m_object, nullptr); }

private:
    Interface* m_object = nullptr;
};

} // namespace fw
