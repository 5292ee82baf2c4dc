// Handles as table keys: a handle value is a kind tag plus a serial number,
// never a pointer, so a stale or foreign handle is refused instead of being
// dereferenced. Shared by the SDL layer and the scripted twin.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

namespace platform {

// Kind tags keep a window handle from being taken for a device context.
enum class HandleKind : std::uintptr_t {
  Window = 1,
  DeviceContext = 2,
  RenderingContext = 3,
  File = 4,
  Mapping = 5,
  Module = 6,
  Icon = 7,
  Cursor = 8,
};

constexpr int kHandleKindShift = 24;

// The handle of a kind with a serial (or, for system icons and cursors, a
// resource number).
template <typename H> H MakeHandle(HandleKind kind, std::uintptr_t serial) {
  return reinterpret_cast<H>(
      (static_cast<std::uintptr_t>(kind) << kHandleKindShift) | serial);
}

// The two halves of a handle value, for printing one.
inline HandleKind KindOf(const void *handle) {
  return static_cast<HandleKind>(reinterpret_cast<std::uintptr_t>(handle) >>
                                 kHandleKindShift);
}
inline std::uintptr_t SerialOf(const void *handle) {
  return reinterpret_cast<std::uintptr_t>(handle) &
         ((std::uintptr_t{1} << kHandleKindShift) - 1);
}

template <typename T> class HandleTable {
public:
  explicit HandleTable(HandleKind kind) : kind_(kind) {}

  // Takes ownership; the returned value is never null and never reused until
  // Clear() starts the serials again.
  template <typename H> H Add(std::unique_ptr<T> object) {
    const std::uintptr_t serial = ++lastSerial_;
    items_[serial] = std::move(object);
    return MakeHandle<H>(kind_, serial);
  }

  // The handle of an entry of Items().
  template <typename H> H HandleOf(std::uintptr_t serial) const {
    return MakeHandle<H>(kind_, serial);
  }

  template <typename H> T *Find(H handle) const {
    const auto it = items_.find(Serial(handle));
    return it == items_.end() ? nullptr : it->second.get();
  }

  // The serial the handle carries, 0 for a handle of another kind or null.
  template <typename H> std::uintptr_t Serial(H handle) const {
    if (KindOf(handle) != kind_)
      return 0;
    return SerialOf(handle);
  }

  template <typename H> bool Remove(H handle) {
    return items_.erase(Serial(handle)) != 0;
  }

  void Clear() {
    items_.clear();
    lastSerial_ = 0;
  }

  int Size() const { return static_cast<int>(items_.size()); }
  std::map<std::uintptr_t, std::unique_ptr<T>> &Items() { return items_; }

private:
  HandleKind kind_;
  std::uintptr_t lastSerial_ = 0;
  std::map<std::uintptr_t, std::unique_ptr<T>> items_;
};

} // namespace platform
