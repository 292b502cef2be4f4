#pragma once
// RAII owners for the Windows handles and COM objects the programs use. Each closes exactly
// once and keeps the thread's last error, so an owner going out of scope never hides the
// reason a call failed.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <cstdint>
#include <utility>

namespace orvelin {

// Owns one value of type T, closed with Close; InvalidValue is the value that owns nothing.
template <typename T, auto Close, std::intptr_t InvalidValue = 0>
class UniqueResource {
public:
    UniqueResource() noexcept = default;
    explicit UniqueResource(T value) noexcept : value_(value) {}
    UniqueResource(UniqueResource&& other) noexcept : value_(other.Release()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    ~UniqueResource() { Reset(); }

    static T Invalid() noexcept { return reinterpret_cast<T>(InvalidValue); }
    T Get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Invalid(); }
    T Release() noexcept { return std::exchange(value_, Invalid()); }
    void Reset(T value = Invalid()) noexcept {
        if (value_ != Invalid()) {
            const DWORD lastError = GetLastError();
            Close(value_);
            SetLastError(lastError);
        }
        value_ = value;
    }
    // For APIs that fill a handle through a pointer.
    T* Put() noexcept {
        Reset();
        return &value_;
    }

private:
    T value_ = Invalid();
};

using UniqueHandle = UniqueResource<HANDLE, &CloseHandle>;   // processes, mutexes, events
using UniqueFile = UniqueResource<HANDLE, &CloseHandle, -1>;
using UniqueFind = UniqueResource<HANDLE, &FindClose, -1>;
using UniqueRegKey = UniqueResource<HKEY, &RegCloseKey>;
using UniqueModule = UniqueResource<HMODULE, &FreeLibrary>;
using UniqueHook = UniqueResource<HHOOK, &UnhookWindowsHookEx>;
using UniqueGdiObject = UniqueResource<HGDIOBJ, &DeleteObject>;
using UniqueMemoryDc = UniqueResource<HDC, &DeleteDC>;
using UniqueItemIdList = UniqueResource<LPITEMIDLIST, &CoTaskMemFree>;
using UniqueLocalMemory = UniqueResource<HLOCAL, &LocalFree>;

// A window's device context (GetDC), released on destruction.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// Owner of one COM interface pointer.
template <typename T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    T* Get() const noexcept { return ptr_; }
    T* operator->() const noexcept { return ptr_; }
    explicit operator bool() const noexcept { return ptr_ != nullptr; }
    void Reset() noexcept {
        if (ptr_) std::exchange(ptr_, nullptr)->Release();
    }
    T** Put() noexcept {
        Reset();
        return &ptr_;
    }
    void** PutVoid() noexcept { return reinterpret_cast<void**>(Put()); }

private:
    T* ptr_ = nullptr;
};

// COM for the calling thread, single-threaded apartment, for the owner's lifetime.
class ComApartment {
public:
    ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialized_) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialized_;
};

}  // namespace orvelin
