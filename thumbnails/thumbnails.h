#pragma once
// TThumbnails: a scrollable sheet of slides numbered Min..Max, laid out in
// rows, with a focus frame that follows the mouse, selection by clicking and
// optional marks.
//
// The control keeps no images. Every paint asks the application, slide by
// slide and only for the slides in view, through OnImageRequest what to show;
// the handler may fill the shared buffer bitmap it is handed, which the
// control then scales into the slide. Vertical scrolling is a fractional
// first-slide index (FirstThumbIdx).
//
// Geometry: pitch P = SlideSize + SlideDistance + 2 x SlideMargin; the sheet
// starts 10 pixels from the left and top edges.

#include <cstdint>
#include <functional>

#include "foundation/basetypes.h"
#include "foundation/bitfld.h"
#include "framework/controls/graphiccontrol.h"
#include "framework/graphics/bitmap.h"
#include "framework/rtl/types.h"

namespace orv {

enum TImageRequestProcessing : uint8_t { irpShowEmpty, irpShowSlide, irpShowFrameOnly, irpShowNothing };
enum TSlideSelectMode : uint8_t { ssmDisabled, ssmSingle, ssmMultiple };

// The handler says how to show slide ThumbID, may ask for a mark (MarkIt,
// -1 for none) and may draw the picture into ImgBuffer (resizing it as it
// likes) or point ImgBuffer at a bitmap of its own, which stays its own.
using TImageRequestEvent = std::function<void(TObject* Sender, int ThumbID, TImageRequestProcessing& HowToProcess,
                                              int& MarkIt, TBitmap*& ImgBuffer)>;
using TImageClickEvent = std::function<void(TObject* Sender, int X, int Y, int ThumbID)>;
using TSlideRenderedEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int X, int Y, int ThumbID)>;

class TThumbnails : public TGraphicControl {
 public:
  // 260 x 400, slides 1..100 of 120 pixels, single selection.
  explicit TThumbnails(TComponent* AOwner);
  ~TThumbnails() override;

  // From another TThumbnails: frame styles, background, bevel colours and
  // scheme, scroll position, Min, Max, the slide counts, sizes, the request,
  // click, focus and first/last request handlers, AntiAlias, cover,
  // selection and focus colours, the focused slide and FocusLinewidth. Not
  // the selection, the select mode, ColorMark or OnSlideRendered.
  void Assign(TPersistent* Source) override;

  // --- Scroll position and layout --------------------------------------------
  double FirstThumbIdx() const { return FFirstThumbIdx; }
  // Limited to Min..Max; the row holding slide Value moves to the top,
  // scrolled further by the slide's place in its row divided by the row length.
  void SetFirstThumbIdx(double Value);
  // Slides per row and rows in view, as of the last paint.
  int NumSlidesHoriz() const { return FNumSlidesHoriz; }
  int NumSlidesVert() const { return FNumSlidesVert; }
  // Top-left corner of slide SldNum's cell at the current scroll position.
  void CalcSlidePos(int SldNum, int& XPos, int& YPos) const;
  // The slide whose cell holds (XPos, YPos), 0 for none.
  int CalcSlideIndex(int XPos, int YPos) const;

  // --- Selection -----------------------------------------------------------------
  // With ssmMultiple a plain click selects the clicked slide alone, a click
  // with Ctrl toggles it and keeps the others, a click with Shift adds the
  // slides from the last clicked one to it; a click beside the slides clears
  // the selection unless Ctrl or Shift is held.
  TSlideSelectMode SlideSelectMode() const { return FSlideSelectMode; }
  void SetSlideSelectMode(TSlideSelectMode Value);
  bool SlideSelected(int SldNum) const { return FSelected.Bit(SldNum - FMin); }
  void SetSlideSelected(int SldNum, bool Value);
  // The lowest selected slide; 0 when none is selected.
  int FirstSelectedSlide() const;
  int NumSlidesSelected() const { return FSelected.Count(); }
  void ResetAllSelections();
  // The slide under the mouse (0 for none).
  int FocusedSlide() const { return FFocusedSlide; }
  // The slide clicked last (0 for none).
  int LastClickedSlide() const { return FLastClicked; }

