// Owning wrappers for the Win32 handles the program holds: each closes its
// handle exactly once, when it goes out of scope or is reset.
#pragma once

#include <windows.h>

#include <utility>

template <typename H, typename Traits>
class UniqueHandle {
public:
  UniqueHandle() = default;
  explicit UniqueHandle(H h) : m_h(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  H get() const { return m_h; }
  explicit operator bool() const { return Traits::IsValid(m_h); }
  H release() { return std::exchange(m_h, Traits::Invalid()); }
  void reset(H h = Traits::Invalid()) {
    if (Traits::IsValid(m_h))
      Traits::Close(m_h);
    m_h = h;
  }
  // For out-parameters such as RegOpenKeyExA's.
  H* put() {
    reset();
    return &m_h;
  }

private:
  H m_h = Traits::Invalid();
};

struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static bool IsValid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct FileHandleTraits : KernelHandleTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
};
struct FindHandleTraits : FileHandleTraits {
  static void Close(HANDLE h) { FindClose(h); }
};
struct RegKeyTraits {
  static HKEY Invalid() { return nullptr; }
  static bool IsValid(HKEY h) { return h != nullptr; }
  static void Close(HKEY h) { RegCloseKey(h); }
};
struct IconTraits {
  static HICON Invalid() { return nullptr; }
  static bool IsValid(HICON h) { return h != nullptr; }
  static void Close(HICON h) { DestroyIcon(h); }
};
struct MenuTraits {
  static HMENU Invalid() { return nullptr; }
  static bool IsValid(HMENU h) { return h != nullptr; }
  static void Close(HMENU h) { DestroyMenu(h); }
};
template <typename G>
struct GdiObjectTraits {
  static G Invalid() { return nullptr; }
  static bool IsValid(G h) { return h != nullptr; }
  static void Close(G h) { DeleteObject(h); }
};
struct DcTraits {
  static HDC Invalid() { return nullptr; }
  static bool IsValid(HDC h) { return h != nullptr; }
  static void Close(HDC h) { DeleteDC(h); }
};

struct WindowTraits {
  static HWND Invalid() { return nullptr; }
  static bool IsValid(HWND h) { return h != nullptr; }
  static void Close(HWND h) { DestroyWindow(h); }
};

using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using FileHandle = UniqueHandle<HANDLE, FileHandleTraits>;
using FindHandle = UniqueHandle<HANDLE, FindHandleTraits>;
using RegKey = UniqueHandle<HKEY, RegKeyTraits>;
using IconHandle = UniqueHandle<HICON, IconTraits>;
using MenuHandle = UniqueHandle<HMENU, MenuTraits>;
using BrushHandle = UniqueHandle<HBRUSH, GdiObjectTraits<HBRUSH>>;
using FontHandle = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using BitmapHandle = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using MemoryDc = UniqueHandle<HDC, DcTraits>;
using WindowHandle = UniqueHandle<HWND, WindowTraits>;
