#pragma once

// Owns one reference to a COM object.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (p_) p_->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    // Where a call that hands out a reference puts it.
    T** Out() { return &p_; }

private:
    T* p_ = nullptr;
};
