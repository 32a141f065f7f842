// Fixed-width integer names and little-endian load/store helpers used by every
// file and wire format of the game.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;
using u64 = std::uint64_t;
using i8 = std::int8_t;
using i16 = std::int16_t;
using i32 = std::int32_t;
using i64 = std::int64_t;
using f32 = float;
using f64 = double;

static_assert(sizeof(f32) == 4 && sizeof(f64) == 8, "IEEE float sizes expected");

// Little-endian stores: write the value byte by byte, whatever the host order.
inline void put_u8(void* p, u8 v) { static_cast<u8*>(p)[0] = v; }
inline void put_u16le(void* p, u16 v) {
    u8* b = static_cast<u8*>(p);
    b[0] = static_cast<u8>(v);
    b[1] = static_cast<u8>(v >> 8);
}
inline void put_u32le(void* p, u32 v) {
    u8* b = static_cast<u8*>(p);
    b[0] = static_cast<u8>(v);
    b[1] = static_cast<u8>(v >> 8);
    b[2] = static_cast<u8>(v >> 16);
    b[3] = static_cast<u8>(v >> 24);
}
inline void put_u64le(void* p, u64 v) {
    put_u32le(p, static_cast<u32>(v));
    put_u32le(static_cast<u8*>(p) + 4, static_cast<u32>(v >> 32));
}
inline void put_i16le(void* p, i16 v) { put_u16le(p, static_cast<u16>(v)); }
inline void put_i32le(void* p, i32 v) { put_u32le(p, static_cast<u32>(v)); }
inline void put_i64le(void* p, i64 v) { put_u64le(p, static_cast<u64>(v)); }
inline void put_f32le(void* p, f32 v) {
    u32 bits;
    std::memcpy(&bits, &v, 4);
    put_u32le(p, bits);
}

// Little-endian loads.
inline u8 get_u8(const void* p) { return static_cast<const u8*>(p)[0]; }
inline u16 get_u16le(const void* p) {
    const u8* b = static_cast<const u8*>(p);
    return static_cast<u16>(b[0] | (b[1] << 8));
}
inline u32 get_u32le(const void* p) {
    const u8* b = static_cast<const u8*>(p);
    return static_cast<u32>(b[0]) | (static_cast<u32>(b[1]) << 8) | (static_cast<u32>(b[2]) << 16) |
           (static_cast<u32>(b[3]) << 24);
}
inline u64 get_u64le(const void* p) {
    return static_cast<u64>(get_u32le(p)) | (static_cast<u64>(get_u32le(static_cast<const u8*>(p) + 4)) << 32);
}
inline i16 get_i16le(const void* p) { return static_cast<i16>(get_u16le(p)); }
inline i32 get_i32le(const void* p) { return static_cast<i32>(get_u32le(p)); }
inline i64 get_i64le(const void* p) { return static_cast<i64>(get_u64le(p)); }
inline f32 get_f32le(const void* p) {
    u32 bits = get_u32le(p);
    f32 v;
    std::memcpy(&v, &bits, 4);
    return v;
}
