// Reference counting of device objects, as the application expects of every interface it
// releases: AddRef, Release, and destruction when the last reference goes.
#pragma once

#include "win32/types.h"

class RefCounted {
  public:
    RefCounted() = default;
    RefCounted(const RefCounted&) = delete;
    RefCounted& operator=(const RefCounted&) = delete;

    ULONG AddRef() { return ++references_; }
    ULONG Release() {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

  protected:
    virtual ~RefCounted() = default;

  private:
    ULONG references_ = 1;
};

// Holds one reference for the lifetime of the holder.
template <typename T>
class RefPtr {
  public:
    RefPtr() = default;
    explicit RefPtr(T* adopted) : object_(adopted) {}  // takes over an existing reference
    RefPtr(const RefPtr& other) : object_(other.object_) {
        if (object_) {
            object_->AddRef();
        }
    }
    RefPtr(RefPtr&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    RefPtr& operator=(RefPtr other) noexcept {
        T* previous = object_;
        object_ = other.object_;
        other.object_ = previous;
        return *this;
    }
    ~RefPtr() {
        if (object_) {
            object_->Release();
        }
    }
    T* get() const { return object_; }
    T* operator->() const { return object_; }
    explicit operator bool() const { return object_ != nullptr; }
    T* detach() {
        T* out = object_;
        object_ = nullptr;
        return out;
    }
    // Where a creation call writes the reference it hands out; the one held before goes first.
    T** put() {
        *this = RefPtr();
        return &object_;
    }

  private:
    T* object_ = nullptr;
};
