#pragma once
// N::Ref<T>: a thin intrusive handle over the hand-kept reference counts of
// N::Property. It owns exactly one reference of what it points to.
//   N::Ref<T>::Adopt(p)  takes over a reference the caller already owns
//                        (the result of CreateInstance, Convert, new ...);
//   N::Ref<T>(p)         adds a reference of its own (for borrowed pointers).
// Get() hands out the pointer borrowed, Detach() hands the reference back.

#include <utility>

namespace N {

template <class T>
class Ref {
public:
    Ref() noexcept = default;
    Ref(std::nullptr_t) noexcept {}
    Ref(T* p) noexcept : p_(p) {
        if (p_) p_->AddRef();
    }
    Ref(const Ref& other) noexcept : Ref(other.p_) {}
    Ref(Ref&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    template <class U>
    Ref(const Ref<U>& other) noexcept : Ref(other.Get()) {}
    template <class U>
    Ref(Ref<U>&& other) noexcept : p_(other.Detach()) {}
    ~Ref() {
        if (p_) p_->Release();
    }
    Ref& operator=(Ref other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }

    static Ref Adopt(T* p) noexcept {
        Ref r;
        r.p_ = p;
        return r;
    }

    T* Get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    T& operator*() const noexcept { return *p_; }
    operator T*() const noexcept { return p_; }
    explicit operator bool() const noexcept { return p_ != nullptr; }
    // Hands the owned reference to the caller.
    T* Detach() noexcept {
        T* p = p_;
        p_ = nullptr;
        return p;
    }

private:
    T* p_ = nullptr;
};

// Takes over an owned reference: N::Adopt(new Thickness(1)).
template <class T>
Ref<T> Adopt(T* p) noexcept {
    return Ref<T>::Adopt(p);
}

}  // namespace N
