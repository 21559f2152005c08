#pragma once
// TStringList: an ordered list of strings with change notification, as the
// item lists of combo boxes and list boxes use it.

#include <functional>
#include <vector>

#include "framework/rtl/classes.h"

namespace orv {

class TStringList : public TPersistent {
 public:
  TStringList() = default;

  int Count() const { return static_cast<int>(FItems.size()); }
  // The string at 0-based Index; empty outside the list.
  String Strings(int Index) const;
  // Out-of-range indices are ignored.
  void SetStrings(int Index, const String& Value);
  // Appends S and returns its index.
  int Add(const String& S);
  // Inserts S before Index (at the end for Index = Count); others ignored.
  void Insert(int Index, const String& S);
  void Delete(int Index);
  void Clear();
  // First index of S (exact match), -1 when absent.
  int IndexOf(const String& S) const;
  // The strings one per line, each ended by a line break; setting splits
  // at CR LF, LF or CR.
  String Text() const;
  void SetText(const String& Value);
  const std::vector<String>& Items() const { return FItems; }

  // Changes wait until the outermost EndUpdate, which reports them once.
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

  void Assign(TPersistent* Source) override;

 private:
  void Changed();

  std::vector<String> FItems;
  int FUpdateCount = 0;
  bool FChangedWhileUpdating = false;
  TNotifyEvent FOnChange;
};

}  // namespace orv
