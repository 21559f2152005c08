#pragma once
// TCanvas: exact raster drawing onto a TBitmap, with the pixel rules of the
// host framework's device contexts.
//
// A canvas draws on a target bitmap through a view: an origin (where canvas
// point (0, 0) lies on the target) and a base clip rectangle in target
// coordinates. A bitmap's own canvas has origin (0, 0) and no base clip beyond
// the bitmap; a control's canvas is the form surface with the control's
// origin and the clip of the control and its parents. SetClipRect can only
// narrow the base clip, never widen it.
//
// Pixel rules, in canvas coordinates:
// - Rectangle(X1, Y1, X2, Y2) covers X1..X2-1 x Y1..Y2-1: the outermost
//   pixels in the pen, the inside in the brush (nothing when the brush is
//   clear). FillRect uses the brush only, FrameRect draws a one-pixel frame in
//   the brush colour.
// - MoveTo/LineTo draw a one-pixel line without its end point. Lines follow
//   Bresenham's steps along the major axis; where the ideal line passes
//   exactly halfway between two pixels, the pixel nearer the start point is
//   taken. Lines therefore mirror exactly in every octant.
// - Polygon fills pixels whose centres lie inside (alternate / even-odd rule
//   by default, see SetPolyFillMode); a centre exactly on an edge belongs to
//   the polygon only on its left or top side, so polygons that share edges
//   never overlap and leave no gap. The outline is then drawn in the pen as a
//   closed Polyline.
// - Ellipse(X1, Y1, X2, Y2) covers the pixels whose centres lie inside the
//   ellipse inscribed in X1..X2 x Y1..Y2 (each row keeps at least its middle
//   pixel, so the shape touches all four sides); it is symmetric about both
//   axes. The outline is the one-pixel border of that area. Pie, Chord, Arc
//   and RoundRect are cut from the same shapes; angles run counter-clockwise
//   (as seen on the screen) from the start radial to the end radial.
// - Pens wider than one pixel draw every point within Width/2 of the ideal
//   line, i.e. round caps and round joins; odd widths are centred on the pixel
//   row of a one-pixel line, even widths put the extra row above/left. Such
//   pens are always solid. Outlines of closed shapes are centred on the
//   one-pixel outline, or kept inside the bounding box with psInsideFrame.
// - Dashed pens (width 1) fill the gaps with the brush colour while the brush
//   is solid, and leave them untouched when it is clear. The dash pattern
//   runs on across LineTo calls and restarts at MoveTo.
// - The pen mode applies to outlines and to the brush inside of shapes;
//   FillRect, FrameRect and FloodFill ignore it.
// - Reading a pixel outside the bitmap or the clip gives CLR_INVALID; writes
//   there are ignored.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/font.h"
#include "framework/graphics/graphobj.h"
#include "framework/rtl/classes.h"
#include "framework/rtl/types.h"

