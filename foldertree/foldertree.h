#pragma once
// TFolderTree: a tree view that browses folders. It shows folders only,
// reads a folder's subfolders when its node is first expanded, keeps the
// selected folder's path in Directory and creates, removes and selects
// folders by path. Paths are in the drive-letter form ("C:\data\x\"), where
// "C:\" is the root "/" (see folderpaths.h).

#include <vector>

#include "framework/controls/treeview.h"
#include "framework/graphics/colors.h"

namespace orv {

class TFolderTree : public TCustomTreeView {
 public:
  // The marker a node carries in Data once its subfolders are loaded.
  static constexpr uintptr_t kLoadedMarker = 0xA5F016ED;
  // The text of the one placeholder child of a node not loaded yet.
  static constexpr char16_t kPlaceholder[] = u"Child";

  explicit TFolderTree(TComponent* AOwner);
  ~TFolderTree() override;

  // The selected folder, with a trailing backslash; the root after Reset.
  const String& Directory() const { return FDirectory; }
  bool OldTreeStyle() const { return FUseOldStyle; }
  void SetOldTreeStyle(bool Value) { FUseOldStyle = Value; }
  // The colour set by the user; a disabled tree shows clBtnFace instead.
  TColor Color() const { return FColorBak; }
  void SetColor(TColor Value);
  void SetEnabled(bool Value) override;

  // Back to the root, the tree rebuilt and collapsed.
  void Reset();
  // Selects the folder Path names (exactly: letter case counts), loading
  // the folders on the way; false when there is no such folder.
  bool SelectPath(const String& Path);
  // Selects Directory again, or its nearest existing ancestor.
  bool RefreshTree();
  // Creates FolderName (it may hold several levels, "a/b") under the
  // selected folder and selects it. Refused: control characters, the
  // characters " < > |, and "." or ".." levels that would leave the folder.
  bool MakeSubFolder(const String& FolderName);
  // Removes the selected folder when it is empty and not the root, then
  // selects its parent. A link is never followed: only a real folder goes.
  bool RemoveSelectedFolder();
  // The sorted visible subfolder names of a folder; false when it has none
  // (or does not exist).
  bool GetSubDirs(const String& Path, std::vector<String>& DirList);
  bool GetSubDirs(TTreeNode* Node, std::vector<String>& DirList);
  // The drive-letter path of a node, with a trailing backslash.
  String NodePath(const TTreeNode* Node) const;

  TNotifyEvent OnDirChanged() const { return FOnDirChange; }
  void SetOnDirChanged(TNotifyEvent Value) { FOnDirChange = std::move(Value); }

  void Loaded() override;

 protected:
  void Change(TTreeNode* Node) override;

 private:
  void BuildTree();
  // Reads Node's subfolders unless it carries the loaded marker.
  void LoadNode(TTreeNode* Node);
  void SetDirectory(const String& Value);
  void ApplyColor();

  String FDirectory;
  bool FUseOldStyle = true;
  TColor FColorBak = clWindow;
  TNotifyEvent FOnDirChange;
};

}  // namespace orv
