// Gallery page of the thumbnail sheet: pictures of different shapes drawn
// on request, placeholders, frame-only slides, marks and a selection.

#include "examples/gallery/pages.h"
#include "framework/controls/sim.h"
#include "framework/graphics/canvas.h"
#include "thumbnails/thumbnails.h"

using namespace orv;

namespace {

// A small picture for slide Id: wide, tall or square, with coloured bands.
void DrawPicture(int Id, TBitmap* Img) {
  const int W = Id % 3 == 0 ? 90 : 160, H = Id % 3 == 1 ? 60 : 120;
  Img->SetSize(W, H);
  TCanvas* C = Img->Canvas();
  for (int Band = 0; Band < 6; ++Band) {
    const uint32_t Shade = static_cast<uint32_t>((Id * 37 + Band * 40) % 256);
    C->Brush()->SetColor(Shade | (static_cast<uint32_t>(255 - Shade) << 8) | (static_cast<uint32_t>(Band * 40) << 16));
    C->FillRect(TRect{0, Band * H / 6, W, (Band + 1) * H / 6});
  }
  C->Pen()->SetColor(0xFFFFFF);
  C->Brush()->SetColor(0xFFFFFF);
  C->Ellipse(W / 2 - 12, H / 2 - 12, W / 2 + 12, H / 2 + 12);
}

TForm* CreatePage() {
  auto* Page = new TForm(nullptr);
  Page->SetCaption(u"Thumbnails");
  Page->SetBounds(0, 0, 600, 440);
  auto* T = new TThumbnails(Page);
  T->SetName(u"Sheet");
  T->SetParent(Page);
  T->SetBounds(10, 10, 580, 420);
  T->SetSlideSize(110);
  T->SetMax(500);
  T->SetOnImageRequest([](TObject*, int Id, TImageRequestProcessing& How, int& MarkIt, TBitmap*& Img) {
    if (Id % 7 == 0) return;  // a numbered placeholder
    if (Id % 11 == 0) {
      How = irpShowFrameOnly;
      return;
    }
    How = irpShowSlide;
    if (Id % 4 == 0) MarkIt = 35;
    DrawPicture(Id, Img);
  });
  T->SetSlideSelected(2, true);
  return Page;
}

// Scrolls to slide 11 (row 9..12, half a row further up) and clicks the slide under (300, 150).
void Drive(TForm* Page) {
  auto* T = dynamic_cast<TThumbnails*>(Page->FindComponent(u"Sheet"));
  if (T == nullptr) return;
  T->SetFirstThumbIdx(11);
  sim::Click(T, 300, 150);
  sim::MouseMove(T, TShiftState{}, 150, 330);
}

}  // namespace

ORV_GALLERY_PAGE(thumbnails, u"Thumbnails", CreatePage, Drive);
