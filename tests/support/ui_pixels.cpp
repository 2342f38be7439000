#include "support/ui_pixels.h"

#include <algorithm>

namespace testing_support {
namespace {

std::uint32_t Crc32(const std::string& bytes, size_t from) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (size_t i = from; i < bytes.size(); ++i) {
    crc ^= static_cast<unsigned char>(bytes[i]);
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBig32(std::string& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
  PutBig32(png, static_cast<std::uint32_t>(data.size()));
  std::string body = type;
  body += data;
  png += body;
  PutBig32(png, Crc32(body, 0));
}

// zlib data with stored (uncompressed) deflate blocks: enough for a decoder to read.
std::string Zlib(const std::string& raw) {
  std::string z = "\x78\x01";
  size_t pos = 0;
  do {
    const size_t n = std::min<size_t>(65535, raw.size() - pos);
    const bool last = pos + n == raw.size();
    z += static_cast<char>(last ? 1 : 0);
    z += static_cast<char>(n & 0xFF);
    z += static_cast<char>(n >> 8);
    z += static_cast<char>(~n & 0xFF);
    z += static_cast<char>((~n >> 8) & 0xFF);
    z.append(raw, pos, n);
    pos += n;
  } while (pos < raw.size());
  std::uint32_t a = 1, b = 0;
  for (unsigned char c : raw) {
    a = (a + c) % 65521;
    b = (b + a) % 65521;
  }
  PutBig32(z, (b << 16) | a);
  return z;
}

}  // namespace

std::string EncodePng(int width, int height, const std::vector<std::uint32_t>& pixels) {
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string header;
  PutBig32(header, static_cast<std::uint32_t>(width));
  PutBig32(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, no interlace
  Chunk(png, "IHDR", header);
  std::string raw;
  for (int y = 0; y < height; ++y) {
    raw += '\0';  // no filter
    for (int x = 0; x < width; ++x) {
      const std::uint32_t p = pixels[static_cast<size_t>(y) * width + x];
      raw += static_cast<char>((p >> 16) & 0xFF);
      raw += static_cast<char>((p >> 8) & 0xFF);
      raw += static_cast<char>(p & 0xFF);
      raw += static_cast<char>(p >> 24);
    }
  }
  Chunk(png, "IDAT", Zlib(raw));
  Chunk(png, "IEND", "");
  return png;
}

std::string SolidPng(int width, int height, std::uint32_t argb) {
  return EncodePng(width, height, std::vector<std::uint32_t>(static_cast<size_t>(width) * height, argb));
}

Surface::Surface(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  m_bits = static_cast<std::uint32_t*>(bits);
  m_dc.Reset(::CreateCompatibleDC(nullptr));
  m_old = ::SelectObject(m_dc.Get(), m_bitmap.Get());
  Fill(fill);
}

Surface::~Surface() { ::SelectObject(m_dc.Get(), m_old); }

void Surface::Fill(COLORREF color) {
  ::GdiFlush();
  const std::uint32_t bgr = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  std::fill_n(m_bits, static_cast<size_t>(m_width) * m_height, bgr);
}

COLORREF Surface::At(int x, int y) const {
  ::GdiFlush();
  const std::uint32_t p = m_bits[static_cast<size_t>(y) * m_width + x];
  return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int Surface::CountOtherThan(const RECT& r, COLORREF color) const {
  int n = 0;
  for (int y = std::max(0L, r.top); y < std::min<long>(m_height, r.bottom); ++y) {
    for (int x = std::max(0L, r.left); x < std::min<long>(m_width, r.right); ++x) {
      if (At(x, y) != color) ++n;
    }
  }
  return n;
}

int Surface::CountOf(const RECT& r, COLORREF color) const {
  const int all = static_cast<int>(std::max(0L, std::min<long>(m_width, r.right) - std::max(0L, r.left)) *
                                   std::max(0L, std::min<long>(m_height, r.bottom) - std::max(0L, r.top)));
  return all - CountOtherThan(r, color);
}

}  // namespace testing_support
