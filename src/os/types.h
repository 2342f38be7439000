#pragma once
// Plain value types shared by every layer; no <windows.h> here, so that the settings model and
// other pure logic also compile natively.
#include <compare>
#include <cstdint>

namespace os {

// A colour as the program keeps it in memory: 0x00BBGGRR (red in the low byte), or a system
// colour with the high byte 0xFF and the system colour index in the low byte.
using TColor = std::int32_t;

inline constexpr TColor clInfoBk = static_cast<TColor>(0xFF000018);  // tooltip background
inline constexpr TColor clBtnFace = static_cast<TColor>(0xFF00000F);
inline constexpr TColor clBtnText = static_cast<TColor>(0xFF000012);
inline constexpr TColor clWindowText = static_cast<TColor>(0xFF000008);
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clGray = 0x808080;

constexpr bool IsSystemColor(TColor c) { return c < 0; }
constexpr int SystemColorIndex(TColor c) { return static_cast<int>(c & 0xFF); }

struct Point {
  int X = 0;
  int Y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// A window of the desktop, another program's or ours, by its handle value. Logic that asks about
// foreign windows keeps this value only, so that it runs against the scripted desktop in tests.
struct WindowId {
  std::uintptr_t Value = 0;  // 0: no window
  explicit constexpr operator bool() const { return Value != 0; }
  friend auto operator<=>(const WindowId&, const WindowId&) = default;
};

}  // namespace os
