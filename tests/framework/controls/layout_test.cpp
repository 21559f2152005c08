#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/colors.h"
#include "test_helpers.h"

namespace orv {
namespace {

using testing::TBox;
using testing::TPanelBox;

TRect Bounds(const TControl* C) { return C->BoundsRect(); }

TEST(Align, SidesAreTakenTopBottomLeftRightThenClient) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 200, 100);
  auto Make = [&](TAlign A, int W, int H) {
    auto* C = new TBox(&Form);
    C->SetBounds(0, 0, W, H);
    C->SetAlign(A);
    C->SetParent(&Form);
    return C;
  };
  TControl* Client = Make(alClient, 5, 5);
  TControl* Right = Make(alRight, 30, 5);
  TControl* Left = Make(alLeft, 20, 5);
  TControl* Bottom = Make(alBottom, 5, 15);
  TControl* Top = Make(alTop, 5, 10);
  EXPECT_EQ(Bounds(Top), Rect(0, 0, 200, 10));
  EXPECT_EQ(Bounds(Bottom), Rect(0, 85, 200, 100));
  EXPECT_EQ(Bounds(Left), Rect(0, 10, 20, 85));
  EXPECT_EQ(Bounds(Right), Rect(170, 10, 200, 85));
  EXPECT_EQ(Bounds(Client), Rect(20, 10, 170, 85));

  // Resizing the parent realigns; resizing an aligned child realigns too.
  int Resized = 0;
  Client->SetOnResize([&](TObject*) { ++Resized; });
  Form.SetBounds(0, 0, 300, 120);
  EXPECT_EQ(Bounds(Right), Rect(270, 10, 300, 105));
  EXPECT_EQ(Bounds(Client), Rect(20, 10, 270, 105));
  EXPECT_EQ(Resized, 1);
  Top->SetHeight(30);
  EXPECT_EQ(Bounds(Top), Rect(0, 0, 300, 30));
  EXPECT_EQ(Bounds(Client), Rect(20, 30, 270, 105));
  Left->Hide();
  EXPECT_EQ(Bounds(Client), Rect(0, 30, 270, 105));
  Client->SetOnResize(nullptr);  // Resized dies before Form
}

TEST(Align, ATeardownLaysNothingOutAgain) {
  // Children leaving a parent that is being destroyed must not realign the
  // rest: no resize event may reach handlers whose state is already gone.
  auto Form = std::make_unique<TForm>(nullptr);
  Form->SetBounds(0, 0, 200, 100);
  int Resized = 0;
  for (TAlign A : {alTop, alClient}) {
    auto* C = new TBox(Form.get());
    C->SetAlign(A);
    C->SetParent(Form.get());
    C->SetOnResize([&](TObject*) { ++Resized; });
  }
  Resized = 0;
  Form.reset();
  EXPECT_EQ(Resized, 0);
}

TEST(Anchors, KeepDistancesWhenTheParentResizes) {
  TForm Form(nullptr);
  Form.SetBounds(0, 0, 200, 100);
  auto* Right = new TBox(&Form);
  Right->SetParent(&Form);
  Right->SetBounds(150, 10, 30, 20);
  Right->SetAnchors({akRight, akTop});
  auto* Stretch = new TBox(&Form);
  Stretch->SetParent(&Form);
  Stretch->SetBounds(10, 40, 100, 50);
  Stretch->SetAnchors({akLeft, akTop, akRight, akBottom});
  auto* Fixed = new TBox(&Form);
  Fixed->SetParent(&Form);
  Fixed->SetBounds(5, 5, 10, 10);

  Form.SetBounds(0, 0, 260, 130);
  EXPECT_EQ(Bounds(Right), Rect(210, 10, 240, 30));
  EXPECT_EQ(Bounds(Stretch), Rect(10, 40, 170, 120));
  EXPECT_EQ(Bounds(Fixed), Rect(5, 5, 15, 15));
  // Shrinking below the control's size keeps a non-negative size, and the
  // way back restores the original exactly.
  Form.SetBounds(0, 0, 50, 50);
  EXPECT_EQ(Stretch->Width(), 0);
  Form.SetBounds(0, 0, 200, 100);
  EXPECT_EQ(Bounds(Stretch), Rect(10, 40, 110, 90));
  EXPECT_EQ(Bounds(Right), Rect(150, 10, 180, 30));
}

