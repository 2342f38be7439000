#include "ui/png.h"

#include <windows.h>
#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>

#include "os/error.h"

namespace ui {
namespace {

// Just enough of a COM pointer for the decoder chain.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (m_p != nullptr) m_p->Release();
  }
  T* operator->() const noexcept { return m_p; }
  T* Get() const noexcept { return m_p; }
  void** Put() noexcept {
    if (m_p != nullptr) m_p->Release();
    m_p = nullptr;
    return reinterpret_cast<void**>(&m_p);
  }

 private:
  T* m_p = nullptr;
};

// The image lists are filled on the UI thread, image by image. COM stays initialised for the
// thread's life: balancing it per image would unload the codec library and load it again every
// time. A thread that already chose the multithreaded apartment is fine for WIC as it is.
void EnsureCom() {
  thread_local bool ready = false;
  if (ready) return;
  const HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ready = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}

void Check(HRESULT hr) {
  if (SUCCEEDED(hr)) return;
  wchar_t text[96];
  std::swprintf(text, 96, L"The PNG image cannot be read (error 0x%08lX).",
                static_cast<unsigned long>(hr));
  throw os::Error(text);
}

// Larger images are no icons; the limit also keeps a corrupt header from asking for gigabytes.
constexpr UINT kMaxSide = 8192;

}  // namespace

bool IsPng(std::string_view bytes) noexcept {
  static constexpr unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  return bytes.size() >= sizeof(kSignature) &&
         std::memcmp(bytes.data(), kSignature, sizeof(kSignature)) == 0;
}

PixelImage DecodePng(std::string_view bytes) {
  // WIC would read a BMP or a JPEG just as well; the lists hold PNG images only.
  if (!IsPng(bytes)) throw os::Error(L"The data is not a PNG image.");
  if (bytes.size() > 0x7FFFFFFF) throw os::Error(L"The PNG image is too large.");
  EnsureCom();

  ComPtr<IWICImagingFactory> factory;
  Check(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                           __uuidof(IWICImagingFactory), factory.Put()));
  ComPtr<IWICStream> stream;
  Check(factory->CreateStream(reinterpret_cast<IWICStream**>(stream.Put())));
  Check(stream->InitializeFromMemory(
      reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data())), static_cast<DWORD>(bytes.size())));
  ComPtr<IWICBitmapDecoder> decoder;
  Check(factory->CreateDecoder(GUID_ContainerFormatPng, nullptr,
                               reinterpret_cast<IWICBitmapDecoder**>(decoder.Put())));
  Check(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand));
  ComPtr<IWICBitmapFrameDecode> frame;
  Check(decoder->GetFrame(0, reinterpret_cast<IWICBitmapFrameDecode**>(frame.Put())));
  ComPtr<IWICFormatConverter> converter;
  Check(factory->CreateFormatConverter(reinterpret_cast<IWICFormatConverter**>(converter.Put())));
  Check(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                              nullptr, 0.0, WICBitmapPaletteTypeCustom));
  UINT width = 0, height = 0;
  Check(converter->GetSize(&width, &height));
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
    throw os::Error(L"The PNG image has an unusable size.");
  }

  PixelImage image;
  image.Width = static_cast<int>(width);
  image.Height = static_cast<int>(height);
  image.Pixels.resize(static_cast<size_t>(width) * height);
  Check(converter->CopyPixels(nullptr, width * 4, static_cast<UINT>(image.Pixels.size() * 4),
                              reinterpret_cast<BYTE*>(image.Pixels.data())));
  return image;
}

namespace {

// The source cells one destination cell covers along one axis, with their shares of it.
struct Span {
  int First = 0;
  std::vector<double> Weights;
};

std::vector<Span> Spans(int source, int target) {
  std::vector<Span> spans(static_cast<size_t>(target));
  const double scale = static_cast<double>(source) / target;
  for (int d = 0; d < target; ++d) {
    const double begin = d * scale;
    const double end = (d + 1) * scale;
    Span& span = spans[static_cast<size_t>(d)];
    span.First = std::min(static_cast<int>(std::floor(begin)), source - 1);
    const int last = std::min(static_cast<int>(std::ceil(end)) - 1, source - 1);
    for (int s = span.First; s <= last; ++s) {
      const double share = std::min(end, s + 1.0) - std::max(begin, static_cast<double>(s));
      span.Weights.push_back(std::max(share, 0.0) / scale);
    }
  }
  return spans;
}

}  // namespace

PixelImage ScaleImage(const PixelImage& image, int width, int height) {
  if (width <= 0 || height <= 0 || image.Width <= 0 || image.Height <= 0) return {};
  if (width == image.Width && height == image.Height) return image;

  // Area averaging, first along the rows and then along the columns. Averaging premultiplied
  // values keeps every colour channel within its alpha.
  const std::vector<Span> across = Spans(image.Width, width);
  const std::vector<Span> down = Spans(image.Height, height);
  std::vector<double> rows(static_cast<size_t>(width) * image.Height * 4, 0.0);
  for (int y = 0; y < image.Height; ++y) {
    for (int x = 0; x < width; ++x) {
      const Span& span = across[static_cast<size_t>(x)];
      double* out = &rows[(static_cast<size_t>(y) * width + x) * 4];
      for (size_t i = 0; i < span.Weights.size(); ++i) {
        const std::uint32_t p = image.At(span.First + static_cast<int>(i), y);
        for (int c = 0; c < 4; ++c) out[c] += span.Weights[i] * ((p >> (8 * c)) & 0xFF);
      }
    }
  }
  PixelImage result;
  result.Width = width;
  result.Height = height;
  result.Pixels.resize(static_cast<size_t>(width) * height);
  for (int y = 0; y < height; ++y) {
    const Span& span = down[static_cast<size_t>(y)];
    for (int x = 0; x < width; ++x) {
      double sum[4] = {0, 0, 0, 0};
      for (size_t i = 0; i < span.Weights.size(); ++i) {
        const double* in = &rows[(static_cast<size_t>(span.First + static_cast<int>(i)) * width + x) * 4];
        for (int c = 0; c < 4; ++c) sum[c] += span.Weights[i] * in[c];
      }
      std::uint32_t p = 0;
      for (int c = 0; c < 4; ++c) {
        const long v = std::lround(std::clamp(sum[c], 0.0, 255.0));
        p |= static_cast<std::uint32_t>(v) << (8 * c);
      }
      result.Pixels[static_cast<size_t>(y) * width + x] = p;
    }
  }
  return result;
}

}  // namespace ui
