#pragma once
// Registering a class: one declaration per class.
//
// In the class (header), declare the metaclass accessor:
//
//     class Button : public ButtonBase {
//     public:
//         N_DECLARE_TYPE();               // static N::PropertyType* StaticType();
//         Button() : Button(StaticType()) {}
//         explicit Button(N::PropertyType* type) : ButtonBase(type) {}
//         ...
//     };
//
// In the class's .cpp, register its metaclass and declarations in one block,
// one line per property: name, default value, metadata.
//
//     N_ELEMENT_TYPE(Button, ButtonBase, [](N::TypeBuilder& t) {
//         t.Property("IsDefault", N::FalseValue());
//         t.Property("Padding", N::Adopt(new N::Thickness(2.0)),
//                    N::FrameworkMetadata(N::AffectsMeasure));
//         t.Property("IsChecked", N::FalseValue(),
//                    N::Metadata(0, &Button::OnIsCheckedChanged));
//     })
//
//   N_ELEMENT_TYPE(Class, Base, decl)   creatable element: CreateInstance is new Class()
//   N_ABSTRACT_TYPE(Class, Base, decl)  CreateInstance gives null
//   N_DEFINE_TYPE(Class, "Name", TypeImpl, baseTypeOrNull, decl)
//                                        own metaclass class TypeImpl (derived from
//                                        N::PropertyType, constructor (name, base)),
//                                        e.g. value types with Convert and ToText.
// The declaration block is optional. The macros define ClassTypeImpl (the
// first two), Class::StaticType() and a start-up registrar, so the type is in
// the registry before main() and its base is always constructed first.
// Defaults: a borrowed value (N::FalseValue(), N::AutoLength()) or an owned
// one (N::Double(12), N::Adopt(new ...)); the declaration keeps its own
// reference. N::UnsetValue() means "no default". t.Flags(f) adds metaclass
// flags; t.PropertyOn(baseType, ...) declares onto a base type.
// Use the macros at namespace scope, in the namespace of the class.

#include "ui/core/PropertyDeclaration.h"
#include "ui/core/PropertyType.h"

namespace N {

class TypeBuilder {
public:
    explicit TypeBuilder(PropertyType* type) noexcept : type_(type) {}
    PropertyType* Type() const noexcept { return type_; }

    TypeBuilder& Flags(uint32_t flags) {
        type_->AddFlags(flags);
        return *this;
    }
    TypeBuilder& Property(std::string_view name, N::Property* defaultValue,
                          Ref<PropertyMetadata> metadata = nullptr) {
        return PropertyOn(type_, name, defaultValue, std::move(metadata));
    }
    TypeBuilder& PropertyOn(PropertyType* owner, std::string_view name, N::Property* defaultValue,
                            Ref<PropertyMetadata> metadata = nullptr) {
        RegisterProperty(nullptr, owner, name, defaultValue, metadata.Detach());
        return *this;
    }

private:
    PropertyType* type_;
};

// Constructs a metaclass at start-up by calling its accessor.
struct TypeRegistrar {
    explicit TypeRegistrar(PropertyType* (*accessor)()) { accessor(); }
};

// Metaclass of a creatable element class.
template <class T>
class ElementTypeImplT : public PropertyType {
public:
    using PropertyType::PropertyType;
    N::Property* CreateInstance() override { return new T(); }
};

// Metaclass of an abstract class.
class AbstractTypeImpl : public PropertyType {
public:
    using PropertyType::PropertyType;
};

}  // namespace N

#define N_DECLARE_TYPE() static ::N::PropertyType* StaticType()

#define N_TYPE_CONCAT_(a, b) a##b
#define N_TYPE_CONCAT(a, b) N_TYPE_CONCAT_(a, b)

#define N_DEFINE_TYPE(Class, Name, TypeImpl, BaseType, ...)                       \
    ::N::PropertyType* Class::StaticType() {                                       \
        static TypeImpl type(Name, BaseType);                                      \
        static bool declared = false;                                              \
        if (!declared) {                                                           \
            declared = true;                                                       \
            type.MarkImmortal();                                                   \
            ::N::TypeBuilder builder(&type);                                       \
            (void)builder;                                                         \
            __VA_OPT__((__VA_ARGS__)(builder);)                                    \
        }                                                                          \
        return &type;                                                              \
    }                                                                              \
    static const ::N::TypeRegistrar N_TYPE_CONCAT(nTypeRegistrar_, __LINE__)(&Class::StaticType)

#define N_ELEMENT_TYPE(Class, Base, ...)                                           \
    class Class##TypeImpl final : public ::N::ElementTypeImplT<Class> {            \
    public:                                                                        \
        using ::N::ElementTypeImplT<Class>::ElementTypeImplT;                      \
    };                                                                             \
    N_DEFINE_TYPE(Class, #Class, Class##TypeImpl, Base::StaticType() __VA_OPT__(, ) __VA_ARGS__)

#define N_ABSTRACT_TYPE(Class, Base, ...)                                          \
    class Class##TypeImpl final : public ::N::AbstractTypeImpl {                   \
    public:                                                                        \
        using ::N::AbstractTypeImpl::AbstractTypeImpl;                             \
    };                                                                             \
    N_DEFINE_TYPE(Class, #Class, Class##TypeImpl, Base::StaticType() __VA_OPT__(, ) __VA_ARGS__)