namespace orv {

// Raster operations of block transfers: how source S and destination D
// combine (the brush P joins in for the pattern operations).
using TCopyMode = uint32_t;
inline constexpr TCopyMode cmBlackness = 0x00000042;    // 0
inline constexpr TCopyMode cmDstInvert = 0x00550009;    // not D
inline constexpr TCopyMode cmMergeCopy = 0x00C000CA;    // P and S
inline constexpr TCopyMode cmMergePaint = 0x00BB0226;   // not S or D
inline constexpr TCopyMode cmNotSrcCopy = 0x00330008;   // not S
inline constexpr TCopyMode cmNotSrcErase = 0x001100A6;  // not (S or D)
inline constexpr TCopyMode cmPatCopy = 0x00F00021;      // P
inline constexpr TCopyMode cmPatInvert = 0x005A0049;    // P xor D
inline constexpr TCopyMode cmPatPaint = 0x00FB0A09;     // P or not S or D
inline constexpr TCopyMode cmSrcAnd = 0x008800C6;       // S and D
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;      // S
inline constexpr TCopyMode cmSrcErase = 0x00440328;     // S and not D
inline constexpr TCopyMode cmSrcInvert = 0x00660046;    // S xor D
inline constexpr TCopyMode cmSrcPaint = 0x00EE0086;     // S or D
inline constexpr TCopyMode cmWhiteness = 0x00FF0062;    // 1

// The same operations under the names of the operating system's calls.
inline constexpr uint32_t BLACKNESS = cmBlackness;
inline constexpr uint32_t DSTINVERT = cmDstInvert;
inline constexpr uint32_t MERGECOPY = cmMergeCopy;
inline constexpr uint32_t MERGEPAINT = cmMergePaint;
inline constexpr uint32_t NOTSRCCOPY = cmNotSrcCopy;
inline constexpr uint32_t NOTSRCERASE = cmNotSrcErase;
inline constexpr uint32_t PATCOPY = cmPatCopy;
inline constexpr uint32_t PATINVERT = cmPatInvert;
inline constexpr uint32_t PATPAINT = cmPatPaint;
inline constexpr uint32_t SRCAND = cmSrcAnd;
inline constexpr uint32_t SRCCOPY = cmSrcCopy;
inline constexpr uint32_t SRCERASE = cmSrcErase;
inline constexpr uint32_t SRCINVERT = cmSrcInvert;
inline constexpr uint32_t SRCPAINT = cmSrcPaint;
inline constexpr uint32_t WHITENESS = cmWhiteness;

// Stretch modes: which source pixels make up a destination pixel when an
// image shrinks. BLACKONWHITE ANDs them, WHITEONBLACK ORs them,
// COLORONCOLOR takes the nearest one, HALFTONE averages the covered source
// area weighted by coverage.
inline constexpr int BLACKONWHITE = 1;
inline constexpr int WHITEONBLACK = 2;
inline constexpr int COLORONCOLOR = 3;
inline constexpr int HALFTONE = 4;

// Polygon fill rules: alternate = even-odd, winding = non-zero.
inline constexpr int ALTERNATE = 1;
inline constexpr int WINDING = 2;

// Result of reading a pixel that is not there.
inline constexpr TColor CLR_INVALID = 0xFFFFFFFF;

// fsSurface fills the connected area of the given colour; fsBorder fills
// everything connected up to a border of the given colour.
enum TFillStyle : uint8_t { fsSurface, fsBorder };

class TCanvas : public TPersistent {
 public:
  explicit TCanvas(TBitmap* ATarget = nullptr);
  ~TCanvas() override;

  // --- Target and view -------------------------------------------------
  TBitmap* Target() const { return FTarget; }
  // Changing the target resets the view (origin 0, 0, no base clip).
  void SetTarget(TBitmap* ATarget);
  // Canvas point (0, 0) lies at Origin of the target; nothing is drawn
  // outside BaseClip (target coordinates). Resets the clip rectangle.
  void SetView(const TPoint& Origin, const TRect& BaseClip);
  TPoint Origin() const { return FOrigin; }
  // The device context stand-in the operating-system calls take.
  TCanvas* Handle() { return this; }

  // --- Tools -------------------------------------------------------------
  TPen* Pen() { return &FPen; }
  TBrush* Brush() { return &FBrush; }
  TFont* Font() { return FFont.get(); }
  // Copy the values of the given tool into the canvas' own.
  void SetPen(TPen* Value) { FPen.Assign(Value); }
  void SetBrush(TBrush* Value) { FBrush.Assign(Value); }
  void SetFont(TFont* Value);
  TCopyMode CopyMode() const { return FCopyMode; }
  void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
  TPoint PenPos() const { return FPenPos; }
  void SetPenPos(const TPoint& Value);

  // --- Clipping ------------------------------------------------------------
  // The current clip in canvas coordinates (already narrowed to the target).
  TRect ClipRect() const;
  // Clip to Rect (canvas coordinates) intersected with the base clip.
  void SetClipRect(const TRect& Rect);
  // Back to the base clip.
  void ResetClipRect();
  // The current clip in target coordinates; empty when there is no target.
  TRect DeviceClip() const;

