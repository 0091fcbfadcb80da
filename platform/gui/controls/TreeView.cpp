#include "platform/gui/controls/TreeView.h"

#include "platform/gui/core/Messages.h"
#include "platform/rtl/Collation.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/GuardedSort.h"
#include "platform/rtl/List.h"
#include "platform/win/MessageQueue.h"
#include "platform/win/Window.h"
#include "platform/wintypes/Messages.h"

#include <algorithm>

namespace gui {

namespace {

const classes::TTypeInfo& TreeChangedEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(classes::TObject*, TTreeNode*)>("TTVChangedEvent");
    return type;
}

const classes::TTypeInfo& TreeChangingEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(classes::TObject*, TTreeNode*, bool&)>("TTVChangingEvent");
    return type;
}

const classes::TTypeInfo& TreeExpandingEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(classes::TObject*, TTreeNode*, bool&)>("TTVExpandingEvent");
    return type;
}

const classes::TTypeInfo& TreeCollapsingEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(classes::TObject*, TTreeNode*, bool&)>("TTVCollapsingEvent");
    return type;
}

const classes::TTypeInfo& TreeCompareEventType()
{
    static const classes::TTypeInfo type =
            classes::MethodType<void(classes::TObject*, TTreeNode*, TTreeNode*, int, int&)>("TTVCompareEvent");
    return type;
}

win::UINT StateMask(int stateIndex)
{
    return stateIndex > 0 && stateIndex < 16 ? win::INDEXTOSTATEIMAGEMASK(win::UINT(stateIndex)) : 0;
}

const classes::TTypeInfo& TreeExpandedEventType()
{
    static const classes::TTypeInfo type = classes::MethodType<void(classes::TObject*, TTreeNode*)>("TTVExpandedEvent");
    return type;
}

}  // namespace

const classes::TTypeInfo& SortTypeType()
{
    static const classes::TTypeInfo type = classes::EnumType("TSortType", {"stNone", "stData", "stText", "stBoth"});
    return type;
}

// --- TTreeNode ---

TTreeNode::TTreeNode(TTreeNodes* owner) : owner_(owner) {}

TTreeNode::~TTreeNode() = default;

TCustomTreeView* TTreeNode::TreeView() const
{
    return owner_->Owner();
}

void TTreeNode::Assign(const classes::TPersistent* source)
{
    const auto* node = dynamic_cast<const TTreeNode*>(source);
    if (!node) {
        TPersistent::Assign(source);
        return;
    }
    SetText(node->text_);
    SetImageIndex(node->imageIndex_);
    SetSelectedIndex(node->selectedIndex_);
    SetStateIndex(node->stateIndex_);
    data_ = node->data_;
    if (node->hasChildren_) {
        SetHasChildren(true);
    }
    DeleteChildren();
    for (const TTreeNode* child : node->children_) {
        owner_->AddChild(this, child->text_)->Assign(child);
    }
}

void TTreeNode::UpdateItem(win::UINT mask)
{
    if (!itemId_) {
        return;
    }
    // The pictures are asked for as they are drawn (OnGetImageIndex may change them).
    win::TVITEM item;
    item.mask = mask | win::TVIF_HANDLE;
    item.hItem = itemId_;
    item.pszText = text_.data();
    item.iImage = win::I_IMAGECALLBACK;
    item.iSelectedImage = win::I_IMAGECALLBACK;
    item.state = StateMask(stateIndex_);
    item.stateMask = win::TVIS_STATEIMAGEMASK;
    TreeView()->Send(win::TVM_SETITEM, 0, reinterpret_cast<win::LPARAM>(&item));
}

void TTreeNode::SetText(const std::string& value)
{
    text_ = value;
    UpdateItem(win::TVIF_TEXT);
    if (TreeView()->sortType_ != stNone && !deleting_) {
        TreeView()->SortChildren(parent_, false);
    }
}

void TTreeNode::SetStateIndex(int value)
{
    stateIndex_ = value;
    UpdateItem(win::TVIF_STATE);
}

// A handler of OnGetImageIndex sets these while the tree draws: only a change draws again.
void TTreeNode::SetImageIndex(int value)
{
    if (value != imageIndex_) {
        imageIndex_ = value;
        UpdateItem(win::TVIF_IMAGE);
        TreeView()->Invalidate();
    }
}

void TTreeNode::SetSelectedIndex(int value)
{
    if (value != selectedIndex_) {
        selectedIndex_ = value;
        UpdateItem(win::TVIF_SELECTEDIMAGE);
        TreeView()->Invalidate();
    }
}

bool TTreeNode::HasChildren() const
{
    return hasChildren_ || !children_.empty();
}

void TTreeNode::SetHasChildren(bool value)
{
    hasChildren_ = value;
    if (itemId_) {
        win::TVITEM item;
        item.mask = win::TVIF_HANDLE | win::TVIF_CHILDREN;
        item.hItem = itemId_;
        item.cChildren = value || !children_.empty() ? 1 : 0;
        TreeView()->Send(win::TVM_SETITEM, 0, reinterpret_cast<win::LPARAM>(&item));
    }
}

