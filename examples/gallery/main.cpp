// The orvkit gallery: the main form, and a page form per further component.
//
//   gallery                 a window when a display is there, otherwise
//                           PNG snapshots in out/gallery/
//   gallery --snapshot DIR  PNG snapshots in DIR, no display needed
//   gallery --frame         start, paint the main form once off screen and
//                           exit, writing nothing: a start-up measurement
//   gallery --load-window-module
//                           load the window backend module and exit: 0 when
//                           every symbol it needs is there
//
// The paths of the snapshots written are printed, one a line.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "examples/gallery/galleryform.h"
#include "examples/gallery/pages.h"
#include "framework/backends/headless/headless.h"
#include "framework/controls/application.h"
#include "framework/controls/sim.h"
#include "framework/rtl/unicode.h"
#ifdef ORV_GALLERY_SDL2
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace {

using gallery::TGalleryForm;

// Clicks the speed button of Form with that caption.
void ClickButton(TGalleryForm* Form, const orv::String& Caption) {
  for (int I = 0; I < Form->ControlCount(); ++I) {
    orv::TControl* C = Form->Controls(I);
    if (dynamic_cast<orv::TSpeedButton*>(C) && C->Caption() == Caption) {
      orv::sim::Click(C, 5, 5);
      return;
    }
  }
}

// Writes one PNG per form state worth showing and prints the paths.
int WriteSnapshots(const std::filesystem::path& Dir) {
  std::error_code Ec;
  std::filesystem::create_directories(Dir, Ec);
  if (Ec) {
    std::fprintf(stderr, "gallery: cannot create %s: %s\n", Dir.string().c_str(), Ec.message().c_str());
    return 1;
  }
  auto Form = std::make_unique<TGalleryForm>(nullptr);
  Form->Show();
  std::vector<std::filesystem::path> Written;
  const auto Snap = [&](const char* Name) {
    const std::filesystem::path P = Dir / Name;
    orv::SnapshotForm(Form.get(), orv::FromUtf8(P.string()));
    Written.push_back(P);
  };
  Snap("gallery.png");
  // The same form after a second and a half on the held + button.
  orv::sim::MouseDown(Form->UpButton(), orv::mbLeft, orv::TShiftState{}, 10, 10);
  orv::Application->AdvanceTime(1500);
  Snap("gallery-held.png");
  orv::sim::MouseUp(Form->UpButton(), orv::mbLeft, orv::TShiftState{}, 10, 10);
  // A number typed into the value box, and the gradient switched about.
  orv::TNumIO* Box = Form->ValueBox();
  Box->SelectAll();
  orv::sim::TypeText(Box, u"1234");
  for (const char16_t* Caption : {u"Mid band V", u"Colours", u"Grid", u"Grid", u"Green"}) ClickButton(Form.get(), Caption);
  Snap("gallery-switched.png");
  Form.reset();
  // Every further page on its own, and once more after it has been driven.
  for (const gallery::TGalleryPage& Page : gallery::GalleryPages()) {
    std::unique_ptr<orv::TForm> PageForm(Page.Create());
    PageForm->Show();
    const std::string Stem = Page.Name;
    const std::filesystem::path P = Dir / (Stem + ".png");
    orv::SnapshotForm(PageForm.get(), orv::FromUtf8(P.string()));
    Written.push_back(P);
    if (Page.Drive) {
      Page.Drive(PageForm.get());
      const std::filesystem::path Q = Dir / (Stem + "-driven.png");
      orv::SnapshotForm(PageForm.get(), orv::FromUtf8(Q.string()));
      Written.push_back(Q);
    }
  }
  for (const auto& P : Written) std::printf("%s\n", P.string().c_str());
  return 0;
}

// The main form painted once into its surface, as the first frame of a run.
int PaintFirstFrame() {
  auto Form = std::make_unique<TGalleryForm>(nullptr);
  Form->Show();
  Form->PaintPending();
  return 0;
}

#ifdef ORV_GALLERY_SDL2
// The window backend module next to the executable, loaded with all its
// symbols bound at once; nullptr, with the reason in Error, when it cannot be.
void* LoadWindowModule(std::string& Error) {
  std::error_code Ec;
  const std::filesystem::path Exe = std::filesystem::read_symlink("/proc/self/exe", Ec);
  const std::string Path = ((Ec ? std::filesystem::path(".") : Exe.parent_path()) / "gallery_sdl2.so").string();
  void* Module = dlopen(Path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (Module == nullptr) {
    const char* Why = dlerror();
    Error = Why ? Why : Path;
  }
  return Module;
}

int RunWindow() {
  std::string Error;
  void* Module = LoadWindowModule(Error);
  using TUse = const char* (*)();
  auto Use = Module ? reinterpret_cast<TUse>(dlsym(Module, "orv_gallery_use_sdl2")) : nullptr;
  if (Module && !Use) Error = "the window module has no entry point";
  if (Use) {
    const char* Why = Use();
    if (Why) Error = Why;
  }
  if (!Error.empty()) {
    std::fprintf(stderr, "gallery: no window (%s); writing snapshots instead\n", Error.c_str());
    return WriteSnapshots("out/gallery");
  }
  auto* Form = new TGalleryForm(nullptr);
  orv::Application->SetMainForm(Form);
  Form->Show();
  orv::Application->Run();
  delete Form;
  // The module stays loaded: the backend it made lives on in the application.
  return 0;
}
#endif

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc >= 2 && std::strcmp(argv[1], "--snapshot") == 0) {
      if (argc != 3) {
        std::fprintf(stderr, "usage: gallery [--snapshot DIR | --frame]\n");
        return 2;
      }
      return WriteSnapshots(argv[2]);
    }
    if (argc == 2 && std::strcmp(argv[1], "--frame") == 0) return PaintFirstFrame();
#ifdef ORV_GALLERY_SDL2
    if (argc == 2 && std::strcmp(argv[1], "--load-window-module") == 0) {
      std::string Error;
      if (LoadWindowModule(Error)) return 0;
      std::fprintf(stderr, "gallery: %s\n", Error.c_str());
      return 1;
    }
#endif
    if (argc != 1) {
      std::fprintf(stderr, "usage: gallery [--snapshot DIR | --frame]\n");
      return 2;
    }
#ifdef ORV_GALLERY_SDL2
    const char* Display = std::getenv("DISPLAY");
    if (Display && *Display) return RunWindow();
#endif
    return WriteSnapshots("out/gallery");
  } catch (const std::exception& E) {
    std::fprintf(stderr, "gallery: %s\n", E.what());
    return 1;
  }
}