  // --- State ---------------------------------------------------------------
  // Pushes pen, brush, font, copy mode, pen position, clip, stretch and fill
  // modes; Restore pops the last saved state (no effect on an empty stack).
  void Save();
  void Restore();
  int SaveDepth() const;

  // --- Lines ---------------------------------------------------------------
  void MoveTo(int X, int Y);
  void LineTo(int X, int Y);
  void Polyline(std::span<const TPoint> Points);

  // --- Shapes --------------------------------------------------------------
  void Rectangle(int X1, int Y1, int X2, int Y2);
  void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  void FillRect(const TRect& Rect);
  void FrameRect(const TRect& Rect);
  // Inverts every other pixel of the one-pixel frame of Rect; drawing it
  // twice restores the picture.
  void DrawFocusRect(const TRect& Rect);
  void Polygon(std::span<const TPoint> Points);
  void Ellipse(int X1, int Y1, int X2, int Y2);
  void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
  // (X3, Y3) and (X4, Y4) only give the directions of the start and end
  // radials from the centre; equal directions mean the full ellipse.
  void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
  // Corners are quarters of an ellipse X3 wide and Y3 high.
  void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);

  // --- Pixels and fills ----------------------------------------------------
  TColor Pixels(int X, int Y) const;
  void SetPixels(int X, int Y, TColor Color);
  void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

  // --- Images --------------------------------------------------------------
  // Graphic at its own size with its top-left corner at (X, Y), combined with
  // CopyMode (transparent bitmaps skip their transparent pixels).
  void Draw(int X, int Y, TGraphic* Graphic);
  void StretchDraw(const TRect& Rect, TGraphic* Graphic);
  // SourceRect of Source into Dest of this canvas with CopyMode, stretched
  // with the current stretch mode when the sizes differ.
  void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);

  // --- Text (the text engine) ------------------------------------------------
  // Writes Text with its top-left corner at (X, Y) in the font; the cell is
  // filled with the brush unless it is clear. PenPos moves to the end.
  void TextOut(int X, int Y, const String& Text);
  // As TextOut, clipped to Rect; an opaque brush fills Rect first.
  void TextRect(const TRect& Rect, int X, int Y, const String& Text);
  int TextWidth(const String& Text);
  int TextHeight(const String& Text);
  TSize TextExtent(const String& Text);

  // --- Device modes ----------------------------------------------------------
  int StretchBltMode() const { return FStretchBltMode; }
  void SetStretchBltMode(int Mode) { FStretchBltMode = Mode; }
  int PolyFillMode() const { return FPolyFillMode; }
  void SetPolyFillMode(int Mode) { FPolyFillMode = Mode; }

 private:
  struct TState;
  friend class TBitmap;
  friend bool BitBlt(TCanvas*, int, int, int, int, TCanvas*, int, int, uint32_t);
  friend bool StretchBlt(TCanvas*, int, int, int, int, TCanvas*, int, int, int, int, uint32_t);

  // Resolved pixel colours of the tools.
  uint32_t PenPixel() const;
  uint32_t BrushPixel() const;
  bool PenVisible() const { return FPen.Style() != psClear; }
  bool BrushVisible() const { return FBrush.Style() != bsClear; }

  // Row spans in canvas coordinates, clipped here and combined with the pen
  // mode (Combine) or copied (Fill).
  void CombineSpan(int Y, int X1, int X2, uint32_t Pixel);
  void FillSpan(int Y, int X1, int X2, uint32_t Pixel);
  void CombinePixel(int X, int Y, uint32_t Pixel);
  // Copies Pixel into X1..X2-1 x Y1..Y2-1 (canvas coordinates), clipped.
  void FillBlock(int X1, int Y1, int X2, int Y2, uint32_t Pixel);

  // One-pixel line from (X1, Y1) to (X2, Y2) without the end point, with the
  // pen's dash pattern; thick pens go through StrokePath.
  void ThinLine(int X1, int Y1, int X2, int Y2);
  void StrokePath(std::span<const TPoint> Points, bool Closed);
  // The inside of a polygon in the brush, by the poly-fill mode: the pixels
  // whose centres are inside, or with AtCorners the pixels whose top-left
  // corners are (the fill that matches a one-pixel outline).
  void FillPolygon(std::span<const TPoint> Points, bool AtCorners);
  // Fills a convex shape of Rows rows from Top with the brush and its
  // one-pixel border with the pen. Lefts[i], Rights[i] give the span of row
  // First + i; the rows given are the ones painted plus, where there is one,
  // the row above and the row below them (the border test reads those).
  enum TArcKind : uint8_t { akEllipse, akArc, akPie, akChord };
  void PaintSpanShape(int Top, int64_t Rows, int64_t First, const std::vector<int>& Lefts,
                      const std::vector<int>& Rights);
  // Paints a classified pixel map over Box (0 = untouched, 1 = brush,
  // 2 = pen), combining each pixel once.
  void PaintClasses(const TRect& Box, const std::vector<uint8_t>& Classes);
  // Ellipse, arc, pie or chord through a pixel map: the general path for
  // pens wider than one pixel and for cut shapes. Corner gives the size of
  // rounded corners (a whole ellipse when it covers the box).
  void PaintEllipseShape(TArcKind Kind, int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4,
                         TSize Corner);
  // Block transfer in canvas coordinates of both canvases.
  void Blit(int X, int Y, int W, int H, TCanvas* Src, int SX, int SY, int SW, int SH, uint32_t Rop);
  void BlitPixels(int X, int Y, int W, int H, const TBitmap* Src, int64_t SX, int64_t SY, int SW, int SH,
                  uint32_t Rop, int StretchMode, bool Transparent, uint32_t TransparentPixel);

  TBitmap* FTarget = nullptr;
  TPoint FOrigin;
  bool FHasBaseClip = false;
  TRect FBaseClip;  // target coordinates
  TRect FClip;      // target coordinates, inside the base clip
  bool FHasClip = false;

  TPen FPen;
  TBrush FBrush;
  std::unique_ptr<TFont> FFont;
  TCopyMode FCopyMode = cmSrcCopy;
  TPoint FPenPos;
  int FDashPhase = 0;
  int FStretchBltMode = BLACKONWHITE;
  int FPolyFillMode = ALTERNATE;
  std::vector<std::unique_ptr<TState>> FSaved;  // the first FSaveDepth are in use
  size_t FSaveDepth = 0;
};

