// Small owners for platform handles: each closes its handle exactly once.
#pragma once

#include <windows.h>

#include <utility>

namespace veskor::win32 {

template <typename T, T Invalid(), void Close(T)>
class UniqueAny {
public:
    UniqueAny() : value_(Invalid()) {}
    explicit UniqueAny(T value) : value_(value) {}
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    UniqueAny(UniqueAny&& other) noexcept : value_(other.release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueAny() { reset(); }

    T get() const { return value_; }
    explicit operator bool() const { return value_ != Invalid(); }
    T release() { return std::exchange(value_, Invalid()); }
    void reset(T value = Invalid()) {
        if (value_ != Invalid()) Close(value_);
        value_ = value;
    }
    // For out-parameters: releases the old value and hands out the slot.
    T* put() {
        reset();
        return &value_;
    }

private:
    T value_;
};

namespace detail {
inline HANDLE NullHandle() { return nullptr; }
inline HANDLE InvalidHandle() { return INVALID_HANDLE_VALUE; }
inline void CloseAnyHandle(HANDLE h) { ::CloseHandle(h); }
inline void CloseFind(HANDLE h) { ::FindClose(h); }
inline HKEY NullKey() { return nullptr; }
inline void CloseKey(HKEY k) { ::RegCloseKey(k); }
inline HMODULE NullModule() { return nullptr; }
inline void ReleaseModule(HMODULE m) { ::FreeLibrary(m); }
}  // namespace detail

// Process, thread and event handles (invalid value: null).
using UniqueHandle = UniqueAny<HANDLE, detail::NullHandle, detail::CloseAnyHandle>;
// CreateFileA results (invalid value: INVALID_HANDLE_VALUE).
using UniqueFile = UniqueAny<HANDLE, detail::InvalidHandle, detail::CloseAnyHandle>;
// FindFirstFileA results.
using UniqueFind = UniqueAny<HANDLE, detail::InvalidHandle, detail::CloseFind>;
using UniqueHkey = UniqueAny<HKEY, detail::NullKey, detail::CloseKey>;
using UniqueModule = UniqueAny<HMODULE, detail::NullModule, detail::ReleaseModule>;

}  // namespace veskor::win32
