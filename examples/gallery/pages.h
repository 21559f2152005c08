#pragma once
// Gallery pages: each component family shows itself on a form of its own.
// A page registers itself from its own source file under pages/, so adding a
// component to the gallery touches no shared file:
//
//   ORV_GALLERY_PAGE(meter, u"Meter", [] { return new TMeterPage(nullptr); },
//                    [](orv::TForm* Page) { /* drive it for a second snapshot */ });
//
// The main form gets a button per page that opens it; `gallery --snapshot`
// writes <name>.png of each page, and <name>-driven.png after Drive.

#include <functional>
#include <vector>

#include "framework/forms/form.h"

namespace gallery {

struct TGalleryPage {
  const char* Name;                          // snapshot file stem
  const char16_t* Title;                     // caption of the button that opens it
  std::function<orv::TForm*()> Create;       // a new page form, owned by the caller
  std::function<void(orv::TForm*)> Drive;    // optional: acts on a shown page
};

// Every registered page, ordered by name.
const std::vector<TGalleryPage>& GalleryPages();

struct TGalleryPageRegistrar {
  TGalleryPageRegistrar(const char* Name, const char16_t* Title, std::function<orv::TForm*()> Create,
                        std::function<void(orv::TForm*)> Drive = {});
};

}  // namespace gallery

#define ORV_GALLERY_PAGE_CAT2(A, B) A##B
#define ORV_GALLERY_PAGE_CAT(A, B) ORV_GALLERY_PAGE_CAT2(A, B)
#define ORV_GALLERY_PAGE(NAME, TITLE, ...)                              \
  static const ::gallery::TGalleryPageRegistrar ORV_GALLERY_PAGE_CAT(   \
      GalleryPageRegistrar_, NAME){#NAME, TITLE, __VA_ARGS__}
