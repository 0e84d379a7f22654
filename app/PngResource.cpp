#include "PngResource.h"

#include "framework/ScopedHandles.h"
#include "framework/WinApp.h"

#include <cstring>

BOOL LoadPngResource(UINT resourceId, Gdiplus::Image*& image)
{
    HINSTANCE module = fw::AfxGetResourceHandle();
    HRSRC resource = ::FindResourceW(module, MAKEINTRESOURCEW(resourceId), L"PNG");
    if (!resource)
        return FALSE;
    const DWORD size = ::SizeofResource(module, resource);
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data)
        return FALSE;

    // GDI+ reads from the stream for as long as the image lives, so the data gets a block of its own
    // that the stream frees with its last reference: the image's.
    fw::GlobalMemory block(::GlobalAlloc(GMEM_FIXED, size));
    if (!block)
        return FALSE;
    fw::ComPtr<IStream> stream;
    Gdiplus::Image* created = nullptr;
    {
        fw::GlobalLockGuard lock(block.Get());
        if (!lock.Data())
            return FALSE;
        std::memcpy(lock.Data(), data, size);
        if (FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, stream.Receive())))
            return FALSE;
        block.Release(); // the stream owns it now
        created = new Gdiplus::Image(stream.Get(), FALSE);
    }
    if (!created)
        return FALSE;
    image = created;
    return TRUE;
}
