#pragma once

// The module's class registry: every Xtra class the module offers, in registration order,
// with its class identifier. Class units enter their classes while the module loads:
//
//   const TDXClassRegistration<TMyScript> kRegistration{MakeMoaID("...")};
//
// and the module's start-up (TDXModuleStartup) enters the register class after them.

#include <array>
#include <cstddef>
#include <new>
#include <span>

#include "DXClasses/DXScriptFunctions.h"
#include "DXInt/MoaTypes.h"

class TDXClass;
struct TDXScriptInfo;
struct TDXInitializeClassInfo;
struct TDXAssetInfo;
struct TDXTransitionInfo;
struct TDXToolInfo;
struct TDXPropertyPageInfo;

// Kinds of Xtra classes, by the framework base class a class descends from.
enum class TDXClassKind {
  Plain,
  Register,
  Initializer,
  Script,
  Tool,
  PropertyPage,
  TransitionAsset,
  Transition,
  Asset,
  Sprite,
};

// What the framework knows of a class without an instance: its kind, how to make an object of
// it in memory the host gives, and its class-level operations.
struct TDXMetaClass {
  TDXClassKind Kind;
  std::size_t InstanceSize;
  std::size_t InstanceAlignment;
  TDXClass* (*Construct)(void* memory);
  void (*DeclareFunctions)(TDXScriptInfo& info);          // scripting classes only
  void (*InitializeClass)(TDXInitializeClassInfo& info);  // scripting and asset classes
  void (*AssetInfo)(TDXAssetInfo& info);                  // asset classes (transitions too)
  void (*TransitionInfo)(TDXTransitionInfo& info);        // transition asset classes
  void (*ToolInfo)(TDXToolInfo& info);                    // tool classes
  void (*PropertyPageInfo)(TDXPropertyPageInfo& info);    // property page classes

  // An asset class: TDXAsset or TDXTransitionAsset.
  bool IsAsset() const {
    return Kind == TDXClassKind::Asset || Kind == TDXClassKind::TransitionAsset;
  }
};

template <class T>
const TDXMetaClass& MetaClassOf() {
  static const TDXMetaClass metaClass = [] {
    TDXMetaClass m{};
    m.Kind = T::kDXClassKind;
    m.InstanceSize = sizeof(T);
    m.InstanceAlignment = alignof(T);
    m.Construct = [](void* memory) -> TDXClass* { return new (memory) T(); };
    constexpr TDXClassKind kind = T::kDXClassKind;
    if constexpr (kind == TDXClassKind::Script) {
      m.DeclareFunctions = &T::DeclareFunctions;
      m.InitializeClass = &T::InitializeClass;
    }
    if constexpr (kind == TDXClassKind::Asset || kind == TDXClassKind::TransitionAsset) {
      m.InitializeClass = &T::InitializeClass;
      m.AssetInfo = &T::GetAssetInfo;
    }
    if constexpr (kind == TDXClassKind::TransitionAsset) m.TransitionInfo = &T::GetTransitionInfo;
    if constexpr (kind == TDXClassKind::Tool) m.ToolInfo = &T::GetToolInfo;
    if constexpr (kind == TDXClassKind::PropertyPage) m.PropertyPageInfo = &T::GetPropertyPageInfo;
    return m;
  }();
  return metaClass;
}

struct TDXRegistryEntry {
  const TDXMetaClass* Class = nullptr;
  MoaClassID ClassID{};
  bool Declared = false;              // the class-level preparation has run
  Ref<TDXScriptFunctions> Functions;  // runtime method table of a scripting class
};

class TDXClassRegistry {
 public:
  static constexpr std::size_t kCapacity = 50;

  // The one registry of the module, sized when first used.
  static TDXClassRegistry& Instance();

  // Appends a class; false (nothing added) when the registry is full.
  bool Add(const TDXMetaClass& metaClass, const MoaClassID& classId);
  std::span<TDXRegistryEntry> Entries() { return {entries_.data(), count_}; }
  // First entry of that identifier or class, or null.
  TDXRegistryEntry* FindByClassID(const MoaClassID& classId);
  TDXRegistryEntry* FindByClass(const TDXMetaClass& metaClass);
  // The identifier of the register class (the last one registered), or null while none is.
  const MoaClassID* RegisterClassID() const {
    return hasRegisterClass_ ? &registerClassId_ : nullptr;
  }

 private:
  TDXClassRegistry() = default;

  std::array<TDXRegistryEntry, kCapacity> entries_;
  std::size_t count_ = 0;
  MoaClassID registerClassId_{};
  bool hasRegisterClass_ = false;
};

inline bool RegisterXtraClass(const TDXMetaClass& metaClass, const MoaClassID& classId) {
  return TDXClassRegistry::Instance().Add(metaClass, classId);
}

template <class T>
bool RegisterXtraClass(const MoaClassID& classId) {
  return RegisterXtraClass(MetaClassOf<T>(), classId);
}

// Enters T in the registry during the static initialisation of the unit that defines it.
template <class T>
struct TDXClassRegistration {
  explicit TDXClassRegistration(const MoaClassID& classId) { RegisterXtraClass<T>(classId); }
};
