// The tree view: expanding through its events, mouse and keys, scrolling.

#include <gtest/gtest.h>

#include <memory>

#include "framework/controls/sim.h"
#include "framework/controls/treeview.h"
#include "framework/forms/form.h"

namespace orv {
namespace {

struct TreeView : ::testing::Test {
  std::unique_ptr<TForm> Form = std::make_unique<TForm>(nullptr);
  TTreeView* View = nullptr;
  TTreeNode* A = nullptr;
  TTreeNode* B = nullptr;
  void SetUp() override {
    View = new TTreeView(Form.get());
    View->SetParent(Form.get());
    View->SetBounds(0, 0, 200, 120);
    Form->Show();
    A = View->Items()->AddChild(nullptr, u"A");
    View->Items()->AddChild(A, u"A1");
    View->Items()->AddChild(A, u"A2");
    B = View->Items()->AddChild(nullptr, u"B");
  }
  // Client point in the middle of row Row's expand button.
  TPoint ButtonOf(int Row) const {
    const int H = View->ItemHeight();
    return TPoint{2 + 19 / 2 + 2, 2 + Row * H + H / 2};
  }
};

TEST_F(TreeView, ExpandingAsksFirstAndButtonsAndKeysNavigate) {
  bool Allow = false;
  int Asked = 0;
  View->SetOnExpanding([&](TObject*, TTreeNode* Node, bool& AllowExpansion) {
    EXPECT_EQ(Node, A);
    ++Asked;
    AllowExpansion = Allow;
  });
  const TPoint P = ButtonOf(0);
  sim::Click(View, P.X, P.Y);
  EXPECT_EQ(Asked, 1);
  EXPECT_FALSE(A->Expanded());
  Allow = true;
  sim::Click(View, P.X, P.Y);
  EXPECT_TRUE(A->Expanded());
  EXPECT_EQ(View->GetNodeAt(60, 2 + View->ItemHeight() + 1)->Text(), u"A1");

  std::vector<String> Changes;
  View->SetOnChange([&](TObject*, TTreeNode* Node) { Changes.push_back(Node->Text()); });
  sim::Click(View, 60, 2 + 3 * View->ItemHeight() + 2);  // row 3: B
  EXPECT_EQ(View->Selected(), B);
  sim::KeyDown(View, VK_UP, {});
  sim::KeyDown(View, VK_LEFT, {});  // to the parent
  sim::KeyDown(View, VK_LEFT, {});  // collapses it
  EXPECT_EQ(Changes, (std::vector<String>{u"B", u"A2", u"A"}));
  EXPECT_FALSE(A->Expanded());
  // Collapsing a branch with the selection inside moves the selection up.
  A->Expand(false);
  View->SetSelected(A->Item(1));
  A->Collapse(false);
  EXPECT_EQ(View->Selected(), A);
}

TEST_F(TreeView, ScrollsALongListAndForgetsDeletedSelection) {
  View->Items()->BeginUpdate();
  for (int I = 0; I < 1000; ++I) View->Items()->AddChild(B, u"item");
  View->Items()->EndUpdate();
  B->Expand(false);
  View->SetSelected(B->GetLastChild());  // scrolled into view
  EXPECT_EQ(View->GetNodeAt(60, 2 + (View->VisibleRowCount() - 1) * View->ItemHeight() + 1), B->GetLastChild());
  sim::MouseWheel(View, {}, 120, 50, 50);  // three rows back up
  EXPECT_EQ(View->GetNodeAt(60, 2 + (View->VisibleRowCount() - 1) * View->ItemHeight() + 1),
            B->GetLastChild()->GetPrevSibling()->GetPrevSibling()->GetPrevSibling());
  B->DeleteChildren();
  EXPECT_EQ(View->Selected(), nullptr);
  EXPECT_EQ(View->TopItem(), A);
}

}  // namespace
}  // namespace orv
