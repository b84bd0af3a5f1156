// Owners of COM resources: interface pointers, BSTRs, VARIANTs and SAFEARRAYs are released
// on every path, a thrown run-time error included.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/windows/win32.h"

namespace kelvort {

// An interface pointer holding one reference.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over the reference of a pointer that a call handed out.
  static ComPtr Adopt(Interface* pointer) {
    ComPtr owner;
    owner.pointer_ = pointer;
    return owner;
  }
  // Adds a reference of its own.
  static ComPtr Share(Interface* pointer) {
    if (pointer != nullptr) pointer->AddRef();
    return Adopt(pointer);
  }
  ComPtr(const ComPtr& other) : pointer_(other.pointer_) {
    if (pointer_ != nullptr) pointer_->AddRef();
  }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }
  ~ComPtr() {
    if (pointer_ != nullptr) pointer_->Release();
  }

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  // For a call that hands out a new reference; what was held is released first.
  Interface** Receive() {
    *this = ComPtr();
    return &pointer_;
  }
  // Gives the reference away (into a VARIANT, say).
  Interface* Detach() { return std::exchange(pointer_, nullptr); }

 private:
  Interface* pointer_ = nullptr;
};

// A BSTR that is freed with its owner.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text)
      : text_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  // Takes over a BSTR that a call handed out.
  static Bstr Adopt(BSTR text) {
    Bstr owner;
    owner.text_ = text;
    return owner;
  }
  Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { ::SysFreeString(text_); }

  BSTR get() const { return text_; }
  BSTR* Receive() {
    ::SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }
  BSTR Detach() { return std::exchange(text_, nullptr); }
  std::wstring_view view() const { return {text_, text_ ? ::SysStringLen(text_) : 0}; }

 private:
  BSTR text_ = nullptr;
};

// A VARIANT that is cleared with its owner.
class VariantOwner {
 public:
  VariantOwner() { ::VariantInit(&value_); }
  VariantOwner(const VariantOwner&) = delete;
  VariantOwner& operator=(const VariantOwner&) = delete;
  VariantOwner(VariantOwner&& other) noexcept : value_(other.value_) {
    ::VariantInit(&other.value_);
  }
  ~VariantOwner() { ::VariantClear(&value_); }

  VARIANT& get() { return value_; }
  const VARIANT& get() const { return value_; }
  // Gives the value away; the owner is left empty.
  VARIANT Detach() {
    VARIANT out = value_;
    ::VariantInit(&value_);
    return out;
  }

 private:
  VARIANT value_;
};

// VARIANTs side by side, as DISPPARAMS takes them, cleared with their owner.
class VariantList {
 public:
  explicit VariantList(size_t count) : values_(count) {
    for (VARIANT& value : values_) ::VariantInit(&value);
  }
  VariantList(const VariantList&) = delete;
  VariantList& operator=(const VariantList&) = delete;
  ~VariantList() {
    for (VARIANT& value : values_) ::VariantClear(&value);
  }

  VARIANT* data() { return values_.data(); }
  VARIANT& operator[](size_t index) { return values_[index]; }

 private:
  std::vector<VARIANT> values_;
};

// The exception record of a failed Invoke; its texts are freed with it.
class ExceptionInfo {
 public:
  ExceptionInfo() = default;
  ExceptionInfo(const ExceptionInfo&) = delete;
  ExceptionInfo& operator=(const ExceptionInfo&) = delete;
  ~ExceptionInfo() {
    ::SysFreeString(info_.bstrSource);
    ::SysFreeString(info_.bstrDescription);
    ::SysFreeString(info_.bstrHelpFile);
  }

  EXCEPINFO* get() { return &info_; }

 private:
  EXCEPINFO info_{};
};

// A SAFEARRAY destroyed with its owner unless given away.
class SafeArrayOwner {
 public:
  explicit SafeArrayOwner(SAFEARRAY* array) : array_(array) {}
  SafeArrayOwner(const SafeArrayOwner&) = delete;
  SafeArrayOwner& operator=(const SafeArrayOwner&) = delete;
  ~SafeArrayOwner() {
    if (array_ != nullptr) ::SafeArrayDestroy(array_);
  }

  SAFEARRAY* get() const { return array_; }
  SAFEARRAY* Detach() { return std::exchange(array_, nullptr); }

 private:
  SAFEARRAY* array_;
};

}  // namespace kelvort
