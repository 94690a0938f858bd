#pragma once

#include <unknwn.h>

#include <utility>

namespace linkloom {

// Holds one reference to a COM interface and releases it once.
template <typename Interface>
class ComRef {
public:
    ComRef() = default;
    // Takes over a reference the caller already holds.
    explicit ComRef(Interface* taken) : pointer_(taken) {}
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ComRef(ComRef&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComRef& operator=(ComRef&& other) noexcept {
        if (this != &other) {
            Reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    // A new reference of its own to `shared`.
    static ComRef Share(Interface* shared) {
        if (shared) shared->AddRef();
        return ComRef(shared);
    }

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void Reset() {
        if (pointer_) std::exchange(pointer_, nullptr)->Release();
    }
    // For calls that hand out a reference: releases the held one first.
    Interface** Put() {
        Reset();
        return &pointer_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

private:
    Interface* pointer_ = nullptr;
};

}  // namespace linkloom
