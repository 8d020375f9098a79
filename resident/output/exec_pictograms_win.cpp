#include "resident/output/exec_pictograms_win.h"

#include <cmath>
#include <initializer_list>
#include <vector>

#include "platform/unique_handle.h"
#include "platform/win32_error.h"

namespace vistrane {
namespace {

constexpr COLORREF kArrowGreen = RGB(0, 204, 153);
constexpr COLORREF kOutline = RGB(64, 64, 64);
constexpr COLORREF kPaper = RGB(255, 255, 255);
constexpr COLORREF kText = RGB(150, 150, 160);
constexpr COLORREF kFolder = RGB(255, 204, 77);
constexpr COLORREF kFolderBack = RGB(230, 170, 40);
constexpr COLORREF kSky = RGB(110, 170, 240);
constexpr COLORREF kHill = RGB(60, 170, 90);
constexpr COLORREF kPrinterBody = RGB(200, 200, 205);
constexpr COLORREF kPrinterTop = RGB(165, 165, 175);
constexpr COLORREF kSlot = RGB(40, 40, 40);
constexpr COLORREF kLamp = RGB(0, 204, 153);
constexpr COLORREF kEnvelopeShade = RGB(235, 235, 242);
constexpr COLORREF kStamp = RGB(220, 60, 60);

struct Point {
  double x;
  double y;
};

// Draws in design units: the pictograms are designed on an 81 x 41 grid,
// the arrow on 33 x 49 (their boxes at 96 dpi), and stretched to the box.
class Canvas {
 public:
  Canvas(HDC dc, const Box& box, double designWidth, double designHeight)
      : dc_(dc), box_(box), sx_(box.width / designWidth), sy_(box.height / designHeight) {}

  void Polygon(std::initializer_list<Point> points, COLORREF fill, COLORREF outline) const {
    std::vector<POINT> device;
    device.reserve(points.size());
    for (const Point& p : points) device.push_back(At(p));
    const Tools tools(dc_, fill, outline);
    if (!::Polygon(dc_, device.data(), static_cast<int>(device.size()))) ThrowLastError(L"Polygon");
  }

  void Rect(double left, double top, double right, double bottom, COLORREF fill,
            COLORREF outline) const {
    Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}}, fill, outline);
  }

  void Line(std::initializer_list<Point> points, COLORREF colour) const {
    std::vector<POINT> device;
    device.reserve(points.size());
    for (const Point& p : points) device.push_back(At(p));
    const Tools tools(dc_, colour, colour);
    if (!Polyline(dc_, device.data(), static_cast<int>(device.size()))) ThrowLastError(L"Polyline");
  }

 private:
  // A pen and a brush selected for one shape.
  class Tools {
   public:
    Tools(HDC dc, COLORREF fill, COLORREF outline)
        : pen_(Make(CreatePen(PS_SOLID, 1, outline), L"CreatePen")),
          brush_(Make(CreateSolidBrush(fill), L"CreateSolidBrush")),
          selectPen_(dc, pen_.get()),
          selectBrush_(dc, brush_.get()) {}

   private:
    static UniqueGdiObject Make(HGDIOBJ object, const wchar_t* operation) {
      if (object == nullptr) ThrowLastError(operation);
      return UniqueGdiObject(object);
    }
    UniqueGdiObject pen_;
    UniqueGdiObject brush_;
    SelectObjectScope selectPen_;
    SelectObjectScope selectBrush_;
  };

  POINT At(Point p) const {
    return POINT{box_.left + static_cast<LONG>(std::lround(p.x * sx_)),
                 box_.top + static_cast<LONG>(std::lround(p.y * sy_))};
  }

  HDC dc_;
  Box box_;
  double sx_;
  double sy_;
};

constexpr double kPictogramWidth = 81;
constexpr double kPictogramHeight = 41;

}  // namespace

void DrawArrow(HDC dc, const Box& box) {
  const Canvas c(dc, box, 33, 49);
  c.Polygon({{1, 18}, {15, 18}, {15, 7}, {32, 24.5}, {15, 42}, {15, 31}, {1, 31}}, kArrowGreen,
            kArrowGreen);
}

void DrawFilePictogram(HDC dc, const Box& box) {
  const Canvas c(dc, box, kPictogramWidth, kPictogramHeight);
  // An open folder with a picture sheet standing in it.
  c.Polygon({{12, 8}, {27, 8}, {31, 12}, {62, 12}, {62, 38}, {12, 38}}, kFolderBack, kOutline);
  c.Polygon({{30, 2}, {52, 2}, {58, 8}, {58, 33}, {30, 33}}, kPaper, kOutline);
  c.Polygon({{52, 2}, {52, 8}, {58, 8}}, kEnvelopeShade, kOutline);
  c.Rect(34, 10, 54, 24, kSky, kOutline);
  c.Polygon({{34, 24}, {34, 19}, {40, 14}, {46, 20}, {49, 17}, {54, 22}, {54, 24}}, kHill, kHill);
  c.Line({{34, 28}, {54, 28}}, kText);
  c.Polygon({{8, 20}, {58, 20}, {66, 38}, {16, 38}}, kFolder, kOutline);
}

void DrawPrinterPictogram(HDC dc, const Box& box) {
  const Canvas c(dc, box, kPictogramWidth, kPictogramHeight);
  // Paper going in at the back, the body, and the printed sheet coming out.
  c.Rect(27, 2, 54, 16, kPaper, kOutline);
  c.Polygon({{18, 13}, {63, 13}, {68, 19}, {13, 19}}, kPrinterTop, kOutline);
  c.Rect(13, 19, 68, 33, kPrinterBody, kOutline);
  c.Rect(20, 25, 61, 27, kSlot, kSlot);
  c.Rect(61, 21, 64, 23, kLamp, kOutline);
  c.Polygon({{23, 26}, {58, 26}, {60, 39}, {21, 39}}, kPaper, kOutline);
  c.Line({{26, 31}, {50, 31}}, kText);
  c.Line({{26, 34}, {54, 34}}, kText);
}

void DrawMailPictogram(HDC dc, const Box& box) {
  const Canvas c(dc, box, kPictogramWidth, kPictogramHeight);
  // A closed envelope with its flap and a stamp.
  c.Rect(14, 5, 67, 37, kPaper, kOutline);
  c.Polygon({{14, 37}, {35, 21}, {46, 21}, {67, 37}}, kEnvelopeShade, kOutline);
  c.Polygon({{14, 5}, {67, 5}, {40.5, 25}}, kEnvelopeShade, kOutline);
  c.Rect(57, 8, 64, 15, kStamp, kOutline);
}

}  // namespace vistrane
