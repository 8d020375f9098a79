#include "resident/output/jpeg_file_win.h"

#include <objbase.h>
#include <oleauto.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"
#include "resident/output/bmp_file.h"
#include "shared/errors.h"

namespace vistrane {
namespace {

using Microsoft::WRL::ComPtr;

class EncodeError {
 public:
  EncodeError(HRESULT hr, const wchar_t* step) : hr_(hr), step_(step) {}
  std::wstring Text() const { return std::wstring(step_) + L": " + HresultText(hr_); }

 private:
  HRESULT hr_;
  const wchar_t* step_;
};

void Check(HRESULT hr, const wchar_t* step) {
  if (FAILED(hr)) throw EncodeError(hr, step);
}

void WriteOption(IPropertyBag2& options, const wchar_t* name, VARIANT value) {
  PROPBAG2 option{};
  option.pstrName = const_cast<LPOLESTR>(name);
  Check(options.Write(1, &option, &value), name);
}

// Encodes into a memory stream, so the sink sees no byte of a JPEG that
// failed.
ComPtr<IStream> Encode(const Picture& picture) {
  ComPtr<IWICImagingFactory> factory;
  Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                         IID_PPV_ARGS(&factory)),
        L"CoCreateInstance(WICImagingFactory)");
  ComPtr<IStream> stream;
  Check(CreateStreamOnHGlobal(nullptr, TRUE, &stream), L"CreateStreamOnHGlobal");
  ComPtr<IWICBitmapEncoder> encoder;
  Check(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, &encoder), L"CreateEncoder");
  Check(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache), L"IWICBitmapEncoder::Initialize");

  ComPtr<IWICBitmapFrameEncode> frame;
  ComPtr<IPropertyBag2> options;
  Check(encoder->CreateNewFrame(&frame, &options), L"CreateNewFrame");
  VARIANT quality;
  VariantInit(&quality);
  quality.vt = VT_R4;
  quality.fltVal = 1.0f;
  WriteOption(*options.Get(), L"ImageQuality", quality);
  // Coloured text on screenshots smears when chroma is halved: keep 4:4:4.
  VARIANT subsampling;
  VariantInit(&subsampling);
  subsampling.vt = VT_UI1;
  subsampling.bVal = WICJpegYCrCbSubsampling444;
  WriteOption(*options.Get(), L"JpegYCrCbSubsampling", subsampling);
  Check(frame->Initialize(options.Get()), L"IWICBitmapFrameEncode::Initialize");

  const auto width = static_cast<UINT>(picture.width);
  const auto height = static_cast<UINT>(picture.height);
  Check(frame->SetSize(width, height), L"SetSize");
  WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
  Check(frame->SetPixelFormat(&format), L"SetPixelFormat");
  if (format != GUID_WICPixelFormat24bppBGR) {
    throw EncodeError(WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT, L"SetPixelFormat");
  }

  // Rows go to the encoder in its own 24-bit order, a band at a time: Wine's
  // generic format conversion behind WriteSource is many times slower.
  const std::size_t rowBytes = std::size_t{width} * 3;
  const UINT band = std::max<UINT>(1, static_cast<UINT>((std::size_t{256} * 1024) / rowBytes));
  std::vector<std::uint8_t> rows(rowBytes * std::min(band, height));
  const std::uint32_t* pixels = picture.pixels;
  for (UINT y = 0; y < height;) {
    const UINT lines = std::min(band, height - y);
    for (UINT i = 0; i < lines; ++i) {
      ConvertRow(pixels + std::size_t{y + i} * width, static_cast<int>(width), rows.data() + i * rowBytes);
    }
    Check(frame->WritePixels(lines, static_cast<UINT>(rowBytes), static_cast<UINT>(rowBytes * lines),
                             rows.data()),
          L"WritePixels");
    y += lines;
  }
  Check(frame->Commit(), L"IWICBitmapFrameEncode::Commit");
  Check(encoder->Commit(), L"IWICBitmapEncoder::Commit");
  return stream;
}

}  // namespace

void WriteJpeg(const Picture& picture, const std::wstring& path, ByteSink& sink) {
  const std::wstring failed = L"JPEG形式の画像ファイル「" + path + L"」を作れませんでした。";
  ComPtr<IStream> stream;
  try {
    stream = Encode(picture);
  } catch (const EncodeError& e) {
    throw OutputError(WithReason(failed, e.Text()));
  }
  HGLOBAL memory = nullptr;
  STATSTG stat{};
  if (FAILED(GetHGlobalFromStream(stream.Get(), &memory)) ||
      FAILED(stream->Stat(&stat, STATFLAG_NONAME))) {
    throw OutputError(failed);
  }
  const GlobalLockScope bytes(memory);
  sink.Write(static_cast<const std::uint8_t*>(bytes.data()),
             static_cast<std::size_t>(stat.cbSize.QuadPart));
}

}  // namespace vistrane