bool TTreeNode::Expanded() const
{
    if (!itemId_) {
        return expanded_;
    }
    win::TVITEM item;
    item.mask = win::TVIF_HANDLE | win::TVIF_STATE;
    item.hItem = itemId_;
    item.stateMask = win::TVIS_EXPANDED;
    TreeView()->Send(win::TVM_GETITEM, 0, reinterpret_cast<win::LPARAM>(&item));
    return item.state & win::TVIS_EXPANDED;
}

void TTreeNode::SetExpanded(bool value)
{
    if (value) {
        Expand(false);
    } else {
        Collapse(false);
    }
}

void TTreeNode::Expand(bool recurse)
{
    TCustomTreeView* tree = TreeView();
    if (!Expanded() && HasChildren() && tree->CanExpand(this)) {
        if (itemId_) {
            tree->Send(win::TVM_EXPAND, win::TVE_EXPAND, reinterpret_cast<win::LPARAM>(itemId_));
        } else {
            expanded_ = true;
        }
        tree->Expand(this);
    }
    if (recurse) {
        const std::vector<TTreeNode*> children = children_;
        for (TTreeNode* child : children) {
            child->Expand(true);
        }
    }
}

void TTreeNode::Collapse(bool recurse)
{
    TCustomTreeView* tree = TreeView();
    if (Expanded() && tree->CanCollapse(this)) {
        if (itemId_) {
            tree->Send(win::TVM_EXPAND, win::TVE_COLLAPSE, reinterpret_cast<win::LPARAM>(itemId_));
        } else {
            expanded_ = false;
            // The selection cannot stay hidden inside a collapsed branch.
            for (TTreeNode* p = tree->savedSelected_ ? tree->savedSelected_->parent_ : nullptr; p; p = p->parent_) {
                if (p == this) {
                    tree->savedSelected_ = this;
                }
            }
        }
        tree->Collapse(this);
    }
    if (recurse) {
        const std::vector<TTreeNode*> children = children_;
        for (TTreeNode* child : children) {
            child->Collapse(true);
        }
    }
}

bool TTreeNode::Selected() const
{
    return TreeView()->Selected() == this;
}

void TTreeNode::SetSelected(bool value)
{
    TCustomTreeView* tree = TreeView();
    if (value) {
        tree->SetSelected(this);
    } else if (Selected()) {
        tree->SetSelected(nullptr);
    }
}

const std::vector<TTreeNode*>& TTreeNode::Siblings() const
{
    return parent_ ? parent_->children_ : owner_->roots_;
}

TTreeNode* TTreeNode::Item(int index) const
{
    rtl::CheckListIndex(index, Count());
    return children_[std::size_t(index)];
}

int TTreeNode::Level() const
{
    int level = 0;
    for (const TTreeNode* p = parent_; p; p = p->parent_) {
        ++level;
    }
    return level;
}

