// Scoped Win32 handles: each releases what it holds on every way out, so an
// early return leaks nothing, and pairs the release with the call that made
// the handle. None is copied; release() hands a handle on to a new owner.
#pragma once

#include "win32/platform.h"

// A file from CreateFileA; INVALID_HANDLE_VALUE when the call failed.
struct FileHandle {
    HANDLE handle;
    explicit FileHandle(HANDLE opened) : handle(opened) {}
    ~FileHandle()
    {
        if (isOpen())
            CloseHandle(handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool isOpen() const { return handle != INVALID_HANDLE_VALUE; }
    // Closes now; false when the system refused, as a write it had deferred may make it.
    bool close()
    {
        BOOL closed = CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return closed != FALSE;
    }
};

// A window's DC from GetDC, or the screen's for a null window.
struct WindowDc {
    HWND window;
    HDC dc;
    explicit WindowDc(HWND of) : window(of), dc(GetDC(of)) {}
    ~WindowDc()
    {
        if (dc)
            ReleaseDC(window, dc);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
};

// A memory DC compatible with `screen`, its selection undone before it is deleted.
struct MemoryDc {
    HDC dc;
    HGDIOBJ previous = nullptr;
    explicit MemoryDc(HDC screen) : dc(CreateCompatibleDC(screen)) {}
    ~MemoryDc()
    {
        if (previous)
            SelectObject(dc, previous);
        if (dc)
            DeleteDC(dc);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    void select(HGDIOBJ object) { previous = SelectObject(dc, object); }
};

// An object selected into a DC until the scope ends, then the DC's own again.
struct Selection {
    HDC dc;
    HGDIOBJ previous;
    Selection(HDC into, HGDIOBJ object) : dc(into), previous(SelectObject(into, object)) {}
    ~Selection()
    {
        if (previous)
            SelectObject(dc, previous);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;
};

// A bitmap, brush, font or other GDI object, deleted unless handed on.
template <typename Handle> struct GdiObject {
    Handle object = nullptr;
    GdiObject() = default;
    explicit GdiObject(Handle made) : object(made) {}
    ~GdiObject()
    {
        if (object)
            DeleteObject(object);
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    Handle release()
    {
        Handle kept = object;
        object = nullptr;
        return kept;
    }
};

using OwnedBitmap = GdiObject<HBITMAP>;
