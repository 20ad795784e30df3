// Little- and big-endian integers in byte buffers, read and written one byte
// at a time whatever the machine's order. The caller checks the bounds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

inline uint32_t LoadLittle16(const void* at) {
  const uint8_t* p = static_cast<const uint8_t*>(at);
  return uint32_t{p[0]} | uint32_t{p[1]} << 8;
}

inline uint32_t LoadLittle32(const void* at) {
  const uint8_t* p = static_cast<const uint8_t*>(at);
  return LoadLittle16(p) | LoadLittle16(p + 2) << 16;
}

inline uint32_t LoadBig16(const void* at) {
  const uint8_t* p = static_cast<const uint8_t*>(at);
  return uint32_t{p[0]} << 8 | uint32_t{p[1]};
}

inline uint32_t LoadBig32(const void* at) {
  const uint8_t* p = static_cast<const uint8_t*>(at);
  return LoadBig16(p) << 16 | LoadBig16(p + 2);
}

// One load on a little-endian machine: the inflater's bit reader refills
// with it.
inline uint64_t LoadLittle64(const void* at) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  uint64_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
#else
  const uint8_t* p = static_cast<const uint8_t*>(at);
  return LoadLittle32(p) | uint64_t{LoadLittle32(p + 4)} << 32;
#endif
}

inline void StoreLittle16(void* at, uint32_t value) {
  uint8_t* p = static_cast<uint8_t*>(at);
  p[0] = static_cast<uint8_t>(value);
  p[1] = static_cast<uint8_t>(value >> 8);
}

inline void StoreLittle32(void* at, uint32_t value) {
  uint8_t* p = static_cast<uint8_t*>(at);
  StoreLittle16(p, value & 0xFFFF);
  StoreLittle16(p + 2, value >> 16);
}

// The same at a byte offset of a text or a byte vector.
inline uint32_t LoadLittle16(std::string_view bytes, size_t at) {
  return LoadLittle16(bytes.data() + at);
}
inline uint32_t LoadLittle32(std::string_view bytes, size_t at) {
  return LoadLittle32(bytes.data() + at);
}
inline uint32_t LoadBig16(std::string_view bytes, size_t at) {
  return LoadBig16(bytes.data() + at);
}
inline uint32_t LoadBig32(std::string_view bytes, size_t at) {
  return LoadBig32(bytes.data() + at);
}
inline void StoreLittle16(std::string* out, size_t at, uint32_t value) {
  StoreLittle16(out->data() + at, value);
}
inline void StoreLittle32(std::string* out, size_t at, uint32_t value) {
  StoreLittle32(out->data() + at, value);
}
inline void AppendLittle16(std::vector<uint8_t>* out, uint32_t value) {
  out->resize(out->size() + 2);
  StoreLittle16(out->data() + out->size() - 2, value);
}
inline void AppendLittle32(std::vector<uint8_t>* out, uint32_t value) {
  out->resize(out->size() + 4);
  StoreLittle32(out->data() + out->size() - 4, value);
}