int TTreeNode::Index() const
{
    const auto& siblings = Siblings();
    return int(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

int TTreeNode::AbsoluteIndex() const
{
    int index = 0;
    for (const TTreeNode* node = owner_->GetFirstNode(); node && node != this; node = node->GetNext()) {
        ++index;
    }
    return index;
}

TTreeNode* TTreeNode::getFirstChild() const
{
    return children_.empty() ? nullptr : children_.front();
}

TTreeNode* TTreeNode::GetLastChild() const
{
    return children_.empty() ? nullptr : children_.back();
}

TTreeNode* TTreeNode::getNextSibling() const
{
    const auto& siblings = Siblings();
    const int index = Index();
    return index + 1 < int(siblings.size()) ? siblings[std::size_t(index + 1)] : nullptr;
}

TTreeNode* TTreeNode::getPrevSibling() const
{
    const int index = Index();
    return index > 0 ? Siblings()[std::size_t(index - 1)] : nullptr;
}

TTreeNode* TTreeNode::GetNext() const
{
    if (!children_.empty()) {
        return children_.front();
    }
    for (const TTreeNode* node = this; node; node = node->parent_) {
        if (TTreeNode* next = node->getNextSibling()) {
            return next;
        }
    }
    return nullptr;
}

TTreeNode* TTreeNode::GetPrev() const
{
    TTreeNode* node = getPrevSibling();
    if (!node) {
        return parent_;
    }
    while (!node->children_.empty()) {
        node = node->children_.back();
    }
    return node;
}

bool TTreeNode::IsVisible() const
{
    for (const TTreeNode* p = parent_; p; p = p->parent_) {
        if (!p->Expanded()) {
            return false;
        }
    }
    return true;
}

TTreeNode* TTreeNode::GetNextVisible() const
{
    if (!IsVisible()) {
        return nullptr;
    }
    if (!children_.empty() && Expanded()) {
        return children_.front();
    }
    for (const TTreeNode* node = this; node; node = node->parent_) {
        if (TTreeNode* next = node->getNextSibling()) {
            return next;
        }
    }
    return nullptr;
}

void TTreeNode::Delete()
{
    if (deleting_) {
        return;
    }
    if (itemId_) {
        // The window announces each deleted item, and the control frees its node then.
        TreeView()->Send(win::TVM_DELETEITEM, 0, reinterpret_cast<win::LPARAM>(itemId_));
    } else {
        owner_->Forget(this, true);
    }
}

void TTreeNode::DeleteChildren()
{
    while (!children_.empty()) {
        children_.back()->Delete();
    }
}

void TTreeNode::MakeVisible()
{
    if (itemId_) {
        TreeView()->Send(win::TVM_ENSUREVISIBLE, 0, reinterpret_cast<win::LPARAM>(itemId_));
        return;
    }
    for (TTreeNode* p = parent_; p; p = p->parent_) {
        p->expanded_ = true;
    }
}

win::RECT TTreeNode::DisplayRect(bool textOnly) const
{
    win::RECT rect{};
    if (itemId_) {
        *reinterpret_cast<win::HTREEITEM*>(&rect) = itemId_;
        if (!TreeView()->Send(win::TVM_GETITEMRECT, textOnly, reinterpret_cast<win::LPARAM>(&rect))) {
            rect = {};
        }
    }
    return rect;
}

// --- TTreeNodes ---

TTreeNodes::TTreeNodes(TCustomTreeView* owner) : owner_(owner) {}

TTreeNodes::~TTreeNodes()
{
    while (!roots_.empty()) {
        Forget(roots_.back(), false);
    }
}

void TTreeNodes::Assign(const classes::TPersistent* source)
{
    const auto* nodes = dynamic_cast<const TTreeNodes*>(source);
    if (!nodes) {
        TPersistent::Assign(source);
        return;
    }
    if (nodes == this) {
        return;
    }
    BeginUpdate();
    try {
        Clear();
        for (const TTreeNode* root : nodes->roots_) {
            Add(nullptr, root->text_)->Assign(root);
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TTreeNode* TTreeNodes::AddAt(TTreeNode* parent, std::size_t place, const std::string& s, void* data)
{
    auto& list = ListOf(parent);
    auto* node = new TTreeNode(this);
    node->parent_ = parent;
    node->text_ = s;
    node->data_ = data;
    list.insert(list.begin() + std::ptrdiff_t(std::min(place, list.size())), node);
    if (owner_->HandleAllocated() && (!parent || parent->itemId_)) {
        win::TVINSERTSTRUCT insert;
        insert.hParent = parent ? parent->itemId_ : win::TVI_ROOT;
        const int index = node->Index();
        insert.hInsertAfter = index == 0 ? win::TVI_FIRST : list[std::size_t(index - 1)]->itemId_;
        insert.item.mask = win::TVIF_TEXT | win::TVIF_IMAGE | win::TVIF_SELECTEDIMAGE | win::TVIF_PARAM;
        insert.item.pszText = node->text_.data();
        insert.item.iImage = win::I_IMAGECALLBACK;
        insert.item.iSelectedImage = win::I_IMAGECALLBACK;
        insert.item.lParam = reinterpret_cast<win::LPARAM>(node);
        node->itemId_ = reinterpret_cast<win::HTREEITEM>(
                owner_->Send(win::TVM_INSERTITEM, 0, reinterpret_cast<win::LPARAM>(&insert)));
        if (!node->itemId_) {
            list.erase(std::find(list.begin(), list.end(), node));
            delete node;
            throw rtl::EOutOfResources("Out of system resources");
        }
        owner_->byItem_[node->itemId_] = node;
    }
    if (owner_->sortType_ != stNone) {
        owner_->SortChildren(parent, false);
    }
    return node;
}

TTreeNode* TTreeNodes::Add(TTreeNode* sibling, const std::string& s)
{
    return AddObject(sibling, s, nullptr);
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* sibling, const std::string& s, void* data)
{
    TTreeNode* parent = sibling ? sibling->parent_ : nullptr;
    return AddAt(parent, ListOf(parent).size(), s, data);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* sibling, const std::string& s)
{
    return AddAt(sibling ? sibling->parent_ : nullptr, 0, s, nullptr);
}

TTreeNode* TTreeNodes::AddChild(TTreeNode* parent, const std::string& s)
{
    return AddChildObject(parent, s, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* parent, const std::string& s, void* data)
{
    return AddAt(parent, ListOf(parent).size(), s, data);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* parent, const std::string& s)
{
    return AddAt(parent, 0, s, nullptr);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* sibling, const std::string& s)
{
    if (!sibling) {
        return Add(nullptr, s);
    }
    return AddAt(sibling->parent_, std::size_t(sibling->Index()), s, nullptr);
}

void TTreeNodes::Delete(TTreeNode* node)
{
    if (node) {
        node->Delete();
    }
}

void TTreeNodes::Clear()
{
    BeginUpdate();
    try {
        while (!roots_.empty()) {
            roots_.back()->Delete();
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TTreeNodes::Forget(TTreeNode* node, bool notify)
{
    node->deleting_ = true;
    while (!node->children_.empty()) {
        Forget(node->children_.back(), notify);
    }
    if (owner_->savedSelected_ == node) {
        owner_->savedSelected_ = nullptr;
    }
    if (node->itemId_) {
        owner_->byItem_.erase(node->itemId_);
        node->itemId_ = nullptr;
    }
    auto& list = ListOf(node->parent_);
    list.erase(std::find(list.begin(), list.end(), node));
    const std::unique_ptr<TTreeNode> gone(node);
    if (notify) {
        owner_->Delete(node);
    }
}

void TTreeNodes::BeginUpdate()
{
    if (updateCount_++ == 0 && owner_->HandleAllocated()) {
        owner_->Send(win::WM_SETREDRAW, 0, 0);
    }
}

void TTreeNodes::EndUpdate()
{
    if (--updateCount_ == 0 && owner_->HandleAllocated()) {
        owner_->Send(win::WM_SETREDRAW, 1, 0);
        owner_->Invalidate();
    }
}

int TTreeNodes::Count() const
{
    int count = 0;
    for (const TTreeNode* node = GetFirstNode(); node; node = node->GetNext()) {
        ++count;
    }
    return count;
}

TTreeNode* TTreeNodes::Item(int index) const
{
    rtl::CheckListIndex(index, Count());
    TTreeNode* node = GetFirstNode();
    for (int i = 0; i < index; ++i) {
        node = node->GetNext();
    }
    return node;
}

// --- TCustomTreeView ---

TCustomTreeView::TCustomTreeView(classes::TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TTreeNodes>(this))
{
    SetControlStyle(csCaptureMouse | csDoubleClicks);
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    imageLink_.OnChange = classes::TNotifyEvent::Of<&TCustomTreeView::ImageListChange>(this);
    stateLink_.OnChange = classes::TNotifyEvent::Of<&TCustomTreeView::ImageListChange>(this);
}

TCustomTreeView::~TCustomTreeView()
{
    // The nodes go without OnDeletion: the owner of the handlers may be going too.
    items_.reset();
}

const classes::TClassInfo& TCustomTreeView::StaticClass()
{
    static const classes::TClassInfo info("TCustomTreeView", &TWinControl::StaticClass(), [](classes::TClassInfo& c) {
        classes::ClassBuilder<TCustomTreeView>(c)
            .Property("AutoExpand", &TCustomTreeView::AutoExpand, &TCustomTreeView::SetAutoExpand).Default(0)
            .Property("BorderStyle", BorderStyleType(), &TCustomTreeView::BorderStyle, &TCustomTreeView::SetBorderStyle)
            .Default(bsSingle)
            .Property("HideSelection", &TCustomTreeView::HideSelection, &TCustomTreeView::SetHideSelection).Default(1)
            .Property("Images", classes::ClassRefType<TCustomImageList>(), &TCustomTreeView::Images,
                      &TCustomTreeView::SetImages)
            .Property("Indent", &TCustomTreeView::Indent, &TCustomTreeView::SetIndent).Default(19)
            .Property("ReadOnly", &TCustomTreeView::ReadOnly, &TCustomTreeView::SetReadOnly).Default(0)
            .Property("ShowButtons", &TCustomTreeView::ShowButtons, &TCustomTreeView::SetShowButtons).Default(1)
            .Property("ShowLines", &TCustomTreeView::ShowLines, &TCustomTreeView::SetShowLines).Default(1)
            .Property("ShowRoot", &TCustomTreeView::ShowRoot, &TCustomTreeView::SetShowRoot).Default(1)
            .Property("SortType", SortTypeType(), &TCustomTreeView::SortType, &TCustomTreeView::SetSortType).Default(stNone)
            .Property("StateImages", classes::ClassRefType<TCustomImageList>(), &TCustomTreeView::StateImages,
                      &TCustomTreeView::SetStateImages)
            .Property("TabStop", &TCustomTreeView::TabStop, &TCustomTreeView::SetTabStop).Default(1)
            .Property("OnChange", TreeChangedEventType(), &TCustomTreeView::OnChange)
            .Property("OnChanging", TreeChangingEventType(), &TCustomTreeView::OnChanging)
            .Property("OnCollapsed", TreeExpandedEventType(), &TCustomTreeView::OnCollapsed)
            .Property("OnCollapsing", TreeCollapsingEventType(), &TCustomTreeView::OnCollapsing)
            .Property("OnCompare", TreeCompareEventType(), &TCustomTreeView::OnCompare)
            .Property("OnDeletion", TreeExpandedEventType(), &TCustomTreeView::OnDeletion)
            .Property("OnExpanded", TreeExpandedEventType(), &TCustomTreeView::OnExpanded)
            .Property("OnExpanding", TreeExpandingEventType(), &TCustomTreeView::OnExpanding)
            .Property("OnGetImageIndex", TreeExpandedEventType(), &TCustomTreeView::OnGetImageIndex)
            .Property("OnGetSelectedIndex", TreeExpandedEventType(), &TCustomTreeView::OnGetSelectedIndex)
            .Method<&TCustomTreeView::FullExpand>("FullExpand")
            .Method<&TCustomTreeView::FullCollapse>("FullCollapse");
    });
    return info;
}

const classes::TClassInfo& TTreeView::StaticClass()
{
    static const classes::TClassInfo info("TTreeView", &TCustomTreeView::StaticClass(),
                                          [](classes::TClassInfo& c) { classes::ClassBuilder<TTreeView>{c}; });
    return info;
}

win::LRESULT TCustomTreeView::Send(win::UINT message, win::WPARAM wParam, win::LPARAM lParam) const
{
    return win::SendMessage(const_cast<TCustomTreeView*>(this)->Handle(), message, wParam, lParam);
}

void TCustomTreeView::CreateParams(TCreateParams& params)
{
    TWinControl::CreateParams(params);
    CreateSubClass(params, win::WC_TREEVIEW);
    if (showButtons_) {
        params.style |= win::TVS_HASBUTTONS;
    }
    if (showLines_) {
        params.style |= win::TVS_HASLINES;
    }
    if (showRoot_) {
        params.style |= win::TVS_LINESATROOT;
    }
    if (!hideSelection_) {
        params.style |= win::TVS_SHOWSELALWAYS;
    }
    if (autoExpand_) {
        params.style |= win::TVS_SINGLEEXPAND;
    }
    if (borderStyle_ == bsSingle) {
        if (Ctl3D()) {
            params.exStyle |= win::WS_EX_CLIENTEDGE;
        } else {
            params.style |= win::WS_BORDER;
        }
    }
}

void TCustomTreeView::CreateWnd()
{
    windowGoing_ = false;
    TWinControl::CreateWnd();
    Send(win::TVM_SETINDENT, win::WPARAM(indent_), 0);
    ImageListChange(nullptr);
    ApplyColors();
    restoring_ = true;
    try {
        Send(win::WM_SETREDRAW, 0, 0);
        InsertItems(nullptr);
        if (savedSelected_) {
            Send(win::TVM_SELECTITEM, win::TVGN_CARET, reinterpret_cast<win::LPARAM>(savedSelected_->itemId_));
        }
        Send(win::WM_SETREDRAW, 1, 0);
    } catch (...) {
        restoring_ = false;
        throw;
    }
    restoring_ = false;
    savedSelected_ = nullptr;
}

// Mirrors the children of parent (the roots for null), with their expanded state, into the window.
void TCustomTreeView::InsertItems(TTreeNode* parent)
{
    auto& list = items_->ListOf(parent);
    for (TTreeNode* node : list) {
        win::TVINSERTSTRUCT insert;
        insert.hParent = parent ? parent->itemId_ : win::TVI_ROOT;
        insert.hInsertAfter = win::TVI_LAST;
        insert.item.mask = win::TVIF_TEXT | win::TVIF_IMAGE | win::TVIF_SELECTEDIMAGE | win::TVIF_STATE | win::TVIF_PARAM;
        insert.item.pszText = node->text_.data();
        insert.item.iImage = win::I_IMAGECALLBACK;
        insert.item.iSelectedImage = win::I_IMAGECALLBACK;
        insert.item.lParam = reinterpret_cast<win::LPARAM>(node);
        insert.item.state = (node->expanded_ ? win::TVIS_EXPANDED : 0) | StateMask(node->stateIndex_);
        insert.item.stateMask = win::TVIS_EXPANDED | win::TVIS_STATEIMAGEMASK;
        if (node->hasChildren_) {
            insert.item.mask |= win::TVIF_CHILDREN;
            insert.item.cChildren = 1;
        }
        node->itemId_ = reinterpret_cast<win::HTREEITEM>(Send(win::TVM_INSERTITEM, 0, reinterpret_cast<win::LPARAM>(&insert)));
        byItem_[node->itemId_] = node;
        InsertItems(node);
    }
}

void TCustomTreeView::KeepWindowState()
{
    if (windowGoing_) {
        return;
    }
    windowGoing_ = true;
    savedSelected_ = Selected();
    for (TTreeNode* node = items_->GetFirstNode(); node; node = node->GetNext()) {
        node->expanded_ = node->Expanded();
    }
}

void TCustomTreeView::WndProc(win::TMessage& message)
{
    switch (message.Msg) {
    case win::WM_DESTROY:
        KeepWindowState();
        TWinControl::WndProc(message);
        for (TTreeNode* node = items_->GetFirstNode(); node; node = node->GetNext()) {
            node->itemId_ = nullptr;
        }
        byItem_.clear();
        return;
    case win::TVM_SETITEM: {
        TWinControl::WndProc(message);
        // Items changed by hand keep their node in step.
        const auto* item = reinterpret_cast<const win::TVITEM*>(message.LParam);
        TTreeNode* node = message.Result && item ? NodeFromItem(item->hItem) : nullptr;
        if (node) {
            if ((item->mask & win::TVIF_IMAGE) && item->iImage != win::I_IMAGECALLBACK) {
                node->imageIndex_ = item->iImage;
            }
            if ((item->mask & win::TVIF_SELECTEDIMAGE) && item->iSelectedImage != win::I_IMAGECALLBACK) {
                node->selectedIndex_ = item->iSelectedImage;
            }
            if ((item->mask & win::TVIF_STATE) && (item->stateMask & win::TVIS_STATEIMAGEMASK)) {
                const int index = int((item->state & win::TVIS_STATEIMAGEMASK) >> 12);
                node->stateIndex_ = index > 0 ? index : -1;
            }
            if ((item->mask & win::TVIF_TEXT) && item->pszText != node->text_.data()) {
                node->text_ = item->pszText && item->pszText != win::LPSTR_TEXTCALLBACK ? item->pszText : "";
            }
        }
        return;
    }
    default:
        TWinControl::WndProc(message);
    }
}

void TCustomTreeView::Dispatch(win::TMessage& message)
{
    switch (message.Msg) {
    case CN_NOTIFY:
        if (const auto* header = reinterpret_cast<const win::NMHDR*>(message.LParam)) {
            message.Result = Notify(*header);
        }
        return;
    case CM_COLORCHANGED:
    case CM_FONTCHANGED:
        TWinControl::Dispatch(message);
        ApplyColors();
        return;
    default:
        TWinControl::Dispatch(message);
    }
}

win::LRESULT TCustomTreeView::Notify(const win::NMHDR& header)
{
    const auto& data = reinterpret_cast<const win::NMTREEVIEW&>(header);
    switch (header.code) {
    case win::TVN_SELCHANGING:
        return !restoring_ && !CanChange(NodeFromItem(data.itemNew.hItem));
    case win::TVN_SELCHANGED:
        if (!restoring_) {
            Change(NodeFromItem(data.itemNew.hItem));
        }
        return 0;
    case win::TVN_ITEMEXPANDING: {
        TTreeNode* node = NodeFromItem(data.itemNew.hItem);
        if (!node) {
            return 0;
        }
        return data.action == win::TVE_EXPAND ? !CanExpand(node) : !CanCollapse(node);
    }
    case win::TVN_ITEMEXPANDED:
        if (TTreeNode* node = NodeFromItem(data.itemNew.hItem)) {
            if (data.action == win::TVE_EXPAND) {
                Expand(node);
            } else {
                Collapse(node);
            }
        }
        return 0;
    case win::TVN_DELETEITEM:
        ItemDeleted(data.itemOld.hItem);
        return 0;
    case win::TVN_GETDISPINFO: {
        auto& info = const_cast<win::NMTVDISPINFO&>(reinterpret_cast<const win::NMTVDISPINFO&>(header));
        TTreeNode* node = NodeFromItem(info.item.hItem);
        if (!node) {
            return 0;
        }
        if (info.item.mask & win::TVIF_IMAGE) {
            GetImageIndex(node);
            info.item.iImage = node->imageIndex_;
        }
        // The handler may have deleted the node.
        node = NodeFromItem(info.item.hItem);
        if (node && (info.item.mask & win::TVIF_SELECTEDIMAGE)) {
            GetSelectedIndex(node);
            info.item.iSelectedImage = node->selectedIndex_;
        }
        return 0;
    }
    case win::NM_CLICK:
        Click();
        return 0;
    case win::NM_DBLCLK:
        DblClick();
        return 0;
    default:
        return 0;
    }
}

void TCustomTreeView::ItemDeleted(win::HTREEITEM item)
{
    // The window going takes its items, never the nodes.
    TTreeNode* node = windowGoing_ ? nullptr : NodeFromItem(item);
    if (node) {
        items_->Forget(node, true);
    }
}

TTreeNode* TCustomTreeView::NodeFromItem(win::HTREEITEM item) const
{
    const auto found = byItem_.find(item);
    return found == byItem_.end() ? nullptr : found->second;
}

TTreeNode* TCustomTreeView::Selected() const
{
    if (!HandleAllocated()) {
        return savedSelected_;
    }
    return NodeFromItem(reinterpret_cast<win::HTREEITEM>(Send(win::TVM_GETNEXTITEM, win::TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* value)
{
    if (!HandleAllocated()) {
        if (value != savedSelected_ && CanChange(value)) {
            savedSelected_ = value;
            Change(value);
        }
        return;
    }
    Send(win::TVM_SELECTITEM, win::TVGN_CARET, reinterpret_cast<win::LPARAM>(value ? value->itemId_ : nullptr));
}

TTreeNode* TCustomTreeView::TopItem() const
{
    if (!HandleAllocated()) {
        return items_->GetFirstNode();
    }
    return NodeFromItem(reinterpret_cast<win::HTREEITEM>(Send(win::TVM_GETNEXTITEM, win::TVGN_FIRSTVISIBLE, 0)));
}

void TCustomTreeView::SetTopItem(TTreeNode* value)
{
    if (value && HandleAllocated()) {
        Send(win::TVM_SELECTITEM, win::TVGN_FIRSTVISIBLE, reinterpret_cast<win::LPARAM>(value->itemId_));
    }
}

void TCustomTreeView::FullExpand()
{
    const std::vector<TTreeNode*> roots = items_->roots_;
    for (TTreeNode* node : roots) {
        node->Expand(true);
    }
}

void TCustomTreeView::FullCollapse()
{
    const std::vector<TTreeNode*> roots = items_->roots_;
    for (TTreeNode* node : roots) {
        node->Collapse(true);
    }
}

THitTests TCustomTreeView::GetHitTestInfoAt(int x, int y) const
{
    if (!HandleAllocated()) {
        return THitTests(1u << htNowhere);
    }
    win::TVHITTESTINFO info;
    info.pt = {x, y};
    Send(win::TVM_HITTEST, 0, reinterpret_cast<win::LPARAM>(&info));
    static constexpr std::pair<win::UINT, THitTest> kinds[] = {
            {win::TVHT_ABOVE, htAbove},           {win::TVHT_BELOW, htBelow},
            {win::TVHT_NOWHERE, htNowhere},       {win::TVHT_ONITEMBUTTON, htOnButton},
            {win::TVHT_ONITEMICON, htOnIcon},     {win::TVHT_ONITEMINDENT, htOnIndent},
            {win::TVHT_ONITEMLABEL, htOnLabel},   {win::TVHT_ONITEMRIGHT, htOnRight},
            {win::TVHT_ONITEMSTATEICON, htOnStateIcon}, {win::TVHT_TOLEFT, htToLeft},
            {win::TVHT_TORIGHT, htToRight}};
    THitTests result = 0;
    for (const auto& [flag, kind] : kinds) {
        if (info.flags & flag) {
            result |= THitTests(1u << kind);
        }
    }
    if (info.flags & (win::TVHT_ONITEM | win::TVHT_ONITEMSTATEICON)) {
        result |= THitTests(1u << htOnItem);
    }
    return result;
}

void TCustomTreeView::SetSortType(TSortType value)
{
    sortType_ = value;
    if (value != stNone && !HasState(classes::csLoading)) {
        AlphaSort(true);
    }
}

void TCustomTreeView::AlphaSort(bool recurse)
{
    SortChildren(nullptr, recurse);
}

int TCustomTreeView::Compare(TTreeNode* a, TTreeNode* b)
{
    if (OnCompare) {
        int result = 0;
        OnCompare(this, a, b, 0, result);
        return result;
    }
    const auto byData = [&] { return a->data_ < b->data_ ? -1 : a->data_ > b->data_ ? 1 : 0; };
    switch (sortType_) {
    case stData:
        return byData();
    case stBoth:
        if (const int byText = rtl::AnsiCompareText(a->text_, b->text_)) {
            return byText;
        }
        return byData();
    default:
        return rtl::AnsiCompareText(a->text_, b->text_);
    }
}

void TCustomTreeView::SortChildren(TTreeNode* parent, bool recurse)
{
    // The control's order and the window's follow one comparison; equal nodes keep their order.
    std::vector<TTreeNode*>& list = items_->ListOf(parent);
    rtl::GuardedStableSort(list, [&](TTreeNode* a, TTreeNode* b) { return Compare(a, b) < 0; });
    if (HandleAllocated() && (!parent || parent->itemId_)) {
        // The window follows the control's order. Its items' values are only looked up, never taken for
        // nodes: one set by hand may be anything.
        std::unordered_map<win::LPARAM, int> places;
        for (std::size_t i = 0; i < list.size(); ++i) {
            places[reinterpret_cast<win::LPARAM>(list[i])] = int(i);
        }
        win::TVSORTCB sort;
        sort.hParent = parent ? parent->itemId_ : win::TVI_ROOT;
        sort.lpfnCompare = [](win::LPARAM a, win::LPARAM b, win::LPARAM context) {
            const auto& known = *reinterpret_cast<const std::unordered_map<win::LPARAM, int>*>(context);
            const auto place = [&](win::LPARAM value) {
                const auto found = known.find(value);
                return found == known.end() ? int(known.size()) : found->second;
            };
            return place(a) - place(b);
        };
        sort.lParam = reinterpret_cast<win::LPARAM>(&places);
        Send(win::TVM_SORTCHILDRENCB, 0, reinterpret_cast<win::LPARAM>(&sort));
    }
    if (recurse) {
        const std::vector<TTreeNode*> children = list;
        for (TTreeNode* child : children) {
            SortChildren(child, true);
        }
    }
}

TTreeNode* TCustomTreeView::GetNodeAt(int x, int y) const
{
    if (!HandleAllocated()) {
        return nullptr;
    }
    win::TVHITTESTINFO info;
    info.pt = {x, y};
    Send(win::TVM_HITTEST, 0, reinterpret_cast<win::LPARAM>(&info));
    return info.flags & (win::TVHT_ONITEM | win::TVHT_ONITEMSTATEICON | win::TVHT_ONITEMRIGHT | win::TVHT_ONITEMINDENT |
                         win::TVHT_ONITEMBUTTON)
                   ? NodeFromItem(info.hItem)
                   : nullptr;
}

void TCustomTreeView::SetImages(TCustomImageList* value)
{
    SetImageList(images_, value);
}

void TCustomTreeView::SetStateImages(TCustomImageList* value)
{
    SetImageList(stateImages_, value);
}

void TCustomTreeView::SetImageList(TCustomImageList*& slot, TCustomImageList* value)
{
    TChangeLink* link = &slot == &images_ ? &imageLink_ : &stateLink_;
    TCustomImageList* old = slot;
    slot = value;
    if (old) {
        old->UnRegisterChanges(link);
        if (old != images_ && old != stateImages_) {
            old->RemoveFreeNotification(this);
        }
    }
    if (value) {
        value->RegisterChanges(link);
        value->FreeNotification(this);
    }
    ImageListChange(nullptr);
}

void TCustomTreeView::ImageListChange(classes::TObject*)
{
    if (HandleAllocated()) {
        Send(win::TVM_SETIMAGELIST, win::TVSIL_NORMAL, reinterpret_cast<win::LPARAM>(images_ ? images_->Handle() : nullptr));
        Send(win::TVM_SETIMAGELIST, win::TVSIL_STATE,
             reinterpret_cast<win::LPARAM>(stateImages_ ? stateImages_->Handle() : nullptr));
    }
}

void TCustomTreeView::Notification(classes::TComponent* component, classes::TOperation operation)
{
    // Before the base clears its references through SetImages, which would speak to the going list.
    if (operation == classes::TOperation::Remove && (component == images_ || component == stateImages_)) {
        images_ = component == images_ ? nullptr : images_;
        stateImages_ = component == stateImages_ ? nullptr : stateImages_;
        ImageListChange(nullptr);
    }
    TWinControl::Notification(component, operation);
}

void TCustomTreeView::ApplyColors()
{
    if (HandleAllocated()) {
        Send(win::TVM_SETBKCOLOR, 0, win::LPARAM(ColorToRGB(Color())));
        Send(win::TVM_SETTEXTCOLOR, 0, win::LPARAM(ColorToRGB(Font()->Color())));
    }
}

int TCustomTreeView::Indent() const
{
    return HandleAllocated() ? int(Send(win::TVM_GETINDENT, 0, 0)) : indent_;
}

void TCustomTreeView::SetIndent(int value)
{
    indent_ = value;
    if (HandleAllocated()) {
        Send(win::TVM_SETINDENT, win::WPARAM(value), 0);
    }
}

void TCustomTreeView::SetBorderStyle(TFormBorderStyle value)
{
    if (value != borderStyle_) {
        borderStyle_ = value;
        RecreateWnd();
    }
}

void TCustomTreeView::SetStyleFlag(bool& flag, bool value)
{
    if (flag != value) {
        flag = value;
        RecreateWnd();
    }
}

bool TCustomTreeView::CanChange(TTreeNode* node)
{
    bool allow = true;
    if (OnChanging) {
        OnChanging(this, node, allow);
    }
    return allow;
}

void TCustomTreeView::Change(TTreeNode* node)
{
    if (OnChange) {
        OnChange(this, node);
    }
}

bool TCustomTreeView::CanExpand(TTreeNode* node)
{
    bool allow = true;
    if (OnExpanding) {
        OnExpanding(this, node, allow);
    }
    return allow;
}

void TCustomTreeView::Expand(TTreeNode* node)
{
    if (OnExpanded) {
        OnExpanded(this, node);
    }
}

bool TCustomTreeView::CanCollapse(TTreeNode* node)
{
    bool allow = true;
    if (OnCollapsing) {
        OnCollapsing(this, node, allow);
    }
    return allow;
}

void TCustomTreeView::Collapse(TTreeNode* node)
{
    if (OnCollapsed) {
        OnCollapsed(this, node);
    }
}

void TCustomTreeView::Delete(TTreeNode* node)
{
    if (OnDeletion) {
        OnDeletion(this, node);
    }
}

void TCustomTreeView::GetImageIndex(TTreeNode* node)
{
    if (OnGetImageIndex) {
        OnGetImageIndex(this, node);
    }
}

void TCustomTreeView::GetSelectedIndex(TTreeNode* node)
{
    if (OnGetSelectedIndex) {
        OnGetSelectedIndex(this, node);
    }
}

}  // namespace gui
