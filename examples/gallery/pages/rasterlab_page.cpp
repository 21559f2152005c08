// Gallery page of the raster label: the built-in font with accented
// letters, the three block modes, a scanned font and a scrolling ticker.

#include "examples/gallery/pages.h"
#include "framework/controls/application.h"
#include "framework/graphics/font.h"
#include "rasterlab/rasterlab.h"

using namespace orv;

namespace {

TRasterLab* AddLabel(TForm* Page, int Y, int H, const String& Text) {
  auto* L = new TRasterLab(Page);
  L->SetParent(Page);
  L->SetBounds(10, Y, 520, H);
  L->SetText(Text);
  return L;
}

TForm* CreatePage() {
  auto* Page = new TForm(nullptr);
  Page->SetCaption(u"Raster labels");
  Page->SetBounds(0, 0, 540, 400);
  AddLabel(Page, 10, 52, u"Hello 0123.45");
  TRasterLab* Latin = AddLabel(Page, 70, 52, u"\u00C4rger \u00FCber Stra\u00DFe, \u00E7a va? 3\u00B0C \u00BD");
  Latin->SetColorDotOn(0x00C0FF);
  TRasterLab* Raster = AddLabel(Page, 130, 40, u"rdbmRaster, DotSize 2");
  Raster->SetCharBlockMode(rdbmRaster);
  Raster->SetDotSize(2);
  Raster->SetAutoHeight(true);
  TRasterLab* Off = AddLabel(Page, 180, 40, u"rdbmOff, fixed width");
  Off->SetCharBlockMode(rdbmOff);
  Off->SetProportional(false);
  Off->SetDotSize(2);
  Off->SetAutoHeight(true);
  TRasterLab* Scanned = AddLabel(Page, 230, 40, u"Scanned DejaVu Sans Bold");
  Scanned->Font()->SetName(u"DejaVu Sans");
  Scanned->Font()->SetStyle(TFontStyles{fsBold});
  Scanned->Font()->SetHeight(-11);
  Scanned->Font()->SetQuality(fqNonAntialiased);
  Scanned->SetDotSize(2);
  Scanned->SetColorDotOn(0x6060FF);
  Scanned->SetFrameStyle(fsEngraved);
  Scanned->SetAutoHeight(true);
  TRasterLab* Ticker = AddLabel(Page, 290, 52, u"Scrolling left, looping ...");
  Ticker->SetName(u"Ticker");
  Ticker->SetScrollIncrement(4);
  Ticker->SetScrollInterval(25);
  Ticker->SetScrollMode(rdsmLeft);
  TRasterLab* Centred = AddLabel(Page, 350, 32, u"centred");
  Centred->SetDotSize(2);
  Centred->SetDotSpacing(0);
  Centred->SetAutoHeight(true);
  Centred->SetAutoCenter(true);
  Centred->SetFrameStyle(fsSimple);
  return Page;
}

// Half a second of scrolling.
void Drive(TForm*) { Application->AdvanceTime(500); }

}  // namespace

ORV_GALLERY_PAGE(rasterlab, u"Raster labels", CreatePage, Drive);
