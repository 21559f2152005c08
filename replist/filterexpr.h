#pragma once
// Row filters of the report list view: an expression compiled once and then
// tested against the cells of each row.
//
// fmSimple: the expression is one piece of text, matched when some searched
//   cell contains it. Blanks count like any other character; an empty
//   expression matches every row.
// fmBoolean: search words combined by operators. The grammar (keywords in any
//   letter case):
//     expr    := and { ("OR" | "|") and }
//     and     := unary { ["AND" | "&"] unary }     two terms in a row mean AND
//     unary   := ("NOT" | "!") unary | primary
//     primary := "(" expr ")" | word | quoted
//     word    := characters up to a blank, "(", ")", "|", "&", "!" or '"'
//     quoted  := '"' any characters, "" for one '"' '"'
//   NOT binds tightest, then AND, then OR. A word or quoted text is matched
//   like an fmSimple expression; quoting searches for a keyword or an
//   operator character itself ("and", "a|b"). An expression of blanks only
//   matches every row. Parentheses nest at most FilterMaxNesting deep.
// fmGrep: an ECMAScript regular expression (std::regex), matched when it is
//   found anywhere in some searched cell (regex_search); IgnoreCase adds
//   icase. Parentheses and brackets nest at most FilterMaxNesting deep.
//
// IgnoreCase folds ASCII and Latin-1 letters (as UpperCase does) in the
// first two modes. A malformed expression raises EORVFilterError, which
// tells the 1-based character position where the expression went wrong and
// the reason.

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "foundation/basetypes.h"
#include "foundation/stringarray_cells.h"
#include "framework/rtl/types.h"

namespace orv {

enum TFilterMode : uint8_t { fmSimple, fmBoolean, fmGrep };

inline constexpr int FilterMaxNesting = 100;

class EORVFilterError : public EORVRepListError {
 public:
  // Message: "Filter expression: <Reason> at position <Position>"; the
  // position part is left out when it is 0 (the regular expression library
  // does not tell where a pattern fails for every kind of error).
  EORVFilterError(const String& Reason, int Position);
  const String& Reason() const { return FReason; }
  int Position() const { return FPosition; }

 private:
  String FReason;
  int FPosition;
};

class TRowFilter {
 public:
  // Compiles Expression; raises EORVFilterError when it is malformed.
  TRowFilter(std::u16string_view Expression, TFilterMode Mode, bool IgnoreCase);
  ~TRowFilter();
  TRowFilter(const TRowFilter&) = delete;
  TRowFilter& operator=(const TRowFilter&) = delete;

  // True when every row matches (an empty expression).
  bool MatchesAll() const { return FMatchAll; }
  // Whether the row whose searched cells are Cells matches.
  bool Matches(std::span<const TCellView> Cells) const;
  // The same for cells given as text (tests, callers without a store).
  bool Matches(std::span<const std::u16string_view> Cells) const;

 private:
  friend class TRowFilterBuilder;
  struct TNode;
  struct TGrep;
  struct TNeedle;
  bool Eval(const TNode& N, std::span<const TCellView> Cells) const;
  bool Contains(const TNeedle& Needle, std::span<const TCellView> Cells) const;

  bool FIgnoreCase;
  TFilterMode FMode;
  bool FMatchAll = false;
  std::vector<TNeedle> FNeedles;
  std::vector<TNode> FNodes;
  size_t FRoot = 0;
  std::unique_ptr<TGrep> FGrep;
};

}  // namespace orv
