#pragma once

#include "forms/layout/geometry.h"
#include "forms/layout/resizer_window.h"

#include <QHash>
#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

namespace zk::layout {

// A rectangular area of the hooked window's client area. A panel owns its
// children; during a layout each child is placed from its parent's new
// rectangle by its anchor bits, keeping the margins it had to the parent's
// edges when it was added.
class CPanel {
public:
    explicit CPanel(const QRect& rect, const QString& name = QString());
    virtual ~CPanel();
    CPanel(const CPanel&) = delete;
    CPanel& operator=(const CPanel&) = delete;

    // Lays out the children inside the own rectangle, then recurses.
    virtual void OnResized();
    // Adds a child and records its margins; false (and the child is
    // destroyed) when the panel takes no further children.
    virtual bool AddChild(std::unique_ptr<CPanel> child);
    virtual bool AcceptsChildren() const { return true; }
    virtual std::unique_ptr<CPanel> RemoveChild(CPanel* child);
    // Sets the anchor, completed with top when no vertical bit and with left
    // when no horizontal bit is given.
    virtual void SetAnchor(int anchor);
    // Refused when larger than the maximum (smaller than the minimum).
    virtual bool SetMinSize(const QSize& size);
    virtual bool SetMaxSize(const QSize& size);
    virtual QString Describe() const;
    virtual QString TypeName() const { return QStringLiteral("CPanel"); }
    // The window of the tree, asked of the root through the parent chain.
    virtual IResizerWindow* Window() const;

    const QRect& Rect() const { return rect_; }
    void SetRect(const QRect& rect) { rect_ = rect; }
    int Anchor() const { return anchor_; }
    const QString& Name() const { return name_; }
    void SetName(const QString& name)
    {
        name_ = name;
        folded_ = name.toCaseFolded();
        foldedHash_ = qHash(folded_);
    }
    CPanel* Parent() const { return parent_; }
    const std::vector<std::unique_ptr<CPanel>>& Children() const { return children_; }
    const QMargins& Margins() const { return margins_; }
    const QSize& MinSize() const { return minSize_; }
    const QSize& MaxSize() const { return maxSize_; }

    // The first panel of this subtree (itself included) with the name,
    // compared without regard to case; an empty name finds nothing.
    CPanel* Find(const QString& name);
    bool Contains(const CPanel* panel) const;

    // Where the anchors put a child inside the parent rectangle.
    static QRect Anchored(const QRect& parent, const CPanel& child);

protected:
    CPanel* FindFolded(const QString& folded, size_t hash);
    // Places every child by its anchor, without recursing.
    void PlaceChildren();
    // Takes over both limits at once (they are consistent with each other).
    void SetLimits(const QSize& minimum, const QSize& maximum);

private:
    QRect rect_;
    int anchor_ = kAnchorLeft | kAnchorTop;
    QString name_;
    // The name case-folded once: the layout pass looks a panel up by name for
    // every control, and folding both sides at every node made that the
    // pass's main cost.
    QString folded_;
    // Its hash: most panels' names differ from the one sought, and comparing
    // hashes first spares comparing hundreds of texts of the same length.
    size_t foldedHash_ = 0;
    CPanel* parent_ = nullptr;
    std::vector<std::unique_ptr<CPanel>> children_;
    QMargins margins_;
    QSize minSize_{10, 10};
    QSize maxSize_{100000, 100000};
};

// The top of the tree: the hooked window's client area (over the whole
// scrollable extent when the window scrolls).
class CRootPanel : public CPanel {
public:
    CRootPanel(const QRect& rect, IResizerWindow* window);
    QString TypeName() const override { return QStringLiteral("CRootPanel"); }
    IResizerWindow* Window() const override { return window_; }

private:
    IResizerWindow* window_;
};

// The panel of one control window, named by its window id; the layout moves
// the control to this panel's rectangle.
class CUIPanel : public CPanel {
public:
    CUIPanel(const QRect& rect, int windowId);
    QString TypeName() const override { return QStringLiteral("CUIPanel"); }
    int WindowId() const { return windowId_; }

private:
    int windowId_;
};

} // namespace zk::layout
