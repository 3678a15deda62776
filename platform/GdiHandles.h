#pragma once
// How handle values are laid out: the kind in the top byte, a serial number below it.
// Shared by the registry and the call recorder, which names handles by kind.
#include <cstdint>

namespace platform::handles {

enum class Kind : uint32_t { None = 0, DC = 1, Bitmap = 2, Palette = 3, Window = 4 };

constexpr uint32_t make(Kind kind, uint32_t serial) { return (static_cast<uint32_t>(kind) << 24) | (serial & 0xFFFFFF); }
constexpr Kind kindOf(uint32_t handle) { return static_cast<Kind>(handle >> 24); }

constexpr uint32_t desktopWindow = make(Kind::Window, 1);
constexpr uint32_t stockBitmap = make(Kind::Bitmap, 1);
constexpr uint32_t stockPalette = make(Kind::Palette, 1);
constexpr uint32_t firstSerial = 2;  // serial 1 of each kind is the stock object above

} // namespace platform::handles