  // --- Properties --------------------------------------------------------------------
  // Scaling of slide images: false copies the nearest pixels, true averages
  // the source pixels each target pixel covers.
  bool AntiAlias() const { return FAntiAlias; }
  void SetAntiAlias(bool Value);
  TColor ColorBackGnd() const { return FColorBackGnd; }
  void SetColorBackGnd(TColor Value);
  TColor ColorCover() const { return FColorCover; }
  void SetColorCover(TColor Value);
  TColor ColorSelected() const { return FColorSelected; }
  void SetColorSelected(TColor Value);
  TColor ColorFocus() const { return FColorFocus; }
  void SetColorFocus(TColor Value);
  TColor ColorMark() const { return FColorMark; }
  void SetColorMark(TColor Value);
  TColorScheme ColorScheme() const { return FColorScheme; }
  void SetColorScheme(TColorScheme Value);
  TColor ColBlackLine() const { return FColBlackLine; }
  TColor ColGrayLine() const { return FColGrayLine; }
  TColor ColWhiteLine() const { return FColWhiteLine; }
  TFrameStyle FrameStyle() const { return FFrameStyle; }
  void SetFrameStyle(TFrameStyle Value);
  TFrameStyle OuterFrameStyle() const { return FOuterFrameStyle; }
  void SetOuterFrameStyle(TFrameStyle Value);
  TFrameStyle InnerFrameStyle() const { return FInnerFrameStyle; }
  void SetInnerFrameStyle(TFrameStyle Value);
  // 0..10 nested one-pixel rectangles; 0 switches focus tracking off.
  int FocusLinewidth() const { return FFocusLinewidth; }
  void SetFocusLinewidth(int Value);
  // First slide number, at least 1 (0 is the hit test's answer for "no
  // slide"). A Min above Max leaves the sheet empty.
  int Min() const { return FMin; }
  void SetMin(int Value);
  // Last slide number, at least 1. A scroll position outside a new range
  // moves into it.
  int Max() const { return FMax; }
  void SetMax(int Value);
  // 50 .. control width.
  int SlideSize() const { return FSlideSize; }
  void SetSlideSize(int Value);
  // 0..100.
  int SlideDistance() const { return FSlideDistance; }
  void SetSlideDistance(int Value);
  // 0..100.
  int SlideMargin() const { return FSlideMargin; }
  void SetSlideMargin(int Value);

  // --- Events ------------------------------------------------------------------------
  TImageRequestEvent OnImageRequest() const { return FOnImageRequest; }
  void SetOnImageRequest(TImageRequestEvent Value) { FOnImageRequest = std::move(Value); }
  TImageClickEvent OnImageClick() const { return FOnImageClick; }
  void SetOnImageClick(TImageClickEvent Value) { FOnImageClick = std::move(Value); }
  TImageClickEvent OnImageDblClick() const { return FOnImageDblClick; }
  void SetOnImageDblClick(TImageClickEvent Value) { FOnImageDblClick = std::move(Value); }
  TNotifyEvent OnFocusChange() const { return FOnFocusChange; }
  void SetOnFocusChange(TNotifyEvent Value) { FOnFocusChange = std::move(Value); }
  TNotifyEvent OnFirstImageRequest() const { return FOnFirstImageRequest; }
  void SetOnFirstImageRequest(TNotifyEvent Value) { FOnFirstImageRequest = std::move(Value); }
  TNotifyEvent OnLastImageRequest() const { return FOnLastImageRequest; }
  void SetOnLastImageRequest(TNotifyEvent Value) { FOnLastImageRequest = std::move(Value); }
  TSlideRenderedEvent OnSlideRendered() const { return FOnSlideRendered; }
  void SetOnSlideRendered(TSlideRenderedEvent Value) { FOnSlideRendered = std::move(Value); }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  int Pitch() const { return FSlideSize + FSlideDistance + 2 * FSlideMargin; }
  int CellSize() const { return FSlideSize + 2 * FSlideMargin; }
  // Pixels of the top row scrolled out at the top.
  int ScrolledOut() const;
  int CalcNumSlidesHoriz() const;
  void ResizeSelection();
  // Value limited to Min..Max and aligned to the row layout.
  double AlignedIndex(double Value) const;
  // After a change of Min or Max: selection size, scroll position, repaint.
  void RangeChanged();
  void PaintSlide(TCanvas* C, int S, int X, int Y, TBitmap*& Buffer);
  void DrawFocusFrame(int Slide, bool Erase);

  TSlideSelectMode FSlideSelectMode = ssmSingle;
  bool FAntiAlias = false;
  TColor FColorBackGnd;
  TColor FColorCover = 0xC0C0C0;
  TColor FColorSelected = 0x800000;
  TColor FColorFocus = 0xFF0000;
  TColor FColorMark = 0x000000;
  TColorScheme FColorScheme = csFixed;
  TColor FColBlackLine = 0x000000;
  TColor FColGrayLine = 0x808080;
  TColor FColWhiteLine = 0xFFFFFF;
  TFrameStyle FFrameStyle = fsLowered;
  TFrameStyle FOuterFrameStyle = fsRaised;
  TFrameStyle FInnerFrameStyle = fsLowered;
  int FFocusLinewidth = 1;
  int FFocusedSlide = 0;
  int FMin = 1;
  int FMax = 100;
  int FSlideSize = 120;
  int FSlideDistance = 2;
  int FSlideMargin = 7;
  double FFirstThumbIdx = 1.0;
  int FNumSlidesHoriz = 2;
  int FNumSlidesVert = 0;
  TBitFld FSelected;
  int FLastClicked = 0;
  bool FPainting = false;

  TImageRequestEvent FOnImageRequest;
  TImageClickEvent FOnImageClick;
  TImageClickEvent FOnImageDblClick;
  TNotifyEvent FOnFocusChange;
  TNotifyEvent FOnFirstImageRequest;
  TNotifyEvent FOnLastImageRequest;
  TSlideRenderedEvent FOnSlideRendered;
};

}  // namespace orv
