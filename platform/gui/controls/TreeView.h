#pragma once
// TCustomTreeView: a windowed control over a tree view window. Its nodes (TTreeNodes of TTreeNode) are
// the control's own and mirrored into the window while it has one; the window decides expansion and
// selection and the control asks and tells through its events: OnChanging/OnChange around a new
// selection (from code too), OnExpanding/OnExpanded and OnCollapsing/OnCollapsed around the user's and
// the code's expanding and collapsing, OnDeletion for every deleted node (children before their parent).
// Pictures come from Images: ImageIndex normally, SelectedIndex while the node is selected. TTreeView
// publishes it; the nodes are filled at run time and not stored.

#include "platform/gui/controls/StdCtrlTypes.h"
#include "platform/gui/core/Form.h"
#include "platform/gui/core/WinControl.h"
#include "platform/gui/graphics/ImageList.h"
#include "platform/wintypes/TreeViewMessages.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace gui {

class TCustomTreeView;
class TTreeNodes;

class TTreeNode : public classes::TPersistent {
public:
    explicit TTreeNode(TTreeNodes* owner);
    ~TTreeNode() override;

    // Text, pictures, data and children of another node (its subtree is copied).
    void Assign(const classes::TPersistent* source) override;

    const std::string& Text() const { return text_; }
    void SetText(const std::string& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int value);
    // The picture of StateImages shown before the node's own (-1 or 0: none).
    int StateIndex() const { return stateIndex_; }
    void SetStateIndex(int value);
    void* Data() const { return data_; }
    void SetData(void* value) { data_ = value; }
    bool Expanded() const;
    // Asks OnExpanding / OnCollapsing first and tells OnExpanded / OnCollapsed afterwards.
    void SetExpanded(bool value);
    bool Selected() const;
    void SetSelected(bool value);
    // Whether a button shows: set, or while it has children.
    bool HasChildren() const;
    void SetHasChildren(bool value);

    TTreeNode* Parent() const { return parent_; }
    int Count() const { return int(children_.size()); }
    // EListError "List index out of bounds (%d)" for a bad index.
    TTreeNode* Item(int index) const;
    int Level() const;
    int Index() const;
    // Depth-first position in the whole tree.
    int AbsoluteIndex() const;
    TTreeNode* GetNext() const;
    TTreeNode* GetPrev() const;
    TTreeNode* getFirstChild() const;
    TTreeNode* GetLastChild() const;
    TTreeNode* getNextSibling() const;
    TTreeNode* getPrevSibling() const;
    TTreeNode* GetNextVisible() const;
    bool IsVisible() const;

    void Expand(bool recurse);
    void Collapse(bool recurse);
    // Frees the node and its children (OnDeletion for each).
    void Delete();
    void DeleteChildren();
    // Expands its ancestors and scrolls it into view.
    void MakeVisible();
    // The node's row, or its label with textOnly; empty when not shown.
    win::RECT DisplayRect(bool textOnly) const;

    TTreeNodes* Owner() const { return owner_; }
    TCustomTreeView* TreeView() const;
    win::HTREEITEM ItemId() const { return itemId_; }

private:
    friend class TTreeNodes;
    friend class TCustomTreeView;
    const std::vector<TTreeNode*>& Siblings() const;
    void UpdateItem(win::UINT mask);

    TTreeNodes* owner_;
    TTreeNode* parent_ = nullptr;
    std::vector<TTreeNode*> children_;
    win::HTREEITEM itemId_ = nullptr;
    std::string text_;
    int imageIndex_ = 0;
    int selectedIndex_ = 0;
    int stateIndex_ = -1;
    void* data_ = nullptr;
    bool expanded_ = false;     // while there is no window
    bool hasChildren_ = false;  // set explicitly
    bool deleting_ = false;
};

class TTreeNodes : public classes::TPersistent {
public:
    explicit TTreeNodes(TCustomTreeView* owner);
    ~TTreeNodes() override;

