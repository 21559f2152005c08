// Compiling and matching the report list's row filters (see filterexpr.h).

#include "replist/filterexpr.h"

#include <array>
#include <functional>
#include <regex>
#include <string>

#include "framework/rtl/sysutils.h"

namespace orv {

namespace {

String PositionText(int Position) {
  const std::string S = std::to_string(Position);
  return String(S.begin(), S.end());
}

// Upper-case fold of the characters a narrow cell can hold (UpCase keeps
// Latin-1 inside Latin-1).
const std::array<uint8_t, 256>& NarrowFold() {
  static const std::array<uint8_t, 256> Table = [] {
    std::array<uint8_t, 256> T{};
    for (int I = 0; I < 256; ++I) T[static_cast<size_t>(I)] = static_cast<uint8_t>(UpCase(static_cast<Char>(I)));
    return T;
  }();
  return Table;
}

// Cells of the store hold at most 255 characters and are decoded into
// buffers on the stack; longer texts from other callers go to the heap.
constexpr size_t kCellMax = 256;

template <typename T>
class TCellBuffer {
 public:
  explicit TCellBuffer(size_t Len) {
    if (Len > kCellMax) FBig.resize(Len);
  }
  T* Data() { return FBig.empty() ? FSmall.data() : FBig.data(); }

 private:
  std::array<T, kCellMax> FSmall;
  std::vector<T> FBig;
};

bool IsBlank(Char C) { return C == u' ' || C == u'\t' || C == u'\r' || C == u'\n'; }

}  // namespace

EORVFilterError::EORVFilterError(const String& Reason, int Position)
    : EORVRepListError(u"Filter expression: " + Reason +
                       (Position > 0 ? u" at position " + PositionText(Position) : String())),
      FReason(Reason),
      FPosition(Position) {}

// --- Search words --------------------------------------------------------------------------

struct TRowFilter::TNeedle {
  String Text;         // folded when the filter ignores case
  std::string Narrow;  // Text as Latin-1 bytes, when it fits
  bool FitsNarrow = true;
};

struct TRowFilter::TNode {
  enum TKind : uint8_t { nkTerm, nkNot, nkAnd, nkOr } Kind = nkTerm;
  int Needle = -1;
  std::vector<int> Kids;
};

struct TRowFilter::TGrep {
  std::wregex Re;
};

// Recursive descent over the boolean grammar of filterexpr.h. Positions are
// 1-based indices into the expression.
class TBoolParser {
 public:
  enum TTok : uint8_t { tkEnd, tkWord, tkLParen, tkRParen, tkAnd, tkOr, tkNot };

  explicit TBoolParser(std::u16string_view Expr) : FExpr(Expr) { Next(); }

  TTok Tok() const { return FTok; }
  int TokPos() const { return FTokPos; }
  const String& Word() const { return FWord; }

  void Next() {
    while (FPos < FExpr.size() && IsBlank(FExpr[FPos])) ++FPos;
    FTokPos = static_cast<int>(FPos) + 1;
    FWord.clear();
    if (FPos >= FExpr.size()) {
      FTok = tkEnd;
      return;
    }
    const Char C = FExpr[FPos];
    switch (C) {
      case u'(': ++FPos; FTok = tkLParen; return;
      case u')': ++FPos; FTok = tkRParen; return;
      case u'|': ++FPos; FTok = tkOr; return;
      case u'&': ++FPos; FTok = tkAnd; return;
      case u'!': ++FPos; FTok = tkNot; return;
      case u'"': ReadQuoted(); return;
      default: break;
    }
    const size_t Start = FPos;
    while (FPos < FExpr.size() && !IsBlank(FExpr[FPos]) && !IsSpecial(FExpr[FPos])) ++FPos;
    FWord.assign(FExpr.substr(Start, FPos - Start));
    const String Upper = UpperCase(FWord);
    FTok = Upper == u"AND" ? tkAnd : Upper == u"OR" ? tkOr : Upper == u"NOT" ? tkNot : tkWord;
  }

 private:
  static bool IsSpecial(Char C) { return C == u'(' || C == u')' || C == u'|' || C == u'&' || C == u'!' || C == u'"'; }

  void ReadQuoted() {
    const int Open = FTokPos;
    ++FPos;
    for (;;) {
      if (FPos >= FExpr.size()) throw EORVFilterError(u"missing closing quote", Open);
      const Char C = FExpr[FPos++];
      if (C != u'"') {
        FWord += C;
      } else if (FPos < FExpr.size() && FExpr[FPos] == u'"') {
        FWord += u'"';
        ++FPos;
      } else {
        break;
      }
    }
    FTok = tkWord;
  }

