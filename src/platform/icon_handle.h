#pragma once
// Sole owner of one icon handle; the icon is destroyed with its holder.

struct IconHandle {
    void* handle = nullptr;

    IconHandle() = default;
    explicit IconHandle(void* icon) : handle(icon) {}
    IconHandle(const IconHandle&) = delete;
    IconHandle& operator=(const IconHandle&) = delete;
    IconHandle(IconHandle&& other) noexcept : handle(other.handle) { other.handle = nullptr; }
    IconHandle& operator=(IconHandle&& other) noexcept;
    ~IconHandle() { reset(); }

    void reset(void* icon = nullptr);
    explicit operator bool() const { return handle != nullptr; }
};
