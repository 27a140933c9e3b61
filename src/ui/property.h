#pragma once
// Field-like properties in the manner the program's windows are written in
// (`Label12->Caption = L"..."`, `if (Image5->Visible)`): reading calls the owner's getter,
// assigning calls its setter, so a change of a caption or a colour repaints the control.
#include <type_traits>

template <class>
struct PropertyGetterTraits;

template <class O, class T>
struct PropertyGetterTraits<T (O::*)() const> {
    using Owner = O;
    using Value = std::remove_cvref_t<T>;
};

// Getter: `Value (Owner::*)() const`; Setter: any member function of Owner taking a Value.
template <auto Getter, auto Setter>
class Property {
    using Traits = PropertyGetterTraits<decltype(Getter)>;

public:
    using Owner = typename Traits::Owner;
    using Value = typename Traits::Value;

    explicit Property(Owner* owner) : owner_(owner) {}

    // A property belongs to its object: copying one would leave it pointing at the wrong
    // owner, so only values travel (`Label1->Caption = Label2->Caption` copies the text).
    Property(const Property&) = delete;
    Property& operator=(const Property& other) {
        (owner_->*Setter)(other.Get());
        return *this;
    }
    Property& operator=(const Value& value) {
        (owner_->*Setter)(value);
        return *this;
    }

    Value Get() const { return (owner_->*Getter)(); }
    operator Value() const { return Get(); }

    Value operator->() const
        requires std::is_pointer_v<Value>
    {
        return Get();
    }

    template <class U>
    Property& operator+=(const U& delta) {
        (owner_->*Setter)(Value(Get() + delta));
        return *this;
    }
    template <class U>
    Property& operator-=(const U& delta) {
        (owner_->*Setter)(Value(Get() - delta));
        return *this;
    }

    friend bool operator==(const Property& p, const Value& v) { return p.Get() == v; }

private:
    Owner* owner_;
};