  std::u16string_view FExpr;
  size_t FPos = 0;
  TTok FTok = tkEnd;
  int FTokPos = 1;
  String FWord;
};

// Builds the node tree; And and Or nodes keep all their operands in one list
// so that long chains do not make the tree (and its evaluation) deep.
class TRowFilterBuilder {
 public:
  using TNode = TRowFilter::TNode;
  TRowFilterBuilder(TBoolParser& P, std::vector<TNode>& Nodes, std::function<int(const String&)> AddNeedle)
      : P(P), Nodes(Nodes), AddNeedle(std::move(AddNeedle)) {}

  int ParseOr(int Depth) {
    std::vector<int> Kids{ParseAnd(Depth)};
    while (P.Tok() == TBoolParser::tkOr) {
      P.Next();
      Kids.push_back(ParseAnd(Depth));
    }
    return Group(TNode::nkOr, std::move(Kids));
  }

 private:
  int ParseAnd(int Depth) {
    std::vector<int> Kids{ParseUnary(Depth)};
    for (;;) {
      if (P.Tok() == TBoolParser::tkAnd) {
        P.Next();
      } else if (P.Tok() != TBoolParser::tkWord && P.Tok() != TBoolParser::tkLParen && P.Tok() != TBoolParser::tkNot) {
        break;
      }
      Kids.push_back(ParseUnary(Depth));
    }
    return Group(TNode::nkAnd, std::move(Kids));
  }

  int ParseUnary(int Depth) {
    if (P.Tok() == TBoolParser::tkNot) {
      if (Depth >= FilterMaxNesting) throw EORVFilterError(u"nesting too deep", P.TokPos());
      P.Next();
      const int Kid = ParseUnary(Depth + 1);
      return Add(TNode{TNode::nkNot, -1, {Kid}});
    }
    if (P.Tok() == TBoolParser::tkLParen) {
      const int Open = P.TokPos();
      if (Depth >= FilterMaxNesting) throw EORVFilterError(u"nesting too deep", Open);
      P.Next();
      const int Inner = ParseOr(Depth + 1);
      if (P.Tok() != TBoolParser::tkRParen) throw EORVFilterError(u"missing closing parenthesis", Open);
      P.Next();
      return Inner;
    }
    if (P.Tok() == TBoolParser::tkWord) {
      const int Node = Add(TNode{TNode::nkTerm, AddNeedle(P.Word()), {}});
      P.Next();
      return Node;
    }
    throw EORVFilterError(u"search term expected", P.TokPos());
  }

  int Group(TNode::TKind Kind, std::vector<int> Kids) {
    if (Kids.size() == 1) return Kids.front();
    return Add(TNode{Kind, -1, std::move(Kids)});
  }

  int Add(TNode N) {
    Nodes.push_back(std::move(N));
    return static_cast<int>(Nodes.size()) - 1;
  }

