// Handles as table keys: a handle value is a kind tag plus a serial number,
// never a pointer, so a stale or foreign handle is refused instead of being
// dereferenced.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

namespace platform {

// Kind tags keep a window handle from being taken for a device context.
enum class HandleKind : std::uintptr_t {
  Window = 1,
  DeviceContext,
  RenderingContext,
  File,
  Mapping,
  Module,
  Icon,
  Cursor,
};

constexpr int kHandleKindShift = 24;

// The handle of a kind with a serial (or, for system icons and cursors, a
// resource number).
template <typename H> H MakeHandle(HandleKind kind, std::uintptr_t serial) {
  return reinterpret_cast<H>(
      (static_cast<std::uintptr_t>(kind) << kHandleKindShift) | serial);
}

inline HandleKind KindOf(const void *handle) {
  return static_cast<HandleKind>(reinterpret_cast<std::uintptr_t>(handle) >>
                                 kHandleKindShift);
}

inline std::uintptr_t SerialOf(const void *handle) {
  return reinterpret_cast<std::uintptr_t>(handle) &
         ((std::uintptr_t{1} << kHandleKindShift) - 1);
}

// Owned objects of one kind by serial; serials are never reused.
template <typename T> class HandleTable {
public:
  explicit HandleTable(HandleKind kind) : kind_(kind) {}

  template <typename H> H Add(std::unique_ptr<T> object) {
    items_[++lastSerial_] = std::move(object);
    return HandleOf<H>(lastSerial_);
  }
  template <typename H> H HandleOf(std::uintptr_t serial) const {
    return MakeHandle<H>(kind_, serial);
  }
  // Null for a handle of another kind, null or gone.
  template <typename H> T *Find(H handle) const {
    const auto it = items_.find(KindOf(handle) == kind_ ? SerialOf(handle) : 0);
    return it == items_.end() ? nullptr : it->second.get();
  }
  template <typename H> bool Remove(H handle) {
    return Find(handle) != nullptr && items_.erase(SerialOf(handle)) != 0;
  }
  int Size() const { return static_cast<int>(items_.size()); }
  std::map<std::uintptr_t, std::unique_ptr<T>> &Items() { return items_; }

private:
  HandleKind kind_;
  std::uintptr_t lastSerial_ = 0;
  std::map<std::uintptr_t, std::unique_ptr<T>> items_;
};

} // namespace platform
