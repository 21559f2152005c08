// Windows of the SDL2 backend: one per shown form, with a renderer and a
// streaming texture of the form's size that receives the surface's changed
// rectangles.
#include <SDL.h>

#include <algorithm>
#include <string>

#include "framework/backends/sdl2/sdl2backend.h"
#include "framework/forms/form.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/unicode.h"

namespace orv {

namespace {

int WindowPosition(TPosition Position, int Designed) {
  switch (Position) {
    case poScreenCenter:
    case poDesktopCenter:
    case poMainFormCenter:
    case poOwnerFormCenter: return static_cast<int>(SDL_WINDOWPOS_CENTERED);
    case poDefault:
    case poDefaultPosOnly: return static_cast<int>(SDL_WINDOWPOS_UNDEFINED);
    default: return Designed;
  }
}

uint32_t WindowFlags(TFormBorderStyle Border) {
  uint32_t Flags = SDL_WINDOW_SHOWN;
  switch (Border) {
    case bsNone: Flags |= SDL_WINDOW_BORDERLESS; break;
    case bsSizeable:
    case bsSizeToolWin: Flags |= SDL_WINDOW_RESIZABLE; break;
    default: break;
  }
  if (Border == bsToolWindow || Border == bsSizeToolWin) Flags |= SDL_WINDOW_UTILITY;
  return Flags;
}

SDL_SystemCursor SystemCursor(TCursor Cursor) {
  switch (Cursor) {
    case crIBeam: return SDL_SYSTEM_CURSOR_IBEAM;
    case crCross: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case crSizeNESW: return SDL_SYSTEM_CURSOR_SIZENESW;
    case crSizeNS:
    case crVSplit: return SDL_SYSTEM_CURSOR_SIZENS;
    case crSizeNWSE: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case crSizeWE:
    case crHSplit: return SDL_SYSTEM_CURSOR_SIZEWE;
    case crSizeAll: return SDL_SYSTEM_CURSOR_SIZEALL;
    case crHourGlass:
    case crSQLWait: return SDL_SYSTEM_CURSOR_WAIT;
    case crAppStart: return SDL_SYSTEM_CURSOR_WAITARROW;
    case crNo:
    case crNoDrop: return SDL_SYSTEM_CURSOR_NO;
    case crHandPoint: return SDL_SYSTEM_CURSOR_HAND;
    default: return SDL_SYSTEM_CURSOR_ARROW;
  }
}

}  // namespace

void TSdl2Backend::CreateFormWindow(TCustomForm* Form) {
  if (!Form || FWindows.contains(Form)) return;
  TFormWindow W;
  W.Caption = Form->Caption();
  const std::string Title = ToUtf8(W.Caption);
  W.Window = SDL_CreateWindow(Title.c_str(), WindowPosition(Form->Position(), Form->Left()),
                              WindowPosition(Form->Position(), Form->Top()), std::max(Form->Width(), 1),
                              std::max(Form->Height(), 1), WindowFlags(Form->BorderStyle()));
  if (!W.Window) throw Exception(u"Cannot create a window: " + FromUtf8(SDL_GetError()));
  W.Renderer = SDL_CreateRenderer(W.Window, -1, 0);
  // Without a working accelerated driver, SDL's software renderer still
  // shows the surface.
  if (!W.Renderer) W.Renderer = SDL_CreateRenderer(W.Window, -1, SDL_RENDERER_SOFTWARE);
  if (!W.Renderer) {
    const String Error = FromUtf8(SDL_GetError());
    DestroyWindow(W);
    throw Exception(u"Cannot create a window: " + Error);
  }
  FWindows.emplace(Form, W);
}

void TSdl2Backend::DestroyWindow(TFormWindow& W) {
  if (W.Texture) SDL_DestroyTexture(W.Texture);
  if (W.Renderer) SDL_DestroyRenderer(W.Renderer);
  if (W.Window) SDL_DestroyWindow(W.Window);
  W = TFormWindow{};
}

void TSdl2Backend::DestroyFormWindow(TCustomForm* Form) {
  for (TModalFrame& F : FModalStack) {
    if (F.Form == Form) F.WindowGone = true;
  }
  auto It = FWindows.find(Form);
  if (It == FWindows.end()) return;
  DestroyWindow(It->second);
  FWindows.erase(It);
}

void TSdl2Backend::SetFormCaption(TCustomForm* Form, const String& Caption) {
  auto It = FWindows.find(Form);
  if (It == FWindows.end()) return;
  It->second.Caption = Caption;
  SDL_SetWindowTitle(It->second.Window, ToUtf8(Caption).c_str());
}

void TSdl2Backend::SyncCaption(TCustomForm* Form, TFormWindow& W) {
  if (Form->Caption() != W.Caption) SetFormCaption(Form, Form->Caption());
}

void TSdl2Backend::ShowFrame(TFormWindow& W) {
  SDL_SetRenderDrawColor(W.Renderer, 0, 0, 0, 255);
  SDL_RenderClear(W.Renderer);
  if (W.Texture) {
    const SDL_Rect Whole{0, 0, W.TextureWidth, W.TextureHeight};
    SDL_RenderCopy(W.Renderer, W.Texture, nullptr, &Whole);
  }
  SDL_RenderPresent(W.Renderer);
  W.FrameDue = false;
}

void TSdl2Backend::ShowDueFrames() {
  for (auto& [Form, W] : FWindows) {
    if (W.FrameDue) ShowFrame(W);
  }
}

void TSdl2Backend::Present(TCustomForm* Form, const TRect& Rect) {
  auto It = FWindows.find(Form);
  if (It == FWindows.end()) return;
  TFormWindow& W = It->second;
  SyncCaption(Form, W);
  TBitmap* Surface = Form->Surface();
  const int Width = Surface->Width();
  const int Height = Surface->Height();
  if (Width <= 0 || Height <= 0) return;
  TRect R = Rect;
  if (!W.Texture || W.TextureWidth != Width || W.TextureHeight != Height) {
    // The form changed size: a new texture, the window follows, and the
    // whole surface goes up.
    if (W.Texture) SDL_DestroyTexture(W.Texture);
    W.Texture = SDL_CreateTexture(W.Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, Width, Height);
    if (!W.Texture) throw Exception(u"Cannot create a window surface: " + FromUtf8(SDL_GetError()));
    W.TextureWidth = Width;
    W.TextureHeight = Height;
    int WindowWidth = 0;
    int WindowHeight = 0;
    SDL_GetWindowSize(W.Window, &WindowWidth, &WindowHeight);
    if (WindowWidth != Width || WindowHeight != Height) SDL_SetWindowSize(W.Window, Width, Height);
    R = TRect{0, 0, Width, Height};
  }
  R = TRect{std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, Width), std::min(R.Bottom, Height)};
  if (R.Left >= R.Right || R.Top >= R.Bottom) return;
  // Surface pixels are 0x00RRGGBB words, which ARGB8888 reads as opaque
  // colours (the renderer ignores alpha without blending).
  const SDL_Rect Area{R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top};
  SDL_UpdateTexture(W.Texture, &Area, Surface->ScanLine(R.Top) + R.Left, Width * static_cast<int>(sizeof(uint32_t)));
  W.FrameDue = true;
}

