#include "framework/rtl/stringlist.h"

#include <algorithm>

namespace orv {

String TStringList::Strings(int Index) const {
  return Index >= 0 && Index < Count() ? FItems[static_cast<size_t>(Index)] : String();
}

void TStringList::SetStrings(int Index, const String& Value) {
  if (Index < 0 || Index >= Count()) return;
  FItems[static_cast<size_t>(Index)] = Value;
  Changed();
}

int TStringList::Add(const String& S) {
  FItems.push_back(S);
  Changed();
  return Count() - 1;
}

void TStringList::Insert(int Index, const String& S) {
  if (Index < 0 || Index > Count()) return;
  FItems.insert(FItems.begin() + Index, S);
  Changed();
}

void TStringList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) return;
  FItems.erase(FItems.begin() + Index);
  Changed();
}

void TStringList::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

int TStringList::IndexOf(const String& S) const {
  const auto It = std::find(FItems.begin(), FItems.end(), S);
  return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

String TStringList::Text() const {
  String Result;
  for (const String& S : FItems) Result += S + u"\r\n";
  return Result;
}

void TStringList::SetText(const String& Value) {
  std::vector<String> Lines;
  String Line;
  for (size_t I = 0; I < Value.size(); ++I) {
    const Char C = Value[I];
    if (C == u'\r' || C == u'\n') {
      Lines.push_back(std::move(Line));
      Line.clear();
      if (C == u'\r' && I + 1 < Value.size() && Value[I + 1] == u'\n') ++I;
    } else {
      Line += C;
    }
  }
  if (!Line.empty()) Lines.push_back(std::move(Line));
  FItems = std::move(Lines);
  Changed();
}

void TStringList::EndUpdate() {
  if (FUpdateCount == 0 || --FUpdateCount > 0) return;
  if (FChangedWhileUpdating) {
    FChangedWhileUpdating = false;
    Changed();
  }
}

void TStringList::Changed() {
  if (FUpdateCount > 0) {
    FChangedWhileUpdating = true;
    return;
  }
  if (FOnChange) FOnChange(this);
}

void TStringList::Assign(TPersistent* Source) {
  if (auto* Other = dynamic_cast<TStringList*>(Source)) {
    FItems = Other->FItems;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace orv
