#pragma once
// One reference to a COM object, released when its holder goes; never copied.

template <typename Interface>
struct ComRef {
    Interface* ptr = nullptr;
    ComRef() = default;
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    ~ComRef() {
        if (ptr != nullptr) ptr->Release();
    }
    Interface* operator->() const { return ptr; }
    // For the calls that hand out a new reference.
    void** out() { return reinterpret_cast<void**>(&ptr); }
};
