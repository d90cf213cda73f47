#pragma once
// How the binding reaches the game: fields of host objects, globals, plain (cdecl) and member
// (thiscall) calls, virtual slots, and calls made with every register and the flags saved.

#include <cstdint>
#include <cstring>

template <typename T>
T ReadField(const void* object, uint32_t offset) {
  T value;
  std::memcpy(&value, static_cast<const uint8_t*>(object) + offset, sizeof(T));
  return value;
}

template <typename T>
void WriteField(void* object, uint32_t offset, T value) {
  std::memcpy(static_cast<uint8_t*>(object) + offset, &value, sizeof(T));
}

template <typename T>
T ReadGlobal(uint32_t address) {
  return ReadField<T>(reinterpret_cast<const void*>(address), 0);
}

template <typename T>
void WriteGlobal(uint32_t address, T value) {
  WriteField<T>(reinterpret_cast<void*>(address), 0, value);
}

// A host object pointer held in a global or a field.
template <typename T>
T* GlobalObject(uint32_t address) {
  return reinterpret_cast<T*>(ReadGlobal<uint32_t>(address));
}

template <typename T>
T* FieldObject(const void* object, uint32_t offset) {
  return reinterpret_cast<T*>(ReadField<uint32_t>(object, offset));
}

inline void* SubObject(const void* object, uint32_t offset) {
  return const_cast<uint8_t*>(static_cast<const uint8_t*>(object) + offset);
}

// Arguments are passed as the game expects them: words, booleans widened to 0 or 1.
template <typename R, typename... A>
R CallPlain(uint32_t function, A... args) {
  using Function = R(__attribute__((cdecl)) *)(A...);
  return reinterpret_cast<Function>(function)(args...);
}

// GCC applies thiscall to a plain function pointer type but warns that it is no class member.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wattributes"
template <typename R, typename... A>
R CallMember(uint32_t function, const void* self, A... args) {
  using Function = R(__attribute__((thiscall)) *)(const void*, A...);
  return reinterpret_cast<Function>(function)(self, args...);
}
#pragma GCC diagnostic pop

// The function in the given byte slot of the object's virtual table.
inline uint32_t VirtualFunction(const void* self, uint32_t slot) {
  return ReadField<uint32_t>(FieldObject<void>(self, 0), slot);
}

// Calls a host function with every general register and the flags saved around it. ECX
// carries `self` (ignored by plain functions); the stack pointer is restored from the frame,
// so the callee may or may not remove its arguments.
extern "C" uint32_t HostCallSaved(uint32_t function, const void* self, uint32_t argumentCount,
                                  const uint32_t* arguments);

template <typename... A>
uint32_t CallSaved(uint32_t function, const void* self, A... args) {
  const uint32_t words[sizeof...(A) + 1] = {static_cast<uint32_t>(args)..., 0};
  return HostCallSaved(function, self, sizeof...(A), words);
}

inline uint32_t Word(const void* pointer) { return reinterpret_cast<uint32_t>(pointer); }
