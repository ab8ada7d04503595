#pragma once
// Sole owner of one system handle (icon, font, ...): released with its holder,
// movable, never copied.

template <void (*Release)(void*)>
struct OwnedHandle {
    void* handle = nullptr;

    OwnedHandle() = default;
    explicit OwnedHandle(void* h) : handle(h) {}
    OwnedHandle(const OwnedHandle&) = delete;
    OwnedHandle& operator=(const OwnedHandle&) = delete;
    OwnedHandle(OwnedHandle&& other) noexcept : handle(other.handle) { other.handle = nullptr; }
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            reset(other.handle);
            other.handle = nullptr;
        }
        return *this;
    }
    ~OwnedHandle() { reset(); }

    void reset(void* h = nullptr) {
        if (handle != nullptr && handle != h) Release(handle);
        handle = h;
    }
    explicit operator bool() const { return handle != nullptr; }
};