    // The nodes of another list (or of another tree view's).
    void Assign(const classes::TPersistent* source) override;

    // A last sibling of `sibling` (null: a last root node).
    TTreeNode* Add(TTreeNode* sibling, const std::string& s);
    TTreeNode* AddObject(TTreeNode* sibling, const std::string& s, void* data);
    TTreeNode* AddFirst(TTreeNode* sibling, const std::string& s);
    TTreeNode* AddChild(TTreeNode* parent, const std::string& s);
    TTreeNode* AddChildObject(TTreeNode* parent, const std::string& s, void* data);
    TTreeNode* AddChildFirst(TTreeNode* parent, const std::string& s);
    // Just before `sibling` (null: a last root node).
    TTreeNode* Insert(TTreeNode* sibling, const std::string& s);
    void Delete(TTreeNode* node);
    void Clear();
    // Redrawing waits until the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();

    TTreeNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front(); }
    int Count() const;
    // In depth-first order; EListError "List index out of bounds (%d)" for a bad index.
    TTreeNode* Item(int index) const;
    TCustomTreeView* Owner() const { return owner_; }

private:
    friend class TTreeNode;
    friend class TCustomTreeView;
    TTreeNode* AddAt(TTreeNode* parent, std::size_t place, const std::string& s, void* data);
    std::vector<TTreeNode*>& ListOf(TTreeNode* parent) { return parent ? parent->children_ : roots_; }
    // Frees the node object after its children, firing OnDeletion (no window involved).
    void Forget(TTreeNode* node, bool notify);

    TCustomTreeView* owner_;
    std::vector<TTreeNode*> roots_;
    int updateCount_ = 0;
};

using TTVChangedEvent = rtl::Method<void(classes::TObject* sender, TTreeNode* node)>;
using TTVChangingEvent = rtl::Method<void(classes::TObject* sender, TTreeNode* node, bool& allowChange)>;
using TTVExpandingEvent = rtl::Method<void(classes::TObject* sender, TTreeNode* node, bool& allowExpansion)>;
using TTVCollapsingEvent = rtl::Method<void(classes::TObject* sender, TTreeNode* node, bool& allowCollapse)>;
using TTVExpandedEvent = rtl::Method<void(classes::TObject* sender, TTreeNode* node)>;
using TTVCompareEvent = rtl::Method<void(classes::TObject* sender, TTreeNode* node1, TTreeNode* node2, int data, int& compare)>;

// How siblings are kept in order: by OnCompare when assigned, else by text, by data, or by both.
enum TSortType { stNone, stData, stText, stBoth };
// Where a point lies relative to the nodes (GetHitTestInfoAt).
enum THitTest { htAbove, htBelow, htNowhere, htOnItem, htOnButton, htOnIcon, htOnIndent, htOnLabel, htOnRight, htOnStateIcon,
                htToLeft, htToRight };
using THitTests = std::uint16_t;  // bit 1 << THitTest

const classes::TTypeInfo& SortTypeType();