  TBoolParser& P;
  std::vector<TNode>& Nodes;
  std::function<int(const String&)> AddNeedle;
};

namespace {

// Checks the nesting of a regular expression before the library compiles it
// (its compiler recurses per level and per term) and catches a quantifier
// with nothing to repeat. Returns the position of an unbalanced parenthesis or
// bracket (0 when they balance), for the library's error reports, which
// carry no position.
int CheckPattern(std::u16string_view Pattern) {
  constexpr size_t kMaxPattern = 1000;
  if (Pattern.size() > kMaxPattern) throw EORVFilterError(u"expression too long", static_cast<int>(kMaxPattern) + 1);
  // The library reads back-reference numbers and repeat counts into a long
  // without an overflow check: longer digit runs there are refused here.
  const auto CheckCount = [&](size_t From) {
    size_t J = From;
    while (J < Pattern.size() && Pattern[J] >= u'0' && Pattern[J] <= u'9') ++J;
    if (J - From > 9) throw EORVFilterError(u"number too large", static_cast<int>(From) + 1);
  };
  std::vector<int> Open;
  int ClassOpen = 0;  // position of the '[' of the class we are in
  bool InBraces = false;
  // Quantifier characters just read (a lazy '?' included): a quantifier on a
  // quantifier is a syntax error of the notation, and the library, which takes
  // it, backtracks exponentially on it.
  int Quantifiers = 0;
  Char Prev = u'|';   // a quantifier after nothing, '(' or '|' repeats nothing
  for (size_t I = 0; I < Pattern.size(); ++I) {
    const Char C = Pattern[I];
    const int Pos = static_cast<int>(I) + 1;
    const Char Before = Prev;
    Prev = C;
    const int QuantifiersBefore = Quantifiers;
    Quantifiers = 0;
    if (C == u'\\') {
      CheckCount(I + 1);
      ++I;
    } else if (ClassOpen) {
      if (C == u']') ClassOpen = 0;
    } else if (((C == u'*' || C == u'+' || C == u'{') && QuantifiersBefore > 0) ||
               (C == u'?' && QuantifiersBefore > 1)) {
      throw EORVFilterError(u"nothing to repeat", Pos);
    } else if (C == u'{' || (C == u',' && InBraces)) {
      InBraces = true;
      CheckCount(I + 1);
    } else if (C == u'}') {
      if (InBraces) Quantifiers = 1;
      InBraces = false;
    } else if ((C == u'*' || C == u'+' || (C == u'?' && Before != u'(')) && (Before == u'(' || Before == u'|')) {
      throw EORVFilterError(u"nothing to repeat", Pos);
    } else if (C == u'*' || C == u'+' || C == u'?') {
      Quantifiers = QuantifiersBefore + 1;
    } else if (C == u'[') {
      ClassOpen = Pos;
      if (I + 1 < Pattern.size() && Pattern[I + 1] == u'^') ++I;
    } else if (C == u'(') {
      if (static_cast<int>(Open.size()) >= FilterMaxNesting) throw EORVFilterError(u"nesting too deep", Pos);
      Open.push_back(Pos);
    } else if (C == u')') {
      if (Open.empty()) return Pos;
      Open.pop_back();
    }
  }
  if (ClassOpen) return ClassOpen;
  return Open.empty() ? 0 : Open.back();
}

String RegexReason(std::regex_constants::error_type Code) {
  using namespace std::regex_constants;
  switch (Code) {
    case error_collate: return u"invalid collating element";
    case error_ctype: return u"invalid character class";
    case error_escape: return u"invalid escape";
    case error_backref: return u"invalid back reference";
    case error_brack: return u"unmatched bracket";
    case error_paren: return u"unmatched parenthesis";
    case error_brace: return u"unmatched brace";
    case error_badbrace: return u"invalid repeat count";
    case error_range: return u"invalid character range";
    case error_badrepeat: return u"nothing to repeat";
    default: return u"expression too complex";
  }
}

// Decodes a cell into code points for the regular expression (surrogate pairs
// joined, a lone surrogate kept as it is). Returns the length.
size_t DecodeWide(const TCellView& V, wchar_t* Out) {
  size_t N = 0;
  for (uint32_t I = 0; I < V.Len; ++I) {
    const Char C = V.At(I);
    if (C >= 0xD800 && C <= 0xDBFF && I + 1 < V.Len) {
      const Char D = V.At(I + 1);
      if (D >= 0xDC00 && D <= 0xDFFF) {
        Out[N++] = static_cast<wchar_t>(0x10000 + ((C - 0xD800) << 10) + (D - 0xDC00));
        ++I;
        continue;
      }
    }
    Out[N++] = static_cast<wchar_t>(C);
  }
  return N;
}

}  // namespace

// --- Compiling ---------------------------------------------------------------------------------

TRowFilter::TRowFilter(std::u16string_view Expression, TFilterMode Mode, bool IgnoreCase)
    : FIgnoreCase(IgnoreCase), FMode(Mode) {
  auto AddNeedle = [this](const String& Text) {
    TNeedle N;
    N.Text = FIgnoreCase ? UpperCase(Text) : Text;
    for (Char C : N.Text) {
      if (C > 0xFF) {
        N.FitsNarrow = false;
        break;
      }
      N.Narrow += static_cast<char>(static_cast<uint8_t>(C));
    }
    if (!N.FitsNarrow) N.Narrow.clear();
    FNeedles.push_back(std::move(N));
    return static_cast<int>(FNeedles.size()) - 1;
  };
  switch (Mode) {
    case fmSimple:
      FMatchAll = Expression.empty();
      AddNeedle(String(Expression));
      FNodes.push_back(TNode{TNode::nkTerm, 0, {}});
      break;
    case fmBoolean: {
      TBoolParser P(Expression);
      if (P.Tok() == TBoolParser::tkEnd) {
        FMatchAll = true;
        break;
      }
      TRowFilterBuilder B(P, FNodes, AddNeedle);
      FRoot = static_cast<size_t>(B.ParseOr(0));
      if (P.Tok() != TBoolParser::tkEnd) throw EORVFilterError(u"unmatched closing parenthesis", P.TokPos());
      break;
    }
    case fmGrep: {
      FMatchAll = Expression.empty();
      const int Unbalanced = CheckPattern(Expression);
      std::wstring Pattern;
      Pattern.reserve(Expression.size());
      for (Char C : Expression) Pattern += static_cast<wchar_t>(C);
      auto Flags = std::regex_constants::ECMAScript;
      if (IgnoreCase) Flags |= std::regex_constants::icase;
      FGrep = std::make_unique<TGrep>();
      try {
        FGrep->Re.assign(Pattern, Flags);
      } catch (const std::regex_error& E) {
        const bool Bracket = E.code() == std::regex_constants::error_paren ||
                             E.code() == std::regex_constants::error_brack;
        // The library also reports other misplaced tokens as a parenthesis
        // error; only a bracket the scan found unbalanced is named as such.
        if (Bracket && Unbalanced == 0) throw EORVFilterError(u"syntax error", 0);
        throw EORVFilterError(RegexReason(E.code()), Bracket ? Unbalanced : 0);
      }
      break;
    }
    default:
      throw EORVFilterError(u"unknown filter mode", 0);
  }
}

TRowFilter::~TRowFilter() = default;

// --- Matching ----------------------------------------------------------------------------------

bool TRowFilter::Matches(std::span<const TCellView> Cells) const {
  if (FMatchAll) return true;
  if (FMode == fmGrep) {
    for (const TCellView& V : Cells) {
      TCellBuffer<wchar_t> Buf(V.Len);
      const size_t N = DecodeWide(V, Buf.Data());
      try {
        if (std::regex_search(Buf.Data(), Buf.Data() + N, FGrep->Re)) return true;
      } catch (const std::regex_error& E) {
        throw EORVFilterError(RegexReason(E.code()), 0);
      }
    }
    return false;
  }
  return Eval(FNodes[FRoot], Cells);
}

bool TRowFilter::Matches(std::span<const std::u16string_view> Cells) const {
  // Stored the way the cell matrix stores them: one byte per character when
  // all fit, else two bytes, low byte first.
  std::vector<std::string> Bytes(Cells.size());
  std::vector<TCellView> Views(Cells.size());
  for (size_t I = 0; I < Cells.size(); ++I) {
    const std::u16string_view T = Cells[I];
    bool Wide = false;
    for (Char C : T) Wide = Wide || C > 0xFF;
    for (Char C : T) {
      Bytes[I] += static_cast<char>(C & 0xFF);
      if (Wide) Bytes[I] += static_cast<char>(C >> 8);
    }
    Views[I] = TCellView{reinterpret_cast<const uint8_t*>(Bytes[I].data()), static_cast<uint32_t>(T.size()), Wide};
  }
  return Matches(std::span<const TCellView>(Views));
}

bool TRowFilter::Eval(const TNode& N, std::span<const TCellView> Cells) const {
  switch (N.Kind) {
    case TNode::nkTerm:
      return Contains(FNeedles[static_cast<size_t>(N.Needle)], Cells);
    case TNode::nkNot:
      return !Eval(FNodes[static_cast<size_t>(N.Kids[0])], Cells);
    case TNode::nkAnd:
      for (int K : N.Kids)
        if (!Eval(FNodes[static_cast<size_t>(K)], Cells)) return false;
      return true;
    case TNode::nkOr:
      for (int K : N.Kids)
        if (Eval(FNodes[static_cast<size_t>(K)], Cells)) return true;
      return false;
  }
  return false;
}

bool TRowFilter::Contains(const TNeedle& Needle, std::span<const TCellView> Cells) const {
  if (Needle.Text.empty()) return true;
  const size_t M = Needle.Text.size();
  for (const TCellView& V : Cells) {
    if (V.Len < M) continue;
    if (!V.Wide) {
      // Narrow cells hold only Latin-1, so a needle beyond it cannot occur.
      if (!Needle.FitsNarrow) continue;
      std::string_view Hay(reinterpret_cast<const char*>(V.Data), V.Len);
      if (FIgnoreCase) {
        TCellBuffer<char> Folded(V.Len);
        const auto& Fold = NarrowFold();
        for (uint32_t I = 0; I < V.Len; ++I) Folded.Data()[I] = static_cast<char>(Fold[V.Data[I]]);
        if (std::string_view(Folded.Data(), V.Len).find(Needle.Narrow) != std::string_view::npos) return true;
        continue;
      }
      if (Hay.find(Needle.Narrow) != std::string_view::npos) return true;
    } else {
      TCellBuffer<Char> Buf(V.Len);
      for (uint32_t I = 0; I < V.Len; ++I) Buf.Data()[I] = FIgnoreCase ? UpCase(V.At(I)) : V.At(I);
      if (std::u16string_view(Buf.Data(), V.Len).find(Needle.Text) != std::u16string_view::npos) return true;
    }
  }
  return false;
}

}  // namespace orv
