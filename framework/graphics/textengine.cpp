#include "framework/graphics/textengine.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_SIZES_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <map>
#include <tuple>

#include "framework/graphics/fontmatch.h"

namespace orv {

namespace {

// The FreeType library and every face opened so far. It lives until the
// process ends: instances held by static objects may be released during
// static destruction, after anything with a destructor of its own is gone.
class TFaceStore {
 public:
  static TFaceStore& Get() {
    static TFaceStore* Store = new TFaceStore;
    return *Store;
  }

  // The opened face, or nullptr when the file cannot be read.
  FT_Face Face(const std::string& Path, int Index) {
    if (!FLibrary || Path.empty()) return nullptr;
    auto Key = std::make_pair(Path, Index);
    if (auto It = FFaces.find(Key); It != FFaces.end()) return It->second;
    FT_Face Face = nullptr;
    if (FT_New_Face(FLibrary, Path.c_str(), Index, &Face) != 0) Face = nullptr;
    if (Face && !FT_IS_SCALABLE(Face)) {
      FT_Done_Face(Face);
      Face = nullptr;
    }
    if (Face) FT_Select_Charmap(Face, FT_ENCODING_UNICODE);
    FFaces.emplace(std::move(Key), Face);
    return Face;
  }

 private:
  TFaceStore() {
    if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
  }
  FT_Library FLibrary = nullptr;
  std::map<std::pair<std::string, int>, FT_Face> FFaces;
};

constexpr int NormalAngle(int Angle) {
  const int A = Angle % 3600;
  return A < 0 ? A + 3600 : A;
}

// Sine and cosine of an angle in tenths of a degree, exact at the quarter turns
// so upright and sideways text lands on whole pixels.
void SinCos(int Tenths, double& Sin, double& Cos) {
  switch (NormalAngle(Tenths)) {
    case 0: Sin = 0; Cos = 1; return;
    case 900: Sin = 1; Cos = 0; return;
    case 1800: Sin = 0; Cos = -1; return;
    case 2700: Sin = -1; Cos = 0; return;
    default: {
      const double Rad = NormalAngle(Tenths) * 3.14159265358979323846 / 1800.0;
      Sin = std::sin(Rad);
      Cos = std::cos(Rad);
    }
  }
}

// Rounds halves to even. Positions far beyond any surface are pinned at
// +-2^30 so the conversion to int stays defined; they draw nothing either way.
int RoundHalfEven(double V) {
  constexpr double Limit = 1 << 30;
  if (!(V > -Limit)) return -(1 << 30);
  if (V > Limit) return 1 << 30;
  return static_cast<int>(std::nearbyint(V));
}

// Widths saturate instead of overflowing on absurdly long strings.
int Saturate(long long V) { return static_cast<int>(std::clamp<long long>(V, 0, INT_MAX)); }

char32_t NextCodePoint(std::u16string_view Text, size_t& I) {
  const char16_t C = Text[I];
  if (C >= 0xD800 && C <= 0xDBFF && I + 1 < Text.size()) {
    const char16_t D = Text[I + 1];
    if (D >= 0xDC00 && D <= 0xDFFF) {
      ++I;
      return 0x10000 + ((static_cast<char32_t>(C) - 0xD800) << 10) + (D - 0xDC00);
    }
  }
  if (C >= 0xD800 && C <= 0xDFFF) return 0xFFFD;
  return C;
}

}  // namespace

struct TFontInstance::TImpl {
  TFaceLocation Location;
  FT_Face Face = nullptr;
  FT_Size Size = nullptr;
  int32_t LoadFlags = 0;
  FT_Matrix Rotation{0x10000, 0, 0, 0x10000};
  bool Rotated = false;
  FT_Pos BoldStrength = 0;  // 26.6 pixels the outline grows by when bold is synthesised
  int BoldExtra = 0;        // whole pixels it adds to every advance

