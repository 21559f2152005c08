#include "foldertree/foldertree.h"

#include <filesystem>
#include <system_error>

#include "foldertree/folderpaths.h"
#include "foundation/strhelpers.h"
#include "framework/controls/application.h"
#include "framework/controls/screen.h"

namespace orv {

namespace fs = std::filesystem;
using foldertree::FileSystemPath;
using foldertree::PathComponents;

TFolderTree::TFolderTree(TComponent* AOwner) : TCustomTreeView(AOwner) {
  SetMultiSelect(false);
  SetReadOnly(true);
  SetDoubleBuffered(true);
  SetOnExpanding([this](TObject*, TTreeNode* Node, bool&) {
    if (ComponentState().Contains(csDesigning)) return;
    const TCursor Old = Screen ? Screen->Cursor() : crDefault;
    if (Screen) Screen->SetCursor(crHourGlass);
    LoadNode(Node);
    if (Screen) Screen->SetCursor(Old);
  });
  ApplyColor();
  Reset();
}

TFolderTree::~TFolderTree() = default;

void TFolderTree::SetColor(TColor Value) {
  FColorBak = Value;
  ApplyColor();
}

void TFolderTree::ApplyColor() { TControl::SetColor(Enabled() ? FColorBak : clBtnFace); }

void TFolderTree::SetEnabled(bool Value) {
  TControl::SetColor(Value ? FColorBak : clBtnFace);
  TCustomTreeView::SetEnabled(Value);
}

void TFolderTree::Loaded() {
  TCustomTreeView::Loaded();
  if (FColorBak == clBlack) FColorBak = clWhite;
  ApplyColor();
  FullCollapse();
}

String TFolderTree::NodePath(const TTreeNode* Node) const {
  String Path;
  for (const TTreeNode* N = Node; N; N = N->Parent()) Path = EnsureTrailingBkSlash(N->Text()) + Path;
  return Path;
}

void TFolderTree::SetDirectory(const String& Value) {
  if (Value == FDirectory) return;
  FDirectory = Value;
  if (FOnDirChange) FOnDirChange(this);
}

void TFolderTree::BuildTree() {
  Items()->BeginUpdate();
  Items()->Clear();
  TTreeNode* Root = Items()->AddChild(nullptr, foldertree::kRootPath);
  Items()->AddChild(Root, kPlaceholder);
  Items()->EndUpdate();
}

void TFolderTree::LoadNode(TTreeNode* Node) {
  if (!Node || Node->Data() == kLoadedMarker) return;
  std::vector<foldertree::TSubFolder> Folders;
  foldertree::ReadSubFolders(FileSystemPath(NodePath(Node)), Folders);
  Items()->BeginUpdate();
  Node->DeleteChildren();
  if (!Folders.empty()) {
    Node->SetData(kLoadedMarker);
    for (const auto& F : Folders) {
      TTreeNode* Child = Items()->AddChild(Node, F.Name);
      if (F.HasSubFolders) Items()->AddChild(Child, kPlaceholder);
    }
  }
  Items()->EndUpdate();
}

void TFolderTree::Reset() {
  BuildTree();
  FullCollapse();
  SetDirectory(foldertree::kRootPath);
}

void TFolderTree::Change(TTreeNode* Node) {
  Click();
  const String Old = FDirectory;
  if (Node) FDirectory = NodePath(Node);
  TCustomTreeView::Change(Node);
  if (FDirectory != Old && FOnDirChange) FOnDirChange(this);
}

bool TFolderTree::SelectPath(const String& Path) {
  const fs::path Target = FileSystemPath(Path);
  std::error_code Ec;
  if (!fs::is_directory(Target, Ec) || Ec) return false;
  BuildTree();
  TTreeNode* Node = Items()->GetFirstNode();
  Node->Expand(false);
  // Down one level per component, matching names exactly: two folders that
  // differ only in letter case are two folders here.
  for (const String& Part : PathComponents(Path)) {
    TTreeNode* Match = nullptr;
    for (TTreeNode* C = Node->GetFirstChild(); C && !Match; C = C->GetNextSibling())
      if (C->Text() == Part) Match = C;
    if (!Match) break;  // not shown in the tree (a hidden folder): select where the path left it
    Node = Match;
    Node->Expand(false);
  }
  SetSelected(Node);
  if (CanFocus()) SetFocus();
  return true;
}

bool TFolderTree::RefreshTree() {
  String Dir = FDirectory;
  while (!Dir.empty()) {
    if (SelectPath(Dir)) return true;
    const String Up = ParentDir(Dir);
    if (Up == Dir) break;
    Dir = Up;
  }
  return false;
}

bool TFolderTree::MakeSubFolder(const String& FolderName) {
  TTreeNode* Node = Selected();
  if (!Node) return false;
  for (Char C : FolderName)
    if (C <= 31 || C == u'"' || C == u'<' || C == u'>' || C == u'|') return false;
  const std::vector<String> Parts = PathComponents(FolderName);
  if (Parts.empty()) return false;
  // Every level must stay inside the selected folder.
  for (const String& P : Parts)
    if (P == u"." || P == u"..") return false;
  String Path = NodePath(Node);
  for (const String& P : Parts) Path += P + u"\\";
  std::error_code Ec;
  fs::create_directories(FileSystemPath(Path), Ec);
  if (Ec || !fs::is_directory(FileSystemPath(Path), Ec)) return false;
  return SelectPath(Path);
}

bool TFolderTree::RemoveSelectedFolder() {
  TTreeNode* Node = Selected();
  if (!Node || !Node->Parent()) return false;
  const String ParentPath = NodePath(Node->Parent());
  const fs::path Folder = FileSystemPath(NodePath(Node));
  std::error_code Ec;
  // Only a real folder: a link is not followed to whatever it points at.
  if (!fs::is_directory(fs::symlink_status(Folder, Ec)) || Ec) return false;
  // remove() takes an empty folder only; one with contents stays.
  if (!fs::remove(Folder, Ec) || Ec) return false;
  if (Application) Application->ProcessMessages();
  SelectPath(ParentPath);
  return true;
}

bool TFolderTree::GetSubDirs(const String& Path, std::vector<String>& DirList) {
  DirList.clear();
  std::vector<foldertree::TSubFolder> Folders;
  if (!foldertree::ReadSubFolders(FileSystemPath(Path), Folders)) return false;
  for (auto& F : Folders) DirList.push_back(std::move(F.Name));
  return !DirList.empty();
}

bool TFolderTree::GetSubDirs(TTreeNode* Node, std::vector<String>& DirList) {
  return GetSubDirs(NodePath(Node), DirList);
}

}  // namespace orv
