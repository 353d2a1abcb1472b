// System calls the player needs only for some quizzes or on request, bound
// to their libraries when first called. Linked at start-up, COM, the
// picture decoder, the shell and Video for Windows would each be loaded
// before the first window shows; under Wine that loading (and the sound
// drivers Video for Windows brings) takes longer than building a whole
// text board. Each call fails as its original does when the library or the
// entry point is missing. Safe from any thread.
#pragma once

#include "win32/platform.h"

#include <objidl.h>
#include <oleauto.h>

// ole32.dll
HRESULT comInitialize();
void comUninitialize();
HRESULT comCreateInstance(REFCLSID classId, IUnknown* outer, DWORD context, REFIID interfaceId, void** object);
HRESULT createStreamOnHGlobal(HGLOBAL block, BOOL deleteOnRelease, IStream** stream);
// oleaut32.dll
HRESULT oleLoadPicture(IStream* stream, LONG size, BOOL runMode, REFIID interfaceId, void** object);
BSTR sysAllocString(const OLECHAR* text);
void sysFreeString(BSTR text);
// shell32.dll
HINSTANCE shellExecute(HWND window, const char* verb, const char* file, const char* parameters,
                       const char* folder, int show);
// msvfw32.dll
HWND mciWndCreate(HWND parent, HINSTANCE instance, DWORD style, const char* file);
