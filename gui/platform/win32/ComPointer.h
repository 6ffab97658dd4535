// One reference to a COM object, released when it goes.
#pragma once

#include <unknwn.h>

namespace VSTGUI::platform {

template <typename Interface>
class ComPointer {
public:
    ComPointer() = default;
    ~ComPointer() { reset(); }
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ComPointer(ComPointer&& other) noexcept : object(other.object) { other.object = nullptr; }
    ComPointer& operator=(ComPointer&& other) noexcept {
        if (this != &other) {
            reset();
            object = other.object;
            other.object = nullptr;
        }
        return *this;
    }

    Interface* get() const { return object; }
    Interface* operator->() const { return object; }
    explicit operator bool() const { return object != nullptr; }
    // Where a creating call puts a new object; what was held is released first.
    Interface** put() {
        reset();
        return &object;
    }
    void reset() {
        if (object) object->Release();
        object = nullptr;
    }

private:
    Interface* object = nullptr;
};

}  // namespace VSTGUI::platform
