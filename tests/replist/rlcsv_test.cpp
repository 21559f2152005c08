// CSV import and export, text-line loading and the HTML table: the public
// CSV corpus, round trips with quotes, line ends and delimiters, damaged
// input, escaping, the export event and failing writes.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <vector>

#include "framework/rtl/streams.h"
#include "framework/rtl/sysutils.h"
#include "framework/rtl/unicode.h"
#include "replist/rlcsv.h"
#include "replist/rldata.h"
#include "replist/rlhtml.h"

#include "memory_limit.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

String TempPath(const std::string& Name) {
  return FromUtf8((fs::temp_directory_path() / ("orv_rlcsv_" + std::to_string(::getpid()) + "_" + Name)).string());
}

std::string ReadBytes(const String& Path) {
  std::ifstream In(ToUtf8(Path), std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

void WriteBytes(const String& Path, const std::string& Bytes) {
  std::ofstream Out(ToUtf8(Path), std::ios::binary);
  Out << Bytes;
}

// Just enough JSON for the corpus: an object of string values, or an array of them.
class TTinyJson {
 public:
  using TRecord = std::vector<std::pair<String, String>>;
  explicit TTinyJson(std::string Text) : FText(std::move(Text)) {}

  std::vector<TRecord> Records() {
    std::vector<TRecord> Out;
    Skip();
    if (Peek() == '[') {
      ++FPos;
      for (Skip(); Peek() != ']'; Skip()) {
        Out.push_back(Object());
        Skip();
        if (Peek() == ',') ++FPos;
      }
    } else {
      Out.push_back(Object());
    }
    return Out;
  }

 private:
  char Peek() const { return FPos < FText.size() ? FText[FPos] : '\0'; }
  void Skip() {
    while (FPos < FText.size() && std::isspace(static_cast<unsigned char>(FText[FPos]))) ++FPos;
  }
  TRecord Object() {
    TRecord R;
    Skip();
    EXPECT_EQ(Peek(), '{');
    ++FPos;
    for (Skip(); Peek() != '}' && FPos < FText.size(); Skip()) {
      String Key = Str();
      Skip();
      ++FPos;  // ':'
      Skip();
      R.emplace_back(Key, Str());
      Skip();
      if (Peek() == ',') ++FPos;
    }
    ++FPos;
    return R;
  }
  String Str() {
    std::string S;
    ++FPos;  // opening quote
    while (FPos < FText.size() && FText[FPos] != '"') {
      char C = FText[FPos++];
      if (C == '\\') {
        const char E = FText[FPos++];
        C = E == 'n' ? '\n' : E == 'r' ? '\r' : E == 't' ? '\t' : E;
      }
      S += C;
    }
    ++FPos;
    return FromUtf8(S);
  }

  std::string FText;
  size_t FPos = 0;
};

TEST(RLCsvCorpus, EveryFileGivesTheRecordsOfItsJsonTwin) {
  const fs::path Root = fs::path(ORV_TESTDATA_DIR) / "csv-spectrum";
  ASSERT_TRUE(fs::is_directory(Root / "csvs")) << Root;
  int Files = 0;
  for (const auto& Entry : fs::directory_iterator(Root / "csvs")) {
    const std::string Name = Entry.path().stem().string();
    TTinyJson Json(ReadBytes(FromUtf8((Root / "json" / (Name + ".json")).string())));
    const auto Expected = Json.Records();
    TRLData D(nullptr);
    const int Rows = D.ImportCSV(FromUtf8(Entry.path().string()), csvComma, true);
    ASSERT_EQ(Rows, static_cast<int>(Expected.size())) << Name;
    for (int R = 1; R <= Rows; ++R) {
      const auto& Rec = Expected[static_cast<size_t>(R - 1)];
      ASSERT_EQ(D.NrOfColumns(), static_cast<int>(Rec.size())) << Name;
      for (int C = 1; C <= D.NrOfColumns(); ++C) {
        EXPECT_EQ(D.Header(C), Rec[static_cast<size_t>(C - 1)].first) << Name;
        EXPECT_EQ(D.Elem(C, R), Rec[static_cast<size_t>(C - 1)].second) << Name << " " << C << "," << R;
      }
    }
    ++Files;
  }
  EXPECT_GE(Files, 12);
}

TEST(RLCsvRead, LineEndsByteOrderMarkAndRaggedRecords) {
  TRLData D(nullptr);
  const String Path = TempPath("ragged.csv");
  WriteBytes(Path, "\xEF\xBB\xBFx;y\r\n1\r\r\n\n2;3;4\r5;\"a;\"\"b\"\"\"\n");
  ASSERT_EQ(D.ImportCSV(Path, csvSemicolon, false), 4);
  EXPECT_EQ(D.NrOfColumns(), 3);
  EXPECT_EQ(D.Elem(1, 1), u"x");  // the byte-order mark is not part of the text
  EXPECT_EQ(D.Elem(1, 2), u"1");
  EXPECT_EQ(D.Elem(2, 2), u"");
  EXPECT_EQ(D.Elem(3, 3), u"4");
  EXPECT_EQ(D.Elem(2, 4), u"a;\"b\"");
  EXPECT_EQ(D.Header(3), u"C-3");
  // Latin-1 text is taken character by character.
  WriteBytes(Path, "caf\xE9|x\n");
  ASSERT_EQ(D.ImportCSV(Path, csvPipe, false), 1);
  EXPECT_EQ(D.Elem(1, 1), u"caf\u00e9");
  // Only a header: names but no rows.
  WriteBytes(Path, "A,B\n");
  ASSERT_EQ(D.ImportCSV(Path, csvComma, true), 0);
  EXPECT_EQ(D.NrOfRows(), 0);
  EXPECT_EQ(D.Header(2), u"B");
  WriteBytes(Path, "");
  EXPECT_EQ(D.ImportCSV(Path, csvComma, false), 0);
  fs::remove(ToUtf8(Path));
}

TEST(RLCsvRead, DamagedOrMissingFilesLeaveTheStore) {
  TRLData D(nullptr);
  D.SetNrOfRows(1);
  D.SetElem(1, 1, u"keep");
  const String Path = TempPath("bad.csv");
  WriteBytes(Path, "a,\"never closed\n1,2\n");
  EXPECT_EQ(D.ImportCSV(Path, csvComma, false), rlxSyntaxError);
  EXPECT_EQ(D.ImportCSV(TempPath("missing.csv"), csvComma, false), rlxOpenError);
  EXPECT_EQ(D.ImportCSV(u"/", csvComma, false), rlxOpenError);
  // Far more cells than a store takes: refused before anything is allocated.
  std::string Wide(40000, ',');
  std::string Big;
  for (int I = 0; I < 1000; ++I) Big += "x\n";
  WriteBytes(Path, Wide + "\n" + Big);
  EXPECT_EQ(D.ImportCSV(Path, csvComma, false), rlxTooLarge);
  EXPECT_EQ(D.Elem(1, 1), u"keep");
  EXPECT_EQ(D.NrOfRows(), 1);
  fs::remove(ToUtf8(Path));
}

TEST(RLCsvRead, RunningOutOfMemoryHalfWayLeavesTheStore) {
#ifdef ORV_MEMORY_LIMIT_UNAVAILABLE
  GTEST_SKIP() << "an address space limit cannot coexist with the sanitizer's shadow memory";
#else
  const int Result = testing_support::RunInChild([] {
    TRLData D(nullptr);
    D.SetNrOfColumns(3);
    D.SetNrOfRows(5);
    for (int C = 1; C <= 3; ++C) {
      D.SetHeader(C, u"name " + IntToStr(C));
      for (int R = 1; R <= 5; ++R) D.SetElem(C, R, IntToStr(C * 10 + R));
    }
    D.SetIsCheckedColumn(2, true);
    D.SetElemChecked(2, 4, true);
    D.Sort(3, -1, false);
    TStringStream Before;
    D.WriteToXMLStream(&Before, false, u"x");
    std::string Csv;
    for (int I = 0; I < 400'000; ++I) Csv += "x\n";
    // Once the import has begun filling cells, memory runs out.
    bool Capped = false;
    D.SetOnPercentDone([&Capped](TObject*, int) {
      if (!Capped) Capped = testing_support::CapAddressSpace(1 << 20);
    });
    if (ImportCSVBytes(D, Csv, csvComma, false) != rlxTooLarge) return 2;
    if (!Capped) return 3;
    D.SetOnPercentDone(nullptr);
    TStringStream After;
    D.WriteToXMLStream(&After, false, u"x");
    return After.DataString() == Before.DataString() ? 0 : 4;
  });
  EXPECT_EQ(Result, 0);
#endif
}

TEST(RLLines, RunningOutOfMemoryHalfWayLeavesTheStore) {
#ifdef ORV_MEMORY_LIMIT_UNAVAILABLE
  GTEST_SKIP() << "an address space limit cannot coexist with the sanitizer's shadow memory";
#else
  const String Path = TempPath("many-lines.txt");
  std::string Text;
  for (int I = 0; I < 300'000; ++I) Text += "line " + std::to_string(I) + "\n";
  WriteBytes(Path, Text);
  const int Result = testing_support::RunInChild([&Path] {
    TRLData D(nullptr);
    D.SetNrOfColumns(2);
    D.SetNrOfRows(4);
    for (int R = 1; R <= 4; ++R) D.SetElem(1, R, u"old " + IntToStr(R));
    D.SetIsCheckedColumn(1, true);
    D.SetElemChecked(1, 3, true);
    TStringStream Before;
    D.WriteToXMLStream(&Before, false, u"x");
    // The rows for the lines are found; memory runs out while they are filled.
    bool Capped = false;
    D.Strings()->SetOnPercentDone([&Capped](TObject*, int) {
      if (!Capped) Capped = testing_support::CapAddressSpace(1 << 20);
    });
    if (D.LoadLinesFromFile(1, 2, Path) != rlxTooLarge) return 2;
    if (!Capped) return 3;
    D.Strings()->SetOnPercentDone(nullptr);
    TStringStream After;
    D.WriteToXMLStream(&After, false, u"x");
    return After.DataString() == Before.DataString() ? 0 : 4;
  });
  fs::remove(ToUtf8(Path));
  EXPECT_EQ(Result, 0);
#endif
}

TEST(RLCsvRoundTrip, QuotesLineEndsAndDelimitersSurvive) {
  std::mt19937 Rng(77);
  static const char16_t kPool[] = u"ab ,;|\t\"\r\n\u00e4\u20ac";
  const String Path = TempPath("round.csv");
  for (const TCSVDelimiters Delim : {csvComma, csvSemicolon, csvTab, csvSpace, csvPipe}) {
    TRLData A(nullptr), B(nullptr);
    A.SetNrOfColumns(1 + static_cast<int>(Rng() % 4));
    A.SetNrOfRows(1 + static_cast<int>(Rng() % 20));
    for (int C = 1; C <= A.NrOfColumns(); ++C) {
      String Name(1, u'N');
      Name += IntToStr(C);
      Name += kPool[Rng() % 12];
      A.SetHeader(C, Name);
      for (int R = 1; R <= A.NrOfRows(); ++R) {
        String T;
        for (unsigned K = Rng() % 7; K > 0; --K) T += kPool[Rng() % 12];
        A.SetElem(C, R, T);
      }
    }
    A.SetColumnCheckMode(1, cmBox);
    A.SetElemChecked(1, 1, true);  // marks are not exported
    ASSERT_EQ(A.ExportCSV(Path, Delim, true, false, 1, 1, A.NrOfColumns(), A.NrOfRows()), A.NrOfRows());
    ASSERT_EQ(B.ImportCSV(Path, Delim, true), A.NrOfRows()) << static_cast<int>(Delim);
    ASSERT_EQ(B.NrOfColumns(), A.NrOfColumns());
    for (int C = 1; C <= A.NrOfColumns(); ++C) {
      EXPECT_EQ(B.Header(C), A.Header(C));
      for (int R = 1; R <= A.NrOfRows(); ++R) EXPECT_EQ(B.Elem(C, R), A.Elem(C, R)) << C << "," << R;
    }
  }
  // A column of empty cells keeps its rows.
  TRLData E(nullptr), F(nullptr);
  E.SetNrOfRows(3);
  ASSERT_EQ(E.ExportCSV(Path, csvComma, false, false, 1, 1, 1, 3), 3);
  EXPECT_EQ(F.ImportCSV(Path, csvComma, false), 3);
  fs::remove(ToUtf8(Path));
}

TEST(RLCsvWrite, RectangleHeadersAndFailures) {
  TRLData D(nullptr);
  D.SetNrOfColumns(3);
  D.SetNrOfRows(3);
  D.SetCommonHeader(u"Two\nlines");
  for (int C = 1; C <= 3; ++C)
    for (int R = 1; R <= 3; ++R) D.SetElem(C, R, IntToStr(C * 10 + R));
  std::string Bytes;
  EXPECT_EQ(ExportCSVBytes(D, Bytes, csvComma, true, true, 2, 2, 9, 9), 2);
  EXPECT_EQ(Bytes, "\"Two\nlines\"\r\nC-2,C-3\r\n22,32\r\n23,33\r\n");
  EXPECT_EQ(ExportCSVBytes(D, Bytes, csvComma, false, false, 4, 1, 9, 3), rlxInvalidRange);

  const String Path = TempPath("keep.csv");
  WriteBytes(Path, "previous");
  EXPECT_EQ(D.ExportCSV(TempPath("no_folder/x.csv"), csvComma, false, false, 1, 1, 3, 3), rlxWriteError);
  EXPECT_EQ(D.ExportCSV(u"/dev/full", csvComma, false, false, 1, 1, 3, 3), rlxWriteError);
  EXPECT_EQ(D.ExportCSV(u"/", csvComma, false, false, 1, 1, 3, 3), rlxWriteError);
  EXPECT_EQ(ReadBytes(Path), "previous");
  fs::remove(ToUtf8(Path));
}

TEST(RLLines, LinesGoIntoOneColumnAndAddRows) {
  TRLData D(nullptr);
  D.SetNrOfColumns(2);
  D.SetNrOfRows(2);
  D.SetColumnCheckMode(2, cmBox);
  D.SetElemChecked(2, 2, true);
  const String Path = TempPath("lines.txt");
  WriteBytes(Path, "one\r\ntwo\n\nfour\n");
  EXPECT_EQ(D.LoadLinesFromFile(2, 2, Path), 4);
  EXPECT_EQ(D.NrOfRows(), 5);
  EXPECT_EQ(D.Elem(2, 2), u"one");
  EXPECT_TRUE(D.ElemChecked(2, 2));  // the mark stays
  EXPECT_EQ(D.Elem(2, 3), u"two");
  EXPECT_EQ(D.Elem(2, 4), u"");
  EXPECT_EQ(D.Elem(2, 5), u"four");
  EXPECT_EQ(D.LoadLinesFromFile(3, 1, Path), rlxInvalidRange);
  EXPECT_EQ(D.LoadLinesFromFile(1, 0, Path), rlxInvalidRange);
  EXPECT_EQ(D.LoadLinesFromFile(1, 1, TempPath("none.txt")), rlxOpenError);
  WriteBytes(Path, "");
  EXPECT_EQ(D.LoadLinesFromFile(0, 1, Path), 0);
  EXPECT_EQ(D.NrOfRows(), 5);
  fs::remove(ToUtf8(Path));
}

TEST(RLHtml, EscapedTableWithClassesAndEvent) {
  TRLData D(nullptr);
  D.SetNrOfColumns(3);
  D.SetNrOfRows(2);
  D.SetHeader(1, u"A&B");
  D.SetHeader(3, u"<C>");
  D.SetElem(1, 1, u"x<y & \"z\"");
  D.SetElem(3, 2, u"bell\x07");
  D.SetColumnCheckMode(2, cmBox);
  D.SetElemChecked(2, 1, true);
  std::vector<std::pair<int, int>> Calls;
  D.SetOnBeforeHTMLExport([&](TObject* Sender, String& Text, int Col, int Row) {
    EXPECT_EQ(Sender, &D);
    Calls.emplace_back(Col, Row);
    if (Col == 3 && Row == 1) Text = u"replaced";
  });
  const std::vector<int> Selection = {3, 1, 7};
  const std::string Html =
      HTMLTableText(D, 1, 1, 3, 2, Selection, 1, 2, 3, true, u"hd", u"cl", u"tb");
  EXPECT_EQ(Html.rfind("<!DOCTYPE html>", 0), 0u);
  EXPECT_NE(Html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(Html.find("<table class=\"tb\" border=\"1\" cellspacing=\"2\" cellpadding=\"3\">"), std::string::npos);
  EXPECT_NE(Html.find("<tr><th class=\"hd\">&lt;C&gt;</th><th class=\"hd\">A&amp;B</th></tr>"), std::string::npos);
  EXPECT_NE(Html.find("<tr><td class=\"cl\">replaced</td><td class=\"cl\">x&lt;y &amp; &quot;z&quot;</td></tr>"),
            std::string::npos);
  EXPECT_NE(Html.find("bell\xEF\xBF\xBD"), std::string::npos);  // no raw control characters
  EXPECT_EQ((std::vector<std::pair<int, int>>{{3, 1}, {1, 1}, {3, 2}, {1, 2}}), Calls);

  const std::string Plain = HTMLTableText(D, 2, 1, 2, 1, {}, 0, 0, 0, false, u"", u"", u"");
  EXPECT_NE(Plain.find("<table border=\"0\" cellspacing=\"0\" cellpadding=\"0\">\n<tr><td></td></tr>"),
            std::string::npos);  // no classes, no header, no check mark

  const String Path = TempPath("t.html");
  D.ExportHTMLTable(Path, 1, 1, 3, 2, {}, 1, 0, 0, true, u"", u"", u"");
  EXPECT_NE(ReadBytes(Path).find("</table>"), std::string::npos);
  EXPECT_THROW(D.ExportHTMLTable(TempPath("none/t.html"), 1, 1, 3, 2, {}, 1, 0, 0, true, u"", u"", u""),
               Exception);
  EXPECT_NE(ReadBytes(Path).find("</table>"), std::string::npos);
  fs::remove(ToUtf8(Path));
}

}  // namespace
}  // namespace orv
