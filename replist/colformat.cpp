#include "colformat.h"

#include <climits>
#include <cstdint>

#include "foundation/strhelpers.h"
#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

constexpr size_t npos = std::u16string_view::npos;

bool ContainsNoCase(std::u16string_view Text, std::u16string_view Sub) {
  return Pos(LowerCase(Sub), LowerCase(Text)) > 0;
}

}  // namespace

int ReadIntAt(std::u16string_view S, int Position) {
  if (Position < 1 || static_cast<size_t>(Position) > S.size()) return 0;
  size_t I = static_cast<size_t>(Position) - 1;
  while (I < S.size() && S[I] == u' ') ++I;
  bool Negative = false;
  if (I < S.size() && (S[I] == u'+' || S[I] == u'-')) Negative = S[I++] == u'-';
  long long Value = 0;
  for (; I < S.size() && S[I] >= u'0' && S[I] <= u'9'; ++I) {
    Value = Value * 10 + (S[I] - u'0');
    if (Value > static_cast<long long>(INT_MAX) + 1) Value = static_cast<long long>(INT_MAX) + 1;
  }
  if (Negative) Value = -Value;
  if (Value > INT_MAX) Value = INT_MAX;
  return static_cast<int>(Value);
}

TColumnFormatParts ParseColumnFormat(std::u16string_view Format) {
  TColumnFormatParts Request;
  std::u16string_view F = Format;
  const size_t Open = F.find(u'[');
  const size_t Close = F.find(u']');
  Request.TypeText = Open != npos && Close != npos && Open < Close ? String(F.substr(Open + 1, Close - Open - 1)) : u"s";
  if (Close != npos) F.remove_prefix(Close + 1);

  const size_t WOpen = F.find(u'[');
  const size_t WClose = WOpen == npos ? npos : F.find(u']', WOpen + 1);
  if (WOpen != npos && WClose != npos) {
    const std::u16string_view WidthText = F.substr(WOpen + 1, WClose - WOpen - 1);
    Request.Width = ReadIntAt(WidthText, 1);
    F.remove_prefix(WClose + 1);
  } else {
    Request.Width = 0;
  }
  if (Request.Width < 1) Request.Width = 200;
  Request.Rest = String(F);

  if (!Request.TypeText.empty() && Request.TypeText[0] == u'#') {
    Request.ReadOnly = true;
    Request.TypeText.erase(0, 1);
  }
  if (!Request.TypeText.empty()) {
    Request.TypeLetter = Request.TypeText[0];
    Request.TypeOptions = Request.TypeText.substr(1);
  }
  return Request;
}

String RowIndexText(Char TypeLetter, int Row, int N) {
  switch (TypeLetter) {
    case u'e':
    case u'f':
      return strff(Row, 1, N);
    case u'h': {
      const int Digits = N < 1 ? 1 : (N > 8 ? 8 : N);
      String Text(static_cast<size_t>(Digits), u'0');
      uint32_t Bits = static_cast<uint32_t>(Row);
      for (int I = Digits - 1; I >= 0; --I, Bits >>= 4) Text[static_cast<size_t>(I)] = u"0123456789ABCDEF"[Bits & 15];
      return Text;
    }
    case u'i': {
      const int Digits = N < 1 ? 1 : (N > 255 ? 255 : N);
      String Text(static_cast<size_t>(Digits), u'0');
      // Magnitude as unsigned so that INT_MIN has one too.
      uint64_t Magnitude = Row < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(Row)) : static_cast<uint64_t>(Row);
      for (int I = Digits - 1; I >= 0 && Magnitude != 0; --I, Magnitude /= 10)
        Text[static_cast<size_t>(I)] = static_cast<Char>(u'0' + Magnitude % 10);
      return Row < 0 ? u"-" + Text : Text;
    }
    default:
      return String();
  }
}

String DefaultCellText(std::u16string_view Format, int Row) {
  // The type tag runs up to the first "]"; its second character is the letter.
  const size_t TagEnd = Format.find(u']');
  if (TagEnd == npos) return String();
  const Char Letter = TagEnd >= 1 ? Format[1] : 0;
  const std::u16string_view Remainder = Format.substr(TagEnd + 1);
  if (Remainder.empty()) return String();
  const size_t WidthEnd = Remainder.find(u']');
  std::u16string_view D = WidthEnd == npos ? Remainder : Remainder.substr(WidthEnd + 1);
  if (D.size() > 255) D = D.substr(0, 255);

  switch (Letter) {
    case u'c':
    case u'l':
      return String(D.substr(0, D.find(u'|')));
    case u'd':
      return String(D);
    case u'e':
    case u'f':
    case u'h':
    case u'i':
      if (ContainsNoCase(D, u"rix")) return RowIndexText(Letter, Row, ReadIntAt(D, 4));
      return String(D);
    case u's':
      if (ContainsNoCase(D, u"$pwd$")) return InventPassword(ReadIntAt(D, 6));
      return String(D);
    default:
      return String();
  }
}

std::vector<String> ColumnFormatListItems(std::u16string_view Rest) {
  std::vector<String> Items;
  if (Rest.empty()) return Items;
  const String List = EnsureTrailingChar(Rest, u'|');
  size_t Start = 0;
  while (Start < List.size()) {
    const size_t Bar = List.find(u'|', Start);
    Items.emplace_back(List.substr(Start, Bar - Start));
    Start = Bar + 1;
  }
  return Items;
}

}  // namespace orv