class TCustomTreeView : public TWinControl {
public:
    explicit TCustomTreeView(classes::TComponent* owner);
    ~TCustomTreeView() override;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }

    TTreeNodes* Items() const { return items_.get(); }
    void SetItems(TTreeNodes* value) { items_->Assign(value); }
    TTreeNode* Selected() const;
    void SetSelected(TTreeNode* value);
    TTreeNode* TopItem() const;
    void SetTopItem(TTreeNode* value);
    void FullExpand();
    void FullCollapse();
    // The node at a client point, or null.
    TTreeNode* GetNodeAt(int x, int y) const;
    THitTests GetHitTestInfoAt(int x, int y) const;
    // Orders the nodes as SortType (or OnCompare) says, all levels with recurse.
    void AlphaSort(bool recurse = true);

    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* value);
    TCustomImageList* StateImages() const { return stateImages_; }
    void SetStateImages(TCustomImageList* value);
    TSortType SortType() const { return sortType_; }
    // Sorts at once (and every node added later) unless stNone.
    void SetSortType(TSortType value);
    bool ShowButtons() const { return showButtons_; }
    void SetShowButtons(bool value) { SetStyleFlag(showButtons_, value); }
    bool ShowLines() const { return showLines_; }
    void SetShowLines(bool value) { SetStyleFlag(showLines_, value); }
    bool ShowRoot() const { return showRoot_; }
    void SetShowRoot(bool value) { SetStyleFlag(showRoot_, value); }
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool value) { SetStyleFlag(hideSelection_, value); }
    // A node the user selects expands, and the one left collapses.
    bool AutoExpand() const { return autoExpand_; }
    void SetAutoExpand(bool value) { SetStyleFlag(autoExpand_, value); }
    int Indent() const;
    void SetIndent(int value);
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);

    TTVChangedEvent OnChange;
    TTVChangingEvent OnChanging;
    TTVExpandingEvent OnExpanding;
    TTVExpandedEvent OnExpanded;
    TTVCollapsingEvent OnCollapsing;
    TTVExpandedEvent OnCollapsed;
    TTVExpandedEvent OnDeletion;
    TTVCompareEvent OnCompare;
    // Asked each time a node's picture is drawn; the handler may set the node's ImageIndex (SelectedIndex).
    TTVExpandedEvent OnGetImageIndex;
    TTVExpandedEvent OnGetSelectedIndex;

    void Dispatch(win::TMessage& message) override;
    void WndProc(win::TMessage& message) override;

    // The node of a window item; null for items of no node (deleted ones among them).
    TTreeNode* NodeFromItem(win::HTREEITEM item) const;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Notification(classes::TComponent* component, classes::TOperation operation) override;

    virtual bool CanChange(TTreeNode* node);
    virtual void Change(TTreeNode* node);
    virtual bool CanExpand(TTreeNode* node);
    virtual void Expand(TTreeNode* node);
    virtual bool CanCollapse(TTreeNode* node);
    virtual void Collapse(TTreeNode* node);
    virtual void Delete(TTreeNode* node);
    virtual void GetImageIndex(TTreeNode* node);
    virtual void GetSelectedIndex(TTreeNode* node);

private:
    friend class TTreeNode;
    friend class TTreeNodes;
    void SetStyleFlag(bool& flag, bool value);
    void ImageListChange(classes::TObject* sender);
    void SetImageList(TCustomImageList*& slot, TCustomImageList* value);
    // Orders the children of parent (the roots for null) in the control and the window.
    void SortChildren(TTreeNode* parent, bool recurse);
    int Compare(TTreeNode* a, TTreeNode* b);
    void ApplyColors();
    void InsertItems(TTreeNode* parent);
    // The window is going: its state stays with the nodes.
    void KeepWindowState();
    void ItemDeleted(win::HTREEITEM item);
    win::LRESULT Notify(const win::NMHDR& header);
    win::LRESULT Send(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) const;

    std::unique_ptr<TTreeNodes> items_;
    std::unordered_map<win::HTREEITEM, TTreeNode*> byItem_;
    TChangeLink imageLink_;
    TChangeLink stateLink_;
    TCustomImageList* images_ = nullptr;
    TCustomImageList* stateImages_ = nullptr;
    TSortType sortType_ = stNone;
    TTreeNode* savedSelected_ = nullptr;  // while there is no window
    bool showButtons_ = true;
    bool showLines_ = true;
    bool showRoot_ = true;
    bool readOnly_ = false;
    bool hideSelection_ = true;
    bool autoExpand_ = false;
    int indent_ = 19;
    TFormBorderStyle borderStyle_ = bsSingle;
    bool windowGoing_ = false;
    bool restoring_ = false;
};

class TTreeView : public TCustomTreeView {
public:
    using TCustomTreeView::TCustomTreeView;

    static const classes::TClassInfo& StaticClass();
    const classes::TClassInfo& ClassType() const override { return StaticClass(); }
};

}  // namespace gui
