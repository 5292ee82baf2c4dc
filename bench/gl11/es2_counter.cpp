// Each ES 2.0 function the subset loads is wrapped by a template instance
// that notes its arguments and calls the driver's. A call that sets state is
// redundant when its slot (the program, the uniform of the program in use,
// the attribute, the binding point of the active unit, the capability...)
// already holds the same value.
#include "bench/gl11/es2_counter.h"

#include "gl11/es2.h"

#include <SDL.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <map>
#include <type_traits>

namespace es2count {
namespace {

enum Id {
#define TVL_COUNT_ID(ret, name, args) k##name,
  TVL11_ES2_FUNCTIONS(TVL_COUNT_ID)
#undef TVL_COUNT_ID
      kIdCount
};

const char *const kNames[] = {
#define TVL_COUNT_NAME(ret, name, args) "gl" #name,
    TVL11_ES2_FUNCTIONS(TVL_COUNT_NAME)
#undef TVL_COUNT_NAME
};

using Values = std::vector<std::uint64_t>;

struct Counts {
  long calls[kIdCount] = {};
  long redundant[kIdCount] = {};
  // What the GL holds, by slot.
  std::map<Values, Values> slots;
  std::uint64_t program = 0, activeUnit = 0, arrayBuffer = 0;
  std::map<std::uint64_t, std::uint64_t> bound; // (unit, target) -> texture
};

Counts &Now() {
  static Counts counts;
  return counts;
}

template <typename T> std::uint64_t Bits(T value) {
  if constexpr (std::is_pointer_v<T>) {
    return reinterpret_cast<std::uintptr_t>(value);
  } else if constexpr (std::is_floating_point_v<T>) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
  } else {
    return static_cast<std::uint64_t>(value);
  }
}

// The floats a vector uniform call passes.
Values Floats(std::uint64_t pointer, std::uint64_t count) {
  const auto *data = reinterpret_cast<const float *>(pointer);
  Values out;
  for (std::uint64_t i = 0; i < count; ++i) {
    out.push_back(Bits(data[i]));
  }
  return out;
}

// Sets slot to value; true when it held that value already.
bool Set(Values slot, Values value) {
  auto &slots = Now().slots;
  const auto found = slots.find(slot);
  if (found != slots.end() && found->second == value) {
    return true;
  }
  slots[std::move(slot)] = std::move(value);
  return false;
}

bool Uniform(const Values &a, Values value) {
  return Set({kUniform1f, Now().program, a[0]}, std::move(value));
}

// Notes one call; true when it re-set a value the GL held.
bool Redundant(Id id, const Values &a) {
  Counts &c = Now();
  switch (id) {
  case kUseProgram:
    c.program = a[0];
    return Set({id}, a);
  case kLinkProgram: {
    // Linking resets the program's uniforms.
    auto &slots = c.slots;
    for (auto it = slots.begin(); it != slots.end();) {
      const bool ofProgram = it->first.size() == 3 &&
                             it->first[0] == kUniform1f && it->first[1] == a[0];
      it = ofProgram ? slots.erase(it) : std::next(it);
    }
    return false;
  }
  case kUniform1f:
  case kUniform1i:
    return Uniform(a, {a[1]});
  case kUniform3fv:
    return Uniform(a, Floats(a[2], 3 * a[1]));
  case kUniform4fv:
    return Uniform(a, Floats(a[2], 4 * a[1]));
  case kUniformMatrix3fv:
    return Uniform(a, Floats(a[3], 9 * a[1]));
  case kUniformMatrix4fv:
    return Uniform(a, Floats(a[3], 16 * a[1]));
  case kActiveTexture:
    c.activeUnit = a[0];
    return Set({id}, a);
  case kBindTexture:
    c.bound[c.activeUnit * 0x10000 + a[0]] = a[1];
    return Set({id, c.activeUnit, a[0]}, {a[1]});
  case kTexParameteri:
    return Set({id, c.bound[c.activeUnit * 0x10000 + a[0]], a[1]}, {a[2]});
  case kBindBuffer:
    if (a[0] == GL_ARRAY_BUFFER) {
      c.arrayBuffer = a[1];
    }
    return Set({id, a[0]}, {a[1]});
  case kEnable:
  case kDisable:
    return Set({kEnable, a[0]}, {id == kEnable});
  case kEnableVertexAttribArray:
  case kDisableVertexAttribArray:
    return Set({kEnableVertexAttribArray, a[0]},
               {id == kEnableVertexAttribArray});
  case kVertexAttribPointer:
    return Set({id, a[0]}, {a[1], a[2], a[3], a[4], a[5], c.arrayBuffer});
  case kVertexAttrib3f:
  case kVertexAttrib4f: {
    Values value(a.begin() + 1, a.end());
    if (id == kVertexAttrib3f) {
      value.push_back(Bits(1.0f));
    }
    return Set({kVertexAttrib4f, a[0]}, value);
  }
  case kPixelStorei:
    return Set({id, a[0]}, {a[1]});
  case kBlendFunc:
  case kClearColor:
  case kClearDepthf:
  case kDepthFunc:
  case kViewport:
    return Set({id}, a);
  default:
    return false; // draws, uploads, queries, object making
  }
}

void Note(Id id, const Values &args) {
  Counts &c = Now();
  ++c.calls[id];
  if (Redundant(id, args)) {
    ++c.redundant[id];
  }
}

template <Id id, typename Signature> struct Wrap;
template <Id id, typename R, typename... A> struct Wrap<id, R(A...)> {
  static R(GLAPIENTRY *real)(A...);
  static R GLAPIENTRY Call(A... args) {
    Note(id, {Bits(args)...});
    return real(args...);
  }
};
template <Id id, typename R, typename... A>
R(GLAPIENTRY *Wrap<id, R(A...)>::real)
(A...) = nullptr;

} // namespace

void *Load(const char *name) {
#define TVL_COUNT_LOAD(ret, fn, args)                                          \
  if (std::strcmp(name, "gl" #fn) == 0) {                                      \
    using W = Wrap<k##fn, ret args>;                                           \
    W::real =                                                                  \
        reinterpret_cast<decltype(W::real)>(SDL_GL_GetProcAddress(name));      \
    return W::real ? reinterpret_cast<void *>(&W::Call) : nullptr;             \
  }
  TVL11_ES2_FUNCTIONS(TVL_COUNT_LOAD)
#undef TVL_COUNT_LOAD
  return nullptr; // a function the subset does not draw with
}

void Restart() {
  Counts &c = Now();
  std::fill(std::begin(c.calls), std::end(c.calls), 0);
  std::fill(std::begin(c.redundant), std::end(c.redundant), 0);
}

Tally Total() {
  Tally t;
  for (int i = 0; i < kIdCount; ++i) {
    t.calls += Now().calls[i];
    t.redundant += Now().redundant[i];
  }
  return t;
}

std::vector<Tally> ByName() {
  std::vector<Tally> all;
  for (int i = 0; i < kIdCount; ++i) {
    if (Now().calls[i] > 0) {
      all.push_back({kNames[i], Now().calls[i], Now().redundant[i]});
    }
  }
  std::sort(all.begin(), all.end(),
            [](const Tally &a, const Tally &b) { return a.calls > b.calls; });
  return all;
}

} // namespace es2count