  ~TImpl() {
    if (Size) FT_Done_Size(Size);
  }
  bool Activate() const { return Face && Size && FT_Activate_Size(Size) == 0; }
};

namespace {

// Sets up the FreeType size of Impl for Request and returns the line metrics.
// The cell is the face's Windows ascent and descent (falling back to the
// horizontal header), scaled to the em.
TTextMetrics SetUpSize(TFontInstance::TImpl& Impl, const TFontRequest& Request) {
  TTextMetrics M;
  const bool CellHeight = Request.Height > 0;
  const long long Asked = Request.Height == 0 ? DefaultFontPixels : std::llabs(static_cast<long long>(Request.Height));
  const int Pixels = static_cast<int>(std::clamp<long long>(Asked, 1, MaxFontPixels));
  FT_Face Face = Impl.Face;
  double UnitsPerEm = 2048, AscentUnits = 1901, DescentUnits = 483;
  double UnderlinePos = -175, UnderlineSize = 90, StrikePos = 530, StrikeSize = 102;
  if (Face) {
    UnitsPerEm = Face->units_per_EM > 0 ? Face->units_per_EM : 2048;
    AscentUnits = Face->ascender;
    DescentUnits = -Face->descender;
    UnderlinePos = Face->underline_position;
    UnderlineSize = Face->underline_thickness;
    StrikePos = UnitsPerEm * 0.26;
    StrikeSize = UnderlineSize;
    if (auto* Os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(Face, FT_SFNT_OS2)); Os2 && Os2->version != 0xFFFF) {
      if (Os2->usWinAscent + Os2->usWinDescent > 0) {
        AscentUnits = Os2->usWinAscent;
        DescentUnits = Os2->usWinDescent;
      }
      if (Os2->yStrikeoutSize > 0) {
        StrikePos = Os2->yStrikeoutPosition;
        StrikeSize = Os2->yStrikeoutSize;
      }
    }
  }
  if (AscentUnits + DescentUnits <= 0) {
    AscentUnits = UnitsPerEm * 0.8;
    DescentUnits = UnitsPerEm * 0.2;
  }
  const double CellUnits = AscentUnits + DescentUnits;
  double Em = 0;
  if (CellHeight) {
    M.Height = Pixels;
    M.Ascent = RoundHalfEven(Pixels * AscentUnits / CellUnits);
    M.Descent = M.Height - M.Ascent;
    Em = Pixels * UnitsPerEm / CellUnits;
  } else {
    Em = Pixels;
    M.Ascent = RoundHalfEven(Em * AscentUnits / UnitsPerEm);
    M.Descent = RoundHalfEven(Em * DescentUnits / UnitsPerEm);
    M.Height = M.Ascent + M.Descent;
  }
  M.EmHeight = RoundHalfEven(Em);
  M.InternalLeading = std::max(0, M.Height - M.EmHeight);

  const double Scale = Em / UnitsPerEm;
  M.UnderlineThickness = std::max(1, RoundHalfEven(UnderlineSize * Scale));
  // The face gives the centre of the stroke; keep it below the baseline and inside the cell.
  M.UnderlineTop = RoundHalfEven(-UnderlinePos * Scale - M.UnderlineThickness / 2.0);
  M.UnderlineTop = std::clamp(M.UnderlineTop, 1, std::max(1, M.Descent - M.UnderlineThickness));
  M.StrikeOutThickness = std::max(1, RoundHalfEven(StrikeSize * Scale));
  M.StrikeOutTop = -RoundHalfEven(StrikePos * Scale);

  if (Face && FT_New_Size(Face, &Impl.Size) == 0) {
    if (FT_Activate_Size(Impl.Size) != 0 ||
        FT_Set_Char_Size(Face, 0, static_cast<FT_F26Dot6>(std::lround(Em * 64)), 72, 72) != 0) {
      FT_Done_Size(Impl.Size);
      Impl.Size = nullptr;
    }
  }
  if (Impl.Location.SyntheticBold) {
    Impl.BoldStrength = std::max<FT_Pos>(16, static_cast<FT_Pos>(std::lround(Em * 64 / 24)));
    Impl.BoldExtra = std::max(1, static_cast<int>((Impl.BoldStrength + 32) >> 6));
  }
  return M;
}

}  // namespace

TFontInstance::TFontInstance(const TFontRequest& Request, std::unique_ptr<TImpl> Impl)
    : FRequest(Request), FImpl(std::move(Impl)) {
  FMetrics = SetUpSize(*FImpl, FRequest);
  FImpl->LoadFlags = FT_LOAD_NO_BITMAP | (FRequest.Monochrome ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL);
  double Sin = 0, Cos = 1;
  SinCos(FRequest.Angle, Sin, Cos);
  FAlong = TPointF{Cos, -Sin};
  FDown = TPointF{Sin, Cos};
  FImpl->Rotated = NormalAngle(FRequest.Angle) != 0;
  // FreeType's Y axis points up, so a counter-clockwise turn on screen is the
  // plain mathematical rotation there.
  FImpl->Rotation = FT_Matrix{static_cast<FT_Fixed>(std::lround(Cos * 0x10000)),
                              static_cast<FT_Fixed>(std::lround(-Sin * 0x10000)),
                              static_cast<FT_Fixed>(std::lround(Sin * 0x10000)),
                              static_cast<FT_Fixed>(std::lround(Cos * 0x10000))};
}

