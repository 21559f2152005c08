// Gallery page of the mini calendar: today's month in English, a German one
// starting on Sunday with a holiday of its own, a Spanish one with long
// month names and flat buttons, and a large French one around Easter.

#include "examples/gallery/pages.h"
#include "framework/controls/label.h"
#include "framework/controls/sim.h"
#include "framework/rtl/dateutils.h"
#include "minical/minical.h"

using namespace orv;

namespace {

class TMiniCalPage : public TForm {
 public:
  explicit TMiniCalPage(TComponent* AOwner) : TForm(AOwner) {
    SetCaption(u"Mini calendar");
    SetBounds(0, 0, 1040, 432);
    Today = Add(16, 16, 300, 180);
    Hint = new TLabel(this);
    Hint->SetParent(this);
    Hint->SetBounds(16, 204, 300, 20);
    Today->SetOnChange([this](TObject*) { Hint->SetCaption(u"Hint: " + Today->Hint()); });

    TMiniCal* German = Add(332, 16, 300, 180);
    German->SetLanguage(lgGerman);
    German->SetFirstDayOfWeek(dwSun);
    German->SetDate(EncodeDate(2025, 12, 10));
    German->AddHoliday(19, 12, 2025, u"Betriebsfeier");

    TMiniCal* Spanish = Add(16, 236, 300, 180);
    Spanish->SetLanguage(lgSpanish);
    Spanish->SetShowMonthShort(false);
    Spanish->SetCtl3D(false);
    Spanish->SetDate(EncodeDate(2024, 2, 29));
    Spanish->SetColorSelectedBg(0x3080F0);

    TMiniCal* French = Add(648, 16, 376, 240);
    French->SetLanguage(lgFrench);
    French->SetDate(EncodeDate(2024, 5, 20));
    French->SetDayColors(dwSun, 0xD8D8FF);
  }

  // Drive: the first calendar goes a month on by its ">" button.
  void Step() {
    const TRect Next = Today->CellRect(6, 0);
    sim::Click(Today, (Next.Left + Next.Right) / 2, (Next.Top + Next.Bottom) / 2);
  }

 private:
  TMiniCal* Add(int X, int Y, int W, int H) {
    auto* C = new TMiniCal(this);
    C->SetParent(this);
    C->SetBounds(X, Y, W, H);
    return C;
  }

  TMiniCal* Today = nullptr;
  TLabel* Hint = nullptr;
};

}  // namespace

ORV_GALLERY_PAGE(minical, u"Mini calendar", [] { return new TMiniCalPage(nullptr); },
                 [](TForm* Page) { static_cast<TMiniCalPage*>(Page)->Step(); });
