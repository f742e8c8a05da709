// Class references and the class registry: a class registered once can be found by its name
// ("TAdvEditLabel") and made from that name, as the form reader and the streaming of
// components need. There is no general reflection: a class reference is made per class by
// ClassOf<T>(), which records the class's name and how to create one.
#pragma once

#include "framework/rtl/Component.h"

#include <functional>
#include <initializer_list>
#include <typeinfo>

class TPersistentClassInfo;
// A class reference; one object per class, alive for the whole program.
using TPersistentClass = const TPersistentClassInfo*;
using TComponentClass = TPersistentClass;

class TPersistentClassInfo {
public:
    using TFactory = std::function<TPersistent*(TComponent* AOwner)>;
    TPersistentClassInfo(const std::type_info& Type, TFactory Factory);

    // The class name without namespaces, as TObject::ClassName reports it.
    const String& ClassName() const { return FClassName; }
    const std::type_info& Type() const { return *FType; }
    // Makes a new object of the class (AOwner is passed to a component's constructor and
    // ignored by other classes); raises EAbstractError for a class that cannot be made.
    TPersistent* Create(TComponent* AOwner = nullptr) const;
    bool CanCreate() const { return static_cast<bool>(FFactory); }
    // Whether Obj is of this class or of a class derived from it.
    virtual bool IsInstance(const TObject* Obj) const = 0;

protected:
    ~TPersistentClassInfo() = default;

private:
    String FClassName;
    const std::type_info* FType;
    TFactory FFactory;
};

// The class name of a C++ type, without namespaces.
String ClassNameOf(const std::type_info& Type);

namespace classregistry_detail {
template <class T>
class TClassInfoOf final : public TPersistentClassInfo {
public:
    TClassInfoOf() : TPersistentClassInfo(typeid(T), factory()) {}
    bool IsInstance(const TObject* Obj) const override { return dynamic_cast<const T*>(Obj) != nullptr; }

private:
    static TFactory factory() {
        if constexpr (std::is_abstract_v<T>) {
            return {};
        } else if constexpr (std::is_constructible_v<T, TComponent*>) {
            return [](TComponent* AOwner) -> TPersistent* { return new T(AOwner); };
        } else if constexpr (std::is_default_constructible_v<T>) {
            return [](TComponent*) -> TPersistent* { return new T(); };
        } else {
            return {};
        }
    }
};
}  // namespace classregistry_detail

// The class reference of T.
template <class T>
TPersistentClass ClassOf() {
    static_assert(std::is_base_of_v<TPersistent, T>, "only persistent classes have class references");
    static const classregistry_detail::TClassInfoOf<T> Info;
    return &Info;
}

// Registers a class under its name. Registering it again does nothing; another class under
// a registered name raises EFilerError.
void RegisterClass(TPersistentClass AClass);
void RegisterClasses(std::initializer_list<TPersistentClass> AClasses);
template <class T>
void RegisterClass() {
    RegisterClass(ClassOf<T>());
}
void UnRegisterClass(TPersistentClass AClass);
// The registered class of that name (ignoring case), nullptr when none.
TPersistentClass GetClass(const String& AClassName);
// Like GetClass, but raises EClassNotFound when the name is not registered.
TPersistentClass FindClass(const String& ClassName);
