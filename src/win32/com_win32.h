// Owning holders for COM: the apartment a stretch of work runs in, interface pointers
// and BSTRs, each released on every way out.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <cstddef>

namespace qv {

// COM for the thread (single-threaded apartment) for the holder's life; only an
// initialisation that succeeded (S_FALSE too) is undone.
class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  bool initialised() const { return initialised_; }

 private:
  bool initialised_;
};

// An interface pointer, released with the holder.
template <typename Interface>
class ComPointer {
 public:
  ComPointer() = default;
  explicit ComPointer(Interface* pointer) : pointer_(pointer) {}
  ~ComPointer() { reset(); }
  ComPointer(const ComPointer&) = delete;
  ComPointer& operator=(const ComPointer&) = delete;

  // For the functions that hand out an interface through a void**.
  void** out() {
    reset();
    return reinterpret_cast<void**>(&pointer_);
  }
  void reset() {
    if (pointer_) pointer_->Release();
    pointer_ = nullptr;
  }
  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

 private:
  Interface* pointer_ = nullptr;
};

// ANSI text as a BSTR through the ANSI code page, freed with the holder; null when it
// cannot be made.
class BstrText {
 public:
  BstrText(const char* text, size_t length);
  ~BstrText() { SysFreeString(text_); }
  BstrText(const BstrText&) = delete;
  BstrText& operator=(const BstrText&) = delete;
  BSTR get() const { return text_; }

 private:
  BSTR text_ = nullptr;
};

}  // namespace qv
