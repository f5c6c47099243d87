#pragma once

#include <memory>

namespace vertano {

// A value that few of many records carry, kept outside the record: an empty box
// takes the size of a pointer and reads as a default T. Copying a box copies its
// value, so a record holding one keeps value semantics.
template <class T>
class ValueBox {
  public:
    ValueBox() = default;
    ValueBox(const ValueBox& other)
        : value_(other.value_ ? std::make_unique<T>(*other.value_) : nullptr) {}
    ValueBox(ValueBox&&) noexcept = default;
    ValueBox& operator=(const ValueBox& other) {
        if (!other.value_) {
            value_.reset();
        } else if (value_) {
            *value_ = *other.value_;
        } else {
            value_ = std::make_unique<T>(*other.value_);
        }
        return *this;
    }
    ValueBox& operator=(ValueBox&&) noexcept = default;
    ~ValueBox() = default;

    bool HasValue() const { return value_ != nullptr; }
    // The value, or a default T where none was set.
    const T& Get() const { return value_ ? *value_ : Blank(); }
    // The value to change; a default T is put in the box first where it is empty.
    T& Set() {
        if (!value_) value_ = std::make_unique<T>();
        return *value_;
    }
    void Clear() { value_.reset(); }

  private:
    static const T& Blank() {
        static const T blank{};
        return blank;
    }
    std::unique_ptr<T> value_;
};

}  // namespace vertano