// Saves the canvas state on construction and restores it on destruction.
class TCanvasStateSaver {
 public:
  explicit TCanvasStateSaver(TCanvas* ACanvas) : FCanvas(ACanvas) { FCanvas->Save(); }
  ~TCanvasStateSaver() { FCanvas->Restore(); }
  TCanvasStateSaver(const TCanvasStateSaver&) = delete;
  TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

 private:
  TCanvas* FCanvas;
};

// --- Operating-system calls on device contexts (TCanvas*) -----------------
// Copy W x H pixels from (SX, SY) of Src to (X, Y) of Dest, combined by the
// raster operation Rop. Src may be null for operations without a source.
// False when Dest is null or a needed source is missing.
bool BitBlt(TCanvas* Dest, int X, int Y, int W, int H, TCanvas* Src, int SX, int SY, uint32_t Rop);
// As BitBlt, scaling SW x SH source pixels to W x H with Dest's stretch mode;
// a negative width or height on one side mirrors the image.
bool StretchBlt(TCanvas* Dest, int X, int Y, int W, int H, TCanvas* Src, int SX, int SY, int SW, int SH,
                uint32_t Rop);
// Returns the previous mode, or 0 for a null canvas or an unknown mode.
int SetStretchBltMode(TCanvas* DC, int Mode);
int GetStretchBltMode(TCanvas* DC);
int SetPolyFillMode(TCanvas* DC, int Mode);

}  // namespace orv
