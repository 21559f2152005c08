#pragma once
// Popup menus: TMenuItem is one entry (caption, enabled and checked state,
// an optional bitmap, a click handler and sub-items); TPopupMenu holds a
// tree of them under Items() and pops it up at a screen point.
//
// Popup blocks until an item is chosen or the menu is dismissed; the chosen
// item's Click runs after the menu has closed. Headless runs answer through
// Application->SetPopupHandler; under a windowing backend the menu is a
// TPopupMenuWindow laid over the form, driven by the mouse and the keys
// (Up/Down move, Right or Enter opens a sub-menu, Left or Escape closes one,
// Enter or a click chooses), and a nested event loop waits for it.

#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "framework/controls/customcontrol.h"
#include "framework/graphics/bitmap.h"
#include "framework/rtl/classes.h"

namespace orv {

class TCustomForm;
class TPopupMenu;

using TShortCut = uint16_t;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value) { FChecked = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value) { FShortCut = Value; }
  // The picture drawn left of the caption; empty (0 x 0) until set.
  TBitmap* Bitmap();
  bool HasBitmap() const { return FBitmap && !FBitmap->Empty(); }
  TNotifyEvent OnClick() const { return FOnClick; }
  void SetOnClick(TNotifyEvent Value) { FOnClick = std::move(Value); }

  // ---- sub-items; an item owns the items added to it
  int Count() const { return static_cast<int>(FItems.size()); }
  // nullptr outside 0..Count-1.
  TMenuItem* Items(int Index) const;
  TMenuItem* operator[](int Index) const { return Items(Index); }
  TMenuItem* Parent() const { return FParent; }
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes Item out without deleting it.
  void Remove(TMenuItem* Item);
  // Deletes sub-item Index.
  void Delete(int Index);
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  // The first sub-item (at any depth) of that name; nullptr if none.
  TMenuItem* FindItemByName(const String& AName) const;

  // Fires OnClick when the item is enabled.
  virtual void Click();

 private:
  String FCaption;
  bool FEnabled = true;
  bool FChecked = false;
  bool FVisible = true;
  TShortCut FShortCut = 0;
  std::unique_ptr<TBitmap> FBitmap;
  TNotifyEvent FOnClick;
  std::vector<TMenuItem*> FItems;
  TMenuItem* FParent = nullptr;
};

enum TPopupAlignment : uint8_t { paLeft, paRight, paCenter };

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // The root item; its sub-items are the menu's entries.
  TMenuItem* Items() const { return FItems.get(); }
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  // The control the menu was last popped up for (set by the caller).
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value) { FPopupComponent = Value; }
  TNotifyEvent OnPopup() const { return FOnPopup; }
  void SetOnPopup(TNotifyEvent Value) { FOnPopup = std::move(Value); }

  // Fires OnPopup, shows the menu with its top-left corner at the screen
  // point (X, Y) and waits until an item is chosen or the menu is
  // dismissed; then clicks the chosen item. Returns the item chosen
  // (nullptr when dismissed or when the chosen item was disabled).
  TMenuItem* Popup(int X, int Y);

 protected:
  virtual void DoPopup();

 private:
  std::unique_ptr<TMenuItem> FItems;
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
  TComponent* FPopupComponent = nullptr;
  TNotifyEvent FOnPopup;
};

// The builders: each returns a new object whose items are the ones given.
TPopupMenu* NewPopupMenu(TComponent* Owner, const String& AName, TPopupAlignment Alignment, bool AutoPopup,
                         std::span<TMenuItem* const> Items);
TMenuItem* NewItem(const String& ACaption, TShortCut AShortCut, bool AChecked, bool AEnabled, TNotifyEvent AOnClick,
                   uint16_t hCtx, const String& AName);
TMenuItem* NewSubMenu(const String& ACaption, uint16_t hCtx, const String& AName, std::span<TMenuItem* const> Items,
                      bool AEnabled = true);
TMenuItem* NewLine();

// The drawn drop-down of a popup menu: a layer over a whole form that paints
// the open menu boxes (the root one and each opened sub-menu) and takes
// every click and key while it lives. A click outside every box dismisses
// the menu. Chosen() is the item taken, Done() turns true once the menu is
// finished either way.
class TPopupMenuWindow : public TCustomControl {
 public:
  // Opens Menu's root box with its top-left corner at (X, Y) of Form's client area.
  TPopupMenuWindow(TPopupMenu* Menu, TCustomForm* Form, int X, int Y);

  static constexpr int ItemHeight = 22;
  static constexpr int SeparatorHeight = 8;

  bool Done() const { return FDone; }
  TMenuItem* Chosen() const { return FChosen; }
  // Number of open boxes (1 + open sub-menus).
  int Depth() const { return static_cast<int>(FLevels.size()); }
  // The highlighted item of the innermost box; nullptr when none.
  TMenuItem* Hot() const;
  // Form-client rectangle of box Level (0 = root).
  TRect BoxRect(int Level) const;
  // Form-client rectangle of item Index of box Level.
  TRect ItemRect(int Level, int Index) const;

  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(uint16_t& Key, TShiftState Shift) override;

 private:
  struct TLevel {
    TMenuItem* Parent;
    TRect Box;
    int Hot = -1;
  };
  void OpenLevel(TMenuItem* Parent, int X, int Y);
  void CloseLevelsAbove(size_t Level);
  // Item under (X, Y): its level and index; false when on no item.
  bool ItemAt(int X, int Y, size_t& Level, int& Index) const;
  void MoveHot(int Step);
  void Activate(size_t Level, int Index);
  void Finish(TMenuItem* Item);
  int ItemTop(const TLevel& L, int Index) const;
  static bool Selectable(const TMenuItem* Item);

  std::vector<TLevel> FLevels;
  TMenuItem* FChosen = nullptr;
  bool FDone = false;
};

}  // namespace orv
