#include "framework/rtl/ClassRegistry.h"

#include <cxxabi.h>
#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace {

// Units register their classes from static initialisers and tests from any thread.
std::mutex& registryLock() {
    static std::mutex Lock;
    return Lock;
}

std::vector<TPersistentClass>& registry() {
    static std::vector<TPersistentClass> Classes;
    return Classes;
}

TPersistentClass findLocked(const String& Name) {
    const auto& Classes = registry();
    auto It = std::find_if(Classes.begin(), Classes.end(),
                           [&](TPersistentClass C) { return C->ClassName().compare(Name, Qt::CaseInsensitive) == 0; });
    return It == Classes.end() ? nullptr : *It;
}

}  // namespace

String ClassNameOf(const std::type_info& Type) {
    int Status = 0;
    char* Demangled = abi::__cxa_demangle(Type.name(), nullptr, nullptr, &Status);
    String Result = QString::fromLatin1(Status == 0 && Demangled ? Demangled : Type.name());
    std::free(Demangled);
    const auto Scope = Result.lastIndexOf(QLatin1String("::"));
    return Scope >= 0 ? Result.mid(Scope + 2) : Result;
}

TPersistentClassInfo::TPersistentClassInfo(const std::type_info& Type, TFactory Factory)
    : FClassName(ClassNameOf(Type)), FType(&Type), FFactory(std::move(Factory)) {}

TPersistent* TPersistentClassInfo::Create(TComponent* AOwner) const {
    if (!FFactory) throw EAbstractError(QStringLiteral("Cannot create an instance of %1").arg(FClassName));
    return FFactory(AOwner);
}

void RegisterClass(TPersistentClass AClass) {
    if (!AClass) throw EFilerError(QStringLiteral("Cannot register a null class"));
    const std::lock_guard<std::mutex> Guard(registryLock());
    if (TPersistentClass Found = findLocked(AClass->ClassName())) {
        if (Found == AClass || Found->Type() == AClass->Type()) return;
        throw EFilerError(QStringLiteral("A class named %1 already exists").arg(AClass->ClassName()));
    }
    registry().push_back(AClass);
}

void RegisterClasses(std::initializer_list<TPersistentClass> AClasses) {
    for (TPersistentClass C : AClasses) RegisterClass(C);
}

void UnRegisterClass(TPersistentClass AClass) {
    const std::lock_guard<std::mutex> Guard(registryLock());
    auto& Classes = registry();
    Classes.erase(std::remove(Classes.begin(), Classes.end(), AClass), Classes.end());
}

TPersistentClass GetClass(const String& AClassName) {
    const std::lock_guard<std::mutex> Guard(registryLock());
    return findLocked(AClassName);
}

TPersistentClass FindClass(const String& ClassName) {
    if (TPersistentClass C = GetClass(ClassName)) return C;
    throw EClassNotFound(QStringLiteral("Class %1 not found").arg(ClassName));
}
