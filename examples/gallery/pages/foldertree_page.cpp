// The folder tree: browse the file system; the label follows the selection.
#include "examples/gallery/pages.h"
#include "foldertree/foldertree.h"
#include "framework/controls/label.h"
#include "framework/controls/speedbutton.h"
#include "framework/rtl/files.h"

namespace {

using namespace orv;

class TFolderTreePage : public TForm {
 public:
  TFolderTreePage() : TForm(nullptr) {
    SetCaption(u"Folder tree");
    SetBounds(0, 0, 420, 360);
    Tree = new TFolderTree(this);
    Tree->SetParent(this);
    Tree->SetBounds(12, 12, 396, 270);
    auto* Path = new TLabel(this);
    Path->SetParent(this);
    Path->SetBounds(12, 292, 396, 20);
    Tree->SetOnDirChanged([Tree = Tree, Path](TObject*) { Path->SetCaption(u"Directory: " + Tree->Directory()); });
    auto* Refresh = new TSpeedButton(this);
    Refresh->SetParent(this);
    Refresh->SetBounds(12, 320, 100, 26);
    Refresh->SetCaption(u"Refresh");
    Refresh->SetOnClick([Tree = Tree](TObject*) { Tree->RefreshTree(); });
    Tree->SelectPath(GetCurrentDir());
  }
  TFolderTree* Tree = nullptr;
};

}  // namespace

ORV_GALLERY_PAGE(foldertree, u"Folder tree", [] { return new TFolderTreePage(); },
                 [](TForm* Page) { static_cast<TFolderTreePage*>(Page)->Tree->SelectPath(u"C:\\usr\\share\\"); });