uint32_t TSdl2Backend::WindowID(TCustomForm* Form) const {
  auto It = FWindows.find(Form);
  return It == FWindows.end() ? 0 : SDL_GetWindowID(It->second.Window);
}

TCustomForm* TSdl2Backend::FormOfWindow(uint32_t WindowID) const {
  if (WindowID == 0) return nullptr;
  for (const auto& [Form, W] : FWindows) {
    if (SDL_GetWindowID(W.Window) == WindowID) return Form;
  }
  return nullptr;
}

bool TSdl2Backend::ReadFramePixel(TCustomForm* Form, int X, int Y, uint32_t& RGB) {
  auto It = FWindows.find(Form);
  if (It == FWindows.end()) return false;
  TFormWindow& W = It->second;
  if (!W.Texture || X < 0 || Y < 0 || X >= W.TextureWidth || Y >= W.TextureHeight) return false;
  // Draws the frame again into the back buffer (whose content after a
  // present is undefined) and reads the pixel from there.
  SDL_RenderClear(W.Renderer);
  const SDL_Rect Whole{0, 0, W.TextureWidth, W.TextureHeight};
  SDL_RenderCopy(W.Renderer, W.Texture, nullptr, &Whole);
  const SDL_Rect One{X, Y, 1, 1};
  uint32_t Pixel = 0;
  if (SDL_RenderReadPixels(W.Renderer, &One, SDL_PIXELFORMAT_ARGB8888, &Pixel, sizeof(Pixel)) != 0) return false;
  RGB = Pixel & 0x00FFFFFFu;
  return true;
}

void TSdl2Backend::SetCursor(TCursor Cursor) {
  FCursor = Cursor;
  if (Cursor == crNone) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  SDL_ShowCursor(SDL_ENABLE);
  const SDL_SystemCursor Shape = SystemCursor(Cursor);
  SDL_Cursor*& C = FCursors[static_cast<int>(Shape)];
  if (!C) C = SDL_CreateSystemCursor(Shape);
  if (C) SDL_SetCursor(C);
}

TSize TSdl2Backend::ScreenSize() const {
  SDL_DisplayMode Mode;
  if (SDL_GetDesktopDisplayMode(0, &Mode) != 0) return TSize{0, 0};
  return TSize{Mode.w, Mode.h};
}

}  // namespace orv
