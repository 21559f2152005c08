#include "examples/gallery/pages.h"

#include <algorithm>
#include <cstring>

namespace gallery {

namespace {
// Built on first use, so registrars in other files may run in any order.
std::vector<TGalleryPage>& Registry() {
  static std::vector<TGalleryPage> Pages;
  return Pages;
}
}  // namespace

const std::vector<TGalleryPage>& GalleryPages() { return Registry(); }

TGalleryPageRegistrar::TGalleryPageRegistrar(const char* Name, const char16_t* Title,
                                             std::function<orv::TForm*()> Create,
                                             std::function<void(orv::TForm*)> Drive) {
  TGalleryPage Page{Name, Title, std::move(Create), std::move(Drive)};
  auto& Pages = Registry();
  const auto At = std::lower_bound(Pages.begin(), Pages.end(), Page, [](const TGalleryPage& A, const TGalleryPage& B) {
    return std::strcmp(A.Name, B.Name) < 0;
  });
  Pages.insert(At, std::move(Page));
}

}  // namespace gallery