TEST(ParentProperties, ColorAndFontPropagateUntilAChildSetsItsOwn) {
  TForm Form(nullptr);
  auto* Panel = new TPanelBox(&Form);
  Panel->SetParent(&Form);
  auto* Child = new TBox(&Form);
  Child->SetParent(Panel);
  auto* Own = new TBox(&Form);
  Own->SetParent(Panel);
  Own->SetColor(clRed);
  EXPECT_FALSE(Own->ParentColor());
  EXPECT_EQ(Child->Color(), clBtnFace);  // picked up from the form on insertion

  int EnabledChanges = 0;
  struct TWatch : TBox {
    using TBox::TBox;
    int* Count = nullptr;
    void WndProc(TMessage& M) override {
      if (M.Msg == CM_ENABLEDCHANGED) ++*Count;
      TBox::WndProc(M);
    }
  };
  auto* Watch = new TWatch(&Form);
  Watch->Count = &EnabledChanges;
  Watch->SetParent(Panel);
  Watch->SetEnabled(false);
  Watch->SetEnabled(false);
  EXPECT_EQ(EnabledChanges, 1);

  Form.SetColor(clYellow);
  EXPECT_EQ(Panel->Color(), clYellow);
  EXPECT_EQ(Child->Color(), clYellow);
  EXPECT_EQ(Own->Color(), clRed);
  EXPECT_TRUE(Child->ParentColor());

  Form.Font()->SetSize(14);
  EXPECT_EQ(Child->Font()->Size(), 14);
  Child->Font()->SetColor(clBlue);
  EXPECT_FALSE(Child->ParentFont());
  Form.Font()->SetSize(20);
  EXPECT_EQ(Panel->Font()->Size(), 20);
  EXPECT_EQ(Child->Font()->Size(), 14);
  Child->SetParentFont(true);
  EXPECT_EQ(Child->Font()->Size(), 20);
  EXPECT_NE(Child->Font()->Color(), clBlue);

  Form.SetShowHint(true);
  EXPECT_TRUE(Child->ShowHint());
}

TEST(Ownership, ParentsDetachChildrenTheyDoNotOwn) {
  auto Form = std::make_unique<TForm>(nullptr);
  auto Panel = std::make_unique<TPanelBox>(nullptr);
  Panel->SetParent(Form.get());
  TBox Loose(nullptr);
  Loose.SetParent(Panel.get());
  auto* Owned = new TBox(Panel.get());  // owned by the panel
  Owned->SetParent(Panel.get());
  auto* Child = new TBox(Form.get());
  Child->SetParent(Panel.get());
  EXPECT_EQ(Panel->ControlCount(), 3);

  delete Child;  // a deleted child leaves its parent
  EXPECT_EQ(Panel->ControlCount(), 2);
  EXPECT_EQ(Form->ComponentCount(), 0);

  Panel.reset();  // deletes the owned box, detaches the loose one
  EXPECT_EQ(Loose.Parent(), nullptr);
  EXPECT_EQ(Form->ControlCount(), 0);
  Loose.Invalidate();  // still usable
}

TEST(Messages, TextChangesAndCustomMessageMaps) {
  struct TText : TBox {
    using TBox::TBox;
    int TextChanges = 0;
    int Custom = 0;
    void WndProc(TMessage& M) override {
      if (M.Msg == CM_TEXTCHANGED) ++TextChanges;
      if (M.Msg == WM_USER + 1) {
        Custom += static_cast<int>(M.WParam);
        M.Result = 42;
        return;
      }
      TBox::WndProc(M);
    }
  };
  TForm Form(nullptr);
  auto* T = new TText(&Form);
  T->SetParent(&Form);
  T->SetCaption(u"abc");
  T->SetText(u"abc");
  EXPECT_EQ(T->TextChanges, 1);
  EXPECT_EQ(T->Text(), u"abc");
  EXPECT_EQ(T->Perform(WM_USER + 1, 5), 42);
  TMessage M{WM_USER + 1, 2, 0, 0};
  Form.Broadcast(M);
  EXPECT_EQ(T->Custom, 7);
}

TEST(Coordinates, ClientToScreenAndBack) {
  TForm Form(nullptr);
  Form.SetBounds(100, 50, 300, 200);
  auto* Panel = new TPanelBox(&Form);
  Panel->SetParent(&Form);
  Panel->SetBounds(10, 20, 100, 100);
  auto* Box = new TBox(&Form);
  Box->SetParent(Panel);
  Box->SetBounds(5, 6, 10, 10);
  EXPECT_EQ(Box->ClientToScreen(Point(1, 2)), Point(116, 78));
  EXPECT_EQ(Box->ScreenToClient(Point(116, 78)), Point(1, 2));
  EXPECT_EQ(Box->ParentForm(), &Form);
  EXPECT_EQ(Box->ClientRect(), Rect(0, 0, 10, 10));
}

}  // namespace
}  // namespace orv
