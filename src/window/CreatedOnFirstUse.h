#pragma once
// A field that holds nothing or one object: every use first creates a fresh object when it holds
// nothing, and releasing it makes the next use start from a new one. The product connection is
// renewed this way before every chunk.
#include <functional>
#include <memory>

namespace velthorn {

template <class T>
class CreatedOnFirstUse {
  public:
    template <class... Args>
    explicit CreatedOnFirstUse(Args... args)
        : make_([args...] { return std::make_unique<T>(args...); }) {}

    T& get() {
        if (!object_) object_ = make_();
        return *object_;
    }
    T* operator->() { return &get(); }
    T& operator*() { return get(); }

    bool IsNothing() const { return !object_; }
    // Set field = Nothing.
    void Release() { object_.reset(); }

  private:
    std::function<std::unique_ptr<T>()> make_;
    std::unique_ptr<T> object_;
};

}  // namespace velthorn
