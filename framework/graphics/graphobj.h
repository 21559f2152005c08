#pragma once
// Drawing tools of a canvas: the common base with its change event, the pen
// that draws lines and outlines, and the brush that fills areas.

#include <cstdint>

#include "framework/rtl/classes.h"
#include "framework/rtl/types.h"

namespace orv {

// Base of TPen, TBrush and TFont: every property change fires OnChange.
class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

 protected:
  // Fires OnChange with this object as sender.
  void Changed();

  TNotifyEvent FOnChange;
};

// Dashed styles apply to one-pixel pens; wider pens always draw solid.
enum TPenStyle : uint8_t {
  psSolid,
  psDash,        // 18 pixels on, 6 off
  psDot,         // 3 on, 3 off
  psDashDot,     // 9 on, 6 off, 3 on, 6 off
  psDashDotDot,  // 9 on, 3 off, 3 on, 3 off, 3 on, 3 off
  psClear,       // no outline at all
  psInsideFrame  // solid; a wide outline of a shape stays inside its bounding box
};

// How the pen (and the brush of filled shapes) combines with the pixels
// already there; P is the pen or brush colour, D the destination.
enum TPenMode : uint8_t {
  pmBlack,        // 0
  pmWhite,        // 1
  pmNop,          // D
  pmNot,          // not D
  pmCopy,         // P
  pmNotCopy,      // not P
  pmMergePenNot,  // P or not D
  pmMaskPenNot,   // P and not D
  pmMergeNotPen,  // not P or D
  pmMaskNotPen,   // not P and D
  pmMerge,        // P or D
  pmNotMerge,     // not (P or D)
  pmMask,         // P and D
  pmNotMask,      // not (P and D)
  pmXor,          // P xor D
  pmNotXor        // not (P xor D)
};

class TPen : public TGraphicsObject {
 public:
  TPen() = default;
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  // Line width in pixels; values below 1 are taken as 1.
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TPenStyle Style() const { return FStyle; }
  void SetStyle(TPenStyle Value);
  TPenMode Mode() const { return FMode; }
  void SetMode(TPenMode Value);

 private:
  TColor FColor = 0x000000;  // black
  int FWidth = 1;
  TPenStyle FStyle = psSolid;
  TPenMode FMode = pmCopy;
};

enum TBrushStyle : uint8_t { bsSolid, bsClear };

class TBrush : public TGraphicsObject {
 public:
  TBrush() = default;
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  // Setting a colour makes a clear brush solid again.
  void SetColor(TColor Value);
  TBrushStyle Style() const { return FStyle; }
  void SetStyle(TBrushStyle Value);

 private:
  TColor FColor = 0xFFFFFF;  // white
  TBrushStyle FStyle = bsSolid;
};

}  // namespace orv
