#include "framework/graphics/fontmatch.h"

#include <fontconfig/fontconfig.h>

#include <cctype>
#include <map>
#include <mutex>
#include <tuple>

#include "framework/rtl/unicode.h"

namespace orv {

namespace {

bool SameAscii(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t I = 0; I < A.size(); ++I)
    if (std::tolower(static_cast<unsigned char>(A[I])) != std::tolower(static_cast<unsigned char>(B[I])))
      return false;
  return true;
}

// Families of the other desktop and the faces that stand in for them, best
// first. Liberation's faces share the advance widths of the originals, so
// layouts measured there keep their line breaks here.
struct TAlias {
  const char* Family;
  const char* StandIns[2];
};
constexpr TAlias Aliases[] = {
    {"Arial", {"Liberation Sans", "DejaVu Sans"}},
    {"Helvetica", {"Liberation Sans", "DejaVu Sans"}},
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Microsoft Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Courier New", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Courier", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Lucida Console", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Consolas", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Fixedsys", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
    {"Times", {"Liberation Serif", "DejaVu Serif"}},
    {"MS Serif", {"Liberation Serif", "DejaVu Serif"}},
    {"Georgia", {"Liberation Serif", "DejaVu Serif"}},
};

constexpr const char* LastResort = "DejaVu Sans";

class TFontConfig {
 public:
  TFontConfig() : FConfig(FcInitLoadConfigAndFonts()) {}
  ~TFontConfig() {
    if (FConfig) FcConfigDestroy(FConfig);
  }
  TFontConfig(const TFontConfig&) = delete;
  TFontConfig& operator=(const TFontConfig&) = delete;

  // The face fontconfig picks for Family; RequireFamily rejects a match whose
  // family names do not include Family (fontconfig always answers something).
  bool Match(const std::string& Family, bool Bold, bool Italic, bool RequireFamily, TFaceLocation& Out) {
    if (!FConfig) return false;
    FcPattern* Pattern = FcPatternCreate();
    if (!Pattern) return false;
    FcPatternAddString(Pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(Family.c_str()));
    FcPatternAddInteger(Pattern, FC_WEIGHT, Bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(Pattern, FC_SLANT, Italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(Pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(FConfig, Pattern, FcMatchPattern);
    FcDefaultSubstitute(Pattern);
    FcResult Result = FcResultNoMatch;
    FcPattern* Found = FcFontMatch(FConfig, Pattern, &Result);
    FcPatternDestroy(Pattern);
    if (!Found) return false;
    const bool Ok = Read(Found, Family, Bold, Italic, RequireFamily, Out);
    FcPatternDestroy(Found);
    return Ok;
  }

 private:
  static bool Read(FcPattern* Found, const std::string& Family, bool Bold, bool Italic, bool RequireFamily,
                   TFaceLocation& Out) {
    FcChar8* Text = nullptr;
    bool FamilyFound = false;
    std::string FirstFamily, MatchedFamily;
    for (int I = 0; FcPatternGetString(Found, FC_FAMILY, I, &Text) == FcResultMatch; ++I) {
      const std::string Name(reinterpret_cast<const char*>(Text));
      if (I == 0) FirstFamily = Name;
      if (!FamilyFound && SameAscii(Name, Family)) {
        FamilyFound = true;
        MatchedFamily = Name;
      }
    }
    if (RequireFamily && !FamilyFound) return false;
    if (FcPatternGetString(Found, FC_FILE, 0, &Text) != FcResultMatch) return false;
    Out.Path = reinterpret_cast<const char*>(Text);
    int Value = 0;
    Out.Index = FcPatternGetInteger(Found, FC_INDEX, 0, &Value) == FcResultMatch ? Value : 0;
    Out.Family = FamilyFound ? MatchedFamily : FirstFamily;
    int Weight = FC_WEIGHT_REGULAR;
    FcPatternGetInteger(Found, FC_WEIGHT, 0, &Weight);
    int Slant = FC_SLANT_ROMAN;
    FcPatternGetInteger(Found, FC_SLANT, 0, &Slant);
    // The configuration may already have marked the match for emboldening or
    // shearing (and then reports the asked-for weight or slant): the file
    // itself has no such face either way.
    FcBool Embolden = FcFalse;
    FcPatternGetBool(Found, FC_EMBOLDEN, 0, &Embolden);
    FcMatrix* Matrix = nullptr;
    const bool Sheared = FcPatternGetMatrix(Found, FC_MATRIX, 0, &Matrix) == FcResultMatch && Matrix &&
                         (Matrix->xy != 0 || Matrix->yx != 0);
    Out.SyntheticBold = Bold && (Embolden || Weight < FC_WEIGHT_DEMIBOLD);
    Out.SyntheticItalic = Italic && (Sheared || Slant == FC_SLANT_ROMAN);
    return true;
  }

  FcConfig* FConfig;
};

}  // namespace

std::vector<std::string> FontFamilyCandidates(const String& Name) {
  std::vector<std::string> Result;
  const std::string Utf8 = ToUtf8(Name);
  if (!Utf8.empty()) Result.push_back(Utf8);
  for (const TAlias& A : Aliases) {
    if (!SameAscii(A.Family, Utf8)) continue;
    for (const char* S : A.StandIns) Result.emplace_back(S);
  }
  if (Result.empty() || !SameAscii(Result.back(), LastResort)) Result.emplace_back(LastResort);
  return Result;
}

const TFaceLocation& MatchFontFace(const String& Name, bool Bold, bool Italic) {
  static std::mutex Lock;
  static TFontConfig Config;
  static std::map<std::tuple<String, bool, bool>, TFaceLocation> Cache;

  std::lock_guard<std::mutex> Guard(Lock);
  auto Key = std::make_tuple(Name, Bold, Italic);
  if (auto It = Cache.find(Key); It != Cache.end()) return It->second;

  TFaceLocation Location;
  bool Found = false;
  for (const std::string& Family : FontFamilyCandidates(Name)) {
    if (Config.Match(Family, Bold, Italic, true, Location)) {
      Found = true;
      break;
    }
  }
  // Not even DejaVu Sans: take whatever the machine's default sans face is.
  if (!Found && !Config.Match("sans-serif", Bold, Italic, false, Location)) Location = TFaceLocation{};
  return Cache.emplace(std::move(Key), std::move(Location)).first->second;
}

}  // namespace orv
