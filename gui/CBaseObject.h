// Reference counting for toolkit objects (views, bitmaps, fonts, paths, gradients):
// whoever creates or keeps one holds a reference and releases it with forget().
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

namespace VSTGUI {

class CBaseObject {
public:
    CBaseObject() = default;
    CBaseObject(const CBaseObject&) = delete;
    CBaseObject& operator=(const CBaseObject&) = delete;

    void remember() { ++nbReference; }
    void forget() {
        if (--nbReference == 0) delete this;
    }

protected:
    virtual ~CBaseObject() = default;

private:
    int32_t nbReference = 1;
};

// Makes `held` refer to `next`, taking a reference to it and releasing the old one.
template <typename T>
void exchangeReference(T*& held, std::type_identity_t<T>* next) {
    if (held == next) return;
    if (next) next->remember();
    if (held) held->forget();
    held = next;
}

// Holds one reference for the lifetime of the pointer.
template <typename T>
class SharedPointer {
public:
    SharedPointer() = default;
    // Takes over the reference the caller holds (as after `new`).
    static SharedPointer adopt(T* object) {
        SharedPointer pointer;
        pointer.object = object;
        return pointer;
    }
    // Adds a reference of its own.
    explicit SharedPointer(T* shared) : object(shared) {
        if (object) object->remember();
    }
    SharedPointer(const SharedPointer& other) : SharedPointer(other.object) {}
    SharedPointer(SharedPointer&& other) noexcept : object(std::exchange(other.object, nullptr)) {}
    SharedPointer& operator=(SharedPointer other) noexcept {
        std::swap(object, other.object);
        return *this;
    }
    ~SharedPointer() {
        if (object) object->forget();
    }

    T* get() const { return object; }
    T* operator->() const { return object; }
    T& operator*() const { return *object; }
    explicit operator bool() const { return object != nullptr; }

private:
    T* object = nullptr;
};

}  // namespace VSTGUI