TFontInstance::~TFontInstance() = default;

const std::string& TFontInstance::FamilyName() const { return FImpl->Location.Family; }
const std::string& TFontInstance::FilePath() const { return FImpl->Location.Path; }
bool TFontInstance::SyntheticBold() const { return FImpl->Location.SyntheticBold; }
bool TFontInstance::SyntheticItalic() const { return FImpl->Location.SyntheticItalic; }

TGlyphEntry& TFontInstance::Load(char32_t CodePoint) {
  if (TGlyphEntry* Found = FCache.Find(CodePoint)) return *Found;
  TGlyphEntry Entry;
  if (FImpl->Activate()) {
    FT_Face Face = FImpl->Face;
    Entry.GlyphIndex = FT_Get_Char_Index(Face, CodePoint);
    if (FT_Load_Glyph(Face, Entry.GlyphIndex, FImpl->LoadFlags) == 0)
      Entry.Advance = static_cast<int>((Face->glyph->advance.x + 32) >> 6) + FImpl->BoldExtra;
  }
  return FCache.Store(CodePoint, std::move(Entry));
}

const TGlyphImage& TFontInstance::Image(TGlyphEntry& Entry) {
  if (Entry.Rendered) return Entry.Image;
  Entry.Rendered = true;
  if (!FImpl->Activate() || FT_Load_Glyph(FImpl->Face, Entry.GlyphIndex, FImpl->LoadFlags) != 0) return Entry.Image;
  FT_GlyphSlot Slot = FImpl->Face->glyph;
  if (Slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (FImpl->BoldStrength > 0) FT_Outline_Embolden(&Slot->outline, FImpl->BoldStrength);
    if (FImpl->Location.SyntheticItalic) {
      FT_Matrix Shear{0x10000, 0x0366A, 0, 0x10000};  // about 12 degrees of slant
      FT_Outline_Transform(&Slot->outline, &Shear);
    }
    if (FImpl->Rotated) FT_Outline_Transform(&Slot->outline, &FImpl->Rotation);
  }
  const bool Mono = FRequest.Monochrome;
  if (FT_Render_Glyph(Slot, Mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return Entry.Image;
  const FT_Bitmap& Bitmap = Slot->bitmap;
  TGlyphImage& Img = Entry.Image;
  Img.Left = Slot->bitmap_left;
  Img.Top = Slot->bitmap_top;
  Img.Width = static_cast<int>(Bitmap.width);
  Img.Height = static_cast<int>(Bitmap.rows);
  Img.Coverage.assign(static_cast<size_t>(Img.Width) * Img.Height, 0);
  Img.TwoLevel = Bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
  for (int Y = 0; Y < Img.Height; ++Y) {
    const unsigned char* Row = Bitmap.buffer + static_cast<ptrdiff_t>(Y) * Bitmap.pitch;
    uint8_t* Out = Img.Coverage.data() + static_cast<size_t>(Y) * Img.Width;
    if (Bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
      for (int X = 0; X < Img.Width; ++X) Out[X] = (Row[X >> 3] & (0x80 >> (X & 7))) ? 255 : 0;
    } else if (Bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      const int Levels = Bitmap.num_grays > 1 ? Bitmap.num_grays - 1 : 255;
      for (int X = 0; X < Img.Width; ++X) Out[X] = static_cast<uint8_t>(Row[X] * 255 / Levels);
    }
  }
  return Img;
}

int TFontInstance::Advance(char32_t CodePoint) { return Load(CodePoint).Advance; }

int TFontInstance::TextWidth(std::u16string_view Text) {
  long long Width = 0;
  for (size_t I = 0; I < Text.size(); ++I) {
    const char16_t C = Text[I];
    if (C < 256) {
      const int A = FCache.LowAdvance(C);
      Width += A >= 0 ? A : Load(C).Advance;
    } else {
      Width += Load(NextCodePoint(Text, I)).Advance;
    }
  }
  return Saturate(Width);
}

std::array<TPointF, 4> TFontInstance::CellCorners(int X, int Y, int Width) const {
  const double H = FMetrics.Height;
  auto At = [&](double U, double V) {
    return TPointF{X + U * FAlong.X + V * FDown.X, Y + U * FAlong.Y + V * FDown.Y};
  };
  return {At(0, 0), At(Width, 0), At(Width, H), At(0, H)};
}

void TFontInstance::DrawLine(const TPixelSurface& Surface, const TRect& Clip, TPointF Origin, int Width, int Top,
                             int Thickness, uint32_t Rgb) const {
  auto At = [&](double U, double V) {
    return TPointF{Origin.X + U * FAlong.X + V * FDown.X, Origin.Y + U * FAlong.Y + V * FDown.Y};
  };
  const std::array<TPointF, 4> Box{At(0, Top), At(Width, Top), At(Width, Top + Thickness), At(0, Top + Thickness)};
  FillConvexPolygon(Surface, Clip, Box, Rgb);
}

void TFontInstance::Draw(const TPixelSurface& Surface, const TRect& Clip, int X, int Y, std::u16string_view Text,
                         uint32_t Rgb, bool Underline, bool StrikeOut) {
  if (Text.empty() || ClipToSurface(Surface, Clip).IsEmpty()) return;
  // The baseline starts one ascent "down" from the cell's top-left corner.
  const TPointF Origin{X + FMetrics.Ascent * FDown.X, Y + FMetrics.Ascent * FDown.Y};
  const TRect Box = ClipToSurface(Surface, Clip);
  const bool Upright = FAlong.X == 1 && FAlong.Y == 0;
  long long Pen = 0;
  for (size_t I = 0; I < Text.size(); ++I) {
    TGlyphEntry& Entry = Load(NextCodePoint(Text, I));
    const int PenX = RoundHalfEven(Origin.X + Pen * FAlong.X);
    const int PenY = RoundHalfEven(Origin.Y + Pen * FAlong.Y);
    // Upright text that has run past the clip cannot come back into it.
    if (Upright && PenX - FMetrics.Height > Box.Right) break;
    BlendGlyph(Surface, Clip, PenX, PenY, Image(Entry), Rgb);
    Pen += Entry.Advance;
  }
  if (!Underline && !StrikeOut) return;
  const int Width = TextWidth(Text);
  if (Underline) DrawLine(Surface, Clip, Origin, Width, FMetrics.UnderlineTop, FMetrics.UnderlineThickness, Rgb);
  if (StrikeOut) DrawLine(Surface, Clip, Origin, Width, FMetrics.StrikeOutTop, FMetrics.StrikeOutThickness, Rgb);
}

namespace {

using TInstanceKey = std::tuple<std::string, int, int, int, bool, bool, bool>;

struct TInstanceCache {
  std::map<TInstanceKey, std::shared_ptr<TFontInstance>> Instances;
  TFontRequest LastRequest;
  std::shared_ptr<TFontInstance> Last;
};

TInstanceCache& Instances() {
  static TInstanceCache* Cache = new TInstanceCache;  // see TFaceStore
  return *Cache;
}

constexpr size_t InstanceLimit = 64;

}  // namespace

std::shared_ptr<TFontInstance> AcquireFont(const TFontRequest& Request) {
  TInstanceCache& Cache = Instances();
  if (Cache.Last && Cache.LastRequest == Request) return Cache.Last;

  const TFaceLocation& Location = MatchFontFace(Request.Name, Request.Bold, Request.Italic);
  TInstanceKey Key{Location.Path,           Location.Index,   Request.Height, NormalAngle(Request.Angle),
                   Request.Monochrome,         Location.SyntheticBold, Location.SyntheticItalic};
  std::shared_ptr<TFontInstance> Result;
  if (auto It = Cache.Instances.find(Key); It != Cache.Instances.end()) {
    Result = It->second;
  } else {
    if (Cache.Instances.size() >= InstanceLimit) TrimFontCache();
    auto Impl = std::make_unique<TFontInstance::TImpl>();
    Impl->Location = Location;
    Impl->Face = TFaceStore::Get().Face(Location.Path, Location.Index);
    TFontRequest Normal = Request;
    Normal.Angle = NormalAngle(Request.Angle);
    Result = std::make_shared<TFontInstance>(Normal, std::move(Impl));
    Cache.Instances.emplace(std::move(Key), Result);
  }
  Cache.LastRequest = Request;
  Cache.Last = Result;
  return Result;
}

void TrimFontCache() {
  TInstanceCache& Cache = Instances();
  for (auto It = Cache.Instances.begin(); It != Cache.Instances.end();) {
    const long Holders = It->second.use_count() - (It->second == Cache.Last ? 1 : 0);
    if (Holders <= 1)
      It = Cache.Instances.erase(It);
    else
      ++It;
  }
}

}  // namespace orv
